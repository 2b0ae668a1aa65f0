// radadovur-cli results DIR: step ⑥ (the results pass) on the program folder DIR, with the texts
// that button ⑥ writes into the main window's Text5 around it and the race list it leaves.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "results/results_pass.h"
#include "steps/results.h"

namespace radadovur::cli {
namespace {

int RunResults(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "results", {});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "results", exit_code);
  if (!state) return exit_code;
  ConsoleHost host;
  auto window = std::make_unique<results::ResultsWindowState>();  // the window's state, as a new window has it
  const results::ResultsPassOutcome outcome = steps::RunResultsStep(*state, host, *window);
  for (const auto& item : outcome.List1Items) std::printf("[YOSOKEKKATHISWEEKNAZ.List1] %s\n", item.c_str());
  host.SetStatus(common::StatusSlot::kMainText5, results::ResultsEndText(outcome.failures));
  return ReportFailures(outcome.failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("results", "results DIR",
                      "⑥ 予想・結果: 今週のレースの一覧、レースごとの順位、買い目、出馬表、結果の文書、\n"
                      "的中の報告、CSV と Web ページを作り、レースの一覧を表示します(⑤の後)。",
                      RunResults);

}  // namespace radadovur::cli
