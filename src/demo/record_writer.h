#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "jvdata/field.h"
#include "jvdata/record.h"

// Builds one delivered JV-Data record field by field: a record of the type's delivered length,
// blanks everywhere, the record type in front and CR LF at the end; texts are written
// left-aligned and blank-padded, numbers zero-padded, as JV-Data writes them.
namespace radadovur::demo {

class RecordWriter {
 public:
  explicit RecordWriter(jvdata::RecordType type);

  // CP932 bytes, left-aligned, blank-padded, cut to the width without splitting a character.
  RecordWriter& Bytes(const jvdata::Field& f, std::string_view cp932, uint32_t i = 0, uint32_t j = 0);
  // A UTF-8 text, converted to CP932.
  RecordWriter& Text(const jvdata::Field& f, std::string_view utf8, uint32_t i = 0, uint32_t j = 0);
  // A UTF-8 text padded with full-width blanks (an odd byte left over with one blank).
  RecordWriter& WideText(const jvdata::Field& f, std::string_view utf8, uint32_t i = 0, uint32_t j = 0);
  // A non-negative whole number, zero-padded to the width (the largest value that fits when
  // it does not).
  RecordWriter& Num(const jvdata::Field& f, int64_t value, uint32_t i = 0, uint32_t j = 0);
  // The whole field of one character.
  RecordWriter& Fill(const jvdata::Field& f, char c, uint32_t i = 0, uint32_t j = 0);
  // RecordSpec stays; DataCategory and CreatedDate ("yyyymmdd").
  RecordWriter& Header(char category, std::string_view created8);
  // The 16-character race identifier at offset 11.
  RecordWriter& RaceId(std::string_view race_id16);

  const std::string& bytes() const { return record_; }
  std::string Take() { return std::move(record_); }

 private:
  std::string record_;
};

// CP932 bytes cut to at most `width` bytes, never inside a double-byte character.
std::string CutCp932(std::string_view cp932, size_t width);

}  // namespace radadovur::demo
