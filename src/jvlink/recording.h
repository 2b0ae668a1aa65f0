#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// The recordings the stand-in replays: one folder (by default "JVDATA" in the program folder)
// holding a sub-folder per dataspec with one file per download unit ("0001.jvd", read in
// file-name order), the realtime sub-folders "0B30" (files named by RaceId) and "0B12" (named
// by RaceDate), and optional fault switches. Every file holds CP932 records back to back, each
// ending with its own CR LF.
namespace radadovur::jvlink::recording {

inline constexpr std::string_view kDefaultFolder = "JVDATA";
inline constexpr std::string_view kFaultsFile = "faults.txt";
inline constexpr std::string_view kFileExtension = ".jvd";

inline constexpr std::string_view kWeekRecords = "TOKURACETCVNRCVN";  // RA SE UM KS HR of the week
inline constexpr std::string_view kWeekOdds = "TOKURACETCOVRCOV";     // the week's odds
inline constexpr std::string_view kRealtimeOdds = "0B30";             // key: 16-character RaceId
inline constexpr std::string_view kRealtimeResults = "0B12";          // key: 8-character RaceDate

// The data-type folders: a recording folder holds at least one of them.
inline constexpr std::string_view kDataspecs[] = {kWeekRecords, kWeekOdds, kRealtimeOdds, kRealtimeResults};

inline constexpr size_t kRealtimeOddsKeyLength = 16;
inline constexpr size_t kRealtimeResultsKeyLength = 8;

}  // namespace radadovur::jvlink::recording

namespace radadovur::jvlink {

struct RecordingFile {
  std::string name;  // "0001.jvd"
  std::string path;
};

// Size and modification time; a recording file that changes is downloaded again.
struct FileStamp {
  int64_t size = 0;
  int64_t modified_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

bool IsFolder(const std::string& path);
std::optional<FileStamp> StampOf(const std::string& path);

// What a look into the recording folder found. A folder that cannot be read is never taken for
// one without recordings, and a folder without any data-type folder (a wrong path, a drive not
// mounted) is not a recording folder at all: both are refused before anything is delivered.
enum class FolderLook { kRecordings, kMissing, kEmpty, kUnreadable };
// `reason`: for kUnreadable, the folder and the system's reason.
FolderLook LookAtRecordingFolder(const std::string& folder, common::Status& reason);

// The download files of a dataspec in file-name order (every entry ending in ".jvd"). None when
// the dataspec's folder does not exist. A failure names what cannot be read, with the system's
// reason: the dataspec's folder, or an entry that is not a regular file that can be opened for
// reading (a link going nowhere, a folder, a FIFO, a file without read permission).
common::Status ListDownloadFiles(const std::string& folder, std::string_view dataspec, std::vector<RecordingFile>& files);

// The file of a realtime request: <folder>/<dataspec>/<key>.jvd.
std::string RealtimeFilePath(const std::string& folder, std::string_view dataspec, std::string_view key);

// Whether a realtime request has a recording (`found`): none when its dataspec folder or its
// file does not exist. A failure names the dataspec folder or the file that cannot be read.
common::Status FindRealtimeFile(const std::string& folder, std::string_view dataspec, std::string_view key, bool& found);

// The records of a recording file: each runs up to and including its LF. A last piece without
// a line end (a file cut short) is a record of its own; an empty line is no record.
std::vector<std::string_view> SplitRecords(std::string_view bytes);

}  // namespace radadovur::jvlink
