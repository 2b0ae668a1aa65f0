#include "common/file_date.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

namespace radadovur::common {
namespace {

std::optional<std::tm> LocalTime(std::time_t t) {
  std::tm tm{};
  if (!::localtime_r(&t, &tm)) return std::nullopt;
  return tm;
}

bool Digits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

int Number(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

}  // namespace

std::optional<std::string> FileDateTimeText(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  const auto tm = LocalTime(st.st_mtim.tv_sec);
  if (!tm) return std::nullopt;
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %d:%02d:%02d", tm->tm_year + 1900, tm->tm_mon + 1,
                tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec);
  return std::string(text);
}

std::optional<std::chrono::year_month_day> DatePartOf(std::string_view date_time_text) {
  if (date_time_text.size() < 10) return std::nullopt;
  const std::string_view date = date_time_text.substr(0, 10);
  if (date[4] != '/' || date[7] != '/') return std::nullopt;
  const auto y = date.substr(0, 4), m = date.substr(5, 2), d = date.substr(8, 2);
  if (!Digits(y) || !Digits(m) || !Digits(d)) return std::nullopt;
  const std::chrono::year_month_day ymd{std::chrono::year(Number(y)), std::chrono::month(Number(m)),
                                        std::chrono::day(Number(d))};
  if (!ymd.ok()) return std::nullopt;
  return ymd;
}

std::chrono::year_month_day LocalToday() {
  const auto tm = LocalTime(std::time(nullptr));
  if (!tm) return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return std::chrono::year_month_day{std::chrono::year(tm->tm_year + 1900),
                                     std::chrono::month(static_cast<unsigned>(tm->tm_mon + 1)),
                                     std::chrono::day(static_cast<unsigned>(tm->tm_mday))};
}

int DaysBetween(std::chrono::year_month_day from, std::chrono::year_month_day to) {
  return static_cast<int>((std::chrono::sys_days(to) - std::chrono::sys_days(from)).count());
}

}  // namespace radadovur::common
