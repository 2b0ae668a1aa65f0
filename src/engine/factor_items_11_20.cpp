#include "engine/factor_items_11_20.h"

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "engine/coder_support.h"
#include "engine/layout_ex.h"
#include "engine/observed_speeds.h"
#include "engine/reference_sums.h"

// Items 11, 12, 14, 15, 17 and 18: figures of the run itself and of the runs before it.
namespace radadovur::engine {
namespace {

using common::Status;

// The number formed by the last four digits of x: x itself for 0 .. 9999. The day counts are
// taken this way (after adding 10000) so that a date before the one it is measured from wraps
// round to a large count rather than going negative.
int64_t LastFourDigitsValue(int64_t x) {
  if (x >= 0) return x % 10000;
  const std::string text = NumberCode(x);
  return static_cast<int64_t>(common::TextValue(text.substr(text.size() > 4 ? text.size() - 4 : 0)));
}

// Days from the race of run a to the race of run b, as items 12 and 14 count them.
common::Status DaysBetween(const CoderContext& context, int a, int b, int64_t& days) {
  int64_t from = 0, to = 0;
  RADADOVUR_RETURN_IF_ERROR(RaceDayNumberOf(context, a, from));
  RADADOVUR_RETURN_IF_ERROR(RaceDayNumberOf(context, b, to));
  days = LastFourDigitsValue(to - from + 10000);
  return common::Status::OK();
}

// Whole weeks from the race of run a to the race of run b, to the nearest week.
common::Status WeeksBetween(const CoderContext& context, int a, int b, int64_t& weeks) {
  int64_t days = 0;
  RADADOVUR_RETURN_IF_ERROR(DaysBetween(context, a, b, days));
  weeks = Floor(static_cast<double>(days) / 7.0 + 0.5);
  return common::Status::OK();
}

// The long-rest mark of an interval before the previous run: 2 for a year or more, 1 for half a
// year or more, otherwise 0.
int LongRestMark(int64_t weeks) {
  if (weeks >= 52) return 2;
  if (weeks >= 27 && weeks <= 51) return 1;
  return 0;
}

}  // namespace

common::Status CodeBataijuuFactor(const CoderContext& context, std::string& code) {
  const double weight = ValueOf(context.Current(), ex::Bataijuu);
  int64_t b = weight == 0 ? 44 : Floor(weight / 8.0);
  if (b <= 51) b = 50;
  if (b >= 71) b = 70;
  code = NumberCode(b);
  return common::Status::OK();
}

common::Status CodeBareiFactor(const CoderContext& context, std::string& code) {
  const int n = context.current;
  const ExRecord& run = context.Current();
  int64_t birth = 0, race = 0, track = 0;
  RADADOVUR_RETURN_IF_ERROR(DayNumberOf(context, n, "生年月日", run.Text(ex::BirthDate), birth));
  RADADOVUR_RETURN_IF_ERROR(RaceDayNumberOf(context, n, race));
  const int64_t days = LastFourDigitsValue(race - birth + 10000);
  int64_t m = Floor(static_cast<double>(days) / 30.0 + 0.5);
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, n, track));
  m = std::clamp<int64_t>(m, track >= 0 && track <= 29 ? 27 : 40, 90);
  if (m > 42) m = Floor(static_cast<double>(m) / 3.0) + 29;
  const std::string_view sex = run.Text(ex::SexCode);
  code = (sex == "1" || sex == "2" ? std::string(sex) : "3") + LastDigits(m + 100, 2);
  if (code >= "327" && code <= "333") code = "334";
  return common::Status::OK();
}

common::Status CodeRaceKankakuFactor(const CoderContext& context, std::string& code) {
  const int n = context.current;
  int64_t e = 0, d = 0, c = 0;
  std::string venue_flag = "2";
  if (n == 2) {
    RADADOVUR_RETURN_IF_ERROR(WeeksBetween(context, 1, n, e));
  } else if (n == 3) {
    RADADOVUR_RETURN_IF_ERROR(WeeksBetween(context, 2, n, e));
    RADADOVUR_RETURN_IF_ERROR(WeeksBetween(context, 1, 2, d));
  } else if (n >= 4) {
    const int r = EarlierRun(context, n);
    RADADOVUR_RETURN_IF_ERROR(WeeksBetween(context, r, n, e));
    if (r != n - 2) RADADOVUR_RETURN_IF_ERROR(WeeksBetween(context, n - 2, r, d));
    RADADOVUR_RETURN_IF_ERROR(WeeksBetween(context, n - 3, n - 2, c));
    if (context.Run(r).Text(ex::VenueCode) == context.Current().Text(ex::VenueCode)) venue_flag = "1";
  }
  if (e > 78) {
    e = 78;
  } else if (e >= 52) {
    e = 52;
  } else if (e >= 27) {
    e = 27;
  }
  if (e >= 1 && e <= 3) {
    // A short interval after a long rest: 28..33 by the rest before the previous run, else
    // 34..39 by the rest before that.
    if (const int f = LongRestMark(d); f > 0) {
      e = 28 + 2 * (e - 1) + (f - 1);
    } else if (const int g = LongRestMark(c); g > 0) {
      e = 34 + 2 * (e - 1) + (g - 1);
    }
  }
  code = venue_flag + (e == 0 ? std::string("1020") : LastDigits(1000 + 10 * e, 4));
  return common::Status::OK();
}

common::Status CodeZenzenOzzFactor(const CoderContext& context, std::string& code) {
  code = "10";
  if (context.current == 1) return common::Status::OK();
  const ExRecord& earlier = context.Run(EarlierRun(context, context.current));
  const double odds = ValueOf(earlier, ex::WinOdds);  // in tenths; "0000" and blanks read as 0
  if (!(odds > 0)) return common::Status::OK();
  int64_t figure = 0;
  RADADOVUR_RETURN_IF_ERROR(LogFigureOf(context, context.current, "単勝オッズ", odds, figure));
  code = NumberCode(figure);
  return common::Status::OK();
}

common::Status CodeChoArningFactor(const CoderContext& context, std::string& code) {
  code = "10";
  if (context.current == 1) return common::Status::OK();
  const int r = EarlierRun(context, context.current);
  const ExRecord& earlier = context.Run(r);
  // Run r's track code picks the surface of the reference; taken here first so that a code that
  // is not a number fails naming run r.
  int64_t track = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, r, track));
  // The model's pace for run r as stored, on run r's own surface.
  float reference = 0;
  RADADOVUR_RETURN_IF_ERROR(ReferencePaceSum(context.reference, earlier, reference));
  std::string error;
  const auto pace = ObservedPaceSpeed(earlier, &error);
  if (!pace) return CoderFailure(context, r, "ペースの実速度", error);
  if (pace->find_first_not_of(' ') == std::string::npos) return common::Status::OK();
  int64_t kmh = 0;
  RADADOVUR_RETURN_IF_ERROR(WholeNumberOfText(context, r, "ペースの実速度", pace->substr(0, 2), kmh));
  const int64_t v = kmh - Floor(reference) + 10;
  if (v >= 0 && v <= 15) code = NumberCode(v);
  return common::Status::OK();
}

common::Status CodeKishuNenreiFactor(const CoderContext& context, std::string& code) {
  const int n = context.current;
  const ExRecord& run = context.Current();
  int64_t year = 0;
  RADADOVUR_RETURN_IF_ERROR(WholeNumberOf(context, n, ex::Year, year));
  const std::string_view birth_year = run.Text(ex::KishuBirthDate).substr(0, 4);
  std::string age = "00";
  if (birth_year != "    ") {
    int64_t born = 0;
    RADADOVUR_RETURN_IF_ERROR(WholeNumberOfText(context, n, "騎手の生年", birth_year, born));
    const std::string text = NumberCode(year + 100 - born);
    age = text.substr(text.size() > 2 ? text.size() - 2 : 0);
  }
  std::string band = "43";
  if (age >= "00" && age <= "20") {
    band = "20";
  } else if (age >= "21" && age <= "25") {
    band = "23";
  } else if (age >= "26" && age <= "30") {
    band = "28";
  } else if (age >= "31" && age <= "35") {
    band = "33";
  } else if (age >= "36" && age <= "40") {
    band = "38";
  }
  code = "0" + band + std::string(run.Text(ex::ApprenticeCode));
  return common::Status::OK();
}

}  // namespace radadovur::engine
