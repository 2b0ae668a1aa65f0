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
  // Runs a stage that is there; its failures are named by `step`.
  void Run(const PassStage& stage, std::string_view step, std::string_view race_key, const std::string& app_path,
           ResultsWindowState& state) {
    if (!stage) return;
    common::StepFailures stage_failures;
    stage(app_path, state, stage_failures);
    AddAll(stage_failures, step, race_key);
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

// Everything before the race loop: the code table, the results check, the race list, the runner
// files and the empty ticket files.
void Setup(const std::string& app_path, common::StepHost& host, const RaceStepHooks& hooks,
           ResultsWindowState& state, ResultsPassOutcome& outcome, StepLog& log) {
  state.LastKeyLup.clear();
  state.LastKeyShutsubahyo.clear();
  state.LastKeyTwi.clear();
  state.RaceIndex = 0;
  state.UntrustedRaces.clear();
  // The window repaints between the steps before the race loop, which read the week's files.
  host.Yield();

  const common::Status code_table = LoadCodeTable(app_path, state.CodeTable);
  if (!code_table.ok()) {
    host.Message(code_table.ToString());
    log.Add(code_table, "コード表");
  }

  log.Add(TestResultsFinal(app_path, state), "結果確定の確認");

  log.Add(MakeEmptyFile(app_path, kRaceListFile), "レース一覧の準備");
  log.Add(MakeEmptyFile(app_path, kRaceDetailFile), "レース一覧の準備");
  log.Add(MakeEmptyFile(app_path, kRaceIdFile), "レース一覧の準備");

  {
    common::StepFailures list_failures;
    outcome.List1Items = BuildRaceList(app_path, state, list_failures);
    log.AddAll(list_failures, "レース一覧");
  }
  host.Yield();

  log.Run(hooks.PutEntries, "出走馬ファイル", app_path, state, host);
  {
    common::StepFailures table_failures;
    LoadRaceTable(app_path, state, table_failures);
    log.AddAll(table_failures, "出走馬ファイル");
  }
  log.Run(hooks.CopyRuns, "出走馬ファイル", app_path, state, host);

  for (int i = 1; i <= state.RaceCount; ++i) {
    if (state.UntrustedRaces.count(state.RaceKeyList[i])) continue;  // named by the runs pass
    std::string kaime;
    const common::Status named = KaimeFileName(state.RaceKeyList[i], kaime);
    log.Add(named.ok() ? MakeEmptyFile(app_path, kaime) : named, "買い目ファイルの準備", state.RaceKeyList[i]);
  }
}

// Race RaceIndex: its payout record, its stages and its writers.
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

  // A race the runs pass could not trust gets nothing written; it is named there once.
  if (state.UntrustedRaces.count(key)) return;

  // The race's runner count, from the length of its runner file.
  if (common::Status count = CountRunners(app_path, key, state.RunnerCount); !count.ok()) {
    log.Add(count, "出走馬", key);
  } else if (state.RunnerCount == 0) {
    // Every document and page leaves the race out; the list says so. The key passed the name
    // guard above.
    std::string runner_file;
    (void)RaceRunnerFileName(key, runner_file);
    log.Add(common::Status::NotFound(app_path + runner_file,
                                     "出走馬のレコードがありません。このレースは文書とページに載せません"),
            "出走馬", key);
  }

  log.Run(hooks.RunnerFiguresAndPairs, "予想順位と組合せ", key, app_path, state);

  // The race's progress text.
  host.Yield();
  host.SetStatus(common::StatusSlot::kMainText5, ProgressText(key, state.CodeTable));

  log.Run(hooks.BetListsAndSortFiles, "買い目一覧", key, app_path, state);

  // The race's documents, exports and pages, writer by writer.
  for (const RaceWriterCall& call : kRaceWriterOrder)
    log.Add((writers.*call.write)(app_path, state), std::string(call.written), key);

  if (state.ResultsFinal == 1) log.Run(hooks.RateTables, "的中率表", key, app_path, state);
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
  return "予想･結果は終わりましたが、" + std::to_string(failures.items.size()) + "件の処理に失敗しました";
}

ResultsPassOutcome RunResultsPass(const common::RunState& run, common::StepHost& host, const RaceStepHooks& hooks,
                                  RaceWriters& writers, ResultsWindowState& state) {
  ResultsPassOutcome outcome;
  StepLog log(outcome.failures);
  const std::string& app_path = run.AppPath;

  Setup(app_path, host, hooks, state, outcome, log);
  if (state.RaceCount == 0) return outcome;

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
  return outcome;
}

}  // namespace radadovur::results
