#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// File dates as the program shows them: the general date format "yyyy/MM/dd H:mm:ss" in local
// time, and whole calendar days between dates.
namespace radadovur::common {

// The file's last-modified date and time as text, e.g. "2024/07/29 9:05:00"; nullopt when the
// file cannot be looked up.
std::optional<std::string> FileDateTimeText(const std::string& path);

// The date of the text's first ten characters ("yyyy/MM/dd"); nullopt when they are no date.
std::optional<std::chrono::year_month_day> DatePartOf(std::string_view date_time_text);

// Today's local date.
std::chrono::year_month_day LocalToday();

// Calendar days from `from` to `to` (negative when `to` is earlier).
int DaysBetween(std::chrono::year_month_day from, std::chrono::year_month_day to);

}  // namespace radadovur::common
