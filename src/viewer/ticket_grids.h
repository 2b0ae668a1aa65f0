#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/results_window_state.h"
#include "viewer/grid.h"

// The four ticket grids of a race: every 馬連, 馬単, ３連複 and ３連単 ticket of its ticket sort
// files, best first, with the odds of its odds matrices and, when the payout record is the race's
// own, its hits coloured.
namespace radadovur::viewer {

enum TicketKind : int { kUmaren, kUmatan, kSanren, kSantan };
inline constexpr int kTicketKinds = 4;

struct TicketGrids {
  TicketGrids();
  std::array<Grid, kTicketKinds> grids;
};

// The ticket rows a grid holds: 153 pairs or 816 triples, the most an 18-runner race has.
int TicketRows(TicketKind kind);

// Rebuilds the four grids of race `race_key` from "KAIME/<race_key>UMARENSORT.dat" ... and
// "KAIME/<race_key>UMARENODDS.dat" ...: headings, tier labels and note, every ticket with its
// odds. Hits are marked only when `payout_record` (may be empty) is a payout record of
// `race_key`. `field_size` (the race's registered runners) sizes the window's ticket lists,
// which are left empty; TrioHorseA to C keep the last 3連単 ticket's horses. A missing or short
// file leaves its rows empty (tickets) or its odds 0 ("no records"); a file that is there but
// cannot be read (not a regular file, no permission) does the same and is returned as a failure.
common::StepFailures FillTicketGrids(const std::string& app_path, std::string_view race_key,
                                     std::string_view payout_record, int field_size, TicketGrids& grids,
                                     results::ResultsWindowState& state);

}  // namespace radadovur::viewer
