#include "results/rate_tables.h"

#include <array>
#include <cmath>
#include <optional>

#include "common/convert.h"
#include "common/cp932.h"

namespace radadovur::results {
namespace {

// Int(numerator / denominator) × 0.1; empty when the denominator is 0.
std::optional<double> Rate(double numerator, double denominator) {
  if (denominator == 0) return std::nullopt;
  return std::floor(numerator / denominator) * 0.1;
}

// A line of quoted texts and bare numbers, an empty item for a rate never computed.
class TableLine {
 public:
  TableLine& Text(std::string_view utf8) { return Item("\"" + common::ToCp932(utf8) + "\""); }
  TableLine& Cp932Text(std::string_view bytes) { return Item("\"" + std::string(bytes) + "\""); }
  TableLine& Number(double value) { return Item(common::NumberText(value)); }
  TableLine& Rate(const std::optional<double>& value) { return Item(value ? common::NumberText(*value) : std::string()); }
  std::string Str() const { return line_ + "\r\n"; }

 private:
  TableLine& Item(const std::string& item) {
    if (!first_) line_ += ',';
    first_ = false;
    line_ += item;
    return *this;
  }
  std::string line_;
  bool first_ = true;
};

std::string_view Cut(std::string_view text, size_t at, size_t length) {
  return at < text.size() ? text.substr(at, length) : std::string_view();
}

// "4" for "04": the text as a number.
std::string AsNumber(std::string_view digits) { return common::NumberText(std::trunc(common::TextValue(digits))); }

std::string TitleLine(std::string_view race_id, const CodeTable& table) {
  const std::string_view month_day = Cut(race_id, 4, 4);
  return TableLine()
      .Cp932Text(std::string(Cut(race_id, 0, 4)) + common::ToCp932("年"))
      .Cp932Text(std::string(Cut(month_day, 0, 2)) + common::ToCp932("月"))
      .Cp932Text(std::string(Cut(month_day, 2, 2)) + common::ToCp932("日"))
      .Cp932Text(AsNumber(Cut(race_id, 10, 2)) + common::ToCp932("回"))
      .Cp932Text(LookupCodeTable(table, kCodeVenue, Cut(race_id, 8, 2), 4))
      .Cp932Text(AsNumber(Cut(race_id, 12, 2)) + common::ToCp932("日目"))
      .Str();
}

// The day's race count and the stake of one tier for one race, per bet kind.
struct TierBasis {
  double races;
  double stake;
};
TierBasis BasisOf(const ResultsWindowState& s, int kind, int32_t race_number) {
  switch (kind) {
    case kTierSanrenpuku: return {static_cast<double>(s.TierTally[kTierSanrenpuku].Races), 700};
    case kTierSanrentan: return {static_cast<double>(s.TierTally[kTierSanrentan].Races), 4200};
    default: return {static_cast<double>(race_number), 600};
  }
}

// The PC table's columns in their printed order.
constexpr std::array<PcColumn, kPcColumns> kPcPrintOrder = {
    kPcTansho1, kPcFukusho1, kPcTansho2, kPcFukusho2, kPcUmarenF, kPcUmarenB,
    kPcUmatanF, kPcSanrenpukuB, kPcSanrentan12, kPcSanrentan23, kPcSanrentan13};

}  // namespace

void ComputeDayRates(ResultsWindowState& s, int32_t race_number) {
  const double r = race_number;
  s.TierTally[kTierUmaren].Races = race_number;
  for (int c = 0; c < kPcColumns; ++c) {
    PcTallyBlock& column = s.PcTally[static_cast<size_t>(c)];
    column.HitRate = Rate(column.HitRaces * 1000.0, r);
    if (c < kPcUmarenF) {
      column.ReturnRate = Rate(column.PayTotal * 10.0, r);
    } else {
      column.ReturnRate = Rate(column.PayTotal * 10.0, s.PcPoints[static_cast<size_t>(c - kPcUmarenF)].PointsTotal);
    }
  }
  for (int k = 0; k < kTierKinds; ++k) {
    const TierBasis basis = BasisOf(s, k, race_number);
    const TierTallyBlock& tally = s.TierTally[static_cast<size_t>(k)];
    TierRateBlock& rate = s.TierRate[static_cast<size_t>(k)];
    for (size_t t = 0; t < kTiers; ++t) {
      rate.HitRate[t] = Rate(tally.Hits[t] * 1000.0, basis.races);
      rate.ReturnRate[t] = Rate(static_cast<double>(tally.PayTotal[t]) * 1000.0, basis.races * basis.stake);
    }
  }
}

std::string KaitekiTableText(const ResultsWindowState& s, std::string_view race_id, const CodeTable& table) {
  std::string text = TitleLine(race_id, table);
  text += TableLine().Text("　　").Text("回収率").Text("％").Text("　　").Text("的中率").Text("％").Text("　　").Str();
  text += TableLine().Text("券種").Text("本線").Text("準本線").Text("伏兵").Text("本線").Text("準本線").Text("伏兵").Str();
  struct Row {
    std::string_view label;
    TierKind kind;
  };
  constexpr std::array<Row, 6> kRows = {{{"馬連", kTierUmaren},
                                         {"馬単表", kTierUmatanOmote},
                                         {"馬単裏", kTierUmatanUra},
                                         {"３連複", kTierSanrenpuku},
                                         {"３連単", kTierSanrentan},
                                         {"ワイド", kTierWide}}};
  for (const Row& row : kRows) {
    const TierRateBlock& rate = s.TierRate[static_cast<size_t>(row.kind)];
    TableLine line;
    line.Text(row.label);
    for (const auto& value : rate.ReturnRate) line.Rate(value);
    for (const auto& value : rate.HitRate) line.Rate(value);
    text += line.Str();
  }
  return text;
}

std::string KaitekiPcTableText(const ResultsWindowState& s, std::string_view race_id, int32_t race_number,
                               const CodeTable& table) {
  std::string text = TitleLine(race_id, table);
  text += TableLine()
              .Text("券種").Text("単勝1").Text("複勝1").Text("単勝2").Text("複勝2").Text("馬連F").Text("馬連B")
              .Text("馬単F").Text("  3連複B").Text("  3連単12").Text("  3連単23").Text("  3連単13")
              .Str();
  auto each_column = [&s](std::string_view label, auto item) {
    TableLine line;
    line.Text(label);
    for (PcColumn c : kPcPrintOrder) item(line, c, s.PcTally[static_cast<size_t>(c)]);
    return line.Str();
  };
  text += each_column("予想R数", [&](TableLine& l, PcColumn, const PcTallyBlock&) { l.Number(race_number); });
  text += each_column("的中R数", [](TableLine& l, PcColumn, const PcTallyBlock& b) { l.Number(b.HitRaces); });
  text += each_column("的中率", [](TableLine& l, PcColumn, const PcTallyBlock& b) { l.Rate(b.HitRate); });
  text += each_column("購入点数", [&](TableLine& l, PcColumn c, const PcTallyBlock&) {
    if (c < kPcUmarenF) l.Number(race_number);
    else l.Number(s.PcPoints[static_cast<size_t>(c - kPcUmarenF)].PointsTotal);
  });
  text += each_column("回収金額", [](TableLine& l, PcColumn, const PcTallyBlock& b) { l.Number(b.PayTotal); });
  text += each_column("回収率", [](TableLine& l, PcColumn, const PcTallyBlock& b) { l.Rate(b.ReturnRate); });
  return text;
}

}  // namespace radadovur::results
