#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "store/store_files.h"

// A whole fixed-length record file held in memory, for the passes that read every record.
namespace radadovur::store {

struct RecordBlock {
  std::string bytes;
  size_t length = 0;

  size_t count() const { return length == 0 ? 0 : bytes.size() / length; }
  // Record i, counted from 0.
  std::string_view Record(size_t i) const { return std::string_view(bytes).substr(i * length, length); }
};

// Reads every record of a store file, read-only. NotFound for a missing file (never created);
// Corruption, naming the first bad record, when the file is not whole records of `file`'s type
// each with its type tag and line end (jvdata::CheckRecords): a byte inserted or lost shifts
// every later record, and such a file is refused whole rather than passed on.
common::Status ReadRecordBlock(const std::string& app_path, const StoreFile& file, RecordBlock& block);

// Rewrites a record file with these records, through a temporary file renamed over it.
common::Status WriteRecords(const std::string& path, size_t length, const std::vector<std::string_view>& records);

}  // namespace radadovur::store
