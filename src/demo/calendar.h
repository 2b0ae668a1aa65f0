#pragma once
#include <string>

// Calendar days of the demo week and of the horses' past runs.
namespace radadovur::demo {

struct Date {
  int y = 0, m = 0, d = 0;
  bool operator==(const Date&) const = default;
};

// Days since 1970-01-01 (proleptic Gregorian) and back.
int DaysOf(const Date& date);
Date DateOf(int days);
inline Date AddDays(const Date& date, int n) { return DateOf(DaysOf(date) + n); }
// 0 = Sunday .. 6 = Saturday.
int Weekday(const Date& date);
// "yyyymmdd", "mmdd", "yyyy".
std::string Text8(const Date& date);
std::string MonthDay(const Date& date);
std::string YearText(const Date& date);

}  // namespace radadovur::demo
