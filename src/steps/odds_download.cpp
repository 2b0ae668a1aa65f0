#include "steps/odds_download.h"

#include <array>
#include <map>
#include <string>
#include <vector>

#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/record.h"
#include "steps/delivered_record.h"
#include "steps/download_progress.h"
#include "steps/unread_races.h"
#include "steps/gate.h"
#include "steps/week_record.h"

namespace radadovur::steps {
namespace {

namespace names = common::names;
using common::Status;
using common::StatusSlot;
using jvdata::RecordType;

constexpr std::string_view kWeekOddsDataspec = "TOKURACETCOVRCOV";
constexpr std::string_view kFromTime = "00000000000000";
constexpr int32_t kOption = 2;
constexpr std::string_view kRealtimeDataspec = "0B30";
constexpr std::string_view kRealtimeSoftwareId = "SA730215/SD918342/VELTRAN/ver.2020.3.2";
constexpr std::string_view kRealtimeStartText = "速報オッズ取得を開始します。。。。。。";
constexpr std::string_view kRealtimeEndText = "速報オッズ取得完了";
constexpr std::string_view kRealtimeFailedText = "速報オッズ取得で失敗がありました。";
// Reads per race of a realtime request: its records come before the first -1.
constexpr int kRealtimeReadsPerRace = 6;
// A downloaded file reported broken this many times in one fetch is given up as a read error.
constexpr int kBrokenFileTries = 3;

// Where a fetch keeps each record type.
struct OddsFile {
  RecordType type;
  std::string_view name;
};

struct WeekFetch {
  std::string_view software_id;
  std::vector<OddsFile> files;  // in the order they are emptied
  std::string_view end_text;
  std::string_view failed_text;  // in place of the end text after any failure
};

WeekFetch FetchOf(ThisWeekOdds which) {
  if (which == ThisWeekOdds::kTrifecta)
    return {"UNKNOWN", {{RecordType::O6, names::kO6ThisWeek}}, "3連単オッズ取得完了", "3連単オッズ取得で失敗がありました。"};
  return {"SA730215/SD918342/ZEDORADERIDEROZE/ver.2020.3.2",
          {{RecordType::O2, names::kO2ThisWeek}, {RecordType::O4, names::kO4ThisWeek}, {RecordType::O5, names::kO5ThisWeek}},
          "オッズ取得完了",
          "オッズ取得で失敗がありました。"};
}

const std::vector<OddsFile> kRealtimeFiles = {{RecordType::O6, names::kO6Realtime},
                                              {RecordType::O5, names::kO5Realtime},
                                              {RecordType::O4, names::kO4Realtime},
                                              {RecordType::O2, names::kO2Realtime}};

// JV-Link errors: a message now, and a failure of the step.
void JvError(common::StepHost& host, common::StepFailures& failures, const std::string& message) {
  host.Message(message);
  failures.Add(Status::IoError("JV-Link", message));
}

// A failed file operation ends the fetch: a message naming the file, and a failure.
void FileError(common::StepHost& host, common::StepFailures& failures, const Status& status) {
  host.Message("オッズファイルの書き込みに失敗したため、取得を中止しました。\n" + status.ToString());
  failures.Add(status);
}

// Empties the fetch's files (creating them). The first that fails ends the fetch.
bool EmptyFiles(const std::string& app_path, const std::vector<OddsFile>& files, common::StepHost& host,
                common::StepFailures& failures) {
  for (const OddsFile& f : files) {
    if (Status s = common::WriteFileAtomic(app_path + std::string(f.name), ""); !s.ok()) {
      FileError(host, failures, s);
      return false;
    }
  }
  return true;
}

// Appends a delivered record to the file of its type; records of other types are dropped.
// False when the append failed (reported).
bool Keep(const std::string& app_path, const std::vector<OddsFile>& files, std::string_view record,
          common::StepHost& host, common::StepFailures& failures) {
  const RecordType type = jvdata::TypeOf(record);
  for (const OddsFile& f : files) {
    if (f.type != type) continue;
    if (Status s = common::AppendToFile(app_path + std::string(f.name), record); !s.ok()) {
      FileError(host, failures, s);
      return false;
    }
    return true;
  }
  return true;
}

// This week's read loop: until the end, a read error or a failed append. Only -403 is a broken
// file to download again; -402 is a read error here. A damaged record is left out (kept, it
// would shift the odds file it goes to) and added to `damaged`, named by its recording file and
// its place in it.
void ReadWeekOdds(const std::string& app_path, const WeekFetch& fetch, jvlink::JvLink& link, common::StepHost& host,
                  common::StepFailures& failures, std::vector<Status>& damaged) {
  std::string buffer(jvlink::kJvReadBufferSize, '\0');
  int32_t size = jvlink::kJvReadBufferSize;
  std::string file_name;
  std::string counted_file;  // the recording file `records` counts in
  int64_t records = 0;
  std::map<std::string, int> broken_reports;  // by file name
  for (;;) {
    size = jvlink::kJvReadBufferSize;
    const int32_t rc = link.JVRead(buffer, size, file_name);
    if (rc > 0) {
      const std::string_view record = std::string_view(buffer).substr(0, static_cast<size_t>(rc));
      if (file_name != counted_file) {
        counted_file = file_name;
        records = 0;
      }
      if (Status s = CheckDeliveredRecord(kWeekOddsDataspec, file_name, ++records, record); !s.ok()) {
        damaged.push_back(std::move(s));
        continue;
      }
      if (!Keep(app_path, fetch.files, record, host, failures)) return;
      continue;
    }
    if (rc == jvlink::jvread::kFileBoundary) continue;
    if (rc == jvlink::jvread::kEnd) return;
    // The same broken file delivered again and again would never end.
    if (rc == jvlink::jvread::kBrokenFile403 && ++broken_reports[file_name] < kBrokenFileTries) {
      link.JVFiledelete(file_name);
      link.JVClose();
      counted_file.clear();  // the file comes again from its first record
      int32_t read_count = 0;
      int32_t download_count = 0;
      std::string last_file_timestamp;
      link.JVOpen(std::string(kWeekOddsDataspec), std::string(kFromTime), kOption, read_count, download_count,
                  last_file_timestamp);
      continue;
    }
    JvError(host, failures, jvlink::ErrorMessage(link, "JVReadエラー。 RC=" + std::to_string(rc), rc));
    return;
  }
}

}  // namespace

common::StepFailures RunThisWeekOdds(ThisWeekOdds which, common::RunState& state, OddsWindowState& window,
                                     jvlink::JvLink& link, common::StepHost& host,
                                     std::chrono::milliseconds poll_interval) {
  const WeekFetch fetch = FetchOf(which);
  StepGate gate(state, host, which == ThisWeekOdds::kTrifecta ? "今週の3連単オッズ取得" : "今週オッズ取得");
  if (!gate.Admit()) return std::move(gate.failures());
  return gate.Run([&](GateRun& run) {
    common::StepFailures& failures = run.failures;
    std::vector<Status> damaged;  // delivered records left out
    state.OddsSource = 0;
    if (const int32_t rc = link.JVInit(std::string(fetch.software_id)); rc != 0)
      JvError(host, failures, jvlink::ErrorMessage(link, "JVInitエラー。RC=" + std::to_string(rc), rc));
    int32_t read_count = 0;
    int32_t download_count = 0;
    std::string last_file_timestamp;
    const int32_t rc = link.JVOpen(std::string(kWeekOddsDataspec), std::string(kFromTime), kOption, read_count,
                                   download_count, last_file_timestamp);
    window.DownloadCount = download_count;
    // The odds files are emptied only once the recordings could be opened: a folder that is
    // missing or cannot be read leaves the files of the last fetch as they were.
    if (rc < 0) {
      JvError(host, failures, jvlink::ErrorMessage(link, "JVOpenエラー。RC=" + std::to_string(rc), rc));
    } else if (EmptyFiles(state.AppPath, fetch.files, host, failures)) {
      bool read = true;
      if (read_count == 0) {
        host.Message("該当するデータがありません。");
        read = false;
      } else if (window.DownloadCount != 0) {
        window.DialogResult = common::kDownloadDone;
        window.DialogResult = WaitForDownload(link, window.DownloadCount, host, poll_interval);
        read = window.DialogResult != common::kDownloadCancelled;
      }
      if (read && read_count >= 1) ReadWeekOdds(state.AppPath, fetch, link, host, failures, damaged);
    }
    link.JVClose();
    if (!damaged.empty()) {
      std::string message = "今週オッズ取得で壊れたレコードを取り込みませんでした。";
      for (Status& record : damaged) {
        message += "\n" + record.ToString();
        failures.Add(std::move(record));
      }
      host.Message(message);
    }
    host.SetStatus(StatusSlot::kOddsText1, std::string(failures.empty() ? fetch.end_text : fetch.failed_text));
  });
}

common::StepFailures RunRealtimeOdds(common::RunState& state, jvlink::JvLink& link, common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  // The races come from step ②'s race file.
  StepGate gate(state, host, WeekStep::kRealtimeOdds);
  if (!gate.Admit()) return std::move(gate.failures());
  state.OddsSource = 1;
  UnreadRaces unread;  // races whose request or reads failed
  std::vector<Status> damaged;  // delivered records left out
  bool worked = false;
  const auto work = [&](GateRun& run) {
    worked = true;
    common::StepFailures& failures = run.failures;
    host.SetStatus(StatusSlot::kRealtimeText1, std::string(kRealtimeStartText));
    host.Yield();
    const std::string race_path = app_path + std::string(names::kRaNew);
    common::RecordFile races;
    if (!races.Open(race_path, jvdata::ra::kLength)) {
      FileError(host, failures, races.status());
      return;
    }
    const int64_t n = races.is_open() ? races.Count() : 0;
    // The files are emptied at the first request that opens: recordings that are missing or
    // cannot be read leave the odds of the last fetch as they were.
    bool emptied = false;
    std::string buffer;
    std::string record;
    std::string file_name;
    bool stop = false;
    for (int64_t r = n; r >= 1 && r > n - kRealtimeRaceWindow && !stop; --r) {
      if (!races.Read(r, record)) {
        FileError(host, failures, races.status());
        break;
      }
      const std::string race_id = record.substr(11, 16);
      if (const int32_t rc = link.JVInit(std::string(kRealtimeSoftwareId)); rc != 0)
        JvError(host, failures, jvlink::ErrorMessage(link, "JVInitエラー。RC=" + std::to_string(rc), rc));
      if (const int32_t rc = link.JVRTOpen(std::string(kRealtimeDataspec), race_id); rc < 0) {
        unread.Add(race_id, "JVRTOpen", rc);
      } else if (!emptied && !(emptied = EmptyFiles(app_path, kRealtimeFiles, host, failures))) {
        stop = true;
      } else {
        buffer.assign(jvlink::kJvReadBufferSize, '\0');
        int32_t size = jvlink::kJvReadBufferSize;
        int64_t records = 0;
        for (int read = 0; read < kRealtimeReadsPerRace; ++read) {
          size = jvlink::kJvReadBufferSize;
          const int32_t rc = link.JVRead(buffer, size, file_name);
          if (rc == jvlink::jvread::kFileBoundary) break;
          // Only a record is kept: after any other result the buffer holds none.
          if (rc > 0) {
            const std::string_view delivered = std::string_view(buffer).substr(0, static_cast<size_t>(rc));
            // A damaged record is left out: kept, it would shift the odds file it goes to.
            if (Status s = CheckDeliveredRecord(kRealtimeDataspec, file_name, ++records, delivered); !s.ok()) {
              damaged.push_back(std::move(s));
              continue;
            }
            if (!Keep(app_path, kRealtimeFiles, delivered, host, failures)) {
              stop = true;
              break;
            }
          } else if (rc < 0) {
            unread.Add(race_id, "JVRead", rc);
          }
        }
      }
      link.JVClose();
    }
    races.Close();
    if (n == 0 && failures.empty()) EmptyFiles(app_path, kRealtimeFiles, host, failures);  // no race: nothing to keep
    // Races not read and records left out are failures: the odds are not all there.
    std::string message;
    for (Status& item : unread.Failures(link, "速報オッズ（" + std::string(kRealtimeDataspec) + "）")) {
      message += "\n" + item.ToString();
      failures.Add(std::move(item));
    }
    for (Status& left_out : damaged) {
      message += "\n" + left_out.ToString();
      failures.Add(std::move(left_out));
    }
    if (!message.empty()) host.Message("速報オッズ取得で次のレースの取得に失敗しました。" + message);
  };
  const auto report = [&](GateRun& run) {
    // The week's record could not be written: the fetch did not start.
    if (!worked && !run.failures.empty()) host.Message(run.failures.items[0].ToString());
    host.SetStatus(StatusSlot::kRealtimeText1,
                   std::string(run.failures.empty() ? kRealtimeEndText : kRealtimeFailedText));
  };
  return gate.Run(work, report);
}

}  // namespace radadovur::steps
