#include "history/past_results.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <map>
#include <set>

#include "common/convert.h"
#include "common/cp932.h"
#include "common/day_files.h"
#include "common/text_file.h"
#include "history/items.h"
#include "history/meeting_day_search.h"
#include "history/result_document.h"

namespace radadovur::history {
namespace {

// A race's values read looking for "Q1" (the "HS" lines' own values not counted).
constexpr int kMaxRaceReads = 1000;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The whole text as a decimal number (blanks around it allowed), else nullopt.
std::optional<float> StrictFloat(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  float value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int16_t> Distance(std::string_view text) {
  const auto value = common::WholeNumber(text);
  if (!value || *value < INT16_MIN || *value > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(*value);
}

void ReadRunner(ItemStream& doc, SpeedRace& race, std::optional<int16_t> distance) {
  doc.Skip(2);
  const auto horse = common::WholeNumber(doc.NextOr());
  const std::string rank(doc.NextOr());
  doc.Skip(8);
  const std::string time(doc.NextOr());
  if (!horse || *horse < 1 || *horse > 19) return;
  race.runners[static_cast<size_t>(*horse)] = SpeedSlot(distance, time, rank);
}

}  // namespace

std::string DayListText(const std::array<std::string, 6>& title, std::string_view key) {
  std::string text;
  for (const std::string& value : title) text += value;
  return text + std::string(18, ' ') + std::string(key);
}

std::vector<DayListItem> ListPastDays(const std::string& app_path,
                                      const std::function<void(std::string_view date)>& on_date,
                                      common::StepFailures& failures, std::vector<std::string>* unread_keys) {
  std::vector<DayListItem> days;
  std::string key_list;
  bool unread = false;
  for (const std::string& key : MeetingDaySearch(app_path, "tekichu.txt", on_date)) {
    std::string path;
    if (common::Status named = common::DayFilePath(app_path, kTekichuFolder, key, "tekichu.txt", path); !named.ok()) {
      failures.Add(std::move(named));
      continue;
    }
    ItemStream table;
    if (common::Status s = ItemStream::Read(path, table); !s.ok()) {
      failures.Add(std::move(s));
      if (unread_keys) unread_keys->push_back(key);
      unread = true;
      continue;
    }
    std::array<std::string, 6> title;
    for (std::string& value : title) value = common::DisplayText(table.NextOr());
    if (title[0].empty()) continue;
    days.push_back({DayListText(title, key), key});
    key_list += key + "\r\n";
  }
  // A list without an unread day would read as if that day had never been.
  if (!unread) failures.Add(common::WriteFileAtomic(app_path + std::string(kDayKeyList), key_list));
  return days;
}

std::optional<float> PredictedSeconds(std::string_view text) {
  if (text.size() < 5 || text[0] < '0' || text[0] > '9') return std::nullopt;
  const auto rest = StrictFloat(text.substr(text.size() - 5));
  if (!rest) return std::nullopt;
  const float seconds = static_cast<float>(text[0] - '0') * 60.0f + *rest;
  if (!(seconds > 0.0f)) return std::nullopt;
  return seconds;
}

std::optional<std::string> SpeedSlot(std::optional<int16_t> distance, std::string_view time_text,
                                     std::string_view rank_text) {
  const auto seconds = PredictedSeconds(time_text);
  const auto rank = common::WholeNumber(rank_text);
  if (!distance || !seconds || !rank || *rank < 0) return std::nullopt;
  const double metres = static_cast<double>(static_cast<float>(*distance));
  const auto speed = static_cast<long long>(std::floor(3600.0 * metres / static_cast<double>(*seconds)));
  const std::string hundred = std::to_string(100 + *rank);
  return std::to_string(speed) + "," + hundred.substr(hundred.size() - 2);
}

std::string SpeedLine(const SpeedRace& race) {
  std::string line = race.race_id;
  size_t n = 0;
  for (size_t horse = 1; horse < race.runners.size() && race.runners[horse]; ++horse, ++n) line += "," + *race.runners[horse];
  return n == 0 ? std::string() : line + "\r\n";
}

std::vector<SpeedRace> ReadSpeedRaces(ItemStream& doc, std::string_view key) {
  std::vector<SpeedRace> races;
  std::string_view item;
  while (doc.Next(item)) {
    if (item != "RC") continue;
    SpeedRace race;
    doc.Skip(2);
    race.race_id = std::string(key) + std::string(doc.NextOr());
    doc.Skip(5);
    const std::optional<int16_t> distance = Distance(doc.NextOr());
    for (int reads = 0; reads < kMaxRaceReads && doc.Next(item); ++reads) {
      if (item == "Q1") break;
      if (item == "HS") ReadRunner(doc, race, distance);
    }
    races.push_back(std::move(race));
  }
  return races;
}

void WriteSpeedFiles(const std::string& app_path, const std::vector<std::string>& keys,
                     const std::function<void(std::string_view race_id)>& on_race, common::StepFailures& failures,
                     const std::vector<std::string>& unread_keys) {
  std::string race_ids;
  // Speed files by date in the order first met; a date met again starts its file afresh.
  std::vector<std::pair<std::string, std::string>> speed_files;
  // Dates with a day that could not be read keep their speed files.
  std::set<std::string> held_dates;
  for (const std::string& key : unread_keys) held_dates.insert(key.substr(0, 8));
  std::string date;
  for (const std::string& key : keys) {
    std::string path;
    if (common::Status named = common::DayFilePath(app_path, kTekichuFolder, key, "lupRCM.txt", path); !named.ok()) {
      failures.Add(std::move(named));
      continue;
    }
    ItemStream doc;
    // A listed day without a result document has no races; one that is there but cannot be read,
    // or is not whole, is a failure.
    if (common::Status s = ReadResultDocument(path, doc); !s.ok() && !s.IsNotFound()) {
      failures.Add(std::move(s));
      held_dates.insert(key.substr(0, 8));
      continue;
    }
    for (const SpeedRace& race : ReadSpeedRaces(doc, key)) {
      race_ids += race.race_id + "\r\n";
      if (on_race) on_race(race.race_id);
      if (key.substr(0, 8) != date) {
        date = key.substr(0, 8);
        speed_files.emplace_back(date, std::string());
      }
      speed_files.back().second += SpeedLine(race);
    }
  }
  if (held_dates.empty()) failures.Add(common::WriteFileAtomic(app_path + std::string(kRaceIdList), race_ids));
  // Only the last file of a date counts, as appending to a truncated file would leave it.
  std::map<std::string, std::string> last;
  for (auto& [d, content] : speed_files) last[d] = std::move(content);
  for (const auto& [d, content] : last)
    if (!held_dates.count(d)) failures.Add(common::WriteFileAtomic(app_path + "SOKUDO/HR" + d + ".csv", content));
}

}  // namespace radadovur::history
