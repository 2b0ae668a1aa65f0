#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace radadovur::common {
namespace {

bool MayWrite(int flags) { return (flags & O_ACCMODE) != O_RDONLY || (flags & (O_CREAT | O_TRUNC)) != 0; }

// Told with the system error of its kind, so that the advice and the grouping follow the cause.
Status LinkRefused(const std::string& path) {
  return Status::FromErrno("に書き込めません", path, ELOOP)
      .WithDetail("ファイル " + Shown(path) +
                  " はシンボリックリンクです。リンク先を守るため、リンクを通しては書き込みません。リンクを削除して下さい");
}
Status NotRegular(const std::string& path, const char* action) { return Status::FromErrno(action, path, ENXIO); }

}  // namespace

Status OpenRegularFile(const std::string& path, int flags, mode_t mode, const char* action, int& fd,
                       struct stat* info) {
  const bool may_write = MayWrite(flags);
  fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | (may_write ? O_NOFOLLOW : 0), mode);
  if (fd < 0) {
    // Opening a FIFO without a reader for writing is refused with ENXIO.
    if (errno == ENXIO) return NotRegular(path, action);
    if (may_write && errno == ELOOP) {
      // ELOOP also stands for too many links among the folders; only a link in the file's own
      // place is named as one.
      struct stat st {};
      if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return LinkRefused(path);
      errno = ELOOP;
    }
    return Status::FromErrno(action, path, errno);
  }
  struct stat st {};
  Status status;
  if (::fstat(fd, &st) != 0)
    status = Status::FromErrno(action, path, errno);
  else if (!S_ISREG(st.st_mode))
    status = NotRegular(path, action);
  else if (const int fl = ::fcntl(fd, F_GETFL); fl < 0 || ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) != 0)
    status = Status::FromErrno(action, path, errno);
  if (!status.ok()) {
    ::close(fd);
    fd = -1;
  } else if (info) {
    *info = st;
  }
  return status;
}

Status CreateNewFile(const std::string& path, int flags, const char* action, int& fd) {
  // unlink() removes a link itself; a folder in the way stays and the exclusive create names it.
  if (::unlink(path.c_str()) != 0 && errno != ENOENT && errno != EISDIR && errno != EPERM) {
    fd = -1;
    return Status::FromErrno(action, path, errno);
  }
  return OpenRegularFile(path, flags | O_CREAT | O_EXCL, 0644, action, fd);
}

std::string ReplacementPathOf(const std::string& path) { return path + ".new~"; }

Status CreateReplacementFile(const std::string& path, int flags, int& fd) {
  constexpr const char* kAction = "に書き込めません";
  const Status made = CreateNewFile(ReplacementPathOf(path), flags, kAction, fd);
  if (made.ok()) return made;
  // Something that cannot be removed (a folder) holds the temporary file's name.
  if (made.error_number() == EEXIST || made.error_number() == EISDIR)
    return Status::FromErrno(kAction, path, made.error_number())
        .WithDetail(Shown(path) + " " + kAction + "（同じフォルダに、書き込みの途中に使う名前のフォルダがあります）");
  if (made.error_number() != 0) return Status::FromErrno(kAction, path, made.error_number());
  return Status::IoError(path, Shown(path) + " " + kAction + "（書き込みの途中に使うファイルを作れません）");
}

}  // namespace radadovur::common
