#pragma once
#include <cstdint>

// Result codes of the replaying stand-in beyond the ones every caller knows (jvread:: in
// jv_link.h). Callers only compare against those; these show up in their error messages
// ("JVOpenエラー。RC=-113"), so each failure has its own code.
namespace radadovur::jvlink::jvreplay {

// No open request (JVRead, JVStatus, JVFiledelete, JVCancel).
inline constexpr int32_t kNotOpen = -101;
// JVOpen / JVRTOpen: a dataspec the recordings do not hold.
inline constexpr int32_t kUnknownDataspec = -111;
// JVRTOpen: a key of the wrong length or with characters a file name cannot carry.
inline constexpr int32_t kBadKey = -112;
// JVOpen / JVRTOpen: the recording folder is missing or is not a folder.
inline constexpr int32_t kNoRecordingFolder = -113;
// JVOpen: the dataspec's folder exists but cannot be listed.
inline constexpr int32_t kUnreadableDataspecFolder = -114;

// JVStatus after JVCancel.
inline constexpr int32_t kDownloadCancelled = -301;
// JVRead reached a file whose download failed or was cancelled.
inline constexpr int32_t kNotDownloaded = -302;
// JVRead: the recording file went missing or cannot be read.
inline constexpr int32_t kUnreadableFile = -303;
// JVRead: the next record is longer than the size passed in (the record stays next).
inline constexpr int32_t kBufferTooSmall = -304;
// JVFiledelete: no file of that name in the open request.
inline constexpr int32_t kUnknownFile = -305;

// Default codes of the fault switches (faults.txt) when no code is given.
inline constexpr int32_t kDefaultReadErrorCode = -501;
inline constexpr int32_t kDefaultStatusErrorCode = -502;

}  // namespace radadovur::jvlink::jvreplay
