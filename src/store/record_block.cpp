#include "store/record_block.h"

#include <cerrno>
#include <cstring>

#include "common/record_file.h"
#include "common/text_file.h"

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
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  block.bytes = std::move(*bytes);
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
