// radadovur-cli realtime-results DIR: the realtime menu's "Ⅲ　速報着順等情報": the realtime win
// odds ("0B30") and results ("0B12") through the JV-Link stand-in, and the patches of this
// week's entry in the per-race runner files (run after ⑥, which writes those files).
#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "cli/recording_folder.h"
#include "steps/odds_download.h"
#include "steps/realtime_results.h"

namespace radadovur::cli {
namespace {

int RunRealtimeResultsCommand(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "realtime-results", {}, {kRecordingsOption});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "realtime-results", exit_code);
  if (!state) return exit_code;
  auto link = CommandJvLink(*state, *parsed);
  ConsoleHost host;
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

RADADOVUR_CLI_COMMAND("realtime-results", "realtime-results DIR [--recordings RDIR]",
                      "速報メニューの「Ⅲ　速報着順等情報」: 速報単勝オッズ(\"0B30\")と最終開催日の速報結果(\"0B12\")を\n"
                      "取り込み、出走馬のファイルの今週の記録(着順、タイム、人気、単勝オッズ、上がり3F)を\n"
                      "書き換えます(⑥の後)。\n"
                      "  --recordings RDIR  この実行だけ、JV-Link の記録フォルダとして RDIR を使います。",
                      RunRealtimeResultsCommand);

}  // namespace radadovur::cli
