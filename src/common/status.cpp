#include "common/status.h"

#include <cerrno>
#include <cstring>

namespace radadovur::common {

Status Status::FromErrno(const std::string& action, std::string path, int error) {
  std::string detail = action + " " + path + ": " + std::strerror(error);
  return Status(error == ENOENT ? Code::kNotFound : Code::kIoError, std::move(path), std::move(detail));
}

std::string Shown(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : value) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string Status::ToString() const {
  if (ok()) return "OK";
  return detail_.empty() ? path_ : detail_;
}

std::vector<std::string> StepFailures::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(items.size());
  for (const auto& s : items) texts.push_back(s.ToString());
  return texts;
}

}  // namespace radadovur::common
