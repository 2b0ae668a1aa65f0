#include "common/tagged_line.h"

#include <algorithm>

#include "common/cp932.h"

namespace radadovur::common {
namespace {

constexpr std::string_view kFullWidthComma = "\x81\x43";  // U+FF0C
constexpr std::string_view kFullWidthQuote = "\xFA\x57";  // U+FF02
constexpr std::string_view kFullWidthBlank = "\x81\x40";  // U+3000, for a line break

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// A bare item as TaggedLine::Whole or a real number writes it.
bool IsNumberItem(std::string_view item) {
  if (item.starts_with('-')) item.remove_prefix(1);
  bool digit = false, point = false;
  for (const char c : item) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace

Status SplitTaggedLine(std::string_view line, std::vector<std::string_view>& items) {
  items.clear();
  auto fault = [&](std::string_view why) {
    return Status::InvalidArgument("tagged line", std::to_string(items.size() + 1) + " 番目の項目" + std::string(why));
  };
  size_t at = 0;
  for (;;) {
    std::string_view item;
    const bool quoted = at < line.size() && line[at] == '"';
    if (quoted) {
      const size_t close = line.find('"', at + 1);
      if (close == std::string_view::npos) return fault("の閉じる引用符がありません");
      item = line.substr(at + 1, close - at - 1);
      at = close + 1;
      if (at < line.size() && line[at] != ',') return fault("の引用符の後に余分な文字があります");
    } else {
      item = line.substr(at, std::min(line.find(',', at), line.size()) - at);
      at += item.size();
      if (item.find('"') != std::string_view::npos) return fault("の引用符が欠けています");
    }
    if (item.find_first_of("\r\n") != std::string_view::npos) return fault("の中に改行があります");
    if (!quoted && !item.empty() && !IsNumberItem(item)) return fault("が引用符で囲まれていません");
    items.push_back(item);
    if (at >= line.size()) return Status::OK();
    ++at;  // the comma
  }
}

std::string FullWidthSeparators(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size());
  for (size_t i = 0; i < cp932.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(cp932[i]);
    // A lead byte without a trail byte (a text cut or damaged) is a byte of its own, so that a
    // separator after it is still replaced.
    if (IsLeadByte(c) && i + 1 < cp932.size() && IsTrailByte(static_cast<unsigned char>(cp932[i + 1]))) {
      out += cp932.substr(i, 2);
      ++i;
    } else if (c == ',') {
      out += kFullWidthComma;
    } else if (c == '"') {
      out += kFullWidthQuote;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < cp932.size() && cp932[i + 1] == '\n') ++i;
      out += kFullWidthBlank;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

TaggedLine::TaggedLine(std::string_view tag) {
  line_ += '"';
  line_ += FullWidthSeparators(tag);
  line_ += '"';
}

TaggedLine& TaggedLine::Text(std::string_view cp932) {
  Separator();
  line_ += '"';
  line_ += FullWidthSeparators(cp932);
  line_ += '"';
  return *this;
}

TaggedLine& TaggedLine::Label(std::string_view utf8) { return Text(ToCp932(utf8)); }

TaggedLine& TaggedLine::Whole(long long value) {
  Separator();
  line_ += std::to_string(value);
  return *this;
}

TaggedLine& TaggedLine::Nothing() {
  Separator();
  return *this;
}

TaggedLine& TaggedLine::TextOrNothing(const std::optional<std::string>& cp932) {
  return cp932 ? Text(*cp932) : Nothing();
}

}  // namespace radadovur::common
