#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// Text files of the store: whole-file reads and atomic rewrites, record-per-line files, quoted
// lines (one quoted value per line) and comma-separated items, all in CP932 with CR LF.
namespace radadovur::common {

// The whole file into `bytes`; NotFound for a missing file, IoError when it cannot be read.
Status ReadWholeFile(const std::string& path, std::string& bytes);
// For a file that may not be there: a missing file reads as empty and is no failure; one that
// is there but cannot be read (not a regular file, no permission) is.
Status ReadFileOrEmpty(const std::string& path, std::string& bytes);
// The same where the reason does not matter: nullopt when the file cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes bytes to a temporary file beside `path` (made anew: a leftover or a link of its name is
// removed, never followed) and renames it over `path` (a link there is replaced, not followed).
Status WriteFileAtomic(const std::string& path, std::string_view bytes);

// Appends bytes (opening for appending, writing, closing); creates the file when missing. The
// bytes go in whole or not at all: after a write that failed part way (a full disk) the file is
// cut back to its old size. Only a regular file is written, never one through a link in its place.
Status AppendToFile(const std::string& path, std::string_view bytes);

// Lines of a text, split at CR LF (a lone LF also ends a line); no length limit. A final line
// without a line end counts; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// `"value"` CR LF.
std::string QuotedLine(std::string_view value);

// False for a value that a quoted line cannot hold (a quote, CR or LF in it).
bool QuotableValue(std::string_view value);

// Writes one quoted value per line through a temporary file; InvalidArgument, and nothing
// written, when a value is not quotable.
Status WriteQuotedLines(const std::string& path, const std::vector<std::string>& values);

// Reads a file of comma-separated items item by item, as written by CsvLine: a quoted item runs
// to its closing quote, a bare one to the next comma or line end (blanks around it dropped).
// Line ends separate items like commas; empty lines are passed over, and a comma before a line
// end leaves an empty last item ("a,b,\r\n" is three items).
class CsvItemReader {
 public:
  explicit CsvItemReader(std::string text) : text_(std::move(text)) {}
  bool Next(std::string& item);
  // The same item as a view that lives as long as the reader.
  bool Next(std::string_view& item);
  bool AtEnd();

 private:
  std::string text_;
  size_t pos_ = 0;
  bool line_start_ = true;  // not right after a comma
};

// Every item of a quoted-line (or comma-separated) file; a missing file gives none.
std::vector<std::string> ReadQuotedValues(const std::string& path);

// One line of comma-separated items: texts quoted, numbers bare, CR LF at the end.
class CsvLine {
 public:
  CsvLine& Text(std::string_view value);
  CsvLine& Number(double value);
  CsvLine& Number(float value);
  CsvLine& Whole(long long value);
  std::string Str() const { return line_ + "\r\n"; }

 private:
  void Sep();
  std::string line_;
  bool first_ = true;
};

}  // namespace radadovur::common
