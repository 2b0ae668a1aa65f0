#include "common/run_state.h"

#include <sys/stat.h>

#include <cerrno>

namespace radadovur::common {

std::string WithTrailingSlash(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

Status CheckProgramFolder(const RunState& state) {
  struct stat st {};
  if (::stat(state.AppPath.c_str(), &st) != 0) return Status::FromErrno("no program folder", state.AppPath, errno);
  if (!S_ISDIR(st.st_mode)) return Status::IoError(state.AppPath, "no program folder " + state.AppPath + ": not a folder");
  return Status::OK();
}

}  // namespace radadovur::common
