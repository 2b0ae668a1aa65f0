#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "jvlink/jv_link.h"
#include "jvlink/recording.h"
#include "jvlink/replay_faults.h"

// The delivery service on Linux: replays recordings from a folder (layout in recording.h and
// docs/jvlink.md). Each window holds its own instance, with its own open request and its own
// record of which files it has downloaded.
//
// Downloads: JVOpen lists the dataspec's files; on an instance's first request every file must
// be downloaded (download count = files), later requests only those that changed or were
// deleted. Each JVStatus call downloads one file and returns the files downloaded so far. A
// read that reaches a file not yet downloaded downloads it on the spot, unless the download
// failed or was cancelled. JVRead gives each file's records, -1 after each file, then 0.
//
// Broken files: a file reported broken (-402/-403) is repaired by JVFiledelete of its name;
// the next JVOpen with the same arguments downloads it again and starts delivery at that file,
// so the files delivered before it are not delivered twice. Without the deletion the request
// starts from its first file and the file is still broken.
//
// Realtime: "0B30" gives the race's records, then -1, then 0; "0B12" gives the day's records,
// then -203 on every further read. A key without a recording gives no records.
//
// Every result other than a record leaves the buffer empty, so a caller that looks at the
// buffer after a non-record result finds no record type there. The size argument is not
// changed.
namespace radadovur::jvlink {

class ReplayJvLink : public JvLink {
 public:
  // Shows the settings dialog for `folder` (the folder in use); on OK it saves the choice and
  // puts it into `folder`. 0 = closed (OK or Cancel), -1 = the choice could not be saved.
  using SettingsDialog = std::function<int32_t(std::string& folder)>;

  // Where the folder comes from when it follows the stand-in's settings: asked on every
  // JVInit, JVOpen and JVRTOpen, so a change made in any window's settings dialog applies to all.
  struct SettingsFolder {
    std::function<std::string()> resolve;
  };

  // Replays this folder, whatever the settings say (command line, tests).
  explicit ReplayJvLink(std::string recording_folder);
  explicit ReplayJvLink(SettingsFolder folder);

  int32_t JVInit(const std::string& software_id) override;
  int32_t JVSetUIProperties() override;
  int32_t JVOpen(const std::string& dataspec, const std::string& from_time, int32_t option, int32_t& read_count,
                 int32_t& download_count, std::string& last_file_timestamp) override;
  int32_t JVStatus() override;
  int32_t JVRead(std::string& buffer, int32_t& size, std::string& file_name) override;
  int32_t JVFiledelete(const std::string& file_name) override;
  int32_t JVClose() override;
  int32_t JVCancel() override;
  int32_t JVRTOpen(const std::string& dataspec, const std::string& key) override;
  std::string ErrorText(int32_t code) const override;

  // Installed by the window that holds the instance; without one JVSetUIProperties returns 0
  // and changes nothing.
  void SetSettingsDialog(SettingsDialog dialog) { settings_dialog_ = std::move(dialog); }
  std::string recording_folder() const;

 private:
  enum class Kind { kNone, kDownload, kRealtimeOdds, kRealtimeResults };

  struct Request {
    Kind kind = Kind::kNone;
    std::string folder;
    std::string dataspec;
    std::string from_time;
    int32_t option = 0;
    ReplayFaults faults;
    std::vector<RecordingFile> files;  // to deliver, in order (one for realtime)
    std::vector<size_t> pending;       // files still to download, in order
    int32_t download_count = 0;
    int32_t downloaded = 0;
    std::optional<int32_t> download_stopped;  // the code JVStatus gives once failed or cancelled
    size_t file = 0;                          // the file being read
    bool loaded = false;
    std::string bytes;                 // that file's contents
    std::vector<std::string_view> records;  // into `bytes`; a Request is never copied while loaded
    size_t next = 0;
    bool end_given = false;  // "0B30": the -1 after its records
    bool found = false;      // realtime: the key has a recording
    int64_t delivered = 0;   // records delivered by this request
    bool read_error_given = false;
    std::string broken_name;  // the file reported broken in this request
  };

  // Where a request stopped at a broken file that was then deleted.
  struct Resume {
    std::string folder, dataspec, from_time;
    int32_t option = 0;
    std::string file_name;
  };

  bool IsDownloaded(const RecordingFile& file) const;
  void Download(size_t index);
  bool IsBroken(const RecordingFile& file) const;
  int32_t LoadCurrentFile();
  int32_t Deliver(std::string& buffer, int32_t size, std::string& file_name);
  int32_t ReadDownload(std::string& buffer, int32_t size, std::string& file_name);
  int32_t ReadRealtime(std::string& buffer, int32_t size, std::string& file_name);
  // Looks into the recording folder before a request opens: 0, or the code that refuses it (its
  // explanation kept for ErrorText).
  int32_t CheckFolder(const std::string& folder);

  std::string folder_;
  std::function<std::string()> resolve_folder_;
  SettingsDialog settings_dialog_;
  Request request_;
  std::optional<Resume> resume_;
  // The recording file of the last read, kept past JVClose so that a read error names it.
  std::string current_file_;
  // What the last refusal of -113, -114 or -303 found: the folder empty (for -113), or the path
  // that cannot be read with the system's reason.
  std::string failure_;
  std::map<std::string, FileStamp> downloaded_;  // by path, as downloaded
  std::set<std::string> repaired_;               // broken-file switches repaired, by folder
};

}  // namespace radadovur::jvlink
