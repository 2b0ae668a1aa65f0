// radadovur-cli dump FILE: every record of a record file (or of a file of delivered records, one
// per line, or of an expanded-record file) field by field, in UTF-8; a statistics file of the
// model package record by record, column by column; a weight model file item by item, each
// category with its code and value.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "common/convert.h"
#include "common/cp932.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "common/package_path.h"
#include "common/status.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"
#include "jvdata/record.h"
#include "steps/week_record.h"

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
  const bool expanded = &layout == &engine::ex::kLayout;
  for (const auto& f : jvdata::ListFields(layout, record)) {
    const auto at = static_cast<uint32_t>(f.bytes.data() - record.data());
    if (expanded && f.bytes.size() == 4 && engine::ex::IsRealOffset(at))  // a real, not text
      std::printf("  %s: %s\n", f.name.c_str(), common::NumberText(engine::GetReal(f.bytes.data())).c_str());
    else
      std::printf("  %s: [%s]\n", f.name.c_str(), Shown(f.bytes).c_str());
  }
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// An expanded-record file: named so, or whole 2603-byte records that begin with the entry
// record's type and end in CR LF.
bool IsExpandedRecordFile(const std::string& name, std::string_view bytes) {
  if (EndsWith(name, "EX.dat")) return true;
  const size_t length = engine::ex::kLength;
  if (bytes.size() % length != 0) return false;
  for (size_t at = 0; at < bytes.size(); at += length)
    if (bytes.substr(at, 2) != "SE" || bytes.substr(at + length - 2, 2) != "\r\n") return false;
  return true;
}

// Every whole record; a partial record at the end is reported, not shown.
int DumpExpandedRecords(const std::string& name, std::string_view bytes) {
  const size_t length = engine::ex::kLength;
  const size_t count = bytes.size() / length;
  std::printf("%s: expanded-record file, %zu-byte records, %zu records\n", name.c_str(), length, count);
  for (size_t n = 1; n <= count; ++n)
    PrintRecord(engine::ex::kLayout, bytes.substr((n - 1) * length, length), "record " + std::to_string(n) + " (EX)");
  if (bytes.size() % length == 0) return 0;
  std::printf("%zu bytes after record %zu: a partial record, not shown\n", bytes.size() % length, count);
  return 1;
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

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// A statistics file: every whole record, its columns numbered from 1 ("A5", "C12"); a partial
// record at the end is named, not shown.
int DumpStatsFile(const std::string& path, const std::string& bytes, const engine::StatsFileKind& kind) {
  const size_t count = bytes.size() / kind.length;
  std::printf("%s: %.*s file, %u-byte records, %zu records\n", path.c_str(), static_cast<int>(kind.record_name.size()),
              kind.record_name.data(), kind.length, count);
  for (size_t n = 1; n <= count; ++n) {
    const std::string_view record = std::string_view(bytes).substr((n - 1) * kind.length, kind.length);
    std::printf("record %zu\n", n);
    for (const auto& row : kind.fields)
      for (uint32_t k = 1; k <= row.field.count; ++k) {
        const std::string name = row.field.count > 1 ? row.name + std::to_string(k) : row.name;
        std::printf("  %s: [%s]\n", name.c_str(), Shown(engine::Column(row.field, k).Of(record)).c_str());
      }
  }
  if (const size_t rest = bytes.size() % kind.length)
    std::printf("partial record of %zu bytes at the end (not read)\n", rest);
  return 0;
}

std::vector<std::string> ValuesOf(const std::string& text) {
  std::vector<std::string> values;
  common::CsvItemReader reader(text);
  for (std::string v; reader.Next(v);) values.push_back(v);
  return values;
}

// A weight model file: its values by item and category, beside the category codes; the counts
// and codes come from the surface's other files in the same folder.
int DumpModelFile(const std::string& path, const std::string& bytes, engine::ModelSurface surface, engine::ModelFile file) {
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  auto sibling = [&](engine::ModelFile f) -> std::optional<std::string> {
    const std::string name = engine::ModelFileName(surface, f);
    return common::ReadWholeFile(common::ResolvePackagePath(folder, name.substr(name.rfind('/') + 1)));
  };
  const std::vector<std::string> values = ValuesOf(bytes);
  const auto totals_text = file == engine::ModelFile::kTotal ? std::optional<std::string>(bytes) : sibling(engine::ModelFile::kTotal);
  const auto codes_text = file == engine::ModelFile::kCategory ? std::optional<std::string>(bytes) : sibling(engine::ModelFile::kCategory);
  const std::string surface_name(engine::SurfaceName(surface));
  std::printf("%s: weight model file of %s, %zu values\n", path.c_str(), surface_name.c_str(), values.size());
  if (!totals_text) {
    std::printf("no category counts beside it: values in file order\n");
    for (size_t n = 0; n < values.size(); ++n) std::printf("  %zu: [%s]\n", n + 1, values[n].c_str());
    return 0;
  }
  const std::vector<std::string> totals = ValuesOf(*totals_text);
  const std::vector<std::string> codes = codes_text ? ValuesOf(*codes_text) : std::vector<std::string>{};
  size_t at = 0;
  for (int i = 1; i <= engine::kFactorItems; ++i) {
    const auto& item = engine::kFactorItemTable[static_cast<size_t>(i)];
    const std::string total = static_cast<size_t>(i) <= totals.size() ? totals[static_cast<size_t>(i - 1)] : "";
    std::printf("item %d %.*s %s (width %d): %s categories\n", i, static_cast<int>(item.id.size()), item.id.data(),
                std::string(item.label).c_str(), engine::FactorCodeWidth(i), total.empty() ? "?" : total.c_str());
    if (file == engine::ModelFile::kTotal) continue;
    const int64_t n = common::WholeNumber(total).value_or(0);
    for (int64_t j = 1; j <= n; ++j, ++at) {
      const std::string code = at < codes.size() ? "[" + Shown(codes[at]) + "]" : "(no code)";
      if (file == engine::ModelFile::kCategory)
        std::printf("  %lld %s\n", static_cast<long long>(j), code.c_str());
      else
        std::printf("  %lld %s %s\n", static_cast<long long>(j), code.c_str(),
                    at < values.size() ? values[at].c_str() : "(missing)");
    }
  }
  if (file != engine::ModelFile::kTotal && at < values.size())
    std::printf("%zu further values (not read)\n", values.size() - at);
  if (file != engine::ModelFile::kTotal && at > values.size()) std::printf("file too short: %zu values missing\n", at - values.size());
  return 0;
}

int RunDump(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    return UsageError("dump", args.empty() ? "ファイルを指定して下さい。" : "ファイルは一つだけ指定して下さい。");
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
  // The week's record of steps is text whose first line begins like a race record.
  if (steps::WeekRecord record; BaseName(args[0]) == steps::kWeekRecordFile ||
                                steps::ParseWeekRecord(*bytes, args[0], record).ok()) {
    std::fprintf(stderr, "radadovur-cli dump: 「%s」はレコードのファイルではありません（手順の記録 %.*s のテキストです）。\n",
                 common::Shown(args[0]).c_str(), static_cast<int>(steps::kWeekRecordFile.size()),
                 steps::kWeekRecordFile.data());
    return 1;
  }
  if (IsExpandedRecordFile(args[0], *bytes)) return DumpExpandedRecords(args[0], *bytes);
  if (const auto* kind = engine::StatsFileByName(BaseName(args[0]))) return DumpStatsFile(args[0], *bytes, *kind);
  if (const auto model = engine::ModelFileByName(BaseName(args[0])))
    return DumpModelFile(args[0], *bytes, model->first, model->second);
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

RADADOVUR_CLI_COMMAND("dump", "dump FILE",
                      "レコードのファイル(1 行に 1 レコードのファイル、展開した記録、統計のファイル、\n"
                      "ウエイトのファイルも)を項目ごとに UTF-8 で表示します。",
                      RunDump);

}  // namespace radadovur::cli
