#include "store/realtime_files.h"

#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "store/record_block.h"
#include "store/store_files.h"

namespace radadovur::store {
namespace {

std::string RaceDateOf(std::string_view race) {
  return std::string(jvdata::ra::Year.Of(race)) + std::string(jvdata::ra::MonthDay.Of(race));
}

common::Status Append(const std::string& app_path, const StoreFile& file, const std::vector<std::string>& records) {
  if (records.empty()) return common::Status::OK();
  RecordBlock block;
  if (common::Status s = ReadRecordBlockOrEmpty(app_path, file, block); !s.ok()) return s;
  for (const auto& r : records) {
    if (r.size() != file.record_length)
      return common::Status::InvalidArgument(std::string(file.name), std::string(file.name) + ": " +
                                                                         std::to_string(r.size()) + " バイトの長さの合わないレコードです");
    block.bytes += r;
  }
  return common::WriteFileAtomic(PathOf(app_path, file), block.bytes);
}

}  // namespace

bool IsDamagedRealtimeFile(const common::Status& status) {
  if (!status.IsCorruption()) return false;
  const std::string& path = status.path();
  for (const StoreFile* file : {&kRaRealtime, &kSeRealtime, &kHrRealtime}) {
    if (!path.ends_with(file->name)) continue;
    const size_t before = path.size() - file->name.size();
    if (before == 0 || path[before - 1] == '/') return true;
  }
  return false;
}

common::Status CollectRealtimeDates(const std::string& app_path, std::vector<std::string>& dates) {
  dates.clear();
  RecordBlock races;
  if (common::Status s = ReadRecordBlock(app_path, kRaNew, races); !s.ok()) return s;
  const auto n = static_cast<int64_t>(races.count());
  if (n == 0) return common::Status::OK();
  // Record numbers count from 1; Record() from 0.
  auto date = [&](int64_t record) { return RaceDateOf(races.Record(static_cast<size_t>(record - 1))); };
  dates.push_back(date(n));
  for (int64_t i = n; i > n - kRealtimeRaceWindow && i > 1 && dates.size() < kRealtimeDays; --i) {
    if (date(i) != date(i - 1)) dates.push_back(date(i - 1));
  }
  return common::Status::OK();
}

common::Status AppendRealtimeRecords(const std::string& app_path, const RealtimeRecords& records) {
  if (common::Status s = Append(app_path, kRaRealtime, records.races); !s.ok()) return s;
  if (common::Status s = Append(app_path, kSeRealtime, records.entries); !s.ok()) return s;
  return Append(app_path, kHrRealtime, records.payouts);
}

}  // namespace radadovur::store
