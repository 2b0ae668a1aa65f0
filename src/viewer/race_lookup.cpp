#include "viewer/race_lookup.h"

#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/race_key.h"
#include "results/code_table.h"
#include "results/race_list.h"
#include "results/results_files.h"
#include "results/runner_figures.h"
#include "results/results_pass.h"
#include "store/record_block.h"
#include "store/store_files.h"

namespace radadovur::viewer {

bool RaceCalledOff(const std::string& app_path, std::string_view key, common::StepFailures& failures) {
  for (const store::StoreFile* file : {&store::kRaThisWeek, &store::kRaNew, &store::kRaRealtime}) {
    store::RecordBlock block;
    if (common::Status status = store::ReadRecordBlockOrEmpty(app_path, *file, block); !status.ok()) {
      failures.Add(std::move(status));
      continue;
    }
    for (size_t n = 0; n < block.count(); ++n) {
      const std::string_view record = block.Record(n);
      if (jvdata::RaceKey(record) == key && jvdata::ra::DataCategory.Of(record) == "9") return true;
    }
  }
  return false;
}

std::optional<std::string> ListedRaceItem(const std::string& app_path, std::string_view key,
                                          results::ResultsWindowState& state, common::StepFailures& failures) {
  failures.Add(results::LoadCodeTable(app_path, state.CodeTable));
  failures.Add(results::TestResultsFinal(app_path, state));
  const bool final = state.ResultsFinal != 0;
  store::RecordBlock block;
  if (common::Status status = store::ReadRecordBlockOrEmpty(app_path, final ? store::kHrThisWeek : store::kRaNew, block);
      !status.ok()) {
    failures.Add(std::move(status));
    return std::nullopt;
  }
  for (size_t n = 0; n < block.count(); ++n) {
    const std::string_view record = block.Record(n);
    if (jvdata::RaceKey(record) != key) continue;
    if (!final && !results::ListedBeforeResults(record)) continue;
    state.RaceCount = 1;
    state.RaceKeyList = {std::string(), std::string(key)};
    results::LoadRaceTable(app_path, state, failures);
    // The table holds "SD" until the results pass fills it: the pass's value from the runner file.
    if (state.RaceTable.size() > 1) {
      std::string runners, name;
      if (common::Status named = results::RaceRunnerFileName(key, name); !named.ok()) {
        failures.Add(std::move(named));
      } else if (const std::string path = app_path + name; common::FileExists(path)) {
        failures.Add(common::ReadWholeFile(path, runners));
      }
      state.RaceTable[1][results::kColSdValue] = results::RaceSdCellText(runners);
    }
    return results::RaceListItem(record, state.CodeTable,
                                 final ? results::ListSource::kPayoutRecords : results::ListSource::kRaceRecords);
  }
  return std::nullopt;
}

}  // namespace radadovur::viewer
