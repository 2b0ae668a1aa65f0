#include "export/sokudo_day_csv.h"

#include <cmath>

#include "export/export_race.h"

namespace radadovur::exports {

std::optional<long long> SpeedInMetresPerHour(float kmh) {
  const float product = kmh * 1000.0f;
  if (!std::isfinite(product) || product < 0.0f || product >= 1e15f) return std::nullopt;
  return static_cast<long long>(std::floor(product));
}

std::optional<std::string> SokudoLine(const documents::RaceOfRecord& race, const results::ResultsWindowState& state,
                                      common::StepFailures& failures) {
  const auto ranked = RankedHorses(state, failures);
  if (ranked.size() != static_cast<size_t>(state.RunnerCount)) return std::nullopt;  // reported
  std::string line(race.race_id);
  for (const auto& [horse, rank] : ranked) {
    const size_t h = static_cast<size_t>(horse);
    const std::optional<long long> speed =
        h < state.PredSpeed.size() ? SpeedInMetresPerHour(state.PredSpeed[h]) : std::nullopt;
    if (!speed) {
      failures.Add(common::Status::InvalidArgument(
          "予想速度", "馬番 " + std::to_string(horse) + " の予想速度 " +
                                 (h < state.PredSpeed.size() ? std::to_string(state.PredSpeed[h]) + " km/h" : "（なし）") +
                                 " は書けません"));
      return std::nullopt;
    }
    line += "," + std::to_string(*speed) + "," + TwoDigits(rank);
  }
  return line + "\r\n";
}

void SokudoDayCsvWriter::Write(const std::string& app_path, results::ResultsWindowState& state,
                               common::StepFailures& failures) {
  documents::RaceOfRecord race;
  if (!RaceAtHand(state, race, failures)) return;
  const std::optional<std::string> line = SokudoLine(race, state, failures);
  if (!line) return;
  const std::string date = std::string(race.Year()) + std::string(race.MonthDay());
  common::Status status = files_.Write(app_path + "SOKUDO/HR" + date + ".csv", *line);
  if (status.ok()) {
    state.LastKeySokudoDay = date;
  } else {
    failures.Add(std::move(status));
  }
}

}  // namespace radadovur::exports
