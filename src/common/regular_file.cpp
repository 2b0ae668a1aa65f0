#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace radadovur::common {

Status OpenRegularFile(const std::string& path, int flags, mode_t mode, const char* action, int& fd,
                       struct stat* info) {
  fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) {
    // Opening a FIFO without a reader for writing is refused with ENXIO.
    if (errno == ENXIO) return Status::IoError(path, Shown(path) + " " + action + "（通常のファイルではありません）");
    return Status::FromErrno(action, path, errno);
  }
  struct stat st {};
  Status status;
  if (::fstat(fd, &st) != 0)
    status = Status::FromErrno(action, path, errno);
  else if (!S_ISREG(st.st_mode))
    status = Status::IoError(path, Shown(path) + " " + action + "（通常のファイルではありません）");
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

}  // namespace radadovur::common
