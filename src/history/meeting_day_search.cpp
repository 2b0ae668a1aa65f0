#include "history/meeting_day_search.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "common/data_name.h"

namespace radadovur::history {
namespace {

int Two(std::string_view s, size_t at) { return (s[at] - '0') * 10 + (s[at + 1] - '0'); }

}  // namespace

bool IsCandidateKey(std::string_view key) {
  if (!common::IsDataName(common::DataName::kMeetingDayKey, key)) return false;
  const int year = Two(key, 0) * 100 + Two(key, 2);
  const int month = Two(key, 4), day = Two(key, 6), venue = Two(key, 8), meeting = Two(key, 10), number = Two(key, 12);
  return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
         venue >= 1 && venue <= 10 && meeting >= 1 && meeting <= 7 && number >= 1 && number <= 12;
}

std::vector<std::string> MeetingDaySearch(const std::string& app_path, std::string_view suffix,
                                          const std::function<void(std::string_view date)>& on_date) {
  // Keys by date, newest date first; within a date the two-digit parts sort as numbers do.
  std::map<std::string, std::vector<std::string>, std::greater<>> by_date;
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(app_path) / kTekichuFolder;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != 14 + suffix.size() || name.compare(14, std::string::npos, suffix) != 0) continue;
    const std::string key = name.substr(0, 14);
    if (!IsCandidateKey(key)) continue;
    // Whatever stands under the name is the day's file: its reader reports one it cannot read.
    by_date[key.substr(0, 8)].push_back(key);
  }
  std::vector<std::string> keys;
  auto next = by_date.begin();
  char date[9];
  for (int year = kLastYear; year >= kFirstYear; --year)
    for (int month = 12; month >= 1; --month)
      for (int day = 31; day >= 1; --day) {
        std::snprintf(date, sizeof date, "%04d%02d%02d", year, month, day);
        if (on_date) on_date(date);
        if (next != by_date.end() && next->first == date) {
          std::sort(next->second.begin(), next->second.end());
          keys.insert(keys.end(), next->second.begin(), next->second.end());
          ++next;
        }
      }
  return keys;
}

std::string SearchDateText(std::string_view date) {
  if (date.size() != 8) return std::string(date) + "検索中";
  return std::string(date.substr(0, 4)) + "年" + std::string(date.substr(4, 2)) + "月" + std::string(date.substr(6, 2)) +
         "日検索中";
}

}  // namespace radadovur::history
