#include "engine/factor_items_1_10.h"

#include <algorithm>

#include "common/convert.h"
#include "engine/coder_support.h"
#include "engine/layout_ex.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"

namespace radadovur::engine {

using common::Status;

common::Status CodeYearFactor(const CoderContext& context, std::string& code) {
  code = context.Current().Text(ex::Year);
  return common::Status::OK();
}

common::Status CodeKijunSpeedFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  const std::string_view venue = run.Text(ex::VenueCode);
  const std::string v = venue == "10" ? "A" : std::string(venue.substr(1, 1));
  int64_t weekday = 0, track = 0;
  RADADOVUR_RETURN_IF_ERROR(WholeNumberOf(context, context.current, ex::WeekdayCode, weekday));
  const std::string w = weekday == 1 || weekday == 2 ? std::string(run.Text(ex::WeekdayCode)) : "2";
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, track));
  const std::string_view track_code = run.Text(ex::TrackCode);
  if (track == 10) {
    code = v + w + std::string(run.Text(ex::Umaban)) + std::string(track_code);
  } else if (track == 11 || track == 12 || track == 17 || track == 18) {
    code = v + w + std::string(run.Text(ex::Wakuban)) + std::string(track_code);
  } else if (track == 21) {
    code = v + w + std::string(run.Text(ex::Wakuban)) + "17";
  } else if (track == 22) {
    code = v + w + std::string(run.Text(ex::Wakuban)) + "18";
  } else if (track >= 23 && track <= 29) {
    code = v + w + std::string(run.Text(ex::Wakuban));
  } else {
    code = v + std::string(track_code) + w;
  }
  return common::Status::OK();
}

common::Status CodeZensoKyoriCornerFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  const std::string_view k = run.Text(ex::Kyori);
  std::string p = "5000", s = "0", g = "0";
  if (context.current >= 2) {
    const ExRecord& earlier = context.Run(EarlierRun(context, context.current));
    const std::string_view track = earlier.Text(ex::TrackCode);
    s = track >= "00" && track <= "22" ? "1" : (track == "23" || track == "24") ? "2" : "3";
    const std::string_view category = earlier.Text(ex::DataCategory);
    if (category == "A" || category == "B") s = std::string(category);
    p = earlier.Text(ex::Kyori);
    g = earlier.Text(ex::GradeCode);
  }
  const std::string f = common::TextValue(k) > common::TextValue(p) ? "2" : "1";
  if (s == "0") {
    code = std::string(run.Text(ex::ConditionCode, 4)) + "0" + f;
  } else {
    code = g + s + (k == p ? std::string("D") : f);
  }
  return common::Status::OK();
}

common::Status CodeFutanjuryouFactor(const CoderContext& context, std::string& code) {
  code = context.Current().Text(ex::Futanjuryou);
  return common::Status::OK();
}

common::Status CodeRuikeiHonshokinFactor(const CoderContext& context, std::string& code) {
  const int n = context.current;
  int64_t sum = 0;
  for (int k = 1; k < n; ++k) {
    int64_t prize = 0;
    RADADOVUR_RETURN_IF_ERROR(WholeNumberOf(context, k, ex::Honshokin, prize));
    sum += prize;
  }
  if (n == 1 || sum == 0) {
    code = "00";
    return common::Status::OK();
  }
  int64_t b = 0;
  RADADOVUR_RETURN_IF_ERROR(LogFigureOf(context, n, "過去走の賞金", static_cast<double>(sum), b));
  code = b == 0 ? "00" : (b >= 1 && b <= 66) ? NumberCode(b) : "66";
  return common::Status::OK();
}

common::Status CodeKyosokigoFactor(const CoderContext& context, std::string& code) {
  code = context.Current().Text(ex::RaceSymbolCode).substr(0, 2);
  int64_t track = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, track));
  if ((track == 23 || track == 24) && code == "N2") code = "N0";
  return common::Status::OK();
}

common::Status CodeKishuFukushoFactor(const CoderContext& context, std::string& code) {
  code = "11";
  const std::string_view kishu = context.Current().Text(ex::KishuCode);
  if (IsNullKey(kishu)) return common::Status::OK();
  const auto record = context.stats.Find(stats_files::kKishuSeisei, seisei_stats::kLength, seisei_stats::kKeyWidth, kishu);
  if (!record) return common::Status::OK();
  int64_t t = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, t));
  const uint32_t column = t >= 0 && t <= 22 ? 5 : (t >= 23 && t <= 29) ? 6 : 7;
  code = "1" + NumberCode(RatioFigure(ColumnValue(*record, Column(seisei_stats::A, column))));
  const int64_t value = Floor(common::TextValue(code));
  if (value < 0 || value > 19) code = "19";
  return common::Status::OK();
}

common::Status CodeKyosobaFukushorituFactor(const CoderContext& context, std::string& code) {
  code = "10";
  const std::string_view ketto = context.Current().Text(ex::KettoNum);
  if (IsNullKey(ketto)) return common::Status::OK();
  const auto record =
      context.stats.Find(stats_files::kKyosobaThisWeek, kyosoba_stats::kLength, kyosoba_stats::kKeyWidth, ketto);
  if (!record) return common::Status::OK();
  int64_t t = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, t));
  const jvdata::Field column = t >= 0 && t <= 49 ? Column(kyosoba_stats::A, 1) : Column(kyosoba_stats::C, 7);
  code = NumberCode(RatioFigure(ColumnValue(*record, column)));
  return common::Status::OK();
}

common::Status CodeRaceSuuFactor(const CoderContext& context, std::string& code) {
  code = LastDigits(std::clamp(context.current - 1, 1, 60), 3);
  return common::Status::OK();
}

common::Status CodeFutanJuuryorituFactor(const CoderContext& context, std::string& code) {
  const ExRecord& run = context.Current();
  const double f = ValueOf(run, ex::Futanjuryou);
  const double b = ValueOf(run, ex::Bataijuu);
  int64_t p = 100;
  if (f > 0 && b > 0) p = std::clamp<int64_t>(Floor(f * 0.1 * 1000 / (b + f * 0.1) + 0.5), 96, 114);
  int64_t e = 2 * Floor(static_cast<double>(p) / 2);
  const std::string_view sex = run.Text(ex::SexCode);
  if (sex != "1" && sex != "3") e += 200;
  if (e == 300) e = 100;
  code = LastDigits(1000 + e, 3);
  return common::Status::OK();
}

}  // namespace radadovur::engine
