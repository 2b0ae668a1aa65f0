// libFuzzer target: the text readers over arbitrary bytes: lines, comma-separated and quoted
// items, the stand-in's fault list and code page 932 decoding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/cp932.h"
#include "common/text_file.h"
#include "jvlink/replay_faults.h"

using namespace radadovur;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t line_bytes = 0;
  for (const auto& line : common::SplitLines(text)) line_bytes += line.size();
  if (line_bytes > text.size()) __builtin_trap();

  common::CsvItemReader reader{std::string(text)};
  std::string item;
  size_t items = 0;
  while (reader.Next(item)) {
    if (++items > text.size()) __builtin_trap();  // every item takes at least one byte
  }
  reader.AtEnd();

  // A value that a quoted line can hold reads back as itself.
  if (common::QuotableValue(text)) {
    common::CsvItemReader back(common::QuotedLine(text));
    if (!back.Next(item) || item != text) __builtin_trap();
  }

  (void)jvlink::ParseFaults(text);
  (void)common::DecodeCp932Lossy(text);
  return 0;
}
