#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// A whole fixed-length record file held in memory, for the passes that read every record.
namespace radadovur::store {

struct RecordBlock {
  std::string bytes;
  size_t length = 0;

  size_t count() const { return length == 0 ? 0 : bytes.size() / length; }
  // Record i, counted from 0.
  std::string_view Record(size_t i) const { return std::string_view(bytes).substr(i * length, length); }
};

// Reads every record of a record file. A missing file is created empty, as opening a store file
// always does, and has no records; bytes after the last whole record are not a record.
common::Status ReadRecordBlock(const std::string& path, size_t length, RecordBlock& block);

// Rewrites a record file with these records, through a temporary file renamed over it.
common::Status WriteRecords(const std::string& path, size_t length, const std::vector<std::string_view>& records);

}  // namespace radadovur::store
