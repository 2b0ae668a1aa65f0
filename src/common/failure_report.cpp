#include "common/failure_report.h"

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

// Failures of one race group by the race, those that name a file by the file, the others (a
// field) by their text.
std::string GroupKey(const Status& status) {
  const std::string text = status.ToString();
  if (std::string race = RaceOf(text); !race.empty()) return "r:" + race;
  if (status.path().find('/') != std::string::npos) return "f:" + status.path();
  return "t:" + text;
}

// Advice by kind of failure, in this order when several kinds occur.
struct Advice {
  Status::Code code;
  const char* text;
};
constexpr Advice kAdvice[] = {
    {Status::Code::kNotFound, "見つからないファイルがあります。前の手順（①から順に）を実行してから、もう一度実行してください。"},
    {Status::Code::kIoError, "読み書きできないファイルがあります。ディスクの空きと書き込みの権限を確かめてから、もう一度実行してください。"},
    {Status::Code::kCorruption, "壊れたデータがあります。①今週開催取得からやり直してください。"},
    {Status::Code::kInvalidArgument, "読めない値があります。①今週開催取得からやり直してください。"},
};

}  // namespace

std::vector<std::string> GroupedFailureLines(const StepFailures& failures) {
  std::vector<std::string> lines;
  std::vector<size_t> counts;
  std::vector<bool> by_race;
  std::map<std::string, size_t> at;  // group key -> line index
  for (const Status& status : failures.items) {
    auto [it, added] = at.try_emplace(GroupKey(status), lines.size());
    if (added) {
      lines.push_back(status.ToString());
      counts.push_back(1);
      by_race.push_back(it->first.starts_with("r:"));
    } else {
      ++counts[it->second];
    }
  }
  for (size_t i = 0; i < lines.size(); ++i)
    if (counts[i] > 1)
      lines[i] += std::string(by_race[i] ? "（同じレースで計 " : "（同じファイルで計 ") + std::to_string(counts[i]) + " 件）";
  return lines;
}

FailureReport MakeFailureReport(std::string_view heading, const StepFailures& failures, std::string_view next) {
  FailureReport report;
  report.lines = GroupedFailureLines(failures);
  report.summary = std::string(heading) + "\n失敗 " + std::to_string(failures.items.size()) + " 件";
  if (report.lines.size() != failures.items.size())
    report.summary += "（" + std::to_string(report.lines.size()) + " 項目）";
  report.summary += "。";
  if (!next.empty()) {
    report.summary += "\n" + std::string(next);
  } else {
    for (const Advice& advice : kAdvice)
      for (const Status& status : failures.items)
        if (status.code() == advice.code) {
          report.summary += "\n" + std::string(advice.text);
          break;
        }
  }
  return report;
}

std::string FailureReport::Details() const {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

std::string FailureReport::Text() const { return lines.empty() ? summary : summary + "\n\n" + Details(); }

}  // namespace radadovur::common
