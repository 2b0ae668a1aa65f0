// radadovur-cli results DIR: step ⑥ (the results pass) on the program folder DIR, with the texts
// that button ⑥ writes into the main window's Text5 around it and the race list it leaves.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/console_host.h"
#include "results/results_pass.h"
#include "steps/results.h"

namespace radadovur::cli {
namespace {

int RunResults(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "results");
  if (!state) return 2;
  ConsoleHost host;
  host.SetStatus(common::StatusSlot::kMainText5, std::string(steps::kResultsStartText));
  auto window = std::make_unique<results::ResultsWindowState>();  // the window's state, as a new window has it
  const results::ResultsPassOutcome outcome = steps::RunResultsStep(*state, host, *window);
  for (const auto& item : outcome.List1Items) std::printf("[YOSOKEKKATHISWEEKNAZ.List1] %s\n", item.c_str());
  host.SetStatus(common::StatusSlot::kMainText5, results::ResultsEndText(outcome.failures));
  return ReportFailures(outcome.failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("results", "results DIR", RunResults);

}  // namespace radadovur::cli
