#pragma once
#include <array>
#include <string>
#include <string_view>

#include "viewer/grid.h"

// The two runner grids of a race: RACEDETAILGrid1 (result against prediction, times, the factor
// weights of jockey, sire, trainer and dam's sire) and RACEDETAILGrid2 (predicted speed and
// times, the speed residual of every run). Row k is horse number k (1 to 18).
namespace radadovur::viewer {

inline constexpr int kRunnerRows = 19;
inline constexpr int kDetail1Columns = 25;
inline constexpr int kDetail2Columns = 80;
// The columns of the horse-name cells, whose text ends with the horse's expanded-record file.
inline constexpr int kDetail1NameColumn = 6;
inline constexpr int kDetail2NameColumn = 5;

Grid MakeDetail1Grid();
Grid MakeDetail2Grid();

// Before the runners of a race: row 0's height and the widths of RACEDETAILGrid1, rows 1 to 18
// of both grids emptied and white, the race key in cell (0, 0) of RACEDETAILGrid1.
void PrepareRunnerGrids(std::string_view race_key, Grid& detail1, Grid& detail2);

// The horse-name cell: the first 18 characters of the horse name, the registration number of
// this week's run and "EX.dat" (34 characters; the last 16 name the expanded-record file).
std::string HorseNameCell(std::string_view runner_record);

// Writes the headings and row k of both grids from horse k's runner record (24022 bytes), its
// predicted rank text (" 1"; empty when unknown) and reliability marks. A value that cannot be
// formed (a speed of 0, a text that is not a number) leaves its cell empty.
void ShowRunner(int k, std::string_view runner_record, const std::string& pred_rank,
                const std::array<std::string, 5>& marks, Grid& detail1, Grid& detail2);

}  // namespace radadovur::viewer
