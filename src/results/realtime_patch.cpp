#include "results/realtime_patch.h"

#include "common/convert.h"
#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "results/results_files.h"
#include "results/runner_record.h"
#include "store/record_block.h"

namespace radadovur::results {
namespace {

namespace se = jvdata::se;
namespace o1 = jvdata::o1;

constexpr uint32_t kWinEntries = 28;

}  // namespace

void PutRealtimeEntry(std::string_view entry, std::string& runner) {
  rr::Put(runner, rr::ArrivalOrder, se::ArrivalOrder.Of(entry), 0);
  rr::Put(runner, rr::RunTime, se::RunTime.Of(entry), 0);
  rr::Put(runner, rr::WinPopularity, se::WinPopularity.Of(entry), 0);
  rr::Put(runner, rr::WinOdds, se::WinOdds.Of(entry), 0);
  rr::Put(runner, rr::Last3F, se::Last3F.Of(entry), 0);
}

void PutRealtimeWinOdds(std::string_view win_odds, uint32_t k, std::string& runner) {
  rr::Put(runner, rr::WinPopularity, o1::WinOddsEntries_Popularity.Of(win_odds, k), 0);
  rr::Put(runner, rr::WinOdds, o1::WinOddsEntries_Odds.Of(win_odds, k), 0);
}

RunnerFilePatches::File& RunnerFilePatches::Load(const std::string& race_key, common::StepFailures& failures) {
  auto [it, added] = files_.try_emplace(race_key);
  File& file = it->second;
  if (!added) return file;
  // A key from realtime data that names no file is named once, and its race has no runner file.
  std::string name;
  common::Status status = RaceRunnerFileName(race_key, name);
  if (status.ok()) status = common::ReadWholeFile(app_path_ + name, file.bytes);
  // A damaged file is not patched: a shifted runner would take another runner's results.
  if (status.ok()) status = rr::CheckRunnerFile(app_path_ + name, file.bytes);
  file.present = status.ok();
  if (!status.ok() && !status.IsNotFound()) failures.Add(status);
  if (!file.present) file.bytes.clear();
  if (between_races_) between_races_();
  return file;
}

void RunnerFilePatches::Patch(const std::string& race_key, int64_t umaban,
                              const std::function<void(std::string&)>& edit, RealtimePatchCounts& counts,
                              common::StepFailures& failures) {
  File& file = Load(race_key, failures);
  if (!file.present) {
    ++counts.no_runner_file;
    if (races_without_file_.insert(race_key).second) ++counts.races_without_file;
    return;
  }
  const int64_t records = static_cast<int64_t>(file.bytes.size() / rr::kLength);
  if (umaban < 1 || umaban > records) {
    ++counts.no_runner;
    return;
  }
  const size_t at = static_cast<size_t>(umaban - 1) * rr::kLength;
  std::string record = file.bytes.substr(at, rr::kLength);
  if (rr::IsGap(record)) {  // a horse number without an entry: no runner to patch
    ++counts.no_runner;
    return;
  }
  edit(record);
  file.bytes.replace(at, rr::kLength, record);
  file.patched = true;
  ++counts.patched;
}

void RunnerFilePatches::WriteBack(common::StepFailures& failures) {
  for (auto& [key, file] : files_) {
    if (!file.patched) continue;
    std::string name;
    common::Status status = RaceRunnerFileName(key, name);
    if (status.ok()) status = WriteWholeFile(app_path_, name, file.bytes);
    failures.Add(std::move(status));
    if (between_races_) between_races_();
  }
}

void PatchRunnersFromRealtimeEntries(const std::string& app_path, RunnerFilePatches& files,
                                     RealtimePatchCounts& counts, common::StepFailures& failures) {
  store::RecordBlock entries;
  if (common::Status status = store::ReadRecordBlockOrEmpty(app_path, store::kSeRealtime, entries); !status.ok()) {
    failures.Add(status);
    return;
  }
  for (size_t n = 0; n < entries.count(); ++n) {
    const std::string_view entry = entries.Record(n);
    const auto umaban = common::WholeNumber(se::Umaban.Of(entry));
    if (!umaban) {
      failures.Add(common::Status::InvalidArgument(
          std::string(common::names::kSeRealtime),
          "レコード " + std::to_string(n + 1) + " の馬番 \"" + common::Shown(se::Umaban.Str(entry)) + "\" は番号ではありません"));
      continue;
    }
    files.Patch(jvdata::RaceKey(entry), *umaban, [&](std::string& runner) { PutRealtimeEntry(entry, runner); }, counts,
                failures);
  }
}

void PatchRunnersFromRealtimeWinOdds(const std::string& app_path, RunnerFilePatches& files,
                                     RealtimePatchCounts& counts, common::StepFailures& failures) {
  std::string text;
  if (common::Status status = common::ReadWholeFile(app_path + std::string(common::names::kO1Realtime), text);
      !status.ok()) {
    if (!status.IsNotFound()) failures.Add(status);
    return;
  }
  for (const std::string& line : common::SplitLines(text)) {
    const std::string key = jvdata::RaceKey(line);
    for (uint32_t k = 0; k < kWinEntries; ++k) {
      const double umaban = common::TextValue(o1::WinOddsEntries_Umaban.Of(line, k));
      if (umaban == 0) continue;  // "00" or blank: no horse
      // A fraction or a number beyond any record names no runner.
      const int64_t number = umaban >= 1 && umaban <= 99 && umaban == static_cast<double>(static_cast<int64_t>(umaban))
                                 ? static_cast<int64_t>(umaban)
                                 : 0;
      files.Patch(key, number, [&](std::string& runner) { PutRealtimeWinOdds(line, k, runner); }, counts, failures);
    }
  }
}

RealtimePatchCounts PatchRunnerFilesFromRealtime(const std::string& app_path, common::StepFailures& failures,
                                                 const std::function<void()>& between_races) {
  RealtimePatchCounts counts;
  RunnerFilePatches files(app_path, between_races);
  PatchRunnersFromRealtimeEntries(app_path, files, counts, failures);
  PatchRunnersFromRealtimeWinOdds(app_path, files, counts, failures);
  files.WriteBack(failures);
  return counts;
}

}  // namespace radadovur::results
