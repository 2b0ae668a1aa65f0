#include "demo/record_writer.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "common/cp932.h"

namespace radadovur::demo {
namespace {
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
}  // namespace

namespace {
// Bytes of `cp932` that fit in `width` without splitting a double-byte character.
size_t FitLength(std::string_view cp932, size_t width) {
  size_t at = 0;
  while (at < cp932.size()) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(cp932[at])) ? 2 : 1;
    if (at + step > width) break;
    at += step;
  }
  return at;
}
}  // namespace

std::string CutCp932(std::string_view cp932, size_t width) { return std::string(cp932.substr(0, FitLength(cp932, width))); }

RecordWriter::RecordWriter(jvdata::RecordType type) {
  const jvdata::Layout* layout = jvdata::DeliveredLayout(type);
  if (!layout) throw std::logic_error("RecordWriter: no layout for the record type");
  record_.assign(layout->length, ' ');
  record_.replace(0, 2, std::string(layout->spec));
  record_[layout->length - 2] = '\r';
  record_[layout->length - 1] = '\n';
}

RecordWriter& RecordWriter::Bytes(const jvdata::Field& f, std::string_view cp932, uint32_t i, uint32_t j) {
  const size_t at = f.At(i, j);
  if (at + f.width > record_.size()) throw std::logic_error("RecordWriter: field past the record's end");
  const size_t n = FitLength(cp932, f.width);
  record_.replace(at, n, cp932.data(), n);
  std::fill(record_.begin() + static_cast<std::ptrdiff_t>(at + n), record_.begin() + static_cast<std::ptrdiff_t>(at + f.width), ' ');
  return *this;
}

RecordWriter& RecordWriter::Text(const jvdata::Field& f, std::string_view utf8, uint32_t i, uint32_t j) {
  return Bytes(f, common::ToCp932(utf8), i, j);
}

RecordWriter& RecordWriter::WideText(const jvdata::Field& f, std::string_view utf8, uint32_t i, uint32_t j) {
  std::string text = CutCp932(common::ToCp932(utf8), f.width);
  while (text.size() + 2 <= f.width) text += "\x81\x40";
  return Bytes(f, text, i, j);
}

RecordWriter& RecordWriter::Num(const jvdata::Field& f, int64_t value, uint32_t i, uint32_t j) {
  char digits[24];
  const int len = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value < 0 ? 0 : value));
  char buf[24];
  if (static_cast<uint32_t>(len) > f.width || f.width >= sizeof buf) {
    std::fill(buf, buf + std::min<size_t>(f.width, sizeof buf), '9');
  } else {
    std::fill(buf, buf + f.width - static_cast<uint32_t>(len), '0');
    std::copy(digits, digits + len, buf + f.width - static_cast<uint32_t>(len));
  }
  return Bytes(f, std::string_view(buf, std::min<size_t>(f.width, sizeof buf)), i, j);
}

RecordWriter& RecordWriter::Fill(const jvdata::Field& f, char c, uint32_t i, uint32_t j) {
  return Bytes(f, std::string(f.width, c), i, j);
}

RecordWriter& RecordWriter::Header(char category, std::string_view created8) {
  record_[2] = category;
  return Bytes(jvdata::Field{3, 8}, created8);
}

RecordWriter& RecordWriter::RaceId(std::string_view race_id16) { return Bytes(jvdata::Field{11, 16}, race_id16); }

}  // namespace radadovur::demo
