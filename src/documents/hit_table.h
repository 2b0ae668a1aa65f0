#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "documents/race_of_record.h"
#include "results/results_window_state.h"

// The hit table of a meeting day, "TEKICHU/<MeetingDayKey>tekichu.txt" (results only): a title
// naming the day, a header of the seven ticket columns, and four rows per race printed from the
// race's HitSummary (labels, combinations, payouts, list positions with popularity). Lines are
// tagged lines without a tag: every item a quoted text.
namespace radadovur::documents {

// Title and header, CP932 with CR LF: 2024年,05月,09日,3回,<racecourse or nothing>,8日目 and
// R番号,馬連,馬単,3連複,3連単,ワイド1,ワイド2,ワイド3.
std::string HitTableHead(const RaceOfRecord& race, const results::CodeTable& table, common::StepFailures& failures);

// The title alone (the formation hit table has the same).
std::string HitTableTitle(const RaceOfRecord& race, const results::CodeTable& table, common::StepFailures& failures);

// The race's four rows, in the header's column order.
std::string HitTableRows(std::string_view race_num,
                         const std::array<results::HitSummaryEntry, results::kHitSummaryEntries>& summary);

}  // namespace radadovur::documents
