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
  if (::stat(state.AppPath.c_str(), &st) != 0) {
    if (errno == ENOENT) return Status::NotFound(state.AppPath, "プログラムフォルダ " + Shown(state.AppPath) + " がありません");
    return Status::FromErrno("（プログラムフォルダ）を調べられません", state.AppPath, errno);
  }
  if (!S_ISDIR(st.st_mode)) return Status::IoError(state.AppPath, "プログラムフォルダ " + Shown(state.AppPath) + " はフォルダではありません");
  return Status::OK();
}

std::string ProgramFolderMissingText(const std::string& given) {
  return "プログラムのフォルダ「" + Shown(given) + "」がありません。フォルダの名前を確かめて下さい。";
}

}  // namespace radadovur::common
