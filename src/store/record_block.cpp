#include "store/record_block.h"

#include "common/record_file.h"
#include "common/text_file.h"

namespace radadovur::store {

using common::RecordFile;
using common::Status;

common::Status ReadRecordBlock(const std::string& path, size_t length, RecordBlock& block) {
  block.bytes.clear();
  block.length = length;
  {
    common::RecordFile file;  // creates a missing file empty
    if (!file.Open(path, length)) return file.status();
  }
  if (common::Status s = common::ReadWholeFile(path, block.bytes); !s.ok()) return s;
  block.bytes.resize(block.count() * length);
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
