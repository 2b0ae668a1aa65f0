#include "export/tansho_csv.h"

#include "common/text_file.h"
#include "export/export_race.h"
#include "results/bet_lists.h"

namespace radadovur::exports {

common::Status TanshoFileName(const documents::RaceOfRecord& race, const results::CodeTable& table,
                              std::string& name) {
  // The bet lists' rule: "<folder>/<yymmdd><course><RR>R.csv".
  const std::string race_key = std::string(race.Year()) + std::string(race.MonthDay()) +
                               std::string(race.VenueCode()) + std::string(race.RaceNum());
  return results::BetListFileName(results::BetKind::kTansho, race_key, table, name);
}

std::string TanshoCsvText(const documents::RaceOfRecord& race, const results::ResultsWindowState& state,
                          common::StepFailures& failures) {
  const std::string head = std::string(race.Year()) + std::string(race.MonthDay()) + "," +
                           std::string(race.VenueCode()) + "," + std::string(race.RaceNum()) + ",01,";
  const auto ranked = RankedHorses(state, failures);
  std::string text;
  for (long long wanted : {1, 2})
    for (const auto& [horse, rank] : ranked)
      if (rank == wanted) text += head + TwoDigits(horse) + ",100\r\n";
  return text;
}

void WriteTanshoList(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures) {
  documents::RaceOfRecord race;
  if (!RaceAtHand(state, race, failures)) return;
  const std::string key = std::string(race.Year()) + std::string(race.MonthDay()) + std::string(race.VenueCode()) +
                          std::string(race.RaceNum());
  if (key == state.LastKeyTansho) return;
  std::string name;
  common::Status status = TanshoFileName(race, state.CodeTable, name);
  if (status.ok()) status = common::WriteFileAtomic(app_path + name, TanshoCsvText(race, state, failures));
  if (status.ok()) {
    state.LastKeyTansho = key;
  } else {
    failures.Add(std::move(status));
  }
}

}  // namespace radadovur::exports
