// radadovur-cli viewer DIR RACEKEY: what the results window shows when race RACEKEY is chosen in
// its race list: the description, then every grid, one row a line (rows holding nothing are left
// out), cells separated by tabs, a coloured cell followed by its colour in braces.
#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "common/failure_report.h"
#include "common/run_state.h"
#include "steps/step_inputs.h"
#include "viewer/race_lookup.h"
#include "viewer/race_viewer.h"

namespace radadovur::cli {
namespace {

void PrintGrid(const viewer::Grid& grid) {
  std::printf("[%s]\n", grid.name.c_str());
  for (int r = 0; r < grid.rows; ++r) {
    std::string line = std::to_string(r);
    bool shown = false;
    for (int c = 0; c < grid.columns; ++c) {
      const std::string& text = grid.Text(r, c);
      const viewer::Colour colour = grid.ColourAt(r, c);
      line += "\t" + text;
      if (colour != viewer::Colour::kWhite) line += "{" + std::string(viewer::ColourName(colour)) + "}";
      shown = shown || !text.empty() || colour != viewer::Colour::kWhite;
    }
    if (shown) std::printf("%s\n", line.c_str());
  }
}

// The failures on standard error (those `host` has not told); the exit code of a viewer that
// showed nothing or not all.
int PrintFailures(const common::StepFailures& failures, const ConsoleHost& host) {
  ReportFailures(failures, &host);
  return kFailedExit;
}

int RunViewer(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "viewer", {});
  if (!parsed) return kUsageExit;
  if (parsed->operands.size() == 2 && parsed->operands[1].size() != 12)
    return UsageError("viewer", "RACEKEY は 12 文字です(「" + common::Shown(parsed->operands[1]) + "」)。");
  int exit_code = 0;
  const auto folder = ProgramFolderArgument(parsed->operands, "viewer", exit_code, 2);
  if (!folder) return exit_code;
  const common::RunState& run = *folder;
  const std::string& key = parsed->operands[1];
  results::ResultsWindowState state;
  common::StepFailures failures;
  // The viewer shows what step ⑥ left; without it there is nothing to show.
  ConsoleHost host;
  steps::MissingInputs missing(run.AppPath);
  steps::NeedResultsOutputs(missing, {});
  if (missing.Refuse("レースの表示", host, failures)) return PrintFailures(failures, host);
  const auto item = viewer::ListedRaceItem(run.AppPath, key, state, failures);
  if (!item) {
    // ⑥ has run: the key is not one of its races, so running ⑥ again would not help.
    const bool called_off = viewer::RaceCalledOff(run.AppPath, key, failures);
    std::fprintf(stderr, "radadovur-cli viewer: レース %s は%s\n", common::Shown(key).c_str(),
                 called_off ? "中止になったため、⑥予想・結果の対象ではありません。"
                            : "今週のレースの一覧にありません。RACEKEY を確かめて下さい。");
    return PrintFailures(failures, host);
  }
  steps::MissingInputs runners(run.AppPath);
  steps::NeedResultsOutputs(runners, key);
  if (runners.Refuse("レースの表示", host, failures)) return PrintFailures(failures, host);
  viewer::RaceView view;
  const common::StepFailures shown = viewer::ChooseRace(run.AppPath, *item, 1, state, view);
  for (const auto& f : shown.items) failures.Add(f);
  if (!shown.empty()) host.FailureMessage(common::MakeFailureReport(viewer::kChooseRaceFailureHeading, shown));
  std::printf("[Text1] %s{%s}\n", view.text1.c_str(), std::string(viewer::ColourName(view.text1_colour)).c_str());
  for (const viewer::Grid* grid : {&view.payout, &view.detail1, &view.detail2, &view.tickets.grids[0],
                                   &view.tickets.grids[1], &view.tickets.grids[2], &view.tickets.grids[3]})
    PrintGrid(*grid);
  return failures.empty() ? 0 : PrintFailures(failures, host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("viewer", "viewer DIR RACEKEY",
                      "結果の窓でレース RACEKEY (12 文字) を選んだときの表示: 説明と、すべての表のセルの文字と色。\n"
                      "⑥の後に使います。レースの選択と同じく \"RACETHISWEEKN.dat\" を書き換えます。",
                      RunViewer);

}  // namespace radadovur::cli
