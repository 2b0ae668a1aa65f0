#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "history/items.h"

// The big-payout hit list: every hit line of the past meeting days' result documents goes into
// "TEKICHU/ATARILIST.txt" (with the race's 単勝, 複勝 and 枠連 payouts after a race with a 馬連
// hit); the hits paying more than 10000 yen are the rows of the list.
namespace radadovur::history {

inline constexpr std::string_view kAtariList = "TEKICHU/ATARILIST.txt";
inline constexpr int kHitListColumns = 20;
// Rows 1..4999 of the grid; later big hits still count and go to the file.
inline constexpr int kHitListRows = 4999;
inline constexpr int kBigPayout = 10000;

// Row 0 of the grid and the column widths in twips (0: the designed width).
const std::array<std::string_view, kHitListColumns>& HitListHeaders();
const std::array<int, kHitListColumns>& HitListWidths();
// The fixed caption of Label1.
std::string_view HitListNote();

struct HitList {
  // Grid rows 1.. (UTF-8), at most kHitListRows.
  std::vector<std::array<std::string, kHitListColumns>> rows;
  // Every big hit, also those without a row.
  int big_hits = 0;
};

// The bet-kind name of an AtCode ("1" 馬連 .. "7" ３連単); empty for any other code.
std::string_view BetKindName(std::string_view at_code);

// True when the payout is a whole number above 10000 yen (a payout that is not a number never is).
bool IsBigPayout(std::string_view payout);

// One day's result document: its hit lines into `file`, its big hits into `list`. `day` holds
// the first six values of its lines (year, month, day, racecourse, meeting, day number; CP932).
void ReadHitDay(ItemStream& doc, const std::array<std::string, 6>& day, std::string& file, HitList& list);

// Runs the load: the hit list file rewritten, the grid rows made. `on_date` as MeetingDaySearch's.
HitList LoadHitList(const std::string& app_path, const std::function<void(std::string_view date)>& on_date,
                    common::StepFailures& failures);

}  // namespace radadovur::history
