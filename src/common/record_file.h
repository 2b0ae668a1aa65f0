#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"

namespace radadovur::common {

// A file of fixed-length records numbered from 1; record n occupies bytes (n-1)*len .. n*len-1,
// and the record count is the file length divided by the record length. Opening a missing file
// creates it empty. Appends are buffered; any other access flushes first.
//
// OpenReplacing writes a new file beside the old one; Commit renames it over the old name, so a
// step that fails half way never leaves half a file. Without Commit the new file is removed.
//
// When the disk refuses a write, the records that did not reach it are counted (dropped_records)
// and the file keeps only whole records, so later appends follow the last record on disk.
class RecordFile {
 public:
  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  RecordFile(RecordFile&& other) noexcept;
  RecordFile& operator=(RecordFile&& other) noexcept;
  ~RecordFile();

  bool Open(const std::string& path, size_t record_length);
  bool OpenReplacing(const std::string& path, size_t record_length);
  // After a failed write: kDiscard keeps the old file, kKeepWritten puts the records that were
  // written in its place all the same (and still returns false).
  enum class AfterFailure { kDiscard, kKeepWritten };
  bool Commit(AfterFailure after_failure = AfterFailure::kDiscard);
  bool Close();

  bool is_open() const { return fd_ >= 0; }
  size_t record_length() const { return length_; }
  const std::string& path() const { return path_; }
  int64_t Count() const;

  // Reads record n (1-based); false when n is outside 1..Count().
  bool Read(int64_t n, std::string& record);
  // Writes record n; the record must be exactly record_length() bytes. Writing past the end
  // extends the file.
  bool Write(int64_t n, std::string_view record);
  bool Append(std::string_view record) { return Write(Count() + 1, record); }

  // What the last failing call could not do, for the step's failure report.
  const Status& status() const { return status_; }
  // Records given to Write that never reached the file.
  int64_t dropped_records() const { return dropped_; }

 private:
  bool Flush();
  bool Fail(const char* what);

  int fd_ = -1;
  size_t length_ = 0;
  int64_t file_bytes_ = 0;  // bytes on disk
  std::string pending_;     // appended records not yet written
  std::string path_;        // the name the file has (or will have after Commit)
  std::string temp_path_;   // non-empty while replacing
  Status status_;
  int64_t dropped_ = 0;
  bool failed_ = false;  // a write failed since the file was opened
};

// A write past the file-size limit (ulimit -f) would kill the program by SIGXFSZ; ignored, it
// fails with EFBIG and is reported like a full disk. The programs call this first thing.
void IgnoreFileSizeSignal();

// Deletes a file; a missing file is no error.
Status DeleteFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace radadovur::common
