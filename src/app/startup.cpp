#include "app/startup.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "common/file_date.h"
#include "common/model_package.h"
#include "common/names.h"
#include "common/record_file.h"

namespace radadovur {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreateWorkingFolders(const std::string& app_path, StepFailures& failures) {
  for (auto name : names::kWorkingFolders) {
    const std::string path = app_path + std::string(name);
    if (::mkdir(path.c_str(), 0777) == 0) continue;
    const int error = errno;
    if (error == EEXIST && IsDirectory(path)) continue;
    failures.Add("folder " + path + ": " + std::strerror(error));
  }
}

void CheckPackage(const std::string& app_path, std::chrono::year_month_day today, StepUi& ui,
                  StepFailures& failures) {
  const auto date = ShowPackagePresent(app_path, ui);
  if (!date) {
    ui.Message(app_path + kPackageMissingMessage);
    ui.SetText("Label1", kPackageMissingCaption);
    return;
  }
  const auto file_day = DatePartOf(*date);
  if (!file_day) {
    failures.Add("date of " + app_path + std::string(names::kKyosobaFile) + ": " + *date);
    return;
  }
  if (DaysBetween(*file_day, today) > kPackageMaxAgeDays) ui.Message(app_path + kPackageOldMessage);
}

void DeleteRealtimeFiles(const std::string& app_path, StepFailures& failures) {
  for (auto name : names::kRealtimeFiles) {
    const std::string path = app_path + std::string(name);
    if (!DeleteFile(path)) failures.Add("delete " + path + ": " + std::strerror(errno));
  }
}

}  // namespace

void RunStartup(const std::string& app_path, std::chrono::year_month_day today, StepUi& ui,
                StepFailures& failures) {
  CreateWorkingFolders(app_path, failures);
  CheckPackage(app_path, today, ui, failures);
  DeleteRealtimeFiles(app_path, failures);
  ui.SetText("Text2", kStartupReminder);
}

}  // namespace radadovur
