// libFuzzer target: the text readers over arbitrary bytes: lines, comma-separated and quoted
// items, the line-by-line check of value files, decimal number forms, the stand-in's fault list
// and code page 932 decoding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"
#include "common/line_items.h"
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

  // A line that passes holds no control byte, and a bare item no quote; the walk stops at the
  // first line it refuses, naming it.
  const auto sound = [](const common::TextLine&, const std::vector<std::string_view>& items, const std::vector<bool>& quoted) {
    if (items.size() != quoted.size()) __builtin_trap();
    for (size_t i = 0; i < items.size(); ++i) {
      for (const char c : items[i])
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F || (c == '"' && !quoted[i])) __builtin_trap();
      if (quoted[i] && items[i].find('"') != std::string_view::npos) __builtin_trap();
    }
    return common::Status::OK();
  };
  for (const bool crlf_only : {true, false}) {
    const common::Status walked = common::ForEachLine("F", text, {crlf_only, !crlf_only, crlf_only}, sound);
    if (!walked.ok() && (!walked.IsCorruption() || walked.ToString().rfind("F の ", 0) != 0)) __builtin_trap();
  }
  if (common::IsDecimalNumber(text) && text.find_first_not_of("+-.0123456789eE") != std::string_view::npos) __builtin_trap();

  (void)jvlink::ParseFaults(text);
  (void)common::DecodeCp932Lossy(text);
  return 0;
}
