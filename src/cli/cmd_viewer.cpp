// radadovur-cli viewer DIR RACEKEY: what the results window shows when race RACEKEY is chosen in
// its race list: the description, then every grid, one row a line (rows holding nothing are left
// out), cells separated by tabs, a coloured cell followed by its colour in braces.
#include <cstdio>
#include <string>

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

int RunViewer(const std::vector<std::string>& args) {
  if (args.size() != 2 || args[0].empty() || args[1].size() != 12) {
    std::fprintf(stderr, "使い方: radadovur-cli viewer DIR RACEKEY（RACEKEY: 12 文字のレースキー）\n");
    return 2;
  }
  const common::RunState run = common::RunStateFor(args[0]);
  if (common::Status folder = common::CheckProgramFolder(run); !folder.ok()) {
    std::fprintf(stderr, "失敗: %s\n", folder.ToString().c_str());
    return 1;
  }
  results::ResultsWindowState state;
  common::StepFailures failures;
  // The viewer shows what step ⑥ left; without it there is nothing to show.
  steps::MissingInputs missing(run.AppPath);
  steps::NeedResultsOutputs(missing, args[1]);
  ConsoleHost host;
  if (missing.Refuse("レースの表示", host, failures)) return ReportFailures(failures, &host);
  const auto item = viewer::ListedRaceItem(run.AppPath, args[1], state, failures);
  if (!item) {
    std::fprintf(stderr, "レース %s は今週のレース一覧にありません\n", common::Shown(args[1]).c_str());
    ReportFailures(failures, &host);
    return 1;
  }
  viewer::RaceView view;
  const common::StepFailures shown = viewer::ChooseRace(run.AppPath, *item, 1, state, view);
  for (const auto& f : shown.items) failures.Add(f);
  if (!shown.empty()) host.FailureMessage(common::MakeFailureReport(viewer::kChooseRaceFailureHeading, shown));
  std::printf("[Text1] %s{%s}\n", view.text1.c_str(), std::string(viewer::ColourName(view.text1_colour)).c_str());
  for (const viewer::Grid* grid : {&view.payout, &view.detail1, &view.detail2, &view.tickets.grids[0],
                                   &view.tickets.grids[1], &view.tickets.grids[2], &view.tickets.grids[3]})
    PrintGrid(*grid);
  return ReportFailures(failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("viewer", "viewer DIR RACEKEY", RunViewer);

}  // namespace radadovur::cli
