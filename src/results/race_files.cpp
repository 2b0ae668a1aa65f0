#include "results/race_files.h"

#include "common/record_file.h"
#include "results/bet_kinds.h"
#include "results/bet_lists.h"
#include "results/pair_tickets.h"
#include "results/ranking.h"
#include "results/results_files.h"

namespace radadovur::results {

void RemoveRaceFiles(const std::string& app_path, std::string_view race_key, const CodeTable& table,
                     common::StepFailures& failures) {
  using Name = common::Status (*)(std::string_view, std::string&);
  constexpr Name kNames[] = {RaceRunnerFileName,  KaimeFileName,      RunnerSortFileName,
                             LupSortFileName,     UmarenSortFileName, UmatanSortFileName,
                             SanrenSortFileName,  SanrentanSortFileName};
  const auto remove = [&](common::Status named, const std::string& name) {
    failures.Add(named.ok() ? common::DeleteFile(app_path + name) : named);
  };
  std::string name;
  for (Name of : kNames) remove(of(race_key, name), name);
  for (const BetKindInfo& kind : kBetKinds)
    if (!kind.folder.empty()) remove(BetListFileName(kind.kind, race_key, table, name), name);
}

}  // namespace radadovur::results
