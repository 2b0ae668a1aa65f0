#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The meeting days stored under "TEKICHU": every MeetingDayKey of the years 2024 to 2028 (months
// 1 to 12 and days 1 to 31, unchecked, racecourses 1 to 10, meetings 1 to 7, day numbers 1 to 12)
// for which the folder holds an entry of the day's file name (a file or not: the reader reports
// one it cannot read), newest date first and within a date by racecourse, meeting
// and day number ascending. The folder is listed once instead of trying every candidate name.
namespace radadovur::history {

inline constexpr std::string_view kTekichuFolder = "TEKICHU/";
inline constexpr int kFirstYear = 2024;
inline constexpr int kLastYear = 2028;

// True for a key the search would try.
bool IsCandidateKey(std::string_view key);

// The keys of every "TEKICHU/<key><suffix>" entry, in search order. `on_date` is called
// with each searched date (yyyymmdd) in order, newest first, 1860 times, before that date's keys.
std::vector<std::string> MeetingDaySearch(const std::string& app_path, std::string_view suffix,
                                          const std::function<void(std::string_view date)>& on_date);

// The progress text of a searched date: 2028年12月31日検索中.
std::string SearchDateText(std::string_view date);

}  // namespace radadovur::history
