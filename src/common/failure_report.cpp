#include "common/failure_report.h"

#include <cerrno>
#include <map>
#include <string_view>

namespace radadovur::common {
namespace {

constexpr std::string_view kRaceWord = "レース";
constexpr size_t kRaceKeyDigits = 12;

// The race key a failure text names ("レース202408030101: ..."), or empty.
std::string RaceOf(const std::string& text) {
  for (size_t at = text.find(kRaceWord); at != std::string::npos; at = text.find(kRaceWord, at + 1)) {
    const size_t from = at + kRaceWord.size();
    size_t end = from;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end - from >= kRaceKeyDigits) return text.substr(from, kRaceKeyDigits);
  }
  return {};
}

// The folder part of a path ("/w/KAIME/1.txt" -> "/w/KAIME").
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Failures of one cause group first: one system error on one folder (a folder replaced by a
// file fails every race under it), one missing file. Then the failures of one race by the
// race, those that name a file by the file, the others (a field) by their text.
struct Group {
  std::string key;
  bool one_cause = false;
};
Group GroupOf(const Status& status) {
  if (status.error_number() != 0 && status.error_number() != ENOENT)
    return {"e:" + std::to_string(status.error_number()) + ":" + FolderOf(status.path()), true};
  if (status.IsNotFound() && status.path().find('/') != std::string::npos) return {"n:" + status.path(), true};
  const std::string text = status.ToString();
  if (std::string race = RaceOf(text); !race.empty()) return {"r:" + race};
  if (status.path().find('/') != std::string::npos) return {"f:" + status.path()};
  return {"t:" + text};
}

// What to do next, by the kind of the first real failure.
std::string_view AdviceFor(Status::Code code) {
  switch (code) {
    case Status::Code::kNotFound:
      return "見つからないファイルがあります。前の手順（①から順に）を実行してから、もう一度実行してください。";
    case Status::Code::kIoError:
      return "読み書きできないファイルがあります。ディスクの空きと書き込みの権限を確かめてから、もう一度実行してください。";
    case Status::Code::kCorruption: return "壊れたデータがあります。①今週開催取得からやり直してください。";
    case Status::Code::kInvalidArgument: return "読めない値があります。①今週開催取得からやり直してください。";
    case Status::Code::kOk:
    case Status::Code::kSkipped: break;
  }
  return {};
}

constexpr std::string_view kSkippedWord = "前の失敗のため行わなかった処理: ";

}  // namespace

std::vector<std::string> GroupedFailureLines(const StepFailures& failures) {
  std::vector<std::string> lines;
  std::vector<size_t> counts;
  std::vector<std::string_view> count_words;
  std::map<std::string, size_t> at;  // group key -> line index
  // The failures first, then what was left undone because of them.
  for (const bool skipped : {false, true}) {
    for (const Status& status : failures.items) {
      if (status.IsSkipped() != skipped) continue;
      const Group group = GroupOf(status);
      auto [it, added] = at.try_emplace((skipped ? "s" : "") + group.key, lines.size());
      if (added) {
        lines.push_back(skipped ? std::string(kSkippedWord) + status.ToString() : status.ToString());
        counts.push_back(1);
        count_words.push_back(group.one_cause                 ? "（同じ原因で計 "
                              : group.key.starts_with("r:") ? "（同じレースで計 "
                                                            : "（同じファイルで計 ");
      } else {
        ++counts[it->second];
      }
    }
  }
  for (size_t i = 0; i < lines.size(); ++i)
    if (counts[i] > 1) lines[i] += std::string(count_words[i]) + std::to_string(counts[i]) + " 件）";
  return lines;
}

FailureReport MakeFailureReport(std::string_view heading, const StepFailures& failures, std::string_view next) {
  FailureReport report;
  report.lines = GroupedFailureLines(failures);
  size_t skipped = 0;
  const Status* first = nullptr;
  for (const Status& status : failures.items) {
    if (status.IsSkipped())
      ++skipped;
    else if (!first)
      first = &status;
  }
  const size_t failed = failures.items.size() - skipped;
  report.summary = std::string(heading) + "\n失敗 " + std::to_string(failed) + " 件";
  if (report.lines.size() != failures.items.size())
    report.summary += "（" + std::to_string(report.lines.size()) + " 項目）";
  report.summary += "。";
  if (skipped > 0) report.summary += "そのため行わなかった処理 " + std::to_string(skipped) + " 件。";
  if (!next.empty())
    report.summary += "\n" + std::string(next);
  else if (first && !AdviceFor(first->code()).empty())
    report.summary += "\n" + std::string(AdviceFor(first->code()));
  return report;
}

std::string FailureReport::Details() const {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

std::string FailureReport::Text() const { return lines.empty() ? summary : summary + "\n\n" + Details(); }

}  // namespace radadovur::common
