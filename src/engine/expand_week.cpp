#include "engine/expand_week.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/names.h"
#include "common/regular_file.h"
#include "engine/ex_record.h"
#include "engine/expanded_builder.h"
#include "engine/prediction_inputs.h"
#include "engine/stats_extract.h"
#include "engine/week_files.h"

namespace radadovur::engine {
namespace {

// While the ids of a list are read the bar counts them against 2000; longer lists keep it full.
void ShowIdsRead(common::StepHost& host, size_t count, int64_t& shown) {
  const int64_t value = std::min<int64_t>(100, static_cast<int64_t>(count) * 100 / 2000);
  if (value != shown) host.SetProgress(common::ProgressSlot::kPredictProgressBar3, shown = value);
}

std::vector<std::string> ReadList(const std::string& app_path, std::string_view name, IdList list, BuildReport& report) {
  std::vector<std::string> ids;
  if (auto status = ReadIdList(app_path + std::string(name), list, ids); !status.ok()) report.Fail(status);
  return ids;
}

common::Status EmptyFile(const std::string& path) {
  int fd = -1;
  if (auto status = common::OpenRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC, 0666, "を空にできません", fd); !status.ok())
    return status;
  if (::close(fd) != 0) return common::Status::FromErrno("を空にできません", path, errno);
  return common::Status::OK();
}

}  // namespace

void EmptyExpandedFiles(const std::string& app_path, const std::vector<std::string>& horses,
                        common::StepHost& host, BuildReport& report) {
  if (horses.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(app_path + std::string(common::names::kUmagotoExFolder), ec);
  int64_t shown = -1;
  for (size_t h = 0; h < horses.size(); ++h) {
    const std::string& id = horses[h];
    std::string name;
    common::Status status = UmagotoExFileName(id, name);
    if (status.ok()) status = EmptyFile(app_path + name);
    if (!status.ok()) report.FailHorse(id, std::move(status));
    ShowIdsRead(host, h + 1, shown);
  }
}

BuildReport ExpandThisWeek(const std::string& app_path, common::StepHost& host, BuildOutput output) {
  using common::ProgressSlot;
  BuildReport report;
  for (auto slot : {common::ProgressSlot::kPredictProgressBar3, common::ProgressSlot::kPredictProgressBar4}) {
    host.BeginProgress(slot, 100);
    host.SetProgress(slot, 0);
  }

  // A damaged shared file stops the step before it writes anything.
  for (auto& failure : CheckPredictionInputs(app_path).items) {
    report.Fail(std::move(failure));
    report.stopped = true;
  }
  if (report.stopped) return report;

  const std::vector<std::string> dams = ReadList(app_path, common::names::kDamNumList, IdList::kDams, report);
  int64_t shown = 0;
  for (size_t d = 0; d < dams.size(); ++d) ShowIdsRead(host, d + 1, shown);
  common::Status dam_extract = WriteDamExtract(app_path, dams);

  report.horses = ReadList(app_path, common::names::kKettoNumList, IdList::kHorses, report);
  EmptyExpandedFiles(app_path, report.horses, host, report);
  common::Status horse_extract = WriteHorseExtract(app_path, report.horses);
  // The coders would read an extract that is not this week's: nothing is calculated.
  for (common::Status* extract : {&dam_extract, &horse_extract}) {
    if (extract->ok()) continue;
    report.Fail(std::move(*extract));
    report.stopped = true;
  }
  if (report.stopped) return report;

  host.SetProgress(common::ProgressSlot::kPredictProgressBar3, 0);
  BuildExpandedStructure(app_path, report.horses, host, report, output);
  return report;
}

}  // namespace radadovur::engine
