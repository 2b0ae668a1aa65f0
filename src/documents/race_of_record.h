#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/code_table.h"
#include "results/results_window_state.h"

// What the documents take of the race being written: element 0 (this week's race) of the runner
// record last read for it, and whether the payout record at hand is that race's.
namespace radadovur::documents {

// Element 0 of the runner record's RaceId, TrackCode and TorokuTosu (empty or short past the
// record's end).
struct RaceOfRecord {
  std::string_view race_id;      // 16: Year 4, MonthDay 4, VenueCode 2, Kaiji 2, Nichiji 2, RaceNum 2
  std::string_view track_code;   // 2
  std::string_view toroku_tosu;  // 2: the registered runner count

  std::string_view Year() const { return Cut(0, 4); }
  std::string_view MonthDay() const { return Cut(4, 4); }
  std::string_view VenueCode() const { return Cut(8, 2); }
  std::string_view Kaiji() const { return Cut(10, 2); }
  std::string_view Nichiji() const { return Cut(12, 2); }
  std::string_view RaceNum() const { return Cut(14, 2); }
  // Year, MonthDay, VenueCode, Kaiji and Nichiji: one racecourse's meeting day.
  std::string_view MeetingDayKey() const { return Cut(0, 14); }

 private:
  std::string_view Cut(size_t at, size_t width) const {
    return at < race_id.size() ? race_id.substr(at, width) : std::string_view();
  }
};

RaceOfRecord RaceOf(std::string_view runner_record);

// True when `race` is the race the pass is at: Year, MonthDay, VenueCode and RaceNum equal those
// of RaceKeyList[RaceIndex]. A state without a listed race at RaceIndex (a writer run on its own)
// has nothing to compare with.
bool IsListedRace(const results::ResultsWindowState& state, const RaceOfRecord& race);

// The race a document writer writes: that of the runner record at hand, or nothing when the race
// has no runner records or the record at hand holds another race than the listed one (an
// earlier race's, or another week's: its stages have said why). No writer opens a file of a race
// that is not the listed one.
std::optional<RaceOfRecord> DocumentRace(const results::ResultsWindowState& state);

// True when the payout record names the race: Year, MonthDay, VenueCode and RaceNum equal
// (Kaiji and Nichiji are not compared). A missing or short payout record names no race.
bool PayoutIsOfRace(std::string_view payout_record, const RaceOfRecord& race);

// A whole number of decimal digits with blanks before or after them; false for anything else.
bool ReadWhole(std::string_view text, long long& value);

// A Kaiji or Nichiji as the documents write it: the whole number without leading zeros. A field
// that is no number is reported and written as it stands, so that the line keeps its items.
std::string WholeOrAsItStands(std::string_view field, std::string_view what, common::StepFailures& failures);

// The racecourse name of the code table (kind "2001", column 4), or nothing when the table has
// no row for the code.
std::optional<std::string> VenueNameOrNothing(const results::CodeTable& table, std::string_view venue_code);

}  // namespace radadovur::documents
