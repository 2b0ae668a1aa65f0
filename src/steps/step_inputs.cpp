#include "steps/step_inputs.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "common/data_name.h"
#include "engine/day_before.h"
#include "engine/ex_record.h"
#include "engine/this_weeks_runs.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "results/race_list.h"
#include "results/results_files.h"
#include "store/record_block.h"

namespace radadovur::steps {
namespace {

constexpr size_t kNamesShown = 5;  // missing files named in the message; the failure list has all

}  // namespace

void MissingInputs::Need(std::string_view name, const ProducerStep& producer) {
  const std::string path = app_path_ + std::string(name);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 || errno != ENOENT) return;
  if (producer_ && producer_->order < producer.order) return;
  if (producer_ == &producer && !not_finished_ && std::find(names_.begin(), names_.end(), name) != names_.end()) return;
  if (producer_ != &producer || not_finished_) {
    not_finished_ = false;
    names_.clear();
    why_.clear();
    more_ = 0;
  }
  producer_ = &producer;
  names_.emplace_back(name);
  why_.push_back(common::Status::NotFound(path, common::Shown(path) + " がありません"));
}

void MissingInputs::Missing(std::vector<std::string> names, size_t more, const ProducerStep& producer) {
  if (producer_ && producer_->order <= producer.order) return;
  producer_ = &producer;
  not_finished_ = false;
  why_.clear();
  for (const std::string& name : names)
    why_.push_back(common::Status::NotFound(app_path_ + name, common::Shown(app_path_ + name) + ": 今週の展開レコードがありません"));
  names_ = std::move(names);
  more_ = more;
}

void MissingInputs::NotFinished(const ProducerStep& producer, common::Status why) {
  // At the same step its missing files say more.
  if (producer_ && producer_->order <= producer.order) return;
  producer_ = &producer;
  not_finished_ = true;
  names_.clear();
  why_.clear();
  why_.push_back(std::move(why));
  more_ = 0;
}

std::string MissingInputs::Text(std::string_view step) const {
  if (!producer_) return std::string();
  const std::string first = "先に" + std::string(producer_->button) + "を実行して下さい。" + std::string(step) + "は行いませんでした。";
  if (not_finished_) {
    // A record that cannot be trusted is named with the one step to run first.
    if (!why_.empty() && !why_[0].IsNotFound()) return why_[0].ToString() + "。" + first;
    return std::string(producer_->button) +
           "が終わった記録がありません（まだ実行していないか、中断したか、失敗がありました）。" + first;
  }
  std::string text = std::string(producer_->files) + "がありません。" + first + "\n";
  for (size_t i = 0; i < names_.size() && i < kNamesShown; ++i) text += (i ? "、" : "") + names_[i];
  const size_t hidden = (names_.size() > kNamesShown ? names_.size() - kNamesShown : 0) + more_;
  if (hidden > 0) text += " ほか " + std::to_string(hidden) + " 件";
  return text;
}

bool MissingInputs::Refuse(std::string_view step, common::StepHost& host, common::StepFailures& failures) const {
  if (empty()) return false;
  host.Message(Text(step));
  for (const common::Status& s : why_) failures.Add(s);
  if (failures.empty()) failures.Add(common::Status::NotFound(app_path_, Text(step)));
  failures.refused = true;
  return true;
}

void NeedFinished(MissingInputs& missing, WeekStep step, bool itself) {
  std::vector<WeekStep> steps = StepsBefore(step);
  if (itself) steps.push_back(step);
  if (steps.empty()) return;  // ①: it writes the record anew
  WeekRecord record;
  const common::Status read = ReadWeekRecord(missing.app_path(), record);
  if (!read.ok()) {
    missing.NotFinished(kDownloadStep, read);
    return;
  }
  for (WeekStep before : steps) {
    if (record.Finished(before)) continue;
    // The cancellation counts only when it ran since ② or is due.
    if (before == WeekStep::kCancellation && !record.Of(before).present) continue;
    const ProducerStep& producer = RowOf(before).producer;
    const std::string path = missing.app_path() + std::string(kWeekRecordFile);
    missing.NotFinished(producer, common::Status::NotFound(path, path + ": " + std::string(producer.button) +
                                                                     "が終わった記録がありません"));
    return;  // the earliest: the steps come in the week's order
  }
}

void NeedStepInputs(MissingInputs& missing, WeekStep step) {
  const WeekStepRow& row = RowOf(step);
  for (size_t i = 0; i < row.needs_count; ++i) missing.Need(row.needs[i].name, RowOf(row.needs[i].from).producer);
  switch (step) {
    case WeekStep::kDayBefore: {
      bool final = false;
      if (missing.empty() && engine::ReadResultsFinal(missing.app_path(), final).ok() && final)
        missing.Need(common::names::kHrThisWeek, kDownloadStep);
      break;
    }
    case WeekStep::kResults: NeedResultsInputs(missing); break;
    case WeekStep::kRealtimeResults: NeedResultsOutputs(missing); break;
    default: break;
  }
}

void NeedResultsInputs(MissingInputs& missing) {
  const std::string& app_path = missing.app_path();
  missing.Need(common::names::kRaNew, kStructureStep);
  missing.Need(common::names::kSeNew, kStructureStep);
  if (!missing.empty()) return;
  // The race file is read once: a large week's takes a while.
  store::RecordBlock races;
  if (!store::ReadRecordBlock(app_path, store::kRaNew, races).ok()) return;  // the pass names an unreadable file
  const bool final = engine::ResultsFinal(races.bytes);
  if (final) missing.Need(common::names::kHrThisWeek, kDownloadStep);
  if (!missing.empty()) return;

  // The listed races, as the race list lists them.
  std::set<std::string> listed;
  store::RecordBlock payouts;
  if (final && !store::ReadRecordBlock(app_path, store::kHrThisWeek, payouts).ok()) return;
  const store::RecordBlock& block = final ? payouts : races;
  for (size_t n = 0; n < block.count(); ++n)
    if (final || results::ListedBeforeResults(block.Record(n))) listed.insert(jvdata::RaceKey(block.Record(n)));
  store::RecordBlock entries;
  if (listed.empty() || !store::ReadRecordBlock(app_path, store::kSeNew, entries).ok()) return;

  // Step ⑤ has run for this week when a runner of a listed race has a newest record of that
  // race. (A horse whose entry the stale rule drops proves nothing: its newest record may be
  // last week's race.)
  std::vector<std::string> without;
  size_t runners = 0;
  std::string newest;
  for (size_t n = 0; n < entries.count(); ++n) {
    const std::string_view entry = entries.Record(n);
    const std::string key = jvdata::RaceKey(entry);
    const std::string_view ketto = jvdata::se::KettoNum.Of(entry);
    std::string ex_name;
    if (!listed.count(key) || !engine::UmagotoExFileName(ketto, ex_name).ok()) continue;
    ++runners;
    if (engine::ReadNewestRun(app_path, ketto, newest).ok() && newest.size() == engine::ex::kLength &&
        jvdata::RaceKey(newest) == key)
      return;
    if (without.size() < kNamesShown) without.push_back(ex_name);
  }
  if (runners > 0) missing.Missing(std::move(without), runners - std::min(runners, kNamesShown), kPredictStep);
}

void NeedResultsOutputs(MissingInputs& missing, std::string_view race_key) {
  // ⑥ and every step before it, as the realtime results read them.
  NeedFinished(missing, WeekStep::kRealtimeResults);
  missing.Need(results::kRaceDetailFile, kResultsStep);
  std::string runner_file;
  if (!race_key.empty() && results::RaceRunnerFileName(race_key, runner_file).ok())
    missing.Need(runner_file, kResultsStep);
}

}  // namespace radadovur::steps
