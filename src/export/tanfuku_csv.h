#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/day_files.h"
#include "common/status.h"
#include "documents/race_of_record.h"
#include "results/results_window_state.h"
#include "store/record_block.h"

// The win and place exports of a meeting day: "TANFUKU/<MeetingDayKey>tnfk.csv" for the runner
// ranked first and "TANFUKU2/<MeetingDayKey>tnfk2.csv" for the one ranked second ("tnfkRCM.csv",
// "tnfkRCM2.csv" once the week's results are final). Quoted lines in code page 932: a title, a
// header, then one line per race for each runner of the rank, with its win and place payouts once
// the results are final.
namespace radadovur::exports {

// What tells the two exports apart.
struct TanfukuKind {
  int rank;                       // the predicted rank whose runners are written
  std::string_view folder;        // "TANFUKU/"
  std::string_view suffix;        // before the results are final
  std::string_view final_suffix;  // once they are
  std::string_view title;         // UTF-8, with its closing blank
  size_t pay;                     // TanfukuPay[pay] win, TanfukuPay[pay + 1] place
  std::string results::ResultsWindowState::*last_key;
};

inline constexpr TanfukuKind kTanfuku1{1, "TANFUKU/", "tnfk.csv", "tnfkRCM.csv", "単勝・複勝 数量化1位 ", 0,
                                       &results::ResultsWindowState::LastKeyTanfuku};
inline constexpr TanfukuKind kTanfuku2{2, "TANFUKU2/", "tnfk2.csv", "tnfkRCM2.csv", "単勝・複勝 数量化2位 ", 2,
                                       &results::ResultsWindowState::LastKeyTanfuku2};

// The title line: "単勝・複勝 数量化1位 2024年09月22日 第4回 中山 第8日" (the meeting and day numbers
// without leading zeros; a racecourse the code table lacks leaves its name out).
std::string TanfukuTitleLine(const TanfukuKind& kind, const documents::RaceOfRecord& race,
                             const results::CodeTable& table, common::StepFailures& failures);

// The header line: 11 items once the results are final, 9 before.
std::string TanfukuHeaderLine(bool final);

// Horse `horse`'s line: 19 items once the results are final, 17 before (payout items empty), from
// the race table's row RaceIndex and the per-runner texts; `win` and `place` are the payout texts.
// Nothing, and a failure, when the race table has no such row or the age is no number.
std::optional<std::string> TanfukuDataLine(const results::ResultsWindowState& state, int horse, bool final,
                                           std::string_view win, std::string_view place,
                                           common::StepFailures& failures);

// The win and place payouts of horse `horse` in the race: the 9-digit amounts, as stored, of the
// 単勝 and 複勝 entries whose combination is the horse's number, from the last payout record of
// the race (year, date, racecourse and race number); empty where there is none.
void LookUpTanfukuPayouts(const store::RecordBlock& payouts, const documents::RaceOfRecord& race, int horse,
                          std::string& win, std::string& place);

// Writes one export of a results pass, race by race. A day's file is started afresh (title and
// header) by the pass's first race of the day and appended to by every later one, also when the
// day comes back after other days' races. One writer serves one pass.
class TanfukuCsvWriter {
 public:
  explicit TanfukuCsvWriter(const TanfukuKind& kind) : kind_(kind) {}

  // Adds the current race's lines; every line or file that failed is in `failures`, the rest is
  // written. A race without runners writes nothing.
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  TanfukuKind kind_;
  common::DayFiles files_;
};

}  // namespace radadovur::exports
