#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "history/items.h"

// The past results window's load: the list of past meeting days with a hit table, the day key
// list "TEKICHU/RACEIDYMDLKN.txt", and, from the listed days' result documents, the race id list
// "SOKUDO/RACEID.txt" and one speed file "SOKUDO/HR<RaceDate>.csv" per date for the external
// index tool. Each file is rewritten whole through a temporary file.
namespace radadovur::history {

inline constexpr std::string_view kDayKeyList = "TEKICHU/RACEIDYMDLKN.txt";
inline constexpr std::string_view kRaceIdList = "SOKUDO/RACEID.txt";

// One item of the day list: the six title values of the day's hit table joined, 18 blanks and
// the MeetingDayKey (UTF-8).
struct DayListItem {
  std::string text;
  std::string key;
};

// The list item of a day: 2024年09月22日4回中山7日目, 18 blanks, the key.
std::string DayListText(const std::array<std::string, 6>& title, std::string_view key);

// The day list: every day whose "tekichu.txt" has a first value, in search order; writes the
// day key list. `on_date` as MeetingDaySearch's. A hit table that cannot be read is a failure,
// its key goes to `unread_keys`, and the day key list stays as it was.
std::vector<DayListItem> ListPastDays(const std::string& app_path,
                                      const std::function<void(std::string_view date)>& on_date,
                                      common::StepFailures& failures, std::vector<std::string>* unread_keys = nullptr);

// The speed files of the listed days: reads each day's "lupRCM.txt" and writes the race id
// list afresh and the speed files. `on_race` gets each RaceId as its line is made.
// A result document that cannot be read is a failure; the speed file of its date and the race id
// list then stay as they were, as do those of `unread_keys` (days whose hit table was unreadable).
void WriteSpeedFiles(const std::string& app_path, const std::vector<std::string>& keys,
                     const std::function<void(std::string_view race_id)>& on_race, common::StepFailures& failures,
                     const std::vector<std::string>& unread_keys = {});

// A predicted time text "m.ss.hh" in seconds (single precision): the first character's minutes
// and the number in the last five characters; nullopt when either is not a number or the result
// is not above zero. "2.01.50" is 121.5.
std::optional<float> PredictedSeconds(std::string_view text);

// One runner's slot of a speed line, "<metres per hour>,<rank two digits>"; nullopt when the
// distance, the time or the rank cannot be converted.
std::optional<std::string> SpeedSlot(std::optional<int16_t> distance, std::string_view time_text,
                                     std::string_view rank_text);

// A race of a result document as the speed export reads it.
struct SpeedRace {
  std::string race_id;
  // The slots of horse numbers 0..19; only 1 up to the first empty one are written.
  std::array<std::optional<std::string>, 20> runners;
};

// The speed line of a race (with CR LF): the RaceId and the runners 1..n, n ending before the first
// empty slot; empty when there is no runner 1.
std::string SpeedLine(const SpeedRace& race);

// Every race of one day's result document (its "RC" blocks), with its runners' slots.
std::vector<SpeedRace> ReadSpeedRaces(ItemStream& doc, std::string_view key);

}  // namespace radadovur::history
