#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/results_window_state.h"
#include "viewer/grid.h"
#include "viewer/payout_grid.h"
#include "viewer/runner_grids.h"
#include "viewer/ticket_grids.h"

// The race viewer of the results window: choosing a race of the list shows its description,
// payouts, runners and tickets. What the window shows is kept here as plain data; the window
// copies it into its controls.
namespace radadovur::viewer {

struct RaceView {
  std::string text1;  // the race description
  Colour text1_colour = Colour::kWhite;
  Grid payout = MakePayoutGrid();
  Grid detail1 = MakeDetail1Grid();
  Grid detail2 = MakeDetail2Grid();
  TicketGrids tickets;
};

// What the window and the command line say first when a chosen race's files could not be read.
inline constexpr std::string_view kChooseRaceFailureHeading = "レースの表示に使うファイルを読めませんでした。";

// The race key a list item names: its last 12 characters.
std::string RaceKeyOfItem(std::string_view item_text);

// Chooses the race of list item `item_text` (UTF-8), whose RaceTable row is `row`: writes the
// description, rewrites "RACETHISWEEKN.dat" with the race-card records of the store, fills the
// payout grid from the race's realtime payout records when "HRRIALTIME.dat" holds the race and
// from its record in "HRTHISWEEKN.dat" otherwise, the ticket grids (hits only from a payout
// record of the race) and both runner grids. Updates the state that the viewer owns after the
// pass: PredRank, RunnerCount, ReliabilityMarks, the record buffers and the ticket lists. Files
// that could not be read or written are returned; everything else is still shown.
common::StepFailures ChooseRace(const std::string& app_path, std::string_view item_text, int row,
                                results::ResultsWindowState& state, RaceView& view);

// The expanded-record file that a horse-name cell names, "UMAGOTOEXTHISWEEKN/<KettoNum>EX.dat",
// when the cell's last 16 characters are a 10-digit registration number and "EX.dat" and that
// file is a regular file of the folder; nullopt otherwise (no other text ever names a file).
std::optional<std::string> PastRunsFile(const std::string& app_path, std::string_view cell);

}  // namespace radadovur::viewer
