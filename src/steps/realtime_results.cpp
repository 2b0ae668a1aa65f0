#include "steps/realtime_results.h"

#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/record.h"
#include "common/failure_report.h"
#include "steps/delivered_record.h"
#include "steps/odds_download.h"
#include "steps/realtime_results_fetch.h"
#include "steps/gate.h"
#include "steps/unread_races.h"
#include "steps/week_record.h"
#include "store/record_block.h"
#include "store/store_files.h"

namespace radadovur::steps {
namespace {

namespace names = common::names;
using common::Status;

constexpr std::string_view kWinOddsDataspec = "0B30";
constexpr std::string_view kFailedHeading = "速報着順等の取得と反映で次の処理ができませんでした。";

// The "0B30" reads of one race: at most six, up to the first -1; only a record (a positive
// result) whose type is O1 is appended, and a damaged record goes to `failures` instead. False
// when the append failed (`status` says why). `read_error`: the first failed read's code, else 0.
bool ReadRace(const std::string& app_path, jvlink::JvLink& link, int32_t& read_error, Status& status,
              common::StepFailures& failures) {
  std::string buffer(jvlink::kJvReadBufferSize, '\0');
  std::string file_name;
  int64_t delivered = 0;
  for (int read = 0; read < kRealtimeWinOddsReads; ++read) {
    int32_t size = jvlink::kJvReadBufferSize;
    const int32_t rc = link.JVRead(buffer, size, file_name);
    if (rc == jvlink::jvread::kFileBoundary) break;
    if (rc < 0 && read_error == 0) read_error = rc;
    if (rc <= 0) continue;  // after anything but a record the buffer holds none
    const std::string_view record = std::string_view(buffer).substr(0, static_cast<size_t>(rc));
    if (Status s = CheckDeliveredRecord(kWinOddsDataspec, file_name, ++delivered, record); !s.ok()) {
      failures.Add(std::move(s));
      continue;
    }
    if (jvdata::TypeOf(record) != jvdata::RecordType::O1) continue;
    status = common::AppendToFile(app_path + std::string(names::kO1Realtime), record);
    if (!status.ok()) return false;
  }
  return true;
}

}  // namespace

Status FetchRealtimeWinOdds(const std::string& app_path, jvlink::JvLink& link, common::StepHost& host,
                            common::StepFailures& failures) {
  const std::string odds_path = app_path + std::string(names::kO1Realtime);
  // A download that never ran leaves no race file: nothing to fetch (and nothing created).
  const std::string race_path = app_path + std::string(names::kRaThisWeek);
  if (!common::FileExists(race_path)) return common::WriteFileAtomic(odds_path, "");
  store::RecordBlock races;
  if (Status s = store::ReadRecordBlock(app_path, store::kRaThisWeek, races); !s.ok()) return s;
  const int64_t n = static_cast<int64_t>(races.count());
  UnreadRaces unread;  // races whose request or reads failed
  bool emptied = false;
  for (int64_t i = n; i >= 1 && i > n - kRealtimeRaceWindow; --i) {
    const std::string race_id(races.Record(static_cast<size_t>(i - 1)).substr(11, 16));
    if (const int32_t rc = link.JVInit(std::string(kRealtimeResultsSoftwareId)); rc != 0) {
      const std::string message = jvlink::ErrorMessage(link, "JVInitエラー。RC=" + std::to_string(rc), rc);
      host.Message(message);
      failures.Add(Status::IoError("JV-Link", message));
    }
    if (const int32_t rc = link.JVRTOpen(std::string(kWinOddsDataspec), race_id); rc < 0) {
      unread.Add(race_id, "JVRTOpen", rc);
    } else {
      // Emptied at the first request that opens: recordings that are missing or cannot be read
      // leave the odds of the last fetch as they were.
      if (!emptied) {
        if (Status s = common::WriteFileAtomic(odds_path, ""); !s.ok()) {
          link.JVClose();
          return s;
        }
        emptied = true;
      }
      int32_t read_error = 0;
      Status status;
      const bool written = ReadRace(app_path, link, read_error, status, failures);
      if (read_error != 0) unread.Add(race_id, "JVRead", read_error);
      if (!written) {
        link.JVClose();
        return status;
      }
    }
    link.JVClose();
  }
  for (Status& item : unread.Failures(link, "速報単勝オッズ（" + std::string(kWinOddsDataspec) + "）"))
    failures.Add(std::move(item));
  if (n == 0) return common::WriteFileAtomic(odds_path, "");  // no race: nothing to keep
  return Status::OK();
}

RealtimeResultsReport LoadRealtimeResults(const common::RunState& state, jvlink::JvLink& link, common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  RealtimeResultsReport report;
  // The patches go into the runner files of step ⑥.
  StepGate gate(state, host, WeekStep::kRealtimeResults);
  if (!gate.Admit()) {
    report.failures = std::move(gate.failures());
    return report;
  }
  const auto work = [&](GateRun& run) {
    host.SetStatus(common::StatusSlot::kRealtimeText1, std::string(kRealtimeResultsStartText));
    run.failures.Add(FetchRealtimeWinOdds(app_path, link, host, run.failures));
    run.failures.Add(FetchRealtimeResults(app_path, link, host, run.failures));
    // Recordings that could not be read leave the runner files as they were: patched from the
    // realtime files of earlier fetches alone, they would change although nothing came.
    if (const Status* unread = FirstJvLinkFailure(run.failures)) {
      run.failures.Add(Status::SkippedBecause(
          Status(*unread), "速報の反映（RACE の出走馬ファイル）: 速報を取得できなかったため行いませんでした。出走馬ファイルは前回のままです"));
      return;
    }
    report.counts = results::PatchRunnerFilesFromRealtime(app_path, run.failures, [&host] { host.Yield(); });
  };
  const auto shown = [&](GateRun& run) {
    const results::RealtimePatchCounts& c = report.counts;
    std::string skipped;
    if (c.skipped() > 0)
      skipped = "反映しなかった速報: 実行結果ファイルのないレース " + std::to_string(c.races_without_file) +
                " レース、出走馬のいない馬番への速報 " + std::to_string(c.no_runner) + " 件";
    if (!run.failures.empty()) {
      common::FailureReport failed = common::MakeFailureReport(kFailedHeading, run.failures, RealtimeFileAdvice(run.failures));
      if (!skipped.empty()) failed.summary += "\n" + skipped;
      host.FailureMessage(failed);
    } else if (!skipped.empty()) {
      host.Message(skipped);
    }
  };
  report.failures = gate.Run(work, shown);
  return report;
}

std::string RealtimeResultsMenuEndText(const common::StepFailures& failures) {
  if (failures.refused) return std::string(kRealtimeResultsRefusedText);
  return std::string(failures.empty() ? kRealtimeResultsEndText : kRealtimeResultsFailedText);
}

}  // namespace radadovur::steps
