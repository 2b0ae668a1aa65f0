#include "engine/this_weeks_runs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/convert.h"
#include "common/data_name.h"
#include "common/regular_file.h"
#include "engine/ex_record.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "store/store_files.h"

namespace radadovur::engine {
namespace {

// The last `count` whole records of a file of `length`-byte records (fewer when it holds fewer);
// nothing when the file does not exist. Only a regular file is read.
common::Status ReadLastRecords(const std::string& path, size_t length, size_t count, std::string& bytes) {
  bytes.clear();
  int fd = -1;
  if (common::Status opened = common::OpenRegularFile(path, O_RDONLY, 0, "cannot read", fd); !opened.ok())
    return opened.IsNotFound() ? common::Status::OK() : opened;
  struct stat st {};
  common::Status status;
  if (::fstat(fd, &st) != 0) {
    status = common::Status::FromErrno("cannot stat", path, errno);
  } else {
    const size_t records = static_cast<size_t>(st.st_size) / length;
    const size_t take = records < count ? records : count;
    bytes.resize(take * length);
    const off_t at = static_cast<off_t>((records - take) * length);
    size_t got = 0;
    while (got < bytes.size()) {
      const ssize_t r = ::pread(fd, bytes.data() + got, bytes.size() - got, at + static_cast<off_t>(got));
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) {
        status = r < 0 ? common::Status::FromErrno("cannot read", path, errno)
                       : common::Status::Corruption(path, path + ": shorter than its length");
        bytes.clear();
        break;
      }
      got += static_cast<size_t>(r);
    }
  }
  ::close(fd);
  return status;
}

}  // namespace

std::optional<bool> DropsStaleLastEntry(std::string_view last, std::string_view before) {
  const auto last_date = common::WholeNumber(jvdata::se::CreatedDate.Of(last));
  const auto before_date = common::WholeNumber(jvdata::se::CreatedDate.Of(before));
  if (!last_date || !before_date) return std::nullopt;
  return *last_date < *before_date;
}

common::Status ReadNewestRun(const std::string& app_path, std::string_view ketto_num, std::string& newest) {
  newest.clear();
  std::string name;
  if (common::Status s = UmagotoExFileName(ketto_num, name); !s.ok()) return s;
  return ReadLastRecords(app_path + name, ex::kLength, 1, newest);
}

bool IsThisWeeksNewestRun(const std::string& app_path, std::string_view ketto_num, std::string_view race_key,
                          std::string_view newest) {
  if (newest.size() < ex::kLength) return false;
  if (jvdata::RaceKey(newest) == race_key) return true;
  // The stale rule may have dropped the entry of this week's race: then the run before it is newest.
  std::string name, entries;
  if (!store::UmagotoFileName(ketto_num, name).ok()) return false;
  if (!ReadLastRecords(app_path + name, jvdata::se::kLength, 2, entries).ok() ||
      entries.size() != 2 * jvdata::se::kLength)
    return false;
  const std::string_view before = std::string_view(entries).substr(0, jvdata::se::kLength);
  const std::string_view last = std::string_view(entries).substr(jvdata::se::kLength);
  return jvdata::RaceKey(last) == race_key && DropsStaleLastEntry(last, before).value_or(false) &&
         jvdata::RaceIdOf(before) == jvdata::RaceIdOf(newest);
}

}  // namespace radadovur::engine
