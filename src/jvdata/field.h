#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A field of a fixed-layout JV-Data record: `width` bytes at `offset`; a repeated field has
// `count` elements `stride` bytes apart, and a field repeated inside a repeated group a second
// dimension (`count2`, `stride2`). Fields are cut out of the record bytes, never converted.
namespace radadovur::jvdata {

struct Field {
  uint32_t offset;
  uint32_t width;
  uint32_t count = 1;
  uint32_t stride = 0;
  uint32_t count2 = 1;
  uint32_t stride2 = 0;

  constexpr uint32_t At(uint32_t i = 0, uint32_t j = 0) const { return offset + i * stride + j * stride2; }
  // The field's bytes in `record` (element i, j); shorter or empty past the record's end.
  std::string_view Of(std::string_view record, uint32_t i = 0, uint32_t j = 0) const {
    const uint32_t at = At(i, j);
    if (at >= record.size()) return {};
    return record.substr(at, width);
  }
  std::string Str(std::string_view record, uint32_t i = 0, uint32_t j = 0) const { return std::string(Of(record, i, j)); }
};

// One row of a layout table: the field and the name under which the program shows it
// ("_" joins a repeated group's name and its member's).
struct FieldSpec {
  const char* name;
  Field field;
};

struct Layout {
  std::string_view spec;  // "RA", "SE", ...
  uint32_t length;        // record length, CR LF included
  std::span<const FieldSpec> fields;
};

// True when the fields cover bytes 0..N-1 exactly once: no gap, no overlap, nothing past the end.
template <size_t N, size_t K>
constexpr bool TilesExactly(const std::array<FieldSpec, K>& fields) {
  std::array<bool, N> used{};
  for (const auto& row : fields) {
    const Field& f = row.field;
    for (uint32_t i = 0; i < f.count; ++i)
      for (uint32_t j = 0; j < f.count2; ++j)
        for (uint32_t b = 0; b < f.width; ++b) {
          const uint32_t at = f.At(i, j) + b;
          if (at >= N || used[at]) return false;
          used[at] = true;
        }
  }
  for (bool u : used)
    if (!u) return false;
  return true;
}

}  // namespace radadovur::jvdata

// Declares each row of an X-list as a named Field constant and as a row of kFields.
#define RADADOVUR_FIELD_CONST(id, off, w, n, s, n2, s2) inline constexpr ::radadovur::jvdata::Field id{off, w, n, s, n2, s2};
#define RADADOVUR_FIELD_ROW(id, off, w, n, s, n2, s2) ::radadovur::jvdata::FieldSpec{#id, ::radadovur::jvdata::Field{off, w, n, s, n2, s2}},
#define RADADOVUR_COUNT_ROW(id, off, w, n, s, n2, s2) +1
#define RADADOVUR_LAYOUT(LIST)                                                   \
  LIST(RADADOVUR_FIELD_CONST)                                                    \
  inline constexpr std::array<::radadovur::jvdata::FieldSpec, 0 LIST(RADADOVUR_COUNT_ROW)> kFields{{LIST(RADADOVUR_FIELD_ROW)}};
