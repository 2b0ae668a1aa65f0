#include "steps/download.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "steps/delivered_record.h"
#include "steps/download_progress.h"
#include "steps/gate.h"
#include "steps/model_package.h"
#include "common/names.h"
#include "common/package_path.h"
#include "common/record_file.h"
#include "jvdata/record.h"
#include "store/store_files.h"

namespace radadovur::steps {
namespace {

using common::RecordFile;
using common::Status;
using common::StatusSlot;
using common::StepFailures;
using common::StepHost;
using jvdata::RecordType;
using jvlink::JvLink;
namespace jvread = jvlink::jvread;

constexpr std::string_view kSoftwareId = "SA730215/SD918342/VELTRAN/ver.2020.7.21";
constexpr std::string_view kDataspec = "TOKURACETCVNRCVN";
constexpr std::string_view kFromTime = "00000000000000";
constexpr int32_t kOption = 2;

constexpr std::string_view kStartText = "今週開催取得開始しました。しばらくお待ち下さい。。。。。";
constexpr std::string_view kEndText = "今週開催取得終了";
// The end of a download that failed somewhere: never the finished text. It stays after the
// messages and the failure list are closed, so it does not send the user to them.
constexpr std::string_view kFailedText = "今週開催取得で失敗がありました。";
// A download the user cancelled leaves the files of the one before.
constexpr std::string_view kCancelledText = "今週開催取得を取り消しました。ファイルは前の取得のままです。";
constexpr std::string_view kFileFailuresMessage = "今週開催取得で次のファイル操作に失敗しました。";
constexpr std::string_view kDamagedDeliveryMessage = "今週開催取得で壊れたレコードを取り込みませんでした。";
constexpr std::string_view kDamagedDeliveryAdvice =
    "届いたデータに壊れたレコードがあります。名前の出ている届いたファイル（JV-Linkの記録ファイル）を確かめ、取り直してから、①今週開催取得をやり直してください。";

// A downloaded file reported broken this many times in one run is given up as a read error.
constexpr int kBrokenFileTries = 3;

// One raw record file being written, with what went wrong with it.
struct RawFile {
  const store::StoreFile* file = nullptr;
  common::RecordFile records;
  bool open = false;
  int64_t unopened = 0;  // records that could not be stored because the file did not open
  int64_t stored = 0;    // records given to the file
  common::Status error;  // the first failure
};

// The raw files by record type, in the order the read loop stores them.
struct RawFiles {
  RawFile ra, se, um, ks, hr;
  RawFile* Of(jvdata::RecordType type) {
    switch (type) {
      case jvdata::RecordType::RA: return &ra;
      case jvdata::RecordType::SE: return &se;
      case jvdata::RecordType::UM: return &um;
      case jvdata::RecordType::KS: return &ks;
      case jvdata::RecordType::HR: return &hr;
      default: return nullptr;
    }
  }
  // The order in which the files are closed.
  std::array<RawFile*, 5> ClosingOrder() { return {&hr, &ks, &um, &se, &ra}; }
};

void OpenRawFiles(const std::string& app_path, RawFiles& raw) {
  const std::array<std::pair<RawFile*, const store::StoreFile*>, 5> files = {{
      {&raw.ra, &store::kRaThisWeek},
      {&raw.se, &store::kSeThisWeek},
      {&raw.um, &store::kUmThisWeek},
      {&raw.ks, &store::kKsThisWeek},
      {&raw.hr, &store::kHrThisWeek},
  }};
  for (auto [f, file] : files) {
    f->file = file;
    f->open = store::OpenReplacing(f->records, app_path, *file);
    if (!f->open) f->error = f->records.status();
  }
}

// Stores the record after the type's last one. The next record number follows the records
// actually in the file, so a failed write leaves no gap of unwritten bytes.
void StoreRecord(RawFile& f, jvdata::RecordType type, std::string_view record) {
  ++f.stored;
  if (!f.open) {
    ++f.unopened;
    return;
  }
  if (!f.records.Append(jvdata::StoredForm(type, record)) && f.error.ok()) f.error = f.records.status();
}

// The records of one delivered (recording) file as the read loop meets them: each is checked
// whole before it is stored, and a file that brought no JV-Data record at all is named once
// rather than record by record.
class DeliveredFile {
 public:
  // A record of `file_name`: OK to store it, else it is left out (and counted against its file).
  bool Check(const std::string& file_name, std::string_view record, std::vector<Status>& damaged) {
    if (file_name != name_) End(damaged);
    name_ = file_name;
    Status s = CheckDeliveredRecord(kDataspec, file_name, ++records_, record);
    if (!s.ok()) {
      left_out_.push_back(std::move(s));
      return false;
    }
    if (jvdata::TypeOf(record) != jvdata::RecordType::Unknown) ++jv_data_;
    return true;
  }
  // The file ended (its -1, the end of the delivery, an error, or a file delivered again).
  void End(std::vector<Status>& damaged) {
    if (!name_.empty() && records_ > 0 && jv_data_ == 0) {
      const std::string recording = std::string(kDataspec) + "/" + common::Shown(name_);
      damaged.push_back(Status::Corruption(recording, "配信データ " + recording + " には JV-Data のレコードがありません（" +
                                                          std::to_string(records_) + " 件を取り込みませんでした）。"));
    } else {
      for (Status& s : left_out_) damaged.push_back(std::move(s));
    }
    name_.clear();
    records_ = 0;
    jv_data_ = 0;
    left_out_.clear();
  }

 private:
  std::string name_;
  int64_t records_ = 0;  // delivered in this file, counted from 1 at its start
  int64_t jv_data_ = 0;  // sound records of a known type
  std::vector<Status> left_out_;
};

// Puts the new files in place (kCommit) or removes them, leaving the previous ones.
enum class Outcome { kCommit, kDiscard };
void CloseRawFiles(RawFiles& raw, Outcome outcome) {
  for (RawFile* f : raw.ClosingOrder()) {
    if (!f->open) continue;
    if (outcome == Outcome::kDiscard) {
      f->records.Close();  // never committed: the new file is removed
      continue;
    }
    // The records read so far stay in the file even when a write failed.
    if (!f->records.Commit(common::RecordFile::AfterFailure::kKeepWritten) && f->error.ok())
      f->error = f->records.status();
  }
}

// The read loop: stores every sound record of the five types until the end (true) or a read
// error (false). A damaged record is left out and added to `damaged`, named by its recording
// file and its place in it.
bool ReadRecords(jvlink::JvLink& link, common::StepHost& host, RawFiles& raw, common::StepFailures& failures,
                 std::vector<Status>& damaged) {
  std::string buffer(jvlink::kJvReadBufferSize, '\0');
  int32_t size = jvlink::kJvReadBufferSize;
  std::string file_name;
  std::map<std::string, int> broken_reports;  // by file name
  DeliveredFile delivered;
  for (;;) {
    const int32_t rc = link.JVRead(buffer, size, file_name);
    if (rc > 0) {
      const std::string_view record = std::string_view(buffer).substr(0, static_cast<size_t>(rc));
      if (!delivered.Check(file_name, record, damaged)) continue;
      const jvdata::RecordType type = jvdata::TypeOf(record);
      RawFile* f = raw.Of(type);
      if (!f) continue;  // other record types are not kept
      // A deleted horse (category "9") is not kept.
      if (type == jvdata::RecordType::UM && record.size() > 2 && record[2] == '9') continue;
      StoreRecord(*f, type, record);
      continue;
    }
    delivered.End(damaged);
    if (rc == jvlink::jvread::kFileBoundary) {
      host.Yield();  // the window repaints between the files of a large week
      continue;
    }
    if (rc == jvlink::jvread::kEnd) return true;
    if (rc == jvlink::jvread::kBrokenFile402 || rc == jvlink::jvread::kBrokenFile403) {
      // Downloading the same broken file again and again (or two of them by turns) would never
      // end.
      if (++broken_reports[file_name] < kBrokenFileTries) {
        link.JVFiledelete(file_name);
        link.JVClose();
        int32_t read_count = 0;
        int32_t download_count = 0;
        std::string last_file_timestamp;
        link.JVOpen(std::string(kDataspec), std::string(kFromTime), kOption, read_count, download_count,
                    last_file_timestamp);
        continue;
      }
    }
    const std::string message = jvlink::ErrorMessage(link, "JVReadエラー。 RC=" + std::to_string(rc), rc);
    host.Message(message);
    failures.Add(common::Status::IoError("JV-Link", message));
    return false;
  }
}

// "Nothing to read" is the delivery's answer for the week: the raw files are emptied.
void EmptyRawFiles(const std::string& app_path, std::vector<common::Status>& file_failures) {
  for (const auto& file : store::kRawRecordFiles) {
    common::RecordFile records;
    if (!store::OpenReplacing(records, app_path, file) || !records.Commit()) file_failures.push_back(records.status());
  }
}

// Tells the user, in one message, which file operations failed (they are among the step's
// failures already).
void ReportFileFailures(common::StepHost& host, const std::vector<common::Status>& items) {
  if (items.empty()) return;
  common::StepFailures listed;
  for (const auto& item : items) listed.Add(item);
  // A damaged delivery comes again from the same recording: the advice names that, not ①.
  const bool damaged_delivery = std::any_of(items.begin(), items.end(), [](const Status& s) { return s.IsCorruption(); });
  const bool only_damaged = std::all_of(items.begin(), items.end(), [](const Status& s) { return s.IsCorruption(); });
  host.FailureMessage(common::MakeFailureReport(only_damaged ? kDamagedDeliveryMessage : kFileFailuresMessage, listed,
                                                damaged_delivery ? kDamagedDeliveryAdvice : ""));
}

}  // namespace

common::StepFailures RunThisWeekDownload(common::RunState& state, jvlink::JvLink& link, common::StepHost& host,
                                 std::chrono::milliseconds poll_interval) {
  const std::string& app_path = state.AppPath;
  StepGate gate(state, host, WeekStep::kDownload);
  if (!gate.Admit()) return std::move(gate.failures());
  std::vector<common::Status> file_failures;
  bool cancelled = false;
  const auto work = [&](GateRun& run) {
    common::StepFailures& failures = run.failures;
    if (!common::FileExists(common::ResolvePackagePath(app_path, common::names::kStallionFile))) {
      host.Message(PackageSetupMessage(app_path));
      host.SetStatus(common::StatusSlot::kMainLabel1, kPackageSetupCaption);
    }
    host.SetStatus(common::StatusSlot::kMainText1, std::string(kStartText));
    host.Yield();

    // The previous raw files stay until the new ones are complete: they are written beside them
    // and replace them only when the download has run to its end (or to a read error after
    // records). After an open error, a cancel or a kill the previous week's files are as they were.

    if (const int32_t rc = link.JVInit(std::string(kSoftwareId)); rc != 0) {
      const std::string message = jvlink::ErrorMessage(link, "JVInitエラー。RC=" + std::to_string(rc), rc);
      host.Message(message);
      failures.Add(common::Status::IoError("JV-Link", message));
    }

    int32_t read_count = 0;
    int32_t download_count = 0;
    std::string last_file_timestamp;
    const int32_t rc = link.JVOpen(std::string(kDataspec), std::string(kFromTime), kOption, read_count,
                                   download_count, last_file_timestamp);
    state.DownloadCount = download_count;
    bool read = true;
    bool store_changed = false;
    if (rc < 0) {
      const std::string message = jvlink::ErrorMessage(link, "JVOpenエラー。RC=" + std::to_string(rc), rc);
      host.Message(message);
      failures.Add(common::Status::IoError("JV-Link", message));
      read = false;
    } else if (read_count == 0) {
      host.Message("該当するデータがありません。");
      EmptyRawFiles(app_path, file_failures);
      store_changed = true;
      read = false;
    } else if (state.DownloadCount != 0) {
      state.DownloadResult = common::kDownloadDone;
      state.DownloadResult = WaitForDownload(link, state.DownloadCount, host, poll_interval);
      read = state.DownloadResult != common::kDownloadCancelled;
      cancelled = !read;
    }

    if (read) {
      RawFiles raw;
      OpenRawFiles(app_path, raw);
      std::vector<Status> damaged;  // delivered records left out
      const bool to_the_end = read_count < 1 || ReadRecords(link, host, raw, failures, damaged);
      const int64_t stored = raw.ra.stored + raw.se.stored + raw.um.stored + raw.ks.stored + raw.hr.stored;
      // A read error before any record, or a delivery with nothing sound in it, leaves nothing
      // worth replacing the previous files with.
      const bool keep_new = stored > 0 || (to_the_end && damaged.empty());
      CloseRawFiles(raw, keep_new ? Outcome::kCommit : Outcome::kDiscard);
      store_changed = keep_new;
      for (Status& s : damaged) file_failures.push_back(std::move(s));
      for (RawFile* f : {&raw.ra, &raw.se, &raw.um, &raw.ks, &raw.hr}) {
        if (f->error.ok()) continue;
        std::string item = std::string(f->file->name) + ": " + f->error.ToString();
        const int64_t lost = f->unopened + f->records.dropped_records();
        if (lost > 0) item += "（" + std::to_string(lost) + " 件のレコードを保存できませんでした）";
        file_failures.push_back(f->error.WithDetail(std::move(item)));
      }
    }

    link.JVClose();
    for (const common::Status& f : file_failures) failures.Add(f);
    // Nothing of the store changed: the later steps keep what they had.
    run.store_unchanged = !store_changed;
    run.not_finished = cancelled;
  };
  const auto report = [&](GateRun& run) {
    // The record's own failures (its marks) are listed with the file failures.
    for (size_t i = 0; i < run.failures.items.size(); ++i) {
      const common::Status& f = run.failures.items[i];
      if (f.path().find(kWeekRecordFile) != std::string::npos) file_failures.push_back(f);
    }
    const bool failed = !run.failures.empty();
    host.SetStatus(common::StatusSlot::kMainText1,
                   std::string(failed ? kFailedText : cancelled ? kCancelledText : kEndText));
    ReportFileFailures(host, file_failures);
  };
  return gate.Run(work, report);
}

}  // namespace radadovur::steps
