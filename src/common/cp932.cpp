#include "common/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace radadovur::common {
namespace {

// One conversion; false on an invalid or unconvertible sequence. On failure `bad` is the offset of
// the first byte that could not be converted.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out, size_t& bad) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("シフトJIS（CP932）の変換を用意できません");
  out.clear();
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  bool ok = true;
  while (src_left > 0) {
    size_t r = ::iconv(cd, &src, &src_left, &dst, &dst_left);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) {
        size_t used = static_cast<size_t>(dst - out.data());
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dst_left = out.size() - used;
        continue;
      }
      ok = false;
      break;
    }
    if (r > 0) {  // glibc counts irreversible (substituted) conversions here
      ok = false;
      break;
    }
  }
  bad = static_cast<size_t>(src - in.data());
  out.resize(static_cast<size_t>(dst - out.data()));
  ::iconv_close(cd);
  return ok;
}

}  // namespace

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  std::string out;
  size_t bad = 0;
  if (!Convert("CP932", "UTF-8", utf8, out, bad)) return std::nullopt;
  // iconv maps a few characters to look-alikes without saying so (the yen sign to 0x5C):
  // only a form that reads back as the same text counts.
  std::string back;
  if (!Convert("UTF-8", "CP932", out, back, bad) || back != utf8) return std::nullopt;
  return out;
}

std::string ToCp932(std::string_view utf8) {
  auto r = EncodeCp932(utf8);
  if (!r) throw std::runtime_error("シフトJIS（CP932）にできない文字があります: " + std::string(utf8));
  return *r;
}

std::optional<std::string> DecodeCp932(std::string_view bytes) {
  std::string out;
  size_t bad = 0;
  if (!Convert("UTF-8", "CP932", bytes, out, bad)) return std::nullopt;
  return out;
}

std::string DecodeCp932Lossy(std::string_view bytes) {
  std::string result;
  while (!bytes.empty()) {
    std::string out;
    size_t bad = 0;
    bool ok = Convert("UTF-8", "CP932", bytes, out, bad);
    result += out;
    if (ok) break;
    static const char* hex = "0123456789ABCDEF";
    unsigned char c = static_cast<unsigned char>(bytes[bad]);
    result += "\\x";
    result += hex[c >> 4];
    result += hex[c & 15];
    bytes.remove_prefix(bad + 1);
  }
  return result;
}

std::string DisplayText(std::string_view bytes) {
  std::string text = DecodeCp932Lossy(bytes);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      out += ' ';  // U+0080..U+009F
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

size_t Utf8Length(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

namespace {
// Byte offset of the start of character index `chars` (or s.size()).
size_t Utf8Offset(std::string_view s, size_t chars) {
  size_t seen = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (seen == chars) return i;
      ++seen;
    }
  }
  return s.size();
}
}  // namespace

std::string Utf8Left(std::string_view s, size_t n) { return std::string(s.substr(0, Utf8Offset(s, n))); }

std::string Utf8Right(std::string_view s, size_t n) {
  size_t len = Utf8Length(s);
  if (n >= len) return std::string(s);
  return std::string(s.substr(Utf8Offset(s, len - n)));
}

}  // namespace radadovur::common
