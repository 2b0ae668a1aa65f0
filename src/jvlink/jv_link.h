#pragma once
#include <cstdint>
#include <string>

// The JV-Data delivery service as the program uses it. Each window that downloads holds its own
// instance with its own open request. Records are CP932 bytes.
namespace radadovur::jvlink {

// Read results other than a record length.
namespace jvread {
inline constexpr int32_t kEnd = 0;             // all read
inline constexpr int32_t kFileBoundary = -1;   // next file ("0B30" reads stop here)
inline constexpr int32_t kRealtimeEnd = -203;  // end of the realtime-result reads
inline constexpr int32_t kBrokenFile402 = -402;
inline constexpr int32_t kBrokenFile403 = -403;
}  // namespace jvread

inline constexpr int32_t kJvReadBufferSize = 128000;

class JvLink {
 public:
  virtual ~JvLink() = default;

  // 0 = ready.
  virtual int32_t JVInit(const std::string& software_id) = 0;
  // Shows the service's settings dialog; -1 = failed.
  virtual int32_t JVSetUIProperties() = 0;
  // Opens a download request. Negative = error; read_count 0 = nothing to read;
  // download_count != 0 = files must be downloaded first (poll JVStatus).
  virtual int32_t JVOpen(const std::string& dataspec, const std::string& from_time, int32_t option,
                         int32_t& read_count, int32_t& download_count, std::string& last_file_timestamp) = 0;
  // Files downloaded so far; negative = the download failed.
  virtual int32_t JVStatus() = 0;
  // > 0: one record in `buffer` (exactly that many bytes), its first two bytes name its type;
  // 0: all read; -1: next file; -402/-403: the current file is broken; -203: realtime end;
  // other negative: read error. `size` is the buffer size on entry; `file_name` names the file
  // the record came from.
  virtual int32_t JVRead(std::string& buffer, int32_t& size, std::string& file_name) = 0;
  virtual int32_t JVFiledelete(const std::string& file_name) = 0;
  virtual int32_t JVClose() = 0;
  virtual int32_t JVCancel() = 0;
  // Opens realtime data: "0B30" with a 16-character race id, "0B12" with an 8-character date.
  virtual int32_t JVRTOpen(const std::string& dataspec, const std::string& key) = 0;

  // What a negative result code means and what the user can do, in a sentence or two; empty
  // when the service has nothing to add to the code.
  virtual std::string ErrorText(int32_t /*code*/) const { return {}; }
};

// A failed call as the user is told it: the operation and its code ("JVOpenエラー。RC=-113"),
// then the service's explanation on the next line when it has one.
inline std::string ErrorMessage(const JvLink& link, const std::string& operation_and_code, int32_t code) {
  const std::string why = link.ErrorText(code);
  return why.empty() ? operation_and_code : operation_and_code + "\n" + why;
}

}  // namespace radadovur::jvlink
