#include "common/day_files.h"

#include <sys/stat.h>

#include <cerrno>

#include "common/data_name.h"
#include "common/text_file.h"

namespace radadovur::common {

Status DayFilePath(std::string_view app_path, std::string_view folder, std::string_view meeting_day_key,
                   std::string_view suffix, std::string& path) {
  path.clear();
  if (Status status = CheckDataName(DataName::kMeetingDayKey, meeting_day_key); !status.ok()) return status;
  path.reserve(app_path.size() + folder.size() + meeting_day_key.size() + suffix.size());
  path += app_path;
  path += folder;
  path += meeting_day_key;
  path += suffix;
  return Status::OK();
}

Status DayFiles::Write(const std::string& path, std::string_view block) {
  std::string bytes;
  if (!Starts(path)) {
    // A started file we cannot read back must not be replaced by its last block alone.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
      if (!S_ISREG(info.st_mode)) return Status::IoError(path, Shown(path) + " を読めません（通常のファイルではありません）");
      if (Status status = ReadWholeFile(path, bytes); !status.ok()) return status;
    } else if (errno != ENOENT) {
      return Status::FromErrno("を調べられません", path, errno);
    }
  }
  bytes += block;
  if (Status status = WriteFileAtomic(path, bytes); !status.ok()) return status;
  started_.insert(path);
  return Status::OK();
}

}  // namespace radadovur::common
