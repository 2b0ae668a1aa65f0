#include "engine/factor_items_21_30.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/convert.h"
#include "engine/coder_support.h"
#include "engine/layout_ex.h"
#include "engine/observed_speeds.h"
#include "engine/reference_sums.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"

namespace radadovur::engine {
namespace {

using common::Status;

std::string Join(std::string_view a, std::string_view b) {
  std::string s(a);
  s += b;
  return s;
}

bool Between(std::string_view text, std::string_view low, std::string_view high) {
  return low <= text && text <= high;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The last two characters of a number's decimal text.
std::string LastTwoCharacters(int64_t value) {
  const std::string text = NumberCode(value);
  return text.size() <= 2 ? text : text.substr(text.size() - 2);
}

// A sire's distance-band figure: the column and the band digit by surface and distance.
struct DistanceColumn {
  uint32_t column;  // C1..C53 of the stallion record
  char band;
};

DistanceColumn SireDistanceColumn(int64_t t, int64_t k) {
  const int band = k >= 0 && k <= 1600 ? 0 : (k >= 1601 && k <= 2200 ? 1 : 2);
  if (t >= 0 && t <= 22) return {static_cast<uint32_t>(20 + band), static_cast<char>('1' + band)};
  if (t >= 23 && t <= 49) return {static_cast<uint32_t>(23 + band), static_cast<char>('1' + band)};
  return {7, '1'};  // hurdle races: one figure whatever the distance
}

// The margin code of a run that arrived second with no time between it and the winner.
std::string DeadHeatMargin(const ExRecord& run) {
  if (run.Text(ex::ArrivalOrder) == "02") return Join("+", run.Text(ex::MarginCode, 0));
  return "0007";
}

// The earlier run's margin to the winner, by the text of its TimeDiff (tenths, sign first).
common::Status TimeDiffCode(const CoderContext& context, int r, std::string& code) {
  const ExRecord& run = context.Run(r);
  const std::string_view t = run.Text(ex::TimeDiff);
  if (t == "0000" || t == "    " || t == "+999" || t == "-999" || t == "9999") code = "0099";
  else if (t == "-000") code = "0001";
  else if (t == "-001") code = "0002";
  else if (t == "-002") code = "0003";
  else if (t == "-003" || t == "-004") code = "0004";
  else if (Between(t, "-005", "-009")) code = "0005";
  else if (Between(t, "-010", "-998")) code = "0006";
  else if (t == "+000") code = DeadHeatMargin(run);
  else if (t.size() == 4 && t[0] == '+' && t[1] == '0' && IsDigit(t[2]) && IsDigit(t[3]) && t <= "+050")
    code = "00" + LastDigits((t[2] - '0') * 10 + (t[3] - '0') + 7, 2);
  else if (Between(t, "+030", "+050")) {
    // Inside the numeric stretch by text order but not two digits ("+04 ", "+04."): the number of
    // its last two characters, or a conversion failure when they form none.
    int64_t tenths = 0;
    if (auto s = WholeNumberOfText(context, r, "タイム差", t.substr(2), tenths); !s.ok()) return s;
    code = "00" + LastDigits(tenths + 7, 2);
  } else code = "0099";
  return common::Status::OK();
}

}  // namespace

// 21: race number and grade on the flat, the grade alone over hurdles.
common::Status CodeRaceNoFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  int64_t t = 0;
  if (auto s = TrackNumberOf(context, context.current, t); !s.ok()) return s;
  code = t >= 0 && t <= 24 ? Join(run.Text(ex::RaceNum), run.Text(ex::GradeCode)) : std::string(run.Text(ex::GradeCode));
  return common::Status::OK();
}

// 22: the race distance (banded over hurdles).
common::Status CodeZenzensoChakusaFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  int64_t t = 0;
  if (auto s = TrackNumberOf(context, context.current, t); !s.ok()) return s;
  if (t >= 0 && t <= 29) {
    code = run.Text(ex::Kyori);
    return common::Status::OK();
  }
  int64_t k = 0;
  if (auto s = WholeNumberOf(context, context.current, ex::Kyori, k); !s.ok()) return s;
  if (k >= 0 && k <= 2800) code = "2800";
  else if (k >= 2801 && k <= 2999) code = "2900";
  else if (k >= 3000 && k <= 3500) code = "3500";
  else code = "4000";
  return common::Status::OK();
}

// 23: the sire's figure for the distance band.
common::Status CodeFatherFukushorituFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  code = "10";
  const std::string_view sire = run.Text(ex::SireNum);
  if (IsNullKey(sire)) return common::Status::OK();
  const auto record = context.stats.Find(stats_files::kStallion, stallion_stats::kLength, stallion_stats::kKeyWidth, sire);
  if (!record) return common::Status::OK();
  int64_t t = 0, k = 0;
  if (auto s = TrackNumberOf(context, context.current, t); !s.ok()) return s;
  if (auto s = WholeNumberOf(context, context.current, ex::Kyori, k); !s.ok()) return s;
  const DistanceColumn c = SireDistanceColumn(t, k);
  code = std::string(1, c.band) + NumberCode(RatioFigure(ColumnValue(*record, Column(stallion_stats::C, c.column))));
  const int64_t v = Floor(common::TextValue(code));
  if (v == 0 || v == 10 || v == 20 || v == 30) code = "10";
  else if (v >= 110 && v <= 130) code = "19";
  else if (v >= 210 && v <= 230) code = "29";
  else if (v >= 310 && v <= 330) code = "39";
  return common::Status::OK();
}

// 24: the horse number (limited to 14 over hurdles).
common::Status CodeUmabanFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  int64_t t = 0;
  if (auto s = TrackNumberOf(context, context.current, t); !s.ok()) return s;
  if (t >= 0 && t <= 24) {
    code = Join(run.Text(ex::Umaban), "1");
    return common::Status::OK();
  }
  int64_t umaban = 0;
  if (auto s = WholeNumberOf(context, context.current, ex::Umaban, umaban); !s.ok()) return s;
  code = umaban > 14 ? "14" : std::string(run.Text(ex::Umaban));
  return common::Status::OK();
}

// 25: the horse's symbol, or its month of birth.
common::Status CodeUmakigoTukiFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  const std::string_view symbol = run.Text(ex::HorseSymbolCode);
  code = symbol != "00" ? std::string(symbol) : Join(run.Text(ex::BirthDate).substr(4, 2), "1");
  return common::Status::OK();
}

// 26: the margin to the winner in the earlier run.
common::Status CodeZensoTimediffFactor(const CoderContext& context, std::string& code) {
  if (context.current == 1) {
    code = "0099";
    return common::Status::OK();
  }
  return TimeDiffCode(context, EarlierRun(context, context.current), code);
}

// 27: the meeting number and the day of the meeting.
common::Status CodeNichijiFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  code = Join(run.Text(ex::Kaiji), run.Text(ex::Nichiji));
  return common::Status::OK();
}

// 28: registered runners, compared as text; at least 8, over hurdles at most 14.
common::Status CodeShussoTosuFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  const std::string_view tosu = run.Text(ex::TorokuTosu);
  const bool flat = Between(run.Text(ex::TrackCode), "00", "29");
  if (Between(tosu, "00", "08")) code = "08";
  else if (flat || Between(tosu, "09", "14")) code = tosu;
  else code = "14";
  return common::Status::OK();
}

// 29: the earlier run's observed last-600 m speed against what the model predicts for it.
common::Status CodeLapFactor(const CoderContext& context, std::string& code) {
  code = "10";
  if (context.current == 1) return common::Status::OK();
  const int r = EarlierRun(context, context.current);
  const ExRecord& run = context.Run(r);
  int64_t t = 0;  // the surface of the earlier run picks the sum; its TrackCode must be a number
  if (auto s = TrackNumberOf(context, r, t); !s.ok()) return s;
  float ref = 0.0f;
  if (auto s = ReferenceAgariSum(context.reference, run, ref); !s.ok()) return s;
  std::string error;
  const auto agari = ObservedAgariSpeed(run, &error);
  if (!agari) return CoderFailure(context, r, "上がり3Fの実速度", error);
  if (*agari == "       ") return common::Status::OK();
  int64_t a = 0;
  if (auto s = WholeNumberOfText(context, r, "上がり3Fの実速度", agari->substr(0, 2), a); !s.ok()) return s;
  const int64_t v = a - Floor(ref) + 10;
  if (v >= 0 && v <= 15) code = NumberCode(v);
  return common::Status::OK();
}

// 30: the horse's own earnings per run (the label names the owner).
common::Status CodeBanusiArningFactor(const CoderContext& context, std::string& code) {
  const int n = context.current;
  const ExRecord& run = context.Current();
  code = "10";
  const std::string_view ketto = run.Text(ex::KettoNum);
  if (IsNullKey(ketto)) return common::Status::OK();
  const auto record =
      context.stats.Find(stats_files::kKyosobaThisWeek, kyosoba_stats::kLength, kyosoba_stats::kKeyWidth, ketto);
  if (!record) return common::Status::OK();
  int64_t t = 0;
  if (auto s = TrackNumberOf(context, n, t); !s.ok()) return s;
  const bool flat = t >= 0 && t <= 49;
  const double divisor = ColumnValue(*record, Column(kyosoba_stats::A, flat ? 3 : 4));
  const double dividend = ColumnValue(*record, Column(kyosoba_stats::B, flat ? 1 : 2));
  code = "00";
  if (divisor != 0 && dividend / divisor != 0) {
    int64_t figure = 0;
    if (auto s = LogFigureOf(context, n, "1走あたりの賞金", dividend / divisor, figure); !s.ok()) return s;
    code = LastTwoCharacters(figure + 100);
  }
  if (code == "00") code = n <= 19 ? NumberCode(n) : "19";
  if (!flat) {
    int64_t v = 0;
    if (auto s = WholeNumberOfText(context, n, "馬主の賞金コード", code, v); !s.ok()) return s;
    if (v < 3) code = "19";
    else if (v > 53) code = "53";
  }
  return common::Status::OK();
}

}  // namespace radadovur::engine
