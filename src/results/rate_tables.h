#pragma once
#include <string>
#include <string_view>

#include "common/day_files.h"
#include "results/code_table.h"
#include "results/results_window_state.h"

// The meeting day's hit-rate and return-rate tables "TEKICHU/<MeetingDayKey>kaiteki.txt" (the
// tiered pair and triple tickets) and "TEKICHU/<MeetingDayKey>kaitekiPC.txt" (the rank-based
// strategy), rewritten from the day tallies after every race once the results are final.
namespace radadovur::results {

inline common::Status KaitekiTableName(std::string_view meeting_day_key, std::string& name) {
  return common::DayFilePath("", "TEKICHU/", meeting_day_key, "kaiteki.txt", name);
}
inline common::Status KaitekiPcTableName(std::string_view meeting_day_key, std::string& name) {
  return common::DayFilePath("", "TEKICHU/", meeting_day_key, "kaitekiPC.txt", name);
}

// The day's rates after race number `race_number` (the day's race count R): stores R in the 馬連
// Races field of TierTally, then every rate of TierRate and PcTally, in percent with one decimal,
// truncated. A rate whose denominator is 0 becomes empty (written as an empty item), never a
// value left from another race or day.
void ComputeDayRates(ResultsWindowState& state, int32_t race_number);

// The two tables (CP932, CR LF) for the race whose 16-character RaceId is `race_id`; the title
// line's racecourse name comes from `table`, and `race_number` is R as above.
std::string KaitekiTableText(const ResultsWindowState& state, std::string_view race_id, const CodeTable& table);
std::string KaitekiPcTableText(const ResultsWindowState& state, std::string_view race_id, int32_t race_number,
                               const CodeTable& table);

}  // namespace radadovur::results
