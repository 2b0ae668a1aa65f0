#include "export/export_race.h"

#include <algorithm>

#include "common/data_name.h"

namespace radadovur::exports {

bool RaceAtHand(const results::ResultsWindowState& state, documents::RaceOfRecord& race,
                common::StepFailures& failures) {
  if (state.RunnerCount <= 0) return false;
  race = documents::RaceOf(state.CurrentRunnerRecord);
  // Another race than the listed one: its stages have said why; its files are not this race's.
  if (!documents::IsListedRace(state, race)) return false;
  common::Status named = common::CheckDataName(common::DataName::kRaceId, race.race_id);
  if (named.ok()) return true;
  failures.Add(common::Status::InvalidArgument("出走馬レコード", "出走馬レコード: " + named.ToString()));
  return false;
}

std::vector<std::pair<int, long long>> RankedHorses(const results::ResultsWindowState& state,
                                                    common::StepFailures& failures) {
  const int runners = std::min(state.RunnerCount, kMaxHorse);
  if (state.RunnerCount > kMaxHorse)
    failures.Add(common::Status::InvalidArgument(
        "出走頭数", "出走頭数 " + std::to_string(state.RunnerCount) + " 頭のうち、順位があるのは馬番 1〜18 だけです"));
  std::vector<std::pair<int, long long>> ranked;
  for (int h = 1; h <= runners; ++h) {
    const std::string& text = state.PredRank[static_cast<size_t>(h)];
    long long rank = 0;
    if (documents::ReadWhole(text, rank)) {
      ranked.emplace_back(h, rank);
    } else {
      failures.Add(common::Status::InvalidArgument(
          "予想順位",
          "馬番 " + std::to_string(h) + " の予想順位 \"" + common::Shown(text) + "\" は数字ではありません"));
    }
  }
  return ranked;
}

std::string TwoDigits(long long number) {
  const std::string text = std::to_string(number % 100 + 100);
  return text.substr(text.size() - 2);
}

}  // namespace radadovur::exports
