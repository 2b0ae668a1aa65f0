#include "documents/race_of_record.h"

#include "jvdata/layout_hr.h"
#include "results/runner_record.h"

namespace radadovur::documents {
namespace {

// Element 0 of the runner record's run arrays: the race id runs from Year to RaceNum.
constexpr size_t kRaceIdAt = results::rr::Year.At(0);
constexpr size_t kRaceIdWidth = results::rr::RaceNum.At(0) + results::rr::RaceNum.width - kRaceIdAt;
constexpr size_t kTrackCodeAt = results::rr::TrackCode.At(0);
constexpr size_t kTorokuTosuAt = results::rr::TorokuTosu.At(0);
static_assert(kRaceIdWidth == 16);

std::string_view Cut(std::string_view record, size_t at, size_t width) {
  return at < record.size() ? record.substr(at, width) : std::string_view();
}

}  // namespace

RaceOfRecord RaceOf(std::string_view runner_record) {
  return {Cut(runner_record, kRaceIdAt, kRaceIdWidth), Cut(runner_record, kTrackCodeAt, 2),
          Cut(runner_record, kTorokuTosuAt, 2)};
}

bool IsListedRace(const results::ResultsWindowState& state, const RaceOfRecord& race) {
  if (state.RaceIndex < 1 || static_cast<size_t>(state.RaceIndex) >= state.RaceKeyList.size()) return true;
  const std::string& listed = state.RaceKeyList[static_cast<size_t>(state.RaceIndex)];
  return std::string(race.Year()) + std::string(race.MonthDay()) + std::string(race.VenueCode()) +
             std::string(race.RaceNum()) ==
         listed;
}

std::optional<RaceOfRecord> DocumentRace(const results::ResultsWindowState& state) {
  const RaceOfRecord race = RaceOf(state.CurrentRunnerRecord);
  if (state.RunnerCount <= 0 || race.race_id.size() < kRaceIdWidth || !IsListedRace(state, race)) return std::nullopt;
  return race;
}

bool PayoutIsOfRace(std::string_view payout_record, const RaceOfRecord& race) {
  if (payout_record.size() < jvdata::hr::kLength || race.race_id.size() < kRaceIdWidth) return false;
  return jvdata::hr::Year.Of(payout_record) == race.Year() && jvdata::hr::MonthDay.Of(payout_record) == race.MonthDay() &&
         jvdata::hr::VenueCode.Of(payout_record) == race.VenueCode() &&
         jvdata::hr::RaceNum.Of(payout_record) == race.RaceNum();
}

bool ReadWhole(std::string_view text, long long& value) {
  size_t i = 0, end = text.size();
  while (i < end && text[i] == ' ') ++i;
  while (end > i && text[end - 1] == ' ') --end;
  if (i == end || end - i > 18) return false;
  long long v = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = v;
  return true;
}

std::string WholeOrAsItStands(std::string_view field, std::string_view what, common::StepFailures& failures) {
  long long value = 0;
  if (ReadWhole(field, value)) return std::to_string(value);
  failures.Add(common::Status::InvalidArgument(std::string(what), std::string(what) + " \"" + common::Shown(field) +
                                                                      "\" は数字ではありません"));
  return std::string(field);
}

std::optional<std::string> VenueNameOrNothing(const results::CodeTable& table, std::string_view venue_code) {
  for (const auto& row : table.cells)
    if (row[0] == results::kCodeVenue && row[1] == venue_code)
      return results::LookupCodeTable(table, results::kCodeVenue, venue_code, 4);
  return std::nullopt;
}

}  // namespace radadovur::documents
