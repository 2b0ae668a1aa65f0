#include "common/run_state.h"

#include <sys/stat.h>

#include <cerrno>

namespace radadovur::common {

std::string WithTrailingSlash(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

Status CheckProgramFolder(const RunState& state) {
  // Without the closing "/": a file in the folder's place is then told as such, not as a path
  // through something that is not a folder.
  std::string folder = state.AppPath;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (errno == ENOENT) return Status::NotFound(state.AppPath, "プログラムフォルダ " + Shown(state.AppPath) + " がありません");
    return Status::FromErrno("（プログラムフォルダ）を調べられません", state.AppPath, errno);
  }
  if (!S_ISDIR(st.st_mode))
    return Status::FromErrno("（プログラムフォルダ）を調べられません", state.AppPath, ENOTDIR)
        .WithDetail("プログラムフォルダ " + Shown(state.AppPath) + " はフォルダではありません");
  return Status::OK();
}

}  // namespace radadovur::common
