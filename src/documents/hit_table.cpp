#include "documents/hit_table.h"

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/tier_hit_check.h"

namespace radadovur::documents {
namespace {

// A line of text items only, without a tag.
class PlainLine {
 public:
  PlainLine& Text(std::string_view cp932) {
    if (!first_) line_ += ',';
    first_ = false;
    line_ += '"' + common::FullWidthSeparators(cp932) + '"';
    return *this;
  }
  PlainLine& Nothing() {
    if (!first_) line_ += ',';
    first_ = false;
    return *this;
  }
  std::string Str() const { return line_ + "\r\n"; }

 private:
  std::string line_;
  bool first_ = true;
};

// Columns in the header's order: 馬連, 馬単, 3連複, 3連単, ワイド1, ワイド2, ワイド3.
constexpr int kColumns[] = {kSumUmaren, kSumUmatan, kSumSanrenpuku, kSumSanrentan, kSumWide1, kSumWide2, kSumWide3};

}  // namespace

std::string HitTableTitle(const RaceOfRecord& race, const results::CodeTable& table, common::StepFailures& failures) {
  using common::ToCp932;
  const std::string_view month_day = race.MonthDay();
  PlainLine title;
  title.Text(std::string(race.Year()) + ToCp932("年"))
      .Text(std::string(month_day.substr(0, 2)) + ToCp932("月"))
      .Text(std::string(month_day.size() >= 4 ? month_day.substr(2, 2) : std::string_view()) + ToCp932("日"))
      .Text(WholeOrAsItStands(race.Kaiji(), "開催回", failures) + ToCp932("回"));
  if (auto venue = VenueNameOrNothing(table, race.VenueCode())) title.Text(*venue); else title.Nothing();
  title.Text(WholeOrAsItStands(race.Nichiji(), "開催日目", failures) + ToCp932("日目"));
  return title.Str();
}

std::string HitTableHead(const RaceOfRecord& race, const results::CodeTable& table, common::StepFailures& failures) {
  using common::ToCp932;
  PlainLine header;
  for (const char* column : {"R番号", "馬連", "馬単", "3連複", "3連単", "ワイド1", "ワイド2", "ワイド3"})
    header.Text(ToCp932(column));
  return HitTableTitle(race, table, failures) + header.Str();
}

std::string HitTableRows(std::string_view race_num,
                         const std::array<results::HitSummaryEntry, results::kHitSummaryEntries>& summary) {
  using Member = std::string results::HitSummaryEntry::*;
  struct Row {
    std::string first;
    Member member;
  };
  const Row rows[] = {
      {std::string(race_num) + common::ToCp932("R 的中"), &results::HitSummaryEntry::Label},
      {common::ToCp932("    当目"), &results::HitSummaryEntry::Combination},
      {common::ToCp932("    配当"), &results::HitSummaryEntry::Payout},
      {common::ToCp932("    予人"), &results::HitSummaryEntry::Popularity},
  };
  std::string out;
  for (const Row& row : rows) {
    PlainLine line;
    line.Text(row.first);
    for (int column : kColumns) line.Text(summary[static_cast<size_t>(column)].*row.member);
    out += line.Str();
  }
  return out;
}

}  // namespace radadovur::documents
