#pragma once
#include <array>
#include <string>
#include <string_view>

#include "history/grid.h"

// The meeting-day detail view of the past results window: what choosing a day shows, read from
// the day's five files under "TEKICHU" (hit table, tier rate table, strategy hit table, strategy
// rate table, result document). It reads and arranges texts and colours; it computes no figure
// and writes nothing. A value that cannot be read (a missing file, a read past the end) leaves
// its cell empty and uncoloured.
namespace radadovur::history {

inline constexpr int kRaceTabs = 12;

struct DayDetail {
  Grid KakoSeiFG{50, 8, 2, 1};     // tier hits ("tekichu.txt")
  Grid TekiKaiFG{9, 7, 2, 1};      // tier rates ("kaiteki.txt")
  Grid TanFukuFG{38, 12, 2, 1};    // strategy hits ("tekichuPC.txt")
  Grid TFTekiKaiFG{7, 12, 1, 1};   // strategy rates ("kaitekiPC.txt")
  std::string Text1;               // the fixed explanation
  std::array<std::string, kRaceTabs> Text2;  // race headers
  std::array<Grid, kRaceTabs> TKFG;          // each race's hits, 8 x 4
  std::array<Grid, kRaceTabs> RACEFG;        // each race's runners, 19 x 14
};

// The fixed explanation of the rates (Text1).
std::string_view RatesExplanation();

// The tab captions of the race tabs: "1　R" .. "12　R".
std::string RaceTabCaption(int tab);

// The back colour of a tier hit cell for point number `points` in column `column` (1..7 of the
// hit table); bright white outside the tiers.
uint32_t TierColour(int column, long long points);

// Everything the view shows for the chosen list item (its last 14 characters are the day key,
// its first 20 the day title).
DayDetail LoadDayDetail(const std::string& app_path, std::string_view list_item);

}  // namespace radadovur::history
