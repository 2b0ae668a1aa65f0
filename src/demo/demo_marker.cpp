#include "demo/demo_marker.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "common/data_name.h"
#include "common/folder_lock.h"
#include "common/line_items.h"
#include "common/text_file.h"

namespace radadovur::demo {
namespace {

// A listed path is names of single components joined by "/": never absolute, never "..".
common::Status CheckListedPath(std::string_view path) {
  size_t at = 0;
  while (true) {
    const size_t slash = path.find('/', at);
    const std::string_view part = path.substr(at, slash == std::string_view::npos ? std::string_view::npos : slash - at);
    if (common::Status s = common::CheckDataName(common::DataName::kWord, part); !s.ok()) return s;
    if (slash == std::string_view::npos) return common::Status::OK();
    at = slash + 1;
  }
}

common::Status ReadMarker(const std::string& path, std::set<std::string>& listed) {
  std::string text;
  if (common::Status s = common::ReadWholeFile(path, text); !s.ok()) return s;
  const auto take = [&](const common::TextLine& line, const std::vector<std::string_view>& items,
                        const std::vector<bool>& quoted) {
    if (items.size() != 1 || !quoted[0])
      return common::LineFailure(path, line.number, "引用符で囲んだ値が 1 つだけの行ではありません");
    if (!CheckListedPath(items[0]).ok())
      return common::LineFailure(path, line.number, "「" + common::Shown(items[0]) + "」はフォルダの中のファイルの名前ではありません");
    listed.emplace(items[0]);
    return common::Status::OK();
  };
  return common::ForEachLine(path, text, common::LineRules{}, take);
}

}  // namespace

common::Status InspectFolder(const std::string& dir, FolderOwner& owner, std::set<std::string>& listed) {
  owner = FolderOwner::kNobody;
  listed.clear();
  const std::string folder = dir.substr(0, dir.size() - 1);
  DIR* d = ::opendir(folder.c_str());
  if (!d) {
    if (errno == ENOENT) return common::Status::OK();
    return common::Status::FromErrno("を読めません", folder, errno);
  }
  bool empty = true, marked = false;
  errno = 0;
  while (const dirent* e = ::readdir(d)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    // The folder's lock file is the program's own (taken while the demo writes): not a user's file.
    if (e->d_name == common::kFolderLockFile) continue;
    empty = false;
    marked = marked || std::strcmp(e->d_name, kMarkerFile) == 0;
  }
  const int error = errno;
  ::closedir(d);
  if (error != 0) return common::Status::FromErrno("を読めません", folder, error);
  if (empty) return common::Status::OK();
  if (!marked) {
    owner = FolderOwner::kOther;
    return common::Status::OK();
  }
  common::Status s = ReadMarker(dir + kMarkerFile, listed);
  if (!s.ok()) {
    listed.clear();
    return s;
  }
  owner = FolderOwner::kDemo;
  return common::Status::OK();
}

common::Status WriteMarker(const std::string& dir, const std::set<std::string>& files) {
  return common::WriteQuotedLines(dir + kMarkerFile, std::vector<std::string>(files.begin(), files.end()));
}

}  // namespace radadovur::demo
