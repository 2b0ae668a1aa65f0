// radadovur-cli dump FILE: every record of a record file (or of a file of delivered records, one
// per line) field by field, in UTF-8.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "common/cp932.h"
#include "common/text_file.h"
#include "jvdata/record.h"

namespace radadovur::cli {
namespace {

// A field's text for the terminal: control characters (the line end) shown as escapes.
std::string Shown(std::string_view bytes) {
  std::string out;
  for (char c : common::DecodeCp932Lossy(bytes)) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\0') out += "\\0";
    else out += c;
  }
  return out;
}

void PrintRecord(const jvdata::Layout& layout, std::string_view record, const std::string& title) {
  std::printf("%s\n", title.c_str());
  for (const auto& f : jvdata::ListFields(layout, record)) std::printf("  %s: [%s]\n", f.name.c_str(), Shown(f.bytes).c_str());
}

// A record file: whole records of its stored (or delivered) length, each with the type tag. A
// stored record that was delivered short ends in blanks instead of its line end.
const jvdata::Layout* RecordFileLayout(std::string_view bytes) {
  const jvdata::RecordType type = jvdata::TypeOf(bytes);
  for (const jvdata::Layout* layout : {jvdata::StoredLayout(type), jvdata::DeliveredLayout(type)}) {
    if (layout && jvdata::CheckRecords(bytes, *layout).ok()) return layout;
  }
  return nullptr;
}

int RunDump(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: radadovur-cli dump FILE\n");
    return 2;
  }
  std::string file;
  if (const common::Status s = common::ReadWholeFile(args[0], file); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.ToString().c_str());
    return 1;
  }
  const std::string* bytes = &file;
  if (bytes->empty()) {
    std::printf("%s: empty file, no records\n", args[0].c_str());
    return 0;
  }
  if (const jvdata::Layout* layout = RecordFileLayout(*bytes)) {
    const size_t count = bytes->size() / layout->length;
    std::printf("%s: %.*s record file, %u-byte records, %zu records\n", args[0].c_str(),
                static_cast<int>(layout->spec.size()), layout->spec.data(), layout->length, count);
    for (size_t n = 1; n <= count; ++n)
      PrintRecord(*layout, std::string_view(*bytes).substr((n - 1) * layout->length, layout->length),
                  "record " + std::to_string(n) + " (" + std::string(layout->spec) + ")");
    return 0;
  }
  const auto lines = common::SplitLines(*bytes);
  std::printf("%s: delivered records, one per line, %zu lines\n", args[0].c_str(), lines.size());
  int unknown = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    const jvdata::RecordType type = jvdata::TypeOf(lines[n]);
    const jvdata::Layout* layout = jvdata::DeliveredLayout(type);
    if (!layout) {
      std::printf("line %zu: unknown record type [%s]\n", n + 1, common::DecodeCp932Lossy(lines[n].substr(0, 2)).c_str());
      ++unknown;
      continue;
    }
    const std::string record = lines[n] + "\r\n";
    std::string title = "line " + std::to_string(n + 1) + " (" + std::string(layout->spec) + ", " +
                        std::to_string(record.size()) + " of " + std::to_string(layout->length) + " bytes)";
    PrintRecord(*layout, record, title);
  }
  return unknown == 0 ? 0 : 1;
}

}  // namespace

RADADOVUR_CLI_COMMAND("dump", "dump FILE", RunDump);

}  // namespace radadovur::cli
