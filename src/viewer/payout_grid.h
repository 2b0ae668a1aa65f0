#pragma once
#include <string_view>

#include "viewer/grid.h"

// The payout grid HAITOGrid1: one row per bet type of a payout record, three cells per entry
// (combination, payout in yen, popularity).
namespace radadovur::viewer {

inline constexpr int kPayoutRows = 10;
inline constexpr int kPayoutColumns = 22;

Grid MakePayoutGrid();

// What every choice of a race does first: column 1's width, the headings of row 0, the bet names
// of column 0 and rows 1 to 8 emptied (columns 1 to 21).
void LayOutPayoutGrid(Grid& grid);

// Writes the shown entries of a payout record (719 bytes) into rows 1 to 8. An entry whose horse
// number (単勝, 複勝) or payout (the other bets) reads as 0 stays empty; the entries after it keep
// their columns.
void FillPayoutGrid(std::string_view payout_record, Grid& grid);

}  // namespace radadovur::viewer
