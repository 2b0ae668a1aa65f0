#include "jvlink/replay_jv_link.h"

#include <algorithm>
#include <ctime>
#include <limits>

#include "common/run_state.h"
#include "common/status.h"
#include "common/text_file.h"
#include "jvlink/error_text.h"
#include "jvlink/replay_codes.h"

namespace radadovur::jvlink {
namespace {

bool IsDownloadDataspec(std::string_view dataspec) {
  return dataspec == recording::kWeekRecords || dataspec == recording::kWeekOdds;
}

// A key names a file: printable ASCII without path separators.
bool IsSafeKey(std::string_view key) {
  return std::all_of(key.begin(), key.end(), [](char c) { return c > ' ' && c < 0x7f && c != '/' && c != '\\'; });
}

// "YYYYMMDDhhmmss" of a modification time, local time.
std::string TimestampOf(int64_t modified_ns) {
  std::time_t t = static_cast<std::time_t>(modified_ns / 1000000000);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return {};
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &tm);
  return text;
}

}  // namespace

std::string ReplayJvLink::ErrorText(int32_t code) const {
  const std::string settings = "「設定」ボタンで記録フォルダを確かめてください。";
  // Where recordings are looked for, for a folder that is missing or holds none.
  const std::string rule =
      "記録フォルダは「設定」で選んだフォルダ（コマンドラインでは --recordings の指定が優先）、選んでいなければプログラムのフォルダの JVDATA で、"
      "TOKURACETCVNRCVN、TOKURACETCOVRCOV、0B30、0B12 のフォルダを持ちます。";
  switch (code) {
    case jvreplay::kNoRecordingFolder:
      if (!failure_.empty())
        return "JV-Linkの記録フォルダ " + common::Shown(recording_folder()) + " に記録がありません（" + failure_ + "）。" +
               rule + settings;
      return "JV-Linkの記録フォルダがありません（探した場所: " + common::Shown(recording_folder()) + "）。" + rule + settings;
    case jvreplay::kUnknownDataspec:
      return "記録フォルダにこのデータ種別の記録がありません（" + common::Shown(recording_folder()) + "）。" + settings;
    case jvreplay::kUnreadableDataspecFolder:
      if (!failure_.empty()) return "JV-Linkの記録を読めません: " + failure_ + "。フォルダとファイルの権限を確かめてください。";
      return "記録フォルダの中のデータ種別のフォルダを読めません（" + common::Shown(recording_folder()) + "）。フォルダの権限を確かめてください。";
    case jvreplay::kBadKey: return "速報の指定（レースIDまたは日付）が正しくありません。今週のレース一覧を確かめてください。";
    case jvreplay::kNotOpen: return "データの取得が開始されていません。もう一度実行してください。";
    case jvreplay::kDownloadCancelled: return "ダウンロードは中止されました。取得するには、もう一度実行してください。";
    case jvreplay::kNotDownloaded:
      return "ダウンロードが終わっていない記録ファイル " + common::Shown(current_file_) + " があります。もう一度取得してください。";
    case jvreplay::kUnreadableFile:
      return "記録ファイル " + common::Shown(current_file_) + " がなくなったか、読めません" +
             (failure_.empty() ? std::string() : "（" + failure_ + "）") + "。記録フォルダ " +
             common::Shown(recording_folder()) + " を確かめてから、もう一度取得してください。";
    case jvreplay::kBufferTooSmall:
      return "記録ファイル " + common::Shown(current_file_) + " に長すぎるレコードがあります。記録ファイルを確かめてください。";
    case jvreplay::kUnknownFile: return "削除しようとしたファイルは今回の取得にありません。もう一度取得してください。";
    case jvread::kBrokenFile402:
    case jvread::kBrokenFile403:
      if (!current_file_.empty())
        return "記録ファイル " + common::Shown(current_file_) + " が壊れています。" + ServiceErrorText(code);
      break;
    default: break;
  }
  // The codes the fault switches give mean what the delivery service means by them.
  return ServiceErrorText(code);
}

ReplayJvLink::ReplayJvLink(std::string recording_folder) : folder_(std::move(recording_folder)) {}

ReplayJvLink::ReplayJvLink(SettingsFolder folder) : resolve_folder_(std::move(folder.resolve)) {}

std::string ReplayJvLink::recording_folder() const { return resolve_folder_ ? resolve_folder_() : folder_; }

int32_t ReplayJvLink::JVInit(const std::string& /*software_id*/) {
  // A new session: a pending recovery from a broken file does not carry over.
  resume_.reset();
  const ReplayFaults faults = LoadFaults(recording_folder()).faults;
  return faults.init_error.value_or(0);
}

int32_t ReplayJvLink::JVSetUIProperties() {
  if (!settings_dialog_) return 0;
  std::string folder = recording_folder();
  const int32_t result = settings_dialog_(folder);
  // A blank choice means the default folder, which only the settings know.
  if (result == 0 && !resolve_folder_ && !folder.empty()) folder_ = folder;
  return result;
}

int32_t ReplayJvLink::CheckFolder(const std::string& folder) {
  common::Status reason;
  switch (LookAtRecordingFolder(folder, reason)) {
    case FolderLook::kRecordings: return 0;
    case FolderLook::kMissing: return jvreplay::kNoRecordingFolder;
    case FolderLook::kEmpty:
      failure_ = "データ種別のフォルダがひとつもありません";
      return jvreplay::kNoRecordingFolder;
    case FolderLook::kUnreadable:
      failure_ = reason.ToString();
      return jvreplay::kUnreadableDataspecFolder;
  }
  return jvreplay::kNoRecordingFolder;
}

int32_t ReplayJvLink::JVOpen(const std::string& dataspec, const std::string& from_time, int32_t option,
                             int32_t& read_count, int32_t& download_count, std::string& last_file_timestamp) {
  JVClose();
  current_file_.clear();
  failure_.clear();
  read_count = 0;
  download_count = 0;
  last_file_timestamp = from_time;
  std::optional<Resume> resume = std::move(resume_);
  resume_.reset();
  if (!IsDownloadDataspec(dataspec)) return jvreplay::kUnknownDataspec;
  const std::string folder = recording_folder();
  if (const int32_t rc = CheckFolder(folder); rc != 0) return rc;
  ReplayFaults faults = LoadFaults(folder).faults;
  if (faults.open_error) return *faults.open_error;

  std::vector<RecordingFile> files;
  if (!faults.nothing_to_read) {
    if (common::Status s = ListDownloadFiles(folder, dataspec, files); !s.ok()) {
      failure_ = s.ToString();
      return jvreplay::kUnreadableDataspecFolder;
    }
  }
  // The reopen after a deleted broken file goes on at that file.
  if (resume && resume->folder == folder && resume->dataspec == dataspec && resume->from_time == from_time &&
      resume->option == option) {
    auto at = std::find_if(files.begin(), files.end(), [&](const auto& f) { return f.name == resume->file_name; });
    if (at != files.end()) files.erase(files.begin(), at);
  }
  if (files.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) files.clear();

  Request r;
  r.kind = Kind::kDownload;
  r.folder = folder;
  r.dataspec = dataspec;
  r.from_time = from_time;
  r.option = option;
  r.faults = std::move(faults);
  r.files = std::move(files);
  for (size_t i = 0; i < r.files.size(); ++i)
    if (!IsDownloaded(r.files[i])) r.pending.push_back(i);
  r.download_count = static_cast<int32_t>(r.pending.size());
  request_ = std::move(r);

  read_count = static_cast<int32_t>(request_.files.size());
  download_count = request_.download_count;
  if (!request_.files.empty())
    if (auto stamp = StampOf(request_.files.back().path)) last_file_timestamp = TimestampOf(stamp->modified_ns);
  return 0;
}

bool ReplayJvLink::IsDownloaded(const RecordingFile& file) const {
  auto it = downloaded_.find(file.path);
  if (it == downloaded_.end()) return false;
  auto stamp = StampOf(file.path);
  return stamp && *stamp == it->second;
}

void ReplayJvLink::Download(size_t index) {
  const RecordingFile& file = request_.files[index];
  if (auto stamp = StampOf(file.path)) downloaded_[file.path] = *stamp;
  auto it = std::find(request_.pending.begin(), request_.pending.end(), index);
  if (it != request_.pending.end()) {
    request_.pending.erase(it);
    ++request_.downloaded;
  }
}

int32_t ReplayJvLink::JVStatus() {
  Request& r = request_;
  if (r.kind == Kind::kNone) return jvreplay::kNotOpen;
  if (r.download_stopped) return *r.download_stopped;
  if (r.pending.empty()) return r.downloaded;
  if (r.faults.status_error_after && r.downloaded >= *r.faults.status_error_after) {
    r.download_stopped = r.faults.status_error_code;
    return *r.download_stopped;
  }
  Download(r.pending.front());
  return r.downloaded;
}

int32_t ReplayJvLink::JVCancel() {
  Request& r = request_;
  if (r.kind == Kind::kNone) return jvreplay::kNotOpen;
  if (!r.pending.empty() && !r.download_stopped) r.download_stopped = jvreplay::kDownloadCancelled;
  return 0;
}

int32_t ReplayJvLink::JVClose() {
  request_ = Request{};
  return 0;
}

int32_t ReplayJvLink::JVRTOpen(const std::string& dataspec, const std::string& key) {
  JVClose();
  current_file_.clear();
  failure_.clear();
  resume_.reset();
  Kind kind;
  size_t key_length;
  if (dataspec == recording::kRealtimeOdds) {
    kind = Kind::kRealtimeOdds;
    key_length = recording::kRealtimeOddsKeyLength;
  } else if (dataspec == recording::kRealtimeResults) {
    kind = Kind::kRealtimeResults;
    key_length = recording::kRealtimeResultsKeyLength;
  } else {
    return jvreplay::kUnknownDataspec;
  }
  if (key.size() != key_length || !IsSafeKey(key)) return jvreplay::kBadKey;
  const std::string folder = recording_folder();
  if (const int32_t rc = CheckFolder(folder); rc != 0) return rc;
  bool found = false;
  if (common::Status s = FindRealtimeFile(folder, dataspec, key, found); !s.ok()) {
    failure_ = s.ToString();
    return jvreplay::kUnreadableDataspecFolder;
  }

  Request r;
  r.kind = kind;
  r.found = found;
  r.folder = folder;
  r.dataspec = dataspec;
  r.faults = LoadFaults(folder).faults;
  r.files.push_back({key + std::string(recording::kFileExtension), RealtimeFilePath(folder, dataspec, key)});
  request_ = std::move(r);
  return 0;
}

int32_t ReplayJvLink::JVRead(std::string& buffer, int32_t& size, std::string& file_name) {
  buffer.clear();
  switch (request_.kind) {
    case Kind::kNone:
      file_name.clear();
      return jvreplay::kNotOpen;
    case Kind::kDownload:
      return ReadDownload(buffer, size, file_name);
    case Kind::kRealtimeOdds:
    case Kind::kRealtimeResults:
      return ReadRealtime(buffer, size, file_name);
  }
  return jvreplay::kNotOpen;
}

bool ReplayJvLink::IsBroken(const RecordingFile& file) const {
  const ReplayFaults& f = request_.faults;
  return !f.broken_file.empty() && f.broken_file == request_.dataspec + "/" + file.name &&
         !repaired_.contains(request_.folder + "/" + f.broken_file);
}

int32_t ReplayJvLink::LoadCurrentFile() {
  Request& r = request_;
  std::string bytes;
  if (common::Status s = common::ReadWholeFile(r.files[r.file].path, bytes); !s.ok()) {
    failure_ = s.ToString();
    return jvreplay::kUnreadableFile;
  }
  r.bytes = std::move(bytes);
  r.records = SplitRecords(r.bytes);
  r.next = 0;
  r.loaded = true;
  return 0;
}

int32_t ReplayJvLink::Deliver(std::string& buffer, int32_t size, std::string& file_name) {
  Request& r = request_;
  file_name = r.files[r.file].name;
  if (r.faults.read_error_at == r.delivered + 1 && !r.read_error_given) {
    r.read_error_given = true;
    return r.faults.read_error_code;
  }
  std::string_view record = r.records[r.next];
  if (size <= 0 || record.size() > static_cast<size_t>(size)) return jvreplay::kBufferTooSmall;
  buffer.assign(record);
  ++r.next;
  ++r.delivered;
  return static_cast<int32_t>(record.size());
}

int32_t ReplayJvLink::ReadDownload(std::string& buffer, int32_t size, std::string& file_name) {
  Request& r = request_;
  if (r.file >= r.files.size()) {
    file_name.clear();
    return jvread::kEnd;
  }
  const RecordingFile& file = r.files[r.file];
  file_name = file.name;
  current_file_ = file.path;
  if (!r.loaded) {
    if (!IsDownloaded(file)) {
      if (r.download_stopped) return jvreplay::kNotDownloaded;
      Download(r.file);  // the read waits for the file's download
    }
    if (IsBroken(file)) {
      r.broken_name = file.name;
      return r.faults.broken_code;
    }
    if (int32_t rc = LoadCurrentFile(); rc != 0) return rc;
  }
  if (r.next < r.records.size()) return Deliver(buffer, size, file_name);
  ++r.file;
  r.loaded = false;
  r.bytes.clear();
  r.records.clear();
  return jvread::kFileBoundary;
}

int32_t ReplayJvLink::ReadRealtime(std::string& buffer, int32_t size, std::string& file_name) {
  Request& r = request_;
  file_name = r.files.front().name;
  current_file_ = r.files.front().path;
  if (!r.loaded) {
    // A key without a recording has no records.
    if (r.found) {
      if (int32_t rc = LoadCurrentFile(); rc != 0) return rc;
    } else {
      r.loaded = true;
    }
  }
  if (r.next < r.records.size()) return Deliver(buffer, size, file_name);
  if (r.kind == Kind::kRealtimeResults) return jvread::kRealtimeEnd;
  if (r.end_given) return jvread::kEnd;
  r.end_given = true;
  return jvread::kFileBoundary;
}

int32_t ReplayJvLink::JVFiledelete(const std::string& file_name) {
  Request& r = request_;
  if (r.kind == Kind::kNone) return jvreplay::kNotOpen;
  if (r.kind != Kind::kDownload) return jvreplay::kUnknownFile;
  auto it = std::find_if(r.files.begin(), r.files.end(), [&](const auto& f) { return f.name == file_name; });
  if (it == r.files.end()) return jvreplay::kUnknownFile;
  downloaded_.erase(it->path);
  if (!r.broken_name.empty() && file_name == r.broken_name) {
    repaired_.insert(r.folder + "/" + r.faults.broken_file);
    resume_ = Resume{r.folder, r.dataspec, r.from_time, r.option, file_name};
  }
  return 0;
}

}  // namespace radadovur::jvlink
