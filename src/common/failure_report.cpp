#include "common/failure_report.h"

#include <map>

namespace radadovur::common {
namespace {

// Failures that name a file group by the file; the others (a field, a race id) by their text.
std::string GroupKey(const Status& status) {
  if (status.path().find('/') != std::string::npos) return "f:" + status.path();
  return "t:" + status.ToString();
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
  std::map<std::string, size_t> at;  // group key -> line index
  for (const Status& status : failures.items) {
    auto [it, added] = at.try_emplace(GroupKey(status), lines.size());
    if (added) {
      lines.push_back(status.ToString());
      counts.push_back(1);
    } else {
      ++counts[it->second];
    }
  }
  for (size_t i = 0; i < lines.size(); ++i)
    if (counts[i] > 1) lines[i] += "（同じファイルで計 " + std::to_string(counts[i]) + " 件）";
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
