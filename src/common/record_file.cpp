#include "common/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include "common/regular_file.h"

namespace radadovur::common {

RecordFile::RecordFile(RecordFile&& o) noexcept { *this = std::move(o); }

RecordFile& RecordFile::operator=(RecordFile&& o) noexcept {
  if (this != &o) {
    Close();
    fd_ = std::exchange(o.fd_, -1);
    length_ = o.length_;
    file_bytes_ = o.file_bytes_;
    pending_ = std::move(o.pending_);
    path_ = std::move(o.path_);
    temp_path_ = std::move(o.temp_path_);
    status_ = std::move(o.status_);
    dropped_ = o.dropped_;
    failed_ = o.failed_;
  }
  return *this;
}

RecordFile::~RecordFile() { Close(); }

bool RecordFile::Fail(const char* what) {
  status_ = Status::FromErrno(what, path_, errno);
  return false;
}

bool RecordFile::Open(const std::string& path, size_t record_length) {
  Close();
  dropped_ = 0;
  failed_ = false;
  path_ = path;
  length_ = record_length;
  if (Status s = OpenRegularFile(path, O_RDWR | O_CREAT, 0644, "を開けません", fd_); !s.ok()) {
    status_ = std::move(s);
    return false;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return Fail("を調べられません");
  file_bytes_ = st.st_size;
  return true;
}

bool RecordFile::OpenReplacing(const std::string& path, size_t record_length) {
  Close();
  dropped_ = 0;
  failed_ = false;
  path_ = path;
  temp_path_ = ReplacementPathOf(path);
  length_ = record_length;
  if (Status s = CreateReplacementFile(path, O_RDWR, fd_); !s.ok()) {
    status_ = std::move(s);  // names the file being replaced
    temp_path_.clear();
    return false;
  }
  file_bytes_ = 0;
  return true;
}

bool RecordFile::Commit(AfterFailure after_failure) {
  if (fd_ < 0 || temp_path_.empty()) return Close();
  const bool flushed = Flush();
  if (!flushed && after_failure == AfterFailure::kDiscard) return false;  // Close removes the new file
  // Whole records only; cut through the open file, as its name could meanwhile be another's.
  if (failed_ && after_failure == AfterFailure::kKeepWritten) (void)::ftruncate(fd_, static_cast<off_t>(file_bytes_));
  if (::close(fd_) != 0) {
    fd_ = -1;
    return Fail("を閉じられません");
  }
  fd_ = -1;
  if (failed_ && after_failure == AfterFailure::kDiscard) {
    ::unlink(temp_path_.c_str());
    temp_path_.clear();
    return false;
  }
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    Fail("を置き換えられません");
    dropped_ += file_bytes_ / static_cast<int64_t>(length_);  // every record of the new file is lost
    ::unlink(temp_path_.c_str());
    temp_path_.clear();
    return false;
  }
  temp_path_.clear();
  return !failed_;
}

bool RecordFile::Close() {
  if (fd_ < 0) return true;
  bool ok = Flush();
  if (::close(fd_) != 0) ok = Fail("を閉じられません");
  fd_ = -1;
  if (!temp_path_.empty()) {  // replaced file never committed: the old file stays
    ::unlink(temp_path_.c_str());
    temp_path_.clear();
  }
  pending_.clear();
  return ok;
}

int64_t RecordFile::Count() const {
  if (length_ == 0) return 0;
  return (file_bytes_ + static_cast<int64_t>(pending_.size())) / static_cast<int64_t>(length_);
}

bool RecordFile::Flush() {
  if (pending_.empty()) return true;
  const char* p = pending_.data();
  size_t left = pending_.size();
  off_t at = static_cast<off_t>(file_bytes_);
  while (left > 0) {
    ssize_t w = ::pwrite(fd_, p, left, at);
    if (w < 0) {
      if (errno == EINTR) continue;
      Fail("に書き込めません");
      // Keep the whole records that reached the disk; a part of one is cut off again.
      const int64_t written = static_cast<int64_t>(at) - file_bytes_;
      const int64_t whole = written / static_cast<int64_t>(length_) * static_cast<int64_t>(length_);
      dropped_ += static_cast<int64_t>(pending_.size() - static_cast<size_t>(whole)) / static_cast<int64_t>(length_);
      file_bytes_ += whole;
      if (::ftruncate(fd_, static_cast<off_t>(file_bytes_)) != 0) { /* the count ignores a partial tail anyway */ }
      pending_.clear();
      failed_ = true;
      return false;
    }
    p += w;
    left -= static_cast<size_t>(w);
    at += w;
  }
  file_bytes_ = at;
  pending_.clear();
  return true;
}

bool RecordFile::Read(int64_t n, std::string& record) {
  if (fd_ < 0) {
    status_ = Status::InvalidArgument(path_, Shown(path_) + " は開かれていません");
    return false;
  }
  if (n < 1 || n > Count()) {
    status_ = Status::InvalidArgument(path_, Shown(path_) + " にレコード " + std::to_string(n) + " はありません");
    return false;
  }
  if (!Flush()) return false;
  record.resize(length_);
  off_t at = static_cast<off_t>((n - 1) * static_cast<int64_t>(length_));
  size_t got = 0;
  while (got < length_) {
    ssize_t r = ::pread(fd_, record.data() + got, length_ - got, at + static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return Fail("を読めません");
    if (r == 0) {  // errno says nothing here
      status_ = Status::Corruption(path_, Shown(path_) + " を読めません（レコード " + std::to_string(n) + " の途中でファイルが終わっています）");
      return false;
    }
    got += static_cast<size_t>(r);
  }
  return true;
}

bool RecordFile::Write(int64_t n, std::string_view record) {
  if (fd_ < 0) {
    status_ = Status::InvalidArgument(path_, Shown(path_) + " は開かれていません");
    return false;
  }
  if (record.size() != length_ || n < 1) {
    status_ = Status::InvalidArgument(path_, Shown(path_) + " に書けないレコード " + std::to_string(n) + " です");
    return false;
  }
  const int64_t at = (n - 1) * static_cast<int64_t>(length_);
  if (at == file_bytes_ + static_cast<int64_t>(pending_.size())) {
    pending_.append(record);
    if (pending_.size() >= (1u << 20)) return Flush();
    return true;
  }
  if (!Flush()) return false;
  size_t done = 0;
  while (done < record.size()) {
    ssize_t w = ::pwrite(fd_, record.data() + done, record.size() - done, static_cast<off_t>(at + static_cast<int64_t>(done)));
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) {
      ++dropped_;
      failed_ = true;
      return Fail("に書き込めません");
    }
    done += static_cast<size_t>(w);
  }
  if (at + static_cast<int64_t>(length_) > file_bytes_) file_bytes_ = at + static_cast<int64_t>(length_);
  return true;
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

Status DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Status::OK();
  return Status::FromErrno("を削除できません", path, errno);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace radadovur::common
