#include "steps/startup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/file_date.h"
#include "common/names.h"
#include "common/package_path.h"
#include "jvlink/recording.h"
#include "steps/gate.h"
#include "steps/model_package.h"

namespace radadovur::steps {
namespace {

using common::Status;
using common::StatusSlot;
using common::StepFailures;
using common::StepHost;
namespace names = common::names;

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreateWorkingFolders(const std::string& app_path, common::StepFailures& failures) {
  for (auto name : common::names::kWorkingFolders) {
    const std::string path = app_path + std::string(name);
    if (::mkdir(path.c_str(), 0777) == 0) continue;
    const int error = errno;
    if (error == EEXIST && IsDirectory(path)) continue;
    // Something else by the folder's name: say what it is, not that the folder exists.
    if (error == EEXIST) {
      failures.Add(common::Status::FromErrno("（作業フォルダ）を作れません", path, ENOTDIR)
                       .WithDetail("作業フォルダ " + common::Shown(path) + " を作れません（同じ名前でフォルダでないものがあります）"));
      continue;
    }
    failures.Add(common::Status::FromErrno("（作業フォルダ）を作れません", path, error));
  }
}

void CheckPackage(const std::string& app_path, std::chrono::year_month_day today, PackageMissing missing,
                  common::StepHost& host, common::StepFailures& failures) {
  const auto date = ShowPackagePresent(app_path, host);
  if (!date && missing == PackageMissing::kUnpackIntoFailure) {
    host.Message("予想因子ウエイト(モデルパッケージ)がありません。" + PackageUnpackAdvice(app_path, "startup"));
    const std::string path = common::ResolvePackagePath(app_path, names::kKyosobaFile);
    failures.Add(Status::NotFound(path, "予想因子ウエイトのファイル「" + common::Shown(path) + "」がありません。"));
    return;
  }
  if (!date) {
    host.Message(app_path + kPackageMissingMessage);
    host.SetStatus(common::StatusSlot::kMainLabel1, kPackageMissingCaption);
    return;
  }
  const auto file_day = common::DatePartOf(*date);
  if (!file_day) {
    const std::string path = common::ResolvePackagePath(app_path, common::names::kKyosobaFile);
    failures.Add(common::Status::Corruption(path, common::Shown(path) + " の日付 \"" + common::Shown(*date) + "\" が読めません"));
    return;
  }
  if (common::DaysBetween(*file_day, today) > kPackageMaxAgeDays) host.Message(app_path + kPackageOldMessage);
}

void DeleteRealtimeFiles(const std::string& app_path, common::StepFailures& failures) {
  for (auto name : common::names::kRealtimeFiles) {
    const std::string path = app_path + std::string(name);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) failures.Add(common::Status::FromErrno("を削除できません", path, errno));
  }
}

}  // namespace

bool LooksLikeProgramFolder(const std::string& app_path) {
  std::error_code ec;
  std::filesystem::directory_iterator it(app_path, ec);
  bool empty = true;
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name == common::kFolderLockFile) continue;  // a refused run's lock file makes no folder ours
    empty = false;
    const bool known = common::SameIgnoringCase(name, names::kOptionFolder) || name == jvlink::recording::kDefaultFolder;
    std::error_code kind;
    if (known && it->is_directory(kind)) return true;
  }
  return !ec && empty;
}

common::StepFailures RunStartup(const common::RunState& state, std::chrono::year_month_day today, common::StepHost& host,
                                PackageMissing missing) {
  // The realtime files are not cleared under a step that reads or writes them.
  StepGate gate(state, host, kStartupStepName);
  if (!gate.Admit()) return std::move(gate.failures());
  return gate.Run([&](GateRun& run) {
    CreateWorkingFolders(state.AppPath, run.failures);
    CheckPackage(state.AppPath, today, missing, host, run.failures);
    DeleteRealtimeFiles(state.AppPath, run.failures);
    host.SetStatus(common::StatusSlot::kMainText2, kStartupReminder);
  });
}

}  // namespace radadovur::steps
