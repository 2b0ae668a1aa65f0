// radadovur-cli odds DIR: this week's odds, both buttons of the odds window in its order
// ("今週のオッズ", then "今週の3連単"), through the JV-Link stand-in.
#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "cli/recording_folder.h"
#include "steps/gate.h"
#include "steps/odds_download.h"

namespace radadovur::cli {
namespace {

int RunOdds(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "odds", {}, {kRecordingsOption});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "odds", exit_code);
  if (!state) return exit_code;
  // The odds window's own JV-Link and download variables.
  auto link = CommandJvLink(*state, *parsed);
  steps::OddsWindowState window;
  ConsoleHost host;
  // Both fetches under one hold of the folder.
  steps::FolderHold hold(*state, host, "今週オッズ取得");
  if (!hold.held()) return ReportFailures(hold.failures(), &host);
  common::StepFailures failures = steps::RunThisWeekOdds(steps::ThisWeekOdds::kPairsAndTrio, *state, window, *link, host);
  for (auto& f : steps::RunThisWeekOdds(steps::ThisWeekOdds::kTrifecta, *state, window, *link, host).items)
    failures.Add(std::move(f));
  return ReportFailures(failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("odds", "odds DIR [--recordings RDIR]",
                      "今週のオッズを取り込みます(オッズの窓の「今週のオッズ」、続いて「今週の3連単」)。\n"
                      "  --recordings RDIR  この実行だけ、JV-Link の記録フォルダとして RDIR を使います。",
                      RunOdds);

}  // namespace radadovur::cli
