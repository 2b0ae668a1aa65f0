#include "store/record_block.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/record_file.h"

namespace radadovur::store {

bool ReadRecordBlock(const std::string& path, size_t length, RecordBlock& block, std::string& error) {
  block.bytes.clear();
  block.length = length;
  {
    RecordFile file;  // creates a missing file empty
    if (!file.Open(path, length)) {
      error = file.error();
      return false;
    }
  }
  // One read of the whole file straight into the block.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return false;
  }
  block.bytes.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < block.bytes.size()) {
    const ssize_t r = ::read(fd, block.bytes.data() + got, block.bytes.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      error = "cannot read " + path + ": " + std::strerror(errno);
      ::close(fd);
      block.bytes.clear();
      return false;
    }
    if (r == 0) break;  // the file shrank meanwhile
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  block.bytes.resize(got);
  block.bytes.resize(block.count() * length);
  return true;
}

bool WriteRecords(const std::string& path, size_t length, const std::vector<std::string_view>& records,
                  std::string& error) {
  RecordFile file;
  bool ok = file.OpenReplacing(path, length);
  for (size_t i = 0; ok && i < records.size(); ++i) ok = file.Append(records[i]);
  if (ok) ok = file.Commit();
  if (!ok) {
    error = file.error();
    file.Close();  // an uncommitted new file is removed; the old one stays
  }
  return ok;
}

}  // namespace radadovur::store
