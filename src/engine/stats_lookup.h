#pragma once
#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/status.h"
#include "jvdata/field.h"

// Finding a record in a statistics file of the package folder, and the figures the coders form
// from its columns.
namespace radadovur::engine {

// A statistics file by its name (without folder, any case): its record type and layout.
struct StatsFileKind {
  std::string_view file_name;
  std::string_view record_name;
  uint32_t length;
  std::span<const jvdata::FieldSpec> fields;
  // The key fields, digits only in every record (a horse's, a dam's or a sire's 10-digit number,
  // a jockey's or a trainer's 5-digit code).
  std::span<const jvdata::Field> digit_keys;
};
const StatsFileKind* StatsFileByName(std::string_view file_name);

// Every record's key fields hold digits only: Corruption naming the file, the record (from 1)
// and the key, for the first that does not. `bytes` holds whole records (jvdata::CheckRecordFile).
common::Status CheckStatsKeys(const std::string& path, std::string_view bytes, const StatsFileKind& kind);

// Finds records by key in the statistics files below "OPTION1N". The first record in file order
// whose first `key_width` characters equal the key wins. A file is opened read-only: a missing
// file is never created and reads as a file without records; a partial record at the end is
// ignored. Each file is read once and indexed; it is read again as soon as it is replaced or
// changes on disk, so a lookup always sees the extract as step ⑤ last wrote it (see Hold).
class StatsLookup {
 public:
  explicit StatsLookup(std::string app_path) : app_path_(std::move(app_path)) {}

  std::optional<std::string> Find(std::string_view file_name, size_t record_length, size_t key_width,
                                  std::string_view key);

  // Serves the file `file_name` (as the coders name it) from `bytes` instead of the package
  // folder, for code that works on a package not yet written (the demo generator).
  void Provide(std::string_view file_name, std::string bytes);

  // While held, each file is looked for and checked on disk once, at its first lookup, and then
  // served from memory: for a run of lookups during which nothing rewrites the extracts (step
  // ⑤'s calculation makes tens of thousands). Releasing forgets the checks.
  void Hold(bool held) {
    held_ = held;
    checked_.clear();
  }

 private:
  struct Signature {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    int64_t mtime_ns = 0, ctime_ns = 0;
    bool operator==(const Signature&) const = default;
  };
  struct Loaded {
    Signature signature;
    std::string bytes;
    size_t record_length = 0;
    // Per key width: key -> offset of the first record with that key.
    std::map<size_t, std::unordered_map<std::string, size_t>> index;
  };
  Loaded& Load(const std::string& path, size_t record_length);

  std::string app_path_;
  std::map<std::string, Loaded> files_;
  std::map<std::string, Loaded, std::less<>> provided_;
  bool held_ = false;
  std::map<std::string, Loaded*, std::less<>> checked_;  // while held: file name -> its file
};

// Holds `lookup` for the life of the guard.
class StatsLookupHold {
 public:
  explicit StatsLookupHold(StatsLookup& lookup) : lookup_(lookup) { lookup_.Hold(true); }
  ~StatsLookupHold() { lookup_.Hold(false); }
  StatsLookupHold(const StatsLookupHold&) = delete;
  StatsLookupHold& operator=(const StatsLookupHold&) = delete;

 private:
  StatsLookup& lookup_;
};

// Records in a file of `length` bytes: whole records only.
inline int64_t StatsRecordCount(int64_t length, size_t record_length) {
  return record_length == 0 ? 0 : length / static_cast<int64_t>(record_length);
}

// A key that names nothing ("0000000000", "00000" or all blanks): the coders take their
// fallback without a lookup.
bool IsNullKey(std::string_view key);

// The value of a column of a record (blank or non-numeric text reads as 0).
double ColumnValue(std::string_view record, const jvdata::Field& column);

// The ratio figure: floor(value / 4000); 0 for a value that is no number (NaN, an infinity or
// beyond any whole number, as a damaged statistics column can give).
int64_t RatioFigure(double value);

// The log figure: floor(10 * log10(x)); nullopt for x <= 0, NaN and infinity, which each coder
// handles with its fallback before any logarithm is taken.
std::optional<int64_t> LogFigure(double x);

}  // namespace radadovur::engine
