#include "results/results_pass.h"

#include <sys/stat.h>

#include <cerrno>

#include "common/cp932.h"
#include "common/data_name.h"
#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "jvdata/race_key.h"
#include "results/race_files.h"
#include "results/race_list.h"
#include "results/results_files.h"
#include "store/record_block.h"

namespace radadovur::results {
namespace {

using common::Status;
using common::StepFailures;

constexpr std::string_view kEndText = "予想･結果終了";

// `status` with the step (and race) that failed in front of its text.
common::Status InStep(const common::Status& status, std::string_view step, std::string_view race_key) {
  std::string text(step);
  if (!race_key.empty()) text += " レース" + common::Shown(race_key);
  text += ": " + status.ToString();
  return status.WithDetail(std::move(text));
}

// A stage wrote its files when nothing went wrong but a value it could not read and went past: a
// file it could not read or write leaves its output unfit for the passes that read it. The first
// such failure, or OK.
common::Status NotWritten(const common::StepFailures& stage) {
  for (const common::Status& status : stage.items)
    if (!status.ok() && !status.IsInvalidArgument()) return status;
  return common::Status::OK();
}

// Collects a stage's failures under its step and race.
class StepLog {
 public:
  explicit StepLog(common::StepFailures& out) : out_(out) {}
  void Add(const common::Status& status, std::string_view step, std::string_view race_key = {}) {
    if (!status.ok()) out_.Add(InStep(status, step, race_key));
  }
  void AddAll(const common::StepFailures& stage, std::string_view step, std::string_view race_key = {}) {
    for (const auto& s : stage.items) Add(s, step, race_key);
  }
  // Runs a stage that is there; its failures are named by `step`. Returns the failure that kept
  // the stage from writing its files (NotWritten), or OK.
  common::Status Run(const PassStage& stage, std::string_view step, std::string_view race_key,
                     const std::string& app_path, ResultsWindowState& state) {
    if (!stage) return common::Status::OK();
    common::StepFailures stage_failures;
    stage(app_path, state, stage_failures);
    AddAll(stage_failures, step, race_key);
    return NotWritten(stage_failures);
  }
  // The same for a stage over every race, which yields to the host between races.
  void Run(const AllRacesStage& stage, std::string_view step, const std::string& app_path, ResultsWindowState& state,
           common::StepHost& host) {
    if (!stage) return;
    common::StepFailures stage_failures;
    stage(app_path, state, stage_failures, [&host] { host.Yield(); });
    AddAll(stage_failures, step);
  }

 private:
  common::StepFailures& out_;
};

// Records of the race's runner file: its length / 24022; a missing file has none.
common::Status CountRunners(const std::string& app_path, std::string_view race_key, int32_t& count) {
  count = 0;
  std::string name;
  if (common::Status named = RaceRunnerFileName(race_key, name); !named.ok()) return named;
  const std::string path = app_path + name;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return common::Status::OK();
    return common::Status::FromErrno("を開けません", path, errno);
  }
  count = static_cast<int32_t>(info.st_size / static_cast<off_t>(kRaceRunnerRecordLength));
  return common::Status::OK();
}

constexpr std::string_view kFiguresStep = "予想順位と組合せ";
constexpr std::string_view kBetListsStep = "買い目一覧";
constexpr std::string_view kRateTablesStep = "的中率表";
constexpr std::string_view kKeptText = "行いませんでした。それらのファイルは前回のままです";

// The passes of a race from `first` on, as far as they run, in their order.
enum class RacePass { kFigures, kBetLists, kWriters, kRateTables };
std::string PassesFrom(RacePass first, const RaceStepHooks& hooks, const ResultsWindowState& state) {
  std::vector<std::string_view> names;
  if (first <= RacePass::kFigures && hooks.RunnerFiguresAndPairs) names.push_back(kFiguresStep);
  if (first <= RacePass::kBetLists && hooks.BetListsAndSortFiles) names.push_back(kBetListsStep);
  if (first <= RacePass::kWriters)
    for (const RaceWriterCall& call : kRaceWriterOrder) names.push_back(call.written);
  if (state.ResultsFinal == 1 && hooks.RateTables) names.push_back(kRateTablesStep);
  std::string text;
  for (std::string_view name : names) text.append(text.empty() ? "" : "、").append(name);
  return text;
}

// The passes of the race from `first` on read what a pass before them could not write
// (`because`, failing with `cause`): they are left out, listed apart, and their files keep the
// earlier run's bytes.
void LeaveOut(StepLog& log, std::string_view race_key, RacePass first, std::string_view because,
              const common::Status& cause, const RaceStepHooks& hooks, const ResultsWindowState& state) {
  const std::string passes = PassesFrom(first, hooks, state);
  if (passes.empty()) return;
  log.Add(common::Status::SkippedBecause(cause, std::string(because) + "ため" + std::string(kKeptText)), passes,
          race_key);
}

// Everything before the race loop: the code table, the results check, the race list and the
// runner files. False when the race list could not be made: every later pass reads it.
bool Setup(const std::string& app_path, common::StepHost& host, const RaceStepHooks& hooks,
           ResultsWindowState& state, ResultsPassOutcome& outcome, StepLog& log) {
  state.LastKeyLup.clear();
  state.LastKeyShutsubahyo.clear();
  state.LastKeyTwi.clear();
  state.RaceIndex = 0;
  state.UntrustedRaces.clear();
  state.PredictLeftOutRaces.clear();
  state.UnwrittenRunnerFiles.clear();
  // The window repaints between the steps before the race loop, which read the week's files.
  host.Yield();

  const common::Status code_table = LoadCodeTable(app_path, state.CodeTable);
  if (!code_table.ok()) {
    host.Message(code_table.ToString());
    log.Add(code_table, "コード表");
  }

  log.Add(TestResultsFinal(app_path, state), "結果確定の確認");

  {
    common::StepFailures list_failures;
    outcome.List1Items = BuildRaceList(app_path, state, list_failures);
    log.AddAll(list_failures, "レース一覧");
    // The race and payout records, and the detail file the race table is read from, are what the
    // later passes read of the list; the key and id lists are the viewer's and the speed file's.
    common::StepFailures read_later;
    for (const common::Status& failure : list_failures.items)
      if (!failure.path().starts_with(app_path + std::string(kRaceIdFile)) &&
          !failure.path().starts_with(app_path + std::string(kRaceListFile)))
        read_later.Add(failure);
    if (const common::Status cause = NotWritten(read_later); !cause.ok()) {
      log.Add(common::Status::SkippedBecause(cause, "レース一覧を作れなかったため" + std::string(kKeptText)),
              "出走馬ファイルから後のすべての処理");
      return false;
    }
  }
  host.Yield();

  // The race table before the runner files, which would otherwise be left with their entries
  // only when it cannot be read.
  {
    common::StepFailures table_failures;
    LoadRaceTable(app_path, state, table_failures);
    log.AddAll(table_failures, "出走馬ファイル");
    if (const common::Status cause = NotWritten(table_failures); !cause.ok()) {
      log.Add(common::Status::SkippedBecause(cause, "レース一覧を読めなかったため" + std::string(kKeptText)),
              "出走馬ファイルから後のすべての処理");
      return false;
    }
  }
  log.Run(hooks.PutEntries, "出走馬ファイル", app_path, state, host);
  log.Run(hooks.CopyRuns, "出走馬ファイル", app_path, state, host);
  return true;
}

// Before the runner figures: the race's ticket-folder file, which they and the pairs fill, made
// empty; the failure is named.
common::Status EmptyKaimeFile(const std::string& app_path, std::string_view key, StepLog& log) {
  std::string kaime;
  common::Status status = KaimeFileName(key, kaime);
  if (status.ok()) status = MakeEmptyFile(app_path, kaime);
  log.Add(status, kFiguresStep, key);
  return status;
}

// Race RaceIndex: its payout record, its stages and its writers. A pass runs only when every pass it reads from wrote its
// files for the race: the runner file, then the figures with their rankings and pairs, then the
// bet lists, then the documents, exports and pages, then (from the result and formation
// documents' tallies) the rate tables.
void RunRace(const std::string& app_path, common::StepHost& host, const RaceStepHooks& hooks, RaceWriters& writers,
             const store::RecordBlock& payouts, ResultsWindowState& state, StepLog& log) {
  const std::string key = state.RaceKeyList[state.RaceIndex];
  // A key that names no file leaves the race without files of its own: it is skipped, named.
  if (common::Status named = common::CheckDataName(common::DataName::kRaceKey, key); !named.ok()) {
    log.Add(named, "払戻", key);
    return;
  }

  // The payout record at the race's list position: in results mode the list follows the
  // payout file, so it is the race's own; before the results it may be missing, which is no fault.
  if (static_cast<size_t>(state.RaceIndex) <= payouts.count()) {
    state.CurrentPayoutRecord = std::string(payouts.Record(static_cast<size_t>(state.RaceIndex) - 1));
  } else {
    state.CurrentPayoutRecord.clear();
    if (state.ResultsFinal == 1)
      log.Add(common::Status::Corruption(app_path + std::string(common::names::kHrThisWeek),
                                 "払戻 " + std::string(common::names::kHrThisWeek) + " にレコード " +
                                     std::to_string(state.RaceIndex) + " がありません"),
              "払戻", key);
  }

  // A meeting day starts at its race 01, with its tallies at zero.
  if (jvdata::hr::RaceNum.Of(state.CurrentPayoutRecord) == "01") ResetDayTallies(state);

  // A race the runs pass could not trust gets nothing written; it is named there once. What an
  // earlier pass wrote for it goes, so that it is not shown or published from those figures.
  if (state.UntrustedRaces.count(key)) {
    common::StepFailures removed;
    RemoveRaceFiles(app_path, key, state.CodeTable, removed);
    removed.Add(writers.RemoveRaceFiles(app_path, key, state));
    log.AddAll(removed, "前回のファイルの削除", key);
    return;
  }
  if (const auto unwritten = state.UnwrittenRunnerFiles.find(key); unwritten != state.UnwrittenRunnerFiles.end()) {
    LeaveOut(log, key, RacePass::kFigures, "出走馬ファイル（RACE）を書けなかった", unwritten->second, hooks, state);
    return;
  }

  // The race's runner count, from the length of its runner file.
  if (common::Status count = CountRunners(app_path, key, state.RunnerCount); !count.ok()) {
    log.Add(count, "出走馬", key);
    LeaveOut(log, key, RacePass::kFigures, "出走馬ファイル（RACE）を読めなかった", count, hooks, state);
    return;
  }
  if (state.RunnerCount == 0) {
    // Every document and page leaves the race out; the list says so. The key passed the name
    // guard above.
    std::string runner_file;
    (void)RaceRunnerFileName(key, runner_file);
    log.Add(common::Status::NotFound(app_path + runner_file,
                                     "出走馬のレコードがありません。このレースは文書とページに載せません"),
            "出走馬", key);
  }

  common::Status figures = EmptyKaimeFile(app_path, key, log);
  if (figures.ok()) figures = log.Run(hooks.RunnerFiguresAndPairs, kFiguresStep, key, app_path, state);
  if (!figures.ok()) {
    LeaveOut(log, key, RacePass::kBetLists, "予想順位と組合せのファイル（KAIME）を書けなかった", figures, hooks, state);
    return;
  }

  // The race's progress text.
  host.Yield();
  host.SetStatus(common::StatusSlot::kMainText5, ProgressText(key, state.CodeTable));

  if (const common::Status lists = log.Run(hooks.BetListsAndSortFiles, kBetListsStep, key, app_path, state);
      !lists.ok()) {
    LeaveOut(log, key, RacePass::kWriters, "買い目一覧のファイルを書けなかった", lists, hooks, state);
    return;
  }

  // The race's documents, exports and pages, writer by writer. The rate tables count what the result and formation documents' hit checks tallied.
  common::Status untallied;
  for (const RaceWriterCall& call : kRaceWriterOrder) {
    const common::Status written = (writers.*call.write)(app_path, state);
    log.Add(written, std::string(call.written), key);
    if ((call.write == &RaceWriters::WriteLupDocuments || call.write == &RaceWriters::WritePcDocuments) &&
        untallied.ok() && !written.ok() && !written.IsInvalidArgument())
      untallied = written;
  }

  if (!untallied.ok())
    LeaveOut(log, key, RacePass::kRateTables, "予想結果文書かフォーメーション文書を書けなかった", untallied, hooks, state);
  else if (state.ResultsFinal == 1)
    (void)log.Run(hooks.RateTables, kRateTablesStep, key, app_path, state);  // logged; no pass reads it
}

}  // namespace

common::Status TestResultsFinal(const std::string& app_path, ResultsWindowState& state) {
  state.ResultsFinal = 0;
  store::RecordBlock races;
  if (common::Status status = ReadStoreRecords(app_path, store::kRaNew, races); !status.ok()) return status;
  if (races.count() == 0) return common::Status::OK();
  state.CurrentRaceRecord = std::string(races.Record(races.count() - 1));
  if (jvdata::ra::DataCategory.Of(state.CurrentRaceRecord) == "7") state.ResultsFinal = 1;
  return common::Status::OK();
}

std::string ProgressText(std::string_view race_key, const CodeTable& table) {
  const std::string_view date = race_key.substr(0, 8);
  const std::string_view venue = race_key.size() > 8 ? race_key.substr(8, 2) : std::string_view();
  const std::string_view race = race_key.size() > 10 ? race_key.substr(10, 2) : std::string_view();
  return common::DisplayText(std::string(date) + LookupCodeTable(table, kCodeVenue, venue, 4) + std::string(race)) +
         "R予想中";
}

std::string ResultsEndText(const common::StepFailures& failures) {
  if (failures.refused) return "予想･結果は行いませんでした。";
  if (failures.stopped) return "予想･結果を中止しました。⑥予想･結果をもう一度実行して下さい。";
  if (failures.empty()) return std::string(kEndText);
  return "予想･結果は終わりましたが、" + std::to_string(failures.Failed()) + "件の処理に失敗しました";
}

ResultsPassOutcome RunResultsPass(const common::RunState& run, common::StepHost& host, const RaceStepHooks& hooks,
                                  RaceWriters& writers, ResultsWindowState& state) {
  ResultsPassOutcome outcome;
  StepLog log(outcome.failures);
  const std::string& app_path = run.AppPath;

  if (!Setup(app_path, host, hooks, state, outcome, log) || state.RaceCount == 0) return outcome;

  store::RecordBlock payouts;
  log.Add(ReadStoreRecords(app_path, store::kHrThisWeek, payouts), "払戻");
  for (state.RaceIndex = 1; state.RaceIndex <= state.RaceCount; ++state.RaceIndex) {
    // The user may stop the pass between two races: every race written so far is whole.
    if (host.CancelRequested()) {
      outcome.failures.stopped = true;
      break;
    }
    RunRace(app_path, host, hooks, writers, payouts, state, log);
  }
  // The state stays on the last race, as the viewer expects it.
  state.RaceIndex = state.RaceCount;
  outcome.LeftOutRaces = state.PredictLeftOutRaces;
  return outcome;
}

}  // namespace radadovur::results
