#include "jvlink/replay_faults.h"

#include <charconv>
#include <functional>
#include <map>

#include "common/run_state.h"
#include "common/text_file.h"
#include "jvlink/recording.h"

namespace radadovur::jvlink {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::optional<int64_t> Whole(std::string_view s) {
  int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<int32_t> Code(std::string_view s) {
  auto v = Whole(s);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(*v);
}

// Each key takes its value or says why it cannot.
using Setter = std::function<const char*(std::string_view, ReplayFaults&)>;

const std::map<std::string, Setter, std::less<>>& Setters() {
  static const std::map<std::string, Setter, std::less<>> setters = {
      {"init_error",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto c = Code(v);
         if (!c || *c == 0) return "a non-zero code";
         f.init_error = c;
         return nullptr;
       }},
      {"open_error",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto c = Code(v);
         if (!c || *c >= 0) return "a negative code";
         f.open_error = c;
         return nullptr;
       }},
      {"nothing_to_read",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         if (v != "0" && v != "1") return "0 or 1";
         f.nothing_to_read = v == "1";
         return nullptr;
       }},
      {"broken_file",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto slash = v.find('/');
         if (slash == 0 || slash == std::string_view::npos || slash + 1 == v.size()) return "<dataspec>/<file name>";
         f.broken_file = std::string(v);
         return nullptr;
       }},
      {"broken_code",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto c = Code(v);
         if (!c || (*c != jvread::kBrokenFile402 && *c != jvread::kBrokenFile403)) return "-402 or -403";
         f.broken_code = *c;
         return nullptr;
       }},
      {"read_error_at",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto k = Whole(v);
         if (!k || *k < 1) return "a record number from 1";
         f.read_error_at = *k;
         return nullptr;
       }},
      {"read_error_code",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         // -1, -402 and -403 mean something else to the callers; broken_file covers the latter.
         auto c = Code(v);
         if (!c || *c >= 0 || *c == jvread::kFileBoundary || *c == jvread::kBrokenFile402 ||
             *c == jvread::kBrokenFile403)
           return "a negative code other than -1, -402, -403";
         f.read_error_code = *c;
         return nullptr;
       }},
      {"status_error_after",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto k = Whole(v);
         if (!k || *k < 0 || *k > INT32_MAX) return "a file count from 0";
         f.status_error_after = static_cast<int32_t>(*k);
         return nullptr;
       }},
      {"status_error_code",
       [](std::string_view v, ReplayFaults& f) -> const char* {
         auto c = Code(v);
         if (!c || *c >= 0) return "a negative code";
         f.status_error_code = *c;
         return nullptr;
       }},
  };
  return setters;
}

}  // namespace

FaultsParse ParseFaults(std::string_view text) {
  FaultsParse out;
  int line_number = 0;
  for (const std::string& raw : common::SplitLines(text)) {
    ++line_number;
    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    const std::string where = "faults.txt line " + std::to_string(line_number) + ": ";
    auto eq = line.find('=');
    if (eq == std::string_view::npos) {
      out.errors.push_back(where + "no '=' in \"" + std::string(line) + "\"");
      continue;
    }
    std::string_view key = Trim(line.substr(0, eq));
    std::string_view value = Trim(line.substr(eq + 1));
    auto it = Setters().find(key);
    if (it == Setters().end()) {
      out.errors.push_back(where + "unknown switch \"" + std::string(key) + "\"");
      continue;
    }
    if (const char* wanted = it->second(value, out.faults))
      out.errors.push_back(where + std::string(key) + " wants " + wanted + ", not \"" + std::string(value) + "\"");
  }
  return out;
}

FaultsParse LoadFaults(const std::string& recording_folder) {
  auto text = common::ReadWholeFile(common::WithTrailingSlash(recording_folder) + std::string(recording::kFaultsFile));
  if (!text) return {};
  return ParseFaults(*text);
}

}  // namespace radadovur::jvlink
