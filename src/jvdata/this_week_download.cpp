#include "jvdata/this_week_download.h"

#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "common/model_package.h"
#include "common/names.h"
#include "common/record_file.h"
#include "jvdata/record.h"
#include "store/store_files.h"

namespace radadovur {
namespace {

constexpr std::string_view kSoftwareId = "SA730215/SD918342/VELTRAN/ver.2020.7.21";
constexpr std::string_view kDataspec = "TOKURACETCVNRCVN";
constexpr std::string_view kFromTime = "00000000000000";
constexpr int32_t kOption = 2;

constexpr std::string_view kStartText = "今週開催取得開始しました。しばらくお待ち下さい。。。。。";
constexpr std::string_view kEndText = "今週開催取得終了";
constexpr std::string_view kStallionMissingCaption =
    "まだ、予想因子ウエイトが展開されていません。タスクバーにある展開先の指定をクリックして自己解凍EXEを起動させて下さい。";
constexpr std::string_view kFileFailuresMessage = "今週開催取得で次のファイル操作に失敗しました。";

// A downloaded file reported broken this many times in one run is given up as a read error.
constexpr int kBrokenFileTries = 3;

// One raw record file being written, with what went wrong with it.
struct RawFile {
  const store::StoreFile* file = nullptr;
  RecordFile records;
  bool open = false;
  int64_t unopened = 0;  // records that could not be stored because the file did not open
  std::string error;
};

// The raw files by record type, in the order the read loop stores them.
struct RawFiles {
  RawFile ra, se, um, ks, hr;
  RawFile* Of(RecordType type) {
    switch (type) {
      case RecordType::RA: return &ra;
      case RecordType::SE: return &se;
      case RecordType::UM: return &um;
      case RecordType::KS: return &ks;
      case RecordType::HR: return &hr;
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
    if (!f->open) f->error = f->records.error();
  }
}

// Stores the record after the type's last one. The next record number follows the records
// actually in the file, so a failed write leaves no gap of unwritten bytes.
void StoreRecord(RawFile& f, RecordType type, std::string_view record) {
  if (!f.open) {
    ++f.unopened;
    return;
  }
  if (!f.records.Append(StoredForm(type, record)) && f.error.empty()) f.error = f.records.error();
}

void CloseRawFiles(RawFiles& raw) {
  for (RawFile* f : raw.ClosingOrder()) {
    // The records read so far stay in the file even when a write failed.
    if (f->open && !f->records.Commit(RecordFile::AfterFailure::kKeepWritten) && f->error.empty())
      f->error = f->records.error();
  }
}

// The read loop: stores every record of the five types until the end or a read error.
void ReadRecords(JvLink& link, StepUi& ui, RawFiles& raw, StepFailures& failures) {
  std::string buffer(kJvReadBufferSize, '\0');
  int32_t size = kJvReadBufferSize;
  std::string file_name;
  std::map<std::string, int> broken_reports;  // by file name
  for (;;) {
    const int32_t rc = link.JVRead(buffer, size, file_name);
    if (rc > 0) {
      const std::string_view record = std::string_view(buffer).substr(0, static_cast<size_t>(rc));
      const RecordType type = TypeOf(record);
      RawFile* f = raw.Of(type);
      if (!f) continue;  // other record types are not kept
      // A deleted horse (category "9") is not kept.
      if (type == RecordType::UM && record.size() > 2 && record[2] == '9') continue;
      StoreRecord(*f, type, record);
      continue;
    }
    if (rc == jvread::kFileBoundary) continue;
    if (rc == jvread::kEnd) return;
    if (rc == jvread::kBrokenFile402 || rc == jvread::kBrokenFile403) {
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
    const std::string message = "JVReadエラー。 RC=" + std::to_string(rc);
    ui.Message(message);
    failures.Add(message);
    return;
  }
}

// Tells the user, in one message, which file operations failed.
void ReportFileFailures(StepUi& ui, const std::vector<std::string>& items, StepFailures& failures) {
  if (items.empty()) return;
  std::string message(kFileFailuresMessage);
  for (const auto& item : items) {
    message += "\n" + item;
    failures.Add(item);
  }
  ui.Message(message);
}

}  // namespace

StepFailures RunThisWeekDownload(const std::string& app_path, JvLink& link, StepUi& ui,
                                 DownloadProgressHost& progress, DownloadState& state) {
  StepFailures failures;
  std::vector<std::string> file_failures;

  if (!FileExists(app_path + std::string(names::kStallionFile))) {
    ui.Message(app_path + kPackageSetupMessage);
    ui.SetText("Label1", std::string(kStallionMissingCaption));
  }
  ui.SetText("Text1", std::string(kStartText));
  ui.Yield();

  for (const auto& file : store::kRawRecordFiles) {
    std::string error;
    if (!store::DeleteStoreFile(app_path, file, error)) file_failures.push_back(error);
  }

  if (const int32_t rc = link.JVInit(std::string(kSoftwareId)); rc != 0) {
    const std::string message = "JVInitエラー。RC=" + std::to_string(rc);
    ui.Message(message);
    failures.Add(message);
  }

  int32_t read_count = 0;
  std::string last_file_timestamp;
  const int32_t rc = link.JVOpen(std::string(kDataspec), std::string(kFromTime), kOption, read_count,
                                 state.download_count, last_file_timestamp);
  bool read = true;
  if (rc < 0) {
    const std::string message = "JVOpenエラー。RC=" + std::to_string(rc);
    ui.Message(message);
    failures.Add(message);
    read = false;
  } else if (read_count == 0) {
    ui.Message("該当するデータがありません。");
    read = false;
  } else if (state.download_count != 0) {
    state.dialog_result = kDownloadDone;
    state.dialog_result = progress.ShowDownloadProgress(link, state.download_count);
    read = state.dialog_result != kDownloadCancelled;
  }

  if (read) {
    RawFiles raw;
    OpenRawFiles(app_path, raw);
    if (read_count >= 1) ReadRecords(link, ui, raw, failures);
    CloseRawFiles(raw);
    for (RawFile* f : {&raw.ra, &raw.se, &raw.um, &raw.ks, &raw.hr}) {
      if (f->error.empty()) continue;
      std::string item = std::string(f->file->name) + ": " + f->error;
      const int64_t lost = f->unopened + f->records.dropped_records();
      if (lost > 0) item += " (" + std::to_string(lost) + " records not stored)";
      file_failures.push_back(item);
    }
  }

  link.JVClose();
  ui.SetText("Text1", std::string(kEndText));
  ReportFileFailures(ui, file_failures, failures);
  return failures;
}

}  // namespace radadovur
