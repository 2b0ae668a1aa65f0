#include "engine/coder_support.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "common/convert.h"
#include "engine/layout_ex.h"
#include "engine/stats_lookup.h"

namespace radadovur::engine {

int EarlierRun(const CoderContext& context, int n) {
  if (context.Run(n - 1).Text(ex::AbnormalityCode) == "0") return n - 1;
  return n == 2 ? 1 : n - 2;
}

namespace {

// The items a failure text can name, as a user knows them; the layout's names are the code's own.
struct ItemName {
  jvdata::Field field;
  std::string_view name;
};
constexpr ItemName kItemNames[] = {
    {ex::CreatedDate, "データ作成年月日"},
    {ex::Year, "開催年"},
    {ex::MonthDay, "開催月日"},
    {ex::VenueCode, "競馬場コード"},
    {ex::Kaiji, "開催回"},
    {ex::Nichiji, "開催日目"},
    {ex::RaceNum, "レース番号"},
    {ex::Wakuban, "枠番"},
    {ex::Umaban, "馬番"},
    {ex::KettoNum, "血統登録番号"},
    {ex::WeekdayCode, "曜日コード"},
    {ex::Futanjuryou, "負担重量"},
    {ex::Bataijuu, "馬体重"},
    {ex::AbnormalityCode, "異常区分コード"},
    {ex::FinalOrder, "確定着順"},
    {ex::RunTime, "走破タイム"},
    {ex::WinOdds, "単勝オッズ"},
    {ex::Honshokin, "本賞金"},
    {ex::TimeDiff, "タイム差"},
    {ex::Kyori, "距離"},
    {ex::TrackCode, "トラックコード"},
    {ex::ShussoTosu, "出走頭数"},
};

}  // namespace

std::string ExItemName(const jvdata::Field& field) {
  for (const ItemName& item : kItemNames)
    if (item.field.offset == field.offset && item.field.width == field.width) return std::string(item.name);
  return "位置 " + std::to_string(field.offset) + " の項目";
}

common::Status CoderFailure(const CoderContext& context, int run, std::string_view what, std::string_view why) {
  const ExRecord& record = context.Run(run);
  std::string race(record.Text(ex::Year));
  race += record.Text(ex::MonthDay);
  race += record.Text(ex::VenueCode);
  race += record.Text(ex::RaceNum);
  std::string text =
      "過去走 " + std::to_string(run) + "（レース " + common::Shown(race) + "）の" + std::string(what) + ": " + std::string(why);
  return common::Status::InvalidArgument(std::string(what), std::move(text));
}

double ValueOf(const ExRecord& record, const jvdata::Field& field, uint32_t i) { return common::TextValue(record.Text(field, i)); }

common::Status WholeNumberOfText(const CoderContext& context, int run, std::string_view what, std::string_view text,
                                 int64_t& out) {
  const auto value = common::WholeNumber(text);
  if (!value) return CoderFailure(context, run, what, "\"" + common::Shown(text) + "\" は整数ではありません");
  out = *value;
  return common::Status::OK();
}

common::Status WholeNumberOf(const CoderContext& context, int run, const jvdata::Field& field, int64_t& out, uint32_t i) {
  const std::string_view text = context.Run(run).Text(field, i);
  if (const auto value = common::WholeNumber(text)) {  // the common case without building a name
    out = *value;
    return common::Status::OK();
  }
  return WholeNumberOfText(context, run, ExItemName(field), text, out);
}

common::Status TrackNumberOf(const CoderContext& context, int run, int64_t& out) {
  return WholeNumberOf(context, run, ex::TrackCode, out);
}

common::Status DayNumberOf(const CoderContext& context, int run, std::string_view what, std::string_view yyyymmdd,
                           int64_t& out) {
  int64_t number = 0;
  bool digits = yyyymmdd.size() == 8;
  for (char c : yyyymmdd) digits = digits && c >= '0' && c <= '9';
  if (digits) number = std::stoll(std::string(yyyymmdd));
  const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(number / 10000)),
                                         std::chrono::month(static_cast<unsigned>(number / 100 % 100)),
                                         std::chrono::day(static_cast<unsigned>(number % 100))};
  if (!digits || !date.ok())
    return CoderFailure(context, run, what, "\"" + common::Shown(yyyymmdd) + "\" は日付ではありません");
  out = std::chrono::sys_days(date).time_since_epoch().count();
  return common::Status::OK();
}

common::Status RaceDayNumberOf(const CoderContext& context, int run, int64_t& out) {
  const ExRecord& record = context.Run(run);
  std::string date(record.Text(ex::Year));
  date += record.Text(ex::MonthDay);
  return DayNumberOf(context, run, "レース日付", date, out);
}

int64_t Floor(double x) { return common::FlooredWhole(x).value_or(0); }

common::Status LogFigureOf(const CoderContext& context, int run, std::string_view what, double x, int64_t& out) {
  const auto figure = LogFigure(x);
  if (!figure) return CoderFailure(context, run, what, common::NumberText(x) + " は 0 より大きくないため対数を取れません");
  out = *figure;
  return common::Status::OK();
}

std::string NumberCode(int64_t value) { return std::to_string(value); }

std::string LastDigits(int64_t value, int digits) {
  int64_t modulus = 1;
  for (int i = 0; i < digits; ++i) modulus *= 10;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", digits, static_cast<long long>(value % modulus));
  return buf;
}

}  // namespace radadovur::engine
