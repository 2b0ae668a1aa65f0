#include "engine/prediction_inputs.h"

#include "common/names.h"
#include "common/package_path.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/week_files.h"

namespace radadovur::engine {

common::StepFailures CheckPredictionInputs(const std::string& app_path) {
  common::StepFailures failures;
  const auto package = [&](std::string_view name) {
    return common::ResolvePackagePath(app_path, std::string(common::names::kOptionFolder) + "/" + std::string(name));
  };
  std::string bytes;
  const std::pair<std::string, jvdata::RecordType> store_files[] = {
      {app_path + std::string(common::names::kUmNew), jvdata::RecordType::UM},
      {app_path + std::string(common::names::kKsThisWeek), jvdata::RecordType::KS},
      {app_path + std::string(common::names::kRaNew), jvdata::RecordType::RA},
      {package(stats_files::kJockeyMaster), jvdata::RecordType::KS},
  };
  for (const auto& [path, type] : store_files) failures.Add(ReadRecordFileBytes(path, type, bytes));
  // Step ②'s horse and dam lists, line by line: a damaged line would drop a horse in silence.
  std::vector<std::string> ids;
  failures.Add(ReadIdList(app_path + std::string(common::names::kKettoNumList), IdList::kHorses, ids));
  failures.Add(ReadIdList(app_path + std::string(common::names::kDamNumList), IdList::kDams, ids));
  // The shipped statistics files; the two extracts are rewritten by the step itself.
  for (std::string_view name : {stats_files::kStallion, stats_files::kHahauma, stats_files::kKyosoba,
                                stats_files::kKishuSeisei, stats_files::kChokyoSeisei, stats_files::kHnsk}) {
    const StatsFileKind& kind = *StatsFileByName(name);
    const std::string path = package(name);
    common::Status status = ReadRecordFileBytes(path, kind.length, bytes);
    if (status.ok()) status = CheckStatsKeys(path, bytes, kind);  // a key that can never be looked up
    failures.Add(std::move(status));
  }
  return failures;
}

}  // namespace radadovur::engine
