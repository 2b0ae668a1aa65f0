#include "engine/this_weeks_runs.h"

#include "common/convert.h"
#include "common/data_name.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "store/store_files.h"

namespace radadovur::engine {
namespace {

// The last `count` whole records of a file of `length`-byte records (fewer when it holds fewer);
// nothing when the file does not exist.
common::Status ReadLastRecords(const std::string& path, size_t length, size_t count, std::string& bytes) {
  common::Status status = common::ReadWholeFile(path, bytes);
  if (!status.ok()) {
    bytes.clear();
    return status.IsNotFound() ? common::Status::OK() : status;
  }
  const size_t records = bytes.size() / length;
  const size_t take = records < count ? records : count;
  bytes = bytes.substr((records - take) * length, take * length);
  return common::Status::OK();
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
