#include "steps/week_record.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/data_name.h"
#include "common/names.h"
#include "common/text_file.h"

namespace radadovur::steps {
namespace {

constexpr std::string_view kHeader = "RADADOVUR STEPS 1";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kFailedKey = "failed";
constexpr std::string_view kFinished = "done";
constexpr std::string_view kDue = "due";
constexpr size_t kMaxIdDigits = 18;  // fits in uint64_t

// The steps each step reads from directly.
std::vector<WeekStep> DirectlyBefore(WeekStep step) {
  const WeekStepRow& row = RowOf(step);
  return std::vector<WeekStep>(row.reads.begin(), row.reads.begin() + static_cast<std::ptrdiff_t>(row.reads_count));
}

bool Reads(WeekStep later, WeekStep earlier) {
  for (WeekStep s : StepsBefore(later))
    if (s == earlier) return true;
  return false;
}

bool ParseId(std::string_view text, uint64_t& id) {
  if (text.empty() || text.size() > kMaxIdDigits) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  id = value;
  return true;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at <= line.size()) {
    const size_t space = line.find(' ', at);
    const size_t end = space == std::string_view::npos ? line.size() : space;
    words.push_back(line.substr(at, end - at));
    if (space == std::string_view::npos) break;
    at = space + 1;
  }
  return words;
}

common::Status Damaged(const std::string& path, size_t line, std::string_view why) {
  return common::Status::Corruption(path, path + " の " + std::to_string(line) + " 行目: " + std::string(why) +
                                              "（工程の記録が壊れています）");
}

common::Status ParseLines(std::string_view text, const std::string& path, WeekRecord& record) {
  // Every line ends in CR LF, the last one too: a cut record is never taken for a whole one.
  std::vector<std::string_view> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string_view::npos) return Damaged(path, lines.size() + 1, "行の終わりがありません");
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  if (lines.empty() || lines[0] != kHeader) return Damaged(path, 1, "見出しがありません");
  if (lines.back() != kEnd) return Damaged(path, lines.size(), "終わりの行がありません");
  size_t next_key = 0;  // steps come in the week's order, each once
  bool download_seen = false;
  for (size_t n = 1; n + 1 < lines.size(); ++n) {
    const std::vector<std::string_view> words = Words(lines[n]);
    if (words.size() == 2 && words[0] == kFailedKey) {
      if (!common::IsDataName(common::DataName::kKettoNum, words[1])) return Damaged(path, n + 1, "馬の番号が正しくありません");
      record.failed_horses.emplace_back(words[1]);
      continue;
    }
    if (words.size() != 3) return Damaged(path, n + 1, "項目の数が正しくありません");
    size_t key = next_key;
    while (key < kWeekStepCount && kWeekSteps[key].key != words[0]) ++key;
    if (key == kWeekStepCount) return Damaged(path, n + 1, "工程の名前が正しくないか、順が違います");
    next_key = key + 1;
    StepMark& mark = record.steps[key];
    mark.present = true;
    if (!ParseId(words[1], mark.download)) return Damaged(path, n + 1, "取得の番号が正しくありません");
    if (words[2] != kFinished && words[2] != kDue) return Damaged(path, n + 1, "終わったかどうかが正しくありません");
    mark.finished = words[2] == kFinished;
    if (key == static_cast<size_t>(WeekStep::kDownload)) {
      record.download = mark.download;
      download_seen = true;
    }
  }
  if (!download_seen) return Damaged(path, lines.size(), "①今週開催取得の行がありません");
  return common::Status::OK();
}

}  // namespace

bool WeekRecord::Finished(WeekStep step) const {
  const StepMark& mark = Of(step);
  return mark.present && mark.finished && mark.download == download;
}

WeekRecord RecordBeforeAnyStep() {
  WeekRecord record;
  record.Of(WeekStep::kDownload) = StepMark{true, true, 0};
  return record;
}

std::vector<WeekStep> StepsBefore(WeekStep step) {
  std::array<bool, kWeekStepCount> before{};
  std::vector<WeekStep> todo = DirectlyBefore(step);
  while (!todo.empty()) {
    const WeekStep s = todo.back();
    todo.pop_back();
    if (before[static_cast<size_t>(s)]) continue;
    before[static_cast<size_t>(s)] = true;
    for (WeekStep t : DirectlyBefore(s)) todo.push_back(t);
  }
  std::vector<WeekStep> steps;
  for (size_t s = 0; s < kWeekStepCount; ++s)
    if (before[s]) steps.push_back(static_cast<WeekStep>(s));
  return steps;
}

std::string WeekRecordText(const WeekRecord& record) {
  std::string text = std::string(kHeader) + "\r\n";
  for (size_t s = 0; s < kWeekStepCount; ++s) {
    const StepMark& mark = record.steps[s];
    if (!mark.present) continue;
    text += std::string(kWeekSteps[s].key) + " " + std::to_string(mark.download) + " " +
            std::string(mark.finished ? kFinished : kDue) + "\r\n";
    if (static_cast<WeekStep>(s) == WeekStep::kPredict)
      for (const std::string& horse : record.failed_horses) text += std::string(kFailedKey) + " " + horse + "\r\n";
  }
  return text + std::string(kEnd) + "\r\n";
}

common::Status ParseWeekRecord(std::string_view text, const std::string& path, WeekRecord& record) {
  record = WeekRecord{};
  common::Status status = ParseLines(text, path, record);
  if (!status.ok()) record = RecordBeforeAnyStep();
  return status;
}

common::Status ReadWeekRecord(const std::string& app_path, WeekRecord& record) {
  const std::string path = app_path + std::string(kWeekRecordFile);
  std::string text;
  common::Status status = common::ReadWholeFile(path, text);
  if (status.IsNotFound()) {
    // A folder made before the record existed has ①'s race file; a new folder has nothing.
    struct stat st {};
    const std::string race_file = app_path + std::string(common::names::kRaThisWeek);
    const bool downloaded = ::lstat(race_file.c_str(), &st) == 0 || errno != ENOENT;
    record = downloaded ? RecordBeforeAnyStep() : WeekRecord{};
    return common::Status::OK();
  }
  if (!status.ok()) {
    record = RecordBeforeAnyStep();
    return status;
  }
  return ParseWeekRecord(text, path, record);
}

common::Status MarkStepStarted(const std::string& app_path, WeekStep step, uint64_t& download,
                               std::optional<WeekStep> due) {
  WeekRecord record;
  (void)ReadWeekRecord(app_path, record);  // a damaged record is replaced: nothing in it is trusted
  if (step == WeekStep::kDownload) ++record.download;
  for (size_t s = 0; s < kWeekStepCount; ++s)
    if (Reads(static_cast<WeekStep>(s), step)) record.steps[s] = StepMark{};
  if (step == WeekStep::kPredict || Reads(WeekStep::kPredict, step)) record.failed_horses.clear();
  record.Of(step) = StepMark{true, false, record.download};
  if (due) record.Of(*due) = StepMark{true, false, record.download};
  download = record.download;
  return common::WriteFileAtomic(app_path + std::string(kWeekRecordFile), WeekRecordText(record));
}

namespace {

// The record still holds `step`'s own start mark for `download`.
common::Status StillOwnStart(const std::string& app_path, WeekStep step, uint64_t download, WeekRecord& record) {
  const common::Status read = ReadWeekRecord(app_path, record);
  const StepMark& mark = record.Of(step);
  if (read.ok() && mark.present && !mark.finished && mark.download == download && record.download == download)
    return common::Status::OK();
  const std::string path = app_path + std::string(kWeekRecordFile);
  return common::Status::IoError(path, std::string(RowOf(step).name) +
                                           "の実行中にフォルダが変わりました（別の処理が同じフォルダで動いたか、" +
                                           common::Shown(path) +
                                           " が書き換えられました）。終わった印は付けませんでした。もう一度実行して下さい");
}

}  // namespace

common::Status MarkStepFinished(const std::string& app_path, WeekStep step, uint64_t download,
                                const std::vector<std::string>& failed_horses) {
  WeekRecord record;
  if (common::Status s = StillOwnStart(app_path, step, download, record); !s.ok()) return s;
  record.Of(step) = StepMark{true, true, download};
  if (step == WeekStep::kPredict) {
    // An id that is no horse number names no file either: nothing of it can be taken.
    record.failed_horses.clear();
    for (const std::string& horse : failed_horses)
      if (common::IsDataName(common::DataName::kKettoNum, horse)) record.failed_horses.push_back(horse);
  }
  return common::WriteFileAtomic(app_path + std::string(kWeekRecordFile), WeekRecordText(record));
}

common::Status ReadRecordBefore(const std::string& app_path, RecordBefore& before) {
  before = RecordBefore{};
  const common::Status s = common::ReadWholeFile(app_path + std::string(kWeekRecordFile), before.text);
  before.read = s.ok() || s.IsNotFound();
  before.existed = s.ok();
  return s.IsNotFound() ? common::Status::OK() : s;
}

common::Status RestoreRecord(const std::string& app_path, WeekStep step, uint64_t download, const RecordBefore& before) {
  if (!before.read) return common::Status::OK();
  WeekRecord record;
  if (common::Status s = StillOwnStart(app_path, step, download, record); !s.ok()) return s;
  const std::string path = app_path + std::string(kWeekRecordFile);
  if (before.existed) return common::WriteFileAtomic(path, before.text);
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return common::Status::FromErrno("を削除できません", path, errno);
  return common::Status::OK();
}

}  // namespace radadovur::steps
