#include "viewer/payout_grid.h"

#include <array>
#include <string>

#include "common/convert.h"
#include "common/cp932.h"
#include "jvdata/field.h"
#include "jvdata/layout_hr.h"

namespace radadovur::viewer {
namespace {

namespace hr = jvdata::hr;

enum class Form { kHorse, kBrackets, kPair, kPairOrdered, kTriple, kTripleOrdered };

struct BetRow {
  const char* name;
  const jvdata::Field& combination;
  const jvdata::Field& payout;
  const jvdata::Field& popularity;
  Form form;
};

const std::array<BetRow, 8>& BetRows() {
  static const std::array<BetRow, 8> rows = {{
      {"単勝", hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, hr::TanshoPayouts_Popularity, Form::kHorse},
      {"複勝", hr::FukushoPayouts_Combination, hr::FukushoPayouts_Payout, hr::FukushoPayouts_Popularity, Form::kHorse},
      {"枠連", hr::WakurenPayouts_Combination, hr::WakurenPayouts_Payout, hr::WakurenPayouts_Popularity,
       Form::kBrackets},
      {"馬連", hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, hr::UmarenPayouts_Popularity, Form::kPair},
      {"ワイド", hr::WidePayouts_Combination, hr::WidePayouts_Payout, hr::WidePayouts_Popularity, Form::kPair},
      {"馬単", hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, hr::UmatanPayouts_Popularity,
       Form::kPairOrdered},
      {"３連複", hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout, hr::SanrenpukuPayouts_Popularity,
       Form::kTriple},
      {"３連単", hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout, hr::SanrentanPayouts_Popularity,
       Form::kTripleOrdered},
  }};
  return rows;
}

std::string Mid(std::string_view s, size_t from, size_t n) { return from < s.size() ? std::string(s.substr(from, n)) : ""; }

std::string CombinationText(std::string_view c, Form form) {
  switch (form) {
    case Form::kHorse: return std::string(c);
    case Form::kBrackets: return Mid(c, 0, 1) + "-" + Mid(c, 1, 1);
    case Form::kPair: return Mid(c, 0, 2) + "-" + Mid(c, 2, 2);
    case Form::kPairOrdered: return Mid(c, 0, 2) + "→" + Mid(c, 2, 2);
    case Form::kTriple: return Mid(c, 0, 2) + "-" + Mid(c, 2, 2) + "-" + Mid(c, 4, 2);
    case Form::kTripleOrdered: return Mid(c, 0, 2) + "→" + Mid(c, 2, 2) + "→" + Mid(c, 4, 2);
  }
  return {};
}

// A field read as a number: its leading decimal value, blanks and zeros reading as 0.
std::string NumberOf(std::string_view field) { return common::NumberText(common::TextValue(field)); }

}  // namespace

Grid MakePayoutGrid() { return Grid("HAITOGrid1", kPayoutRows, kPayoutColumns); }

void LayOutPayoutGrid(Grid& grid) {
  grid.column_width[1] = 1200;
  grid.Set(0, 0, "券種");
  for (int e = 0; e < 5; ++e) {
    grid.Set(0, 3 * e + 1, "当り目");
    grid.Set(0, 3 * e + 2, "配当(円)");
    grid.Set(0, 3 * e + 3, "人気");
  }
  for (size_t row = 0; row < BetRows().size(); ++row) grid.Set(static_cast<int>(row) + 1, 0, BetRows()[row].name);
  grid.Clear(1, 8, 1, kPayoutColumns - 1);
}

void FillPayoutGrid(std::string_view record, Grid& grid) {
  for (size_t row = 0; row < BetRows().size(); ++row) {
    const BetRow& bet = BetRows()[row];
    const int r = static_cast<int>(row) + 1;
    for (uint32_t e = 0; e < bet.combination.count; ++e) {
      const int c = 3 * static_cast<int>(e) + 1;
      for (int k = 0; k < 3; ++k) grid.Set(r, c + k, "");
      const std::string_view combination = bet.combination.Of(record, e);
      const std::string_view test = bet.form == Form::kHorse ? combination : bet.payout.Of(record, e);
      if (common::TextValue(test) == 0) continue;
      grid.Set(r, c, CombinationText(common::DisplayText(combination), bet.form));
      grid.Set(r, c + 1, NumberOf(bet.payout.Of(record, e)));
      grid.Set(r, c + 2, NumberOf(bet.popularity.Of(record, e)));
    }
  }
}

}  // namespace radadovur::viewer
