#include "store/cancellation.h"

#include <functional>
#include <unordered_map>
#include <vector>

#include "jvdata/layout_ra.h"
#include "store/record_block.h"
#include "store/store_files.h"
#include "store/store_keys.h"

namespace radadovur::store {
namespace {

using KeyOf = std::function<std::string(std::string_view)>;

// The header (and so DataCategory) is the same in every record type.
std::string_view CategoryOf(std::string_view record) { return jvdata::ra::DataCategory.Of(record); }

// One working copy and the week's file rebuilt from it.
struct CancelPass {
  const StoreFile& realtime;
  const StoreFile& working;
  const StoreFile& week;
  KeyOf key_of;
};

common::Status Run(const std::string& app_path, const CancelPass& pass) {
  RecordBlock realtime;
  if (common::Status s = ReadRecordBlockOrEmpty(app_path, pass.realtime, realtime); !s.ok())
    return s;
  // Cancelled versions by key; of two for one key the later one is written last, so it stays.
  std::unordered_map<std::string, std::string_view> cancelled;
  for (size_t i = 0; i < realtime.count(); ++i)
    if (CategoryOf(realtime.Record(i)) == "9") cancelled[pass.key_of(realtime.Record(i))] = realtime.Record(i);

  RecordBlock working;
  if (common::Status s = ReadRecordBlock(app_path, pass.working, working); !s.ok())
    return s;
  std::vector<std::string_view> records(working.count());
  bool changed = false;
  for (size_t i = 0; i < records.size(); ++i) {
    records[i] = working.Record(i);
    if (cancelled.empty()) continue;
    if (auto it = cancelled.find(pass.key_of(records[i])); it != cancelled.end() && it->second != records[i]) {
      records[i] = it->second;
      changed = true;
    }
  }
  if (changed) {
    if (common::Status s = WriteRecords(PathOf(app_path, pass.working), pass.working.record_length, records); !s.ok())
      return s;
  }

  std::vector<std::string_view> kept;
  for (std::string_view r : records)
    if (CategoryOf(r) != "1" && CategoryOf(r) != "9") kept.push_back(r);
  return WriteRecords(PathOf(app_path, pass.week), pass.week.record_length, kept);
}

}  // namespace

common::Status ApplyCancellations(const std::string& app_path) {
  if (common::Status s = Run(app_path, {kRaRealtime, kRaNewD, kRaNew, CancelRaceKey}); !s.ok()) return s;
  return Run(app_path, {kSeRealtime, kSeNewD, kSeNew, CancelEntryKey});
}

}  // namespace radadovur::store
