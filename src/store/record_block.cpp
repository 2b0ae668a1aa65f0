#include "store/record_block.h"

#include "common/record_file.h"
#include "common/text_file.h"
#include "store/realtime_files.h"

namespace radadovur::store {

using common::RecordFile;
using common::Status;

common::Status ReadRecordBlock(const std::string& app_path, const StoreFile& file, RecordBlock& block) {
  const std::string path = PathOf(app_path, file);
  block.length = file.record_length;
  if (common::Status s = common::ReadWholeFile(path, block.bytes); !s.ok()) return s;
  if (common::Status s = jvdata::CheckRecordFile(path, block.bytes, *jvdata::StoredLayout(file.type)); !s.ok()) {
    block.bytes.clear();
    // Redoing step ① would not mend a realtime file.
    if (IsDamagedRealtimeFile(s))
      return common::Status::Corruption(path, s.ToString() + " " + std::string(kDamagedRealtimeFileRemedy));
    return s;
  }
  return common::Status::OK();
}

common::Status WriteRecords(const std::string& path, size_t length, const std::vector<std::string_view>& records) {
  common::RecordFile file;
  bool ok = file.OpenReplacing(path, length);
  for (size_t i = 0; ok && i < records.size(); ++i) ok = file.Append(records[i]);
  if (ok) ok = file.Commit();
  if (ok) return common::Status::OK();
  common::Status status = file.status();
  file.Close();  // an uncommitted new file is removed; the old one stays
  return status;
}

}  // namespace radadovur::store

namespace radadovur::store {

common::Status ReadRecordBlockOrEmpty(const std::string& app_path, const StoreFile& file, RecordBlock& block) {
  common::Status s = ReadRecordBlock(app_path, file, block);
  if (!s.IsNotFound()) return s;
  block.bytes.clear();
  block.length = file.record_length;
  return common::Status::OK();
}

}  // namespace radadovur::store
