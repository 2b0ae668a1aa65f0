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

std::string ProgramFolderText(const std::string& given, const Status& folder) {
  // A missing folder and a file in its place are told apart; anything else as the system says it.
  const std::string why = folder.IsNotFound()                   ? "がありません"
                          : folder.error_number() == ENOTDIR ? "はフォルダではありません"
                                                             : "を調べられません（" + ErrnoText(folder.error_number()) + "）";
  return "プログラムのフォルダ「" + Shown(given) + "」" + why + "。フォルダの名前を確かめて下さい。";
}

}  // namespace radadovur::common
