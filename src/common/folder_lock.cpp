#include "common/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "common/regular_file.h"

namespace radadovur::common {
namespace {

constexpr size_t kMaxHolderText = 400;  // a description longer than this is not ours

// A test run holds a step at a known point: with RADADOVUR_TEST_HOLD naming a FIFO, the run
// waits after taking the lock until the test has opened the FIFO and closed it again. Anything
// but a FIFO there (or no variable) leaves the run as it is.
void HoldForTest() {
  const char* fifo = std::getenv("RADADOVUR_TEST_HOLD");
  if (!fifo || !*fifo) return;
  struct stat st {};
  if (::lstat(fifo, &st) != 0 || !S_ISFIFO(st.st_mode)) return;
  const int fd = ::open(fifo, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return;
  char byte;
  while (::read(fd, &byte, 1) > 0) {
  }
  ::close(fd);
}

std::string Since() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  char text[64] = "";
  if (::localtime_r(&now, &tm)) std::strftime(text, sizeof text, "%Y年%m月%d日 %H:%M:%S", &tm);
  return text;
}

std::string HolderText(StepFront front, std::string_view step) {
  return std::string(front == StepFront::kWindow ? "ウィンドウ" : "コマンドライン") + "の「" + std::string(step) +
         "」、" + Since() + " から";
}

// What the holder wrote; empty while it has not written yet (or a run of an older build).
std::string ReadHolder(int fd) {
  char buf[kMaxHolderText + 1];
  const ssize_t n = ::pread(fd, buf, sizeof buf, 0);
  if (n <= 0 || static_cast<size_t>(n) > kMaxHolderText) return {};
  return Shown(std::string_view(buf, static_cast<size_t>(n)));
}

}  // namespace

Status FolderLock::Take(const std::string& app_path, StepFront front, std::string_view step) {
  Release();
  const std::string path = app_path + std::string(kFolderLockFile);
  int fd = -1;
  if (Status s = OpenRegularFile(path, O_RDWR | O_CREAT, 0644, "（実行中の処理の印）を開けません", fd); !s.ok()) return s;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) {
      const std::string holder = ReadHolder(fd);
      ::close(fd);
      return Status::FromErrno("", path, EWOULDBLOCK)
          .WithDetail("このフォルダ " + Shown(app_path) + " では別の処理が実行中です（" +
                      (holder.empty() ? std::string("ほかのウィンドウかコマンドライン") : holder) +
                      "）。1 つのフォルダで同時に行える処理は 1 つだけです。その処理が終わってから、もう一度実行して下さい。");
    }
    if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL) {
      unguarded_ = true;
      fd_ = fd;
      return Status::OK();
    }
    ::close(fd);
    return Status::FromErrno("（実行中の処理の印）を確保できません", path, error);
  }
  fd_ = fd;
  const std::string holder = HolderText(front, step);
  // The description is only for the refused run's message: a failure to write it stops nothing.
  if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, holder.data(), holder.size(), 0);
  HoldForTest();
  return Status::OK();
}

void FolderLock::Release() {
  if (fd_ < 0) return;
  if (!unguarded_) (void)!::ftruncate(fd_, 0);
  ::close(fd_);  // closing the only descriptor releases the lock
  fd_ = -1;
  unguarded_ = false;
}

bool IsFolderBusy(const Status& status) { return status.IsIoError() && status.error_number() == EWOULDBLOCK; }

std::string UnguardedFolderText(const std::string& app_path) {
  return "フォルダ " + Shown(app_path) +
         " のファイルシステムはロックを使えません。このフォルダでは 2 つの処理を同時に実行しないよう気を付けて下さい。";
}

}  // namespace radadovur::common
