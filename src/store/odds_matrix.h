#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "jvdata/layout_odds.h"
#include "jvdata/record.h"

// The odds matrices: per race and bet kind, the odds of every combination of horse numbers 0 to
// 18, one value per line, in "KAIME/<RaceKey><suffix>". They are built from the odds text files
// (raw odds records, one per line), this week's or the realtime ones.
namespace radadovur::store {

// One pass: a bet kind's odds text files and its matrix file.
struct OddsPass {
  jvdata::RecordType type;
  const jvdata::odds::Family* family;
  std::string_view this_week_file;
  std::string_view realtime_file;
  std::string_view suffix;
};

// In the order the passes run: trifecta, trio, exacta, quinella.
extern const std::array<OddsPass, 4> kOddsPasses;

inline constexpr int kMatrixSide = 19;  // horse numbers 0 to 18

// Odds in tenths as the matrices write them: "12.3", "5", "0". Decimal digits only, so a value
// never picks up a binary rounding.
std::string OddsText(int32_t tenths);

// The working matrix of one record: 19 x 19 (two horses) or 19 x 19 x 19 (three) cells of odds in
// tenths. Line L of the file is cell L with the first horse outermost.
class OddsMatrix {
 public:
  explicit OddsMatrix(uint32_t horses);
  uint32_t horses() const { return horses_; }
  size_t Lines() const { return cells_.size(); }  // 361 or 6859
  void Clear();
  // The line of a cell: first * 19 + second (two horses), first * 361 + second * 19 + third.
  size_t LineOf(const std::array<int, 3>& h) const;
  void Set(const std::array<int, 3>& h, int32_t tenths) { cells_[LineOf(h)] = tenths; }
  int32_t At(size_t line) const { return cells_[line]; }
  // The file's bytes: one value per line, each ended by CR LF.
  std::string Text() const;

 private:
  uint32_t horses_;
  std::vector<int32_t> cells_;
};

// What one build of the matrices did.
struct OddsMatrixReport {
  int64_t records = 0;          // odds records turned into a matrix file
  int64_t files_written = 0;
  int64_t skipped_entries = 0;  // entries with a garbled horse number or odds text (unused ones are not counted)
  std::vector<std::string> missing_files;  // odds text files that do not exist (read as empty)
  common::StepFailures failures;           // unreadable files, unusable lines, failed writes
};

// Fills `matrix` from one odds record of the pass's kind (cleared first, so a cell the record does
// not name is 0). Returns the garbled entries skipped; an entry without a horse number (an unused
// one of a small field) names no cell and is passed over.
int64_t FillOddsMatrix(const OddsPass& pass, std::string_view record, OddsMatrix& matrix);

// "KAIME/" + Year MonthDay VenueCode RaceNum + suffix; empty when the record's race id is not
// made of digits (it would not name a file of this folder).
std::string OddsMatrixFileName(const OddsPass& pass, std::string_view record);

// Runs the four passes over the odds text files of `odds_source` (0 this week's, 1 realtime; any
// other value reads none). Each record of a file writes its race's matrix file through a
// temporary file, so a race present twice ends with the later record. `between_records` is called
// after each record, so that the window repaints while a large week's matrices are written.
OddsMatrixReport BuildOddsMatrices(const std::string& app_path, int odds_source,
                                   const std::function<void()>& between_records = {});

}  // namespace radadovur::store
