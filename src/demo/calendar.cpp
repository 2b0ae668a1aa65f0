#include "demo/calendar.h"

#include <cstdio>

namespace radadovur::demo {

// Howard Hinnant's days-from-civil and its inverse.
int DaysOf(const Date& date) {
  const int y = date.y - (date.m <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (date.m + (date.m > 2 ? -3 : 9)) + 2) / 5 + date.d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date DateOf(int days) {
  const int z = days + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp < 10 ? mp + 3 : mp - 9;
  return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

int Weekday(const Date& date) {
  const int days = DaysOf(date);
  return days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6;
}

std::string Text8(const Date& date) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", date.y, date.m, date.d);
  return buf;
}
std::string MonthDay(const Date& date) { return Text8(date).substr(4, 4); }
std::string YearText(const Date& date) { return Text8(date).substr(0, 4); }

}  // namespace radadovur::demo
