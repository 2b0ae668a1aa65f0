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

// A system error about the file itself (missing, or a folder, a link or no regular file in its
// place): each such file is a cause of its own.
bool OfTheFileItself(int error) { return error == ENOENT || error == EISDIR || error == ELOOP || error == ENXIO; }

// Failures of one cause group first: one system error on one folder (a folder replaced by a
// file fails every race under it), one missing (or otherwise unfit) file. Then the failures of
// one race by the race, those that name a file by the file, the others (a field) by their text.
struct Group {
  std::string key;
  bool one_cause = false;
};
Group GroupOf(const Status& status) {
  const int error = status.error_number();
  if (error != 0 && !OfTheFileItself(error)) return {"e:" + std::to_string(error) + ":" + FolderOf(status.path()), true};
  if ((status.IsNotFound() || error != 0) && status.path().find('/') != std::string::npos)
    return {"n:" + status.path(), true};
  const std::string text = status.ToString();
  if (std::string race = RaceOf(text); !race.empty()) return {"r:" + race};
  if (status.path().find('/') != std::string::npos) return {"f:" + status.path()};
  return {"t:" + text};
}

// What to do next, by the first real failure: a system error by what it means (a file where a
// folder belongs is not a matter of disk space), else by its kind.
std::string_view AdviceFor(const Status& status) {
  switch (status.error_number()) {
    case 0:
    case ENOENT: break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "ディスクの空きが足りません。空きを作ってから、もう一度実行してください。";
    case EACCES:
    case EPERM:
    case EROFS: return "書き込めない場所があります。ファイルとフォルダの権限を確かめてから、もう一度実行してください。";
    case ENOTDIR:
      return "フォルダのあるべき所に、フォルダでないもの（ファイル）があります。それを移すか消してから、もう一度実行してください。";
    case EISDIR:
      return "ファイルのあるべき所にフォルダがあります。それを移すか消してから、もう一度実行してください。";
    case ELOOP:
    case ENXIO:
      return "ファイルのあるべき所に、リンクか通常のファイルでないものがあります。それを移すか消してから、もう一度実行してください。";
    case EMFILE:
    case ENFILE:
    case ENOMEM: return "ほかのプログラムを閉じてから、もう一度実行してください。";
    default: return "読み書きできないファイルがあります。ディスクと、ファイルとフォルダの権限を確かめてから、もう一度実行してください。";
  }
  switch (status.code()) {
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

std::vector<FailureGroup> GroupFailures(const StepFailures& failures) {
  std::vector<FailureGroup> groups;
  std::vector<std::string_view> count_words;
  std::map<std::string, size_t> at;  // group key -> index in groups
  // The failures first, then what was left undone because of them.
  for (const bool skipped : {false, true}) {
    for (size_t n = 0; n < failures.items.size(); ++n) {
      const Status& status = failures.items[n];
      if (status.IsSkipped() != skipped) continue;
      const Group group = GroupOf(status);
      auto [it, added] = at.try_emplace((skipped ? "s" : "") + group.key, groups.size());
      if (added) {
        groups.push_back({skipped ? std::string(kSkippedWord) + status.ToString() : status.ToString(), n, 1, skipped});
        count_words.push_back(group.one_cause                 ? "（同じ原因で計 "
                              : group.key.starts_with("r:") ? "（同じレースで計 "
                                                            : "（同じファイルで計 ");
      } else {
        ++groups[it->second].count;
      }
    }
  }
  for (size_t i = 0; i < groups.size(); ++i)
    if (groups[i].count > 1) groups[i].line += std::string(count_words[i]) + std::to_string(groups[i].count) + " 件）";
  return groups;
}

std::vector<std::string> GroupedFailureLines(const StepFailures& failures) {
  std::vector<std::string> lines;
  for (FailureGroup& group : GroupFailures(failures)) lines.push_back(std::move(group.line));
  return lines;
}

std::string FailureSummaryLine(const StepFailures& failures) {
  const std::vector<FailureGroup> groups = GroupFailures(failures);
  if (groups.empty()) return {};
  size_t failed = 0, failed_groups = 0, skipped = 0;
  for (const FailureGroup& group : groups) {
    (group.skipped ? skipped : failed) += group.count;
    if (!group.skipped) ++failed_groups;
  }
  std::string line = groups.front().line;  // the failures come before the items skipped for them
  std::string more;
  if (failed_groups > 1)
    more = "ほかに " + std::to_string(failed_groups - 1) + " 項目、失敗は計 " + std::to_string(failed) + " 件";
  if (skipped > 0 && failed > 0)
    more += (more.empty() ? "" : "、") + std::string("そのため行わなかった処理 ") + std::to_string(skipped) + " 件";
  return more.empty() ? line : line + "（" + more + "）";
}

FailureReport MakeFailureReport(std::string_view heading, const StepFailures& failures, std::string_view next) {
  FailureReport report;
  report.lines = GroupedFailureLines(failures);
  const Status* first = nullptr;
  for (const Status& status : failures.items)
    if (!status.IsSkipped()) {
      first = &status;
      break;
    }
  const size_t failed = failures.Failed();
  const size_t skipped = failures.items.size() - failed;
  report.summary = std::string(heading) + "\n失敗 " + std::to_string(failed) + " 件";
  if (report.lines.size() != failures.items.size())
    report.summary += "（" + std::to_string(report.lines.size()) + " 項目）";
  report.summary += "。";
  if (skipped > 0) report.summary += "そのため行わなかった処理 " + std::to_string(skipped) + " 件。";
  if (!next.empty())
    report.summary += "\n" + std::string(next);
  else if (first && !AdviceFor(*first).empty())
    report.summary += "\n" + std::string(AdviceFor(*first));
  return report;
}

std::string FailureReport::Details() const {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

std::string FailureReport::Text() const { return lines.empty() ? summary : summary + "\n\n" + Details(); }

}  // namespace radadovur::common
