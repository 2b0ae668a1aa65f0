#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "common/text_file.h"

// The documents and tables of past meeting days read as one stream of items: commas and line
// ends separate items alike, a quoted item loses its quotes, blanks around a bare item are
// dropped, empty lines are passed over, and a comma before a line end leaves an empty last item.
// Items are the file's code page 932 bytes; the separators are ASCII, which no double-byte
// character contains.
namespace radadovur::history {

class ItemStream {
 public:
  ItemStream() = default;
  explicit ItemStream(std::string bytes) : reader_(std::move(bytes)) {}
  // The file's items; a missing or unreadable file (or one that is not a regular file) gives none.
  static ItemStream Open(const std::string& path);
  // The same where a file that cannot be read must be reported: its status, and no items.
  static common::Status Read(const std::string& path, ItemStream& stream);

  // The next item, or false at the end. The view lives as long as the stream.
  bool Next(std::string_view& item);
  // The next item; empty at the end (a read that fails gives nothing, never an earlier item).
  std::string_view NextOr();
  // Passes over `n` items.
  void Skip(int n);
  bool AtEnd() { return reader_.AtEnd(); }

 private:
  common::CsvItemReader reader_{std::string()};
};

}  // namespace radadovur::history
