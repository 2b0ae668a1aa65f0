#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "jvdata/field.h"
#include "jvdata/record.h"

// Hand-made JV-Data records for tests: a delivered record of the type's full length, blanks
// everywhere, the record type in front, CR LF at the end, then the given fields written at
// their offsets (left-aligned, blank-padded, cut to the width).
namespace radadovur::testing {

struct FieldValue {
  jvdata::Field field;
  std::string value;  // CP932 bytes
  uint32_t i = 0;
  uint32_t j = 0;
};

inline std::string MakeRecord(jvdata::RecordType type, const std::vector<FieldValue>& values) {
  const jvdata::Layout* layout = jvdata::DeliveredLayout(type);
  std::string r(layout->length, ' ');
  r.replace(0, 2, std::string(layout->spec));
  r[layout->length - 2] = '\r';
  r[layout->length - 1] = '\n';
  for (const auto& v : values) {
    std::string text = v.value.substr(0, v.field.width);
    text.resize(v.field.width, ' ');
    r.replace(v.field.At(v.i, v.j), v.field.width, text);
  }
  return r;
}

}  // namespace radadovur::testing
