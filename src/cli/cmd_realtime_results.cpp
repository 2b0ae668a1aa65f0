// radadovur-cli realtime-results DIR: the realtime menu's "Ⅲ　速報着順等情報": the realtime win
// odds ("0B30") and results ("0B12") through the JV-Link stand-in, and the patches of this
// week's entry in the per-race runner files (run after ⑥, which writes those files).
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/console_host.h"
#include "jvlink/jvlink_settings.h"
#include "steps/odds_download.h"
#include "steps/realtime_results.h"

namespace radadovur::cli {
namespace {

int RunRealtimeResultsCommand(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "realtime-results");
  if (!state) return 2;
  auto link = jvlink::MakeReplayJvLink(state->AppPath);
  ConsoleHost host;
  host.SetStatus(common::StatusSlot::kRealtimeText1, std::string(steps::kRealtimeResultsStartText));
  state->OddsSource = 1;
  const steps::RealtimeResultsReport report = steps::LoadRealtimeResults(*state, *link, host);
  const results::RealtimePatchCounts& c = report.counts;
  if (!report.failures.refused)
    std::printf(
        "[VLTHRRIALTIME] 速報で直した出走馬レコード %lld 件。直さなかったもの: 出走馬ファイルのない %lld "
        "件（%lld レース）、出走馬のない %lld 件\n",
        static_cast<long long>(c.patched), static_cast<long long>(c.no_runner_file),
        static_cast<long long>(c.races_without_file), static_cast<long long>(c.no_runner));
  host.SetStatus(common::StatusSlot::kRealtimeText1, steps::RealtimeResultsMenuEndText(report.failures));
  return ReportFailures(report.failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("realtime-results", "realtime-results DIR", RunRealtimeResultsCommand);

}  // namespace radadovur::cli
