#include "export/export_race.h"

#include <algorithm>

#include "common/cp932.h"

namespace radadovur::exports {
namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Nothing in the name may lead out of its folder.
bool UsableInName(std::string_view part) {
  return !part.empty() && part.find('/') == std::string_view::npos && part.find('\0') == std::string_view::npos &&
         part != "." && part != "..";
}

}  // namespace

bool RaceAtHand(const results::ResultsWindowState& state, documents::RaceOfRecord& race,
                common::StepFailures& failures) {
  if (state.RunnerCount <= 0) return false;
  race = documents::RaceOf(state.CurrentRunnerRecord);
  // Another race than the listed one: its stages have said why; its files are not this race's.
  if (!documents::IsListedRace(state, race)) return false;
  if (race.race_id.size() == 16 && AllDigits(race.race_id)) return true;
  failures.Add(common::Status::InvalidArgument(
      "runner record", "runner record: race id \"" + common::Shown(race.race_id) + "\" is not 16 digits"));
  return false;
}

std::vector<std::pair<int, long long>> RankedHorses(const results::ResultsWindowState& state,
                                                    common::StepFailures& failures) {
  const int runners = std::min(state.RunnerCount, kMaxHorse);
  if (state.RunnerCount > kMaxHorse)
    failures.Add(common::Status::InvalidArgument(
        "runners", "runners: " + std::to_string(state.RunnerCount) + " runners, only horses 1 to 18 have a rank"));
  std::vector<std::pair<int, long long>> ranked;
  for (int h = 1; h <= runners; ++h) {
    const std::string& text = state.PredRank[static_cast<size_t>(h)];
    long long rank = 0;
    if (documents::ReadWhole(text, rank)) {
      ranked.emplace_back(h, rank);
    } else {
      failures.Add(common::Status::InvalidArgument(
          "predicted rank",
          "predicted rank of horse " + std::to_string(h) + " \"" + common::Shown(text) + "\" is not a number"));
    }
  }
  return ranked;
}

std::string TwoDigits(long long number) {
  const std::string text = std::to_string(number % 100 + 100);
  return text.substr(text.size() - 2);
}

std::string CourseNameForFile(const results::CodeTable& table, std::string_view venue_code) {
  const auto name = common::DecodeCp932(results::LookupCodeTable(table, results::kCodeVenue, venue_code, 4));
  if (name && UsableInName(*name)) return *name;
  return std::string(venue_code);
}

}  // namespace radadovur::exports
