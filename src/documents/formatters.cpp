#include "documents/formatters.h"

#include <array>
#include <cstdint>
#include <optional>

namespace radadovur::documents {
namespace {

using common::Status;

constexpr std::string_view kDash = "-";

// The characters of a fixed-width field from `start` (0-based), as far as the text reaches.
std::string_view Part(std::string_view text, size_t start, size_t width) {
  if (start >= text.size()) return {};
  return text.substr(start, width);
}

// Decimal digits with blanks before and after them; anything else (a sign, a blank between
// digits, no digit at all) is no whole number. Values above `max` are an overflow.
std::optional<int64_t> ReadDigits(std::string_view text, int64_t max) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  size_t end = text.size();
  while (end > i && text[end - 1] == ' ') --end;
  if (i == end) return std::nullopt;
  int64_t value = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > max) return std::nullopt;
  }
  return value;
}

Status NotANumber(std::string_view what, std::string_view field) {
  return Status::InvalidArgument(std::string(what),
                                 std::string(what) + " \"" + common::Shown(field) + "\" は数字ではありません");
}

bool IsBlank(std::string_view field, size_t width) {
  return field.size() == width && field.find_first_not_of(' ') == std::string_view::npos;
}

Status JoinParts(std::string_view what, std::string_view field, std::initializer_list<size_t> starts,
                 std::string_view separator, std::string* out) {
  out->clear();
  std::string text;
  bool first = true;
  for (size_t start : starts) {
    std::string number;
    if (!TwoCharacterNumber(Part(field, start, 2), &number).ok()) return NotANumber(what, field);
    if (!first) text += separator;
    first = false;
    text += number;
  }
  *out = std::move(text);
  return Status::OK();
}

Status Blank(std::string* out) {
  out->clear();
  return Status::OK();
}

}  // namespace

Status TwoCharacterNumber(std::string_view part, std::string* out) {
  out->clear();
  auto value = ReadDigits(part, INT16_MAX);
  if (!value) return NotANumber("馬番", part);
  std::string text = " " + std::to_string(*value);
  *out = text.substr(text.size() - 2);
  return Status::OK();
}

Status FormatTrio(std::string_view combination, std::string* out) {
  if (IsBlank(combination, 6)) return Blank(out);
  return JoinParts("3連複の組番", combination, {0, 2, 4}, kDash, out);
}

Status FormatTrioOrdered(std::string_view combination, std::string* out) {
  if (IsBlank(combination, 6)) return Blank(out);
  return JoinParts("3連単の組番", combination, {0, 2, 4}, kArrow, out);
}

Status FormatPair(std::string_view combination, std::string* out) {
  if (IsBlank(combination, 4)) return Blank(out);
  return JoinParts("馬連の組番", combination, {0, 2}, kDash, out);
}

Status FormatPairOrdered(std::string_view combination, std::string* out) {
  if (IsBlank(combination, 4)) return Blank(out);
  return JoinParts("馬単の組番", combination, {0, 2}, kArrow, out);
}

Status FormatUmaban(std::string_view horse_number, std::string* out) {
  if (IsBlank(horse_number, 2)) return Blank(out);
  return TwoCharacterNumber(horse_number, out);
}

Status FormatPayout(std::string_view amount, std::string* out) {
  out->clear();
  if (IsBlank(amount, 9)) return Status::OK();
  auto value = ReadDigits(amount, INT32_MAX);
  if (!value) return NotANumber("払戻金", amount);
  *out = std::to_string(*value);
  return Status::OK();
}

Status FormatBracketPair(std::string_view brackets, std::string* out) {
  out->clear();
  if (IsBlank(brackets, 2)) return Status::OK();
  auto first = ReadDigits(Part(brackets, 0, 1), INT16_MAX);
  auto second = ReadDigits(Part(brackets, 1, 1), INT16_MAX);
  if (!first || !second) return NotANumber("枠連の組番", brackets);
  *out = std::to_string(*first) + "-" + std::to_string(*second);
  return Status::OK();
}

Status JoinHorseNumbers(std::string_view entry, std::initializer_list<size_t> starts, std::string_view separator,
                        std::string* out) {
  return JoinParts("買い目", entry, starts, separator, out);
}

Status FormatBaseTrio(std::string_view base_trio, std::string* out) {
  return JoinParts("3連単の軸3頭", base_trio, {0, 2, 4}, kDash, out);
}

Status FormatBaseTrioOrder(int order, std::string_view base_trio, std::string* out) {
  // Start of a, b and c in each order, as the six orders of a triple are numbered.
  static constexpr std::array<std::array<size_t, 3>, 6> kOrders = {{
      {0, 2, 4},  // a b c
      {0, 4, 2},  // a c b
      {2, 0, 4},  // b a c
      {2, 4, 0},  // b c a
      {4, 0, 2},  // c a b
      {4, 2, 0},  // c b a
  }};
  if (order < 1 || order > 6) {
    out->clear();
    return Status::InvalidArgument("3連単の並び", "3連単の並び " + std::to_string(order) + " は1〜6ではありません");
  }
  const auto& o = kOrders[static_cast<size_t>(order - 1)];
  return JoinParts("3連単の組番", base_trio, {o[0], o[1], o[2]}, kArrow, out);
}

}  // namespace radadovur::documents
