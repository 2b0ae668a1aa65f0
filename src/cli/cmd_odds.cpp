// radadovur-cli odds DIR: this week's odds, both buttons of the odds window in its order
// ("今週のオッズ", then "今週の3連単"), through the JV-Link stand-in.
#include "cli/cli.h"
#include "cli/console_host.h"
#include "jvlink/jvlink_settings.h"
#include "steps/odds_download.h"

namespace radadovur::cli {
namespace {

int RunOdds(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "odds");
  if (!state) return 2;
  // The odds window's own JV-Link and download variables.
  auto link = jvlink::MakeReplayJvLink(state->AppPath);
  steps::OddsWindowState window;
  ConsoleHost host;
  common::StepFailures failures = steps::RunThisWeekOdds(steps::ThisWeekOdds::kPairsAndTrio, *state, window, *link, host);
  for (auto& f : steps::RunThisWeekOdds(steps::ThisWeekOdds::kTrifecta, *state, window, *link, host).items)
    failures.Add(std::move(f));
  return ReportFailures(failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("odds", "odds DIR", RunOdds);

}  // namespace radadovur::cli
