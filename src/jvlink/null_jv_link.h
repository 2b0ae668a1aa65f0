#pragma once
#include "jvlink/jv_link.h"

namespace radadovur::jvlink {

// A delivery service with nothing to deliver: every request opens with nothing to read, and
// the settings dialog has nothing to set. Used where no real service is given.
class NullJvLink : public JvLink {
 public:
  int32_t JVInit(const std::string&) override { return 0; }
  int32_t JVSetUIProperties() override { return 0; }
  int32_t JVOpen(const std::string&, const std::string&, int32_t, int32_t& read_count, int32_t& download_count,
                 std::string& last_file_timestamp) override {
    read_count = 0;
    download_count = 0;
    last_file_timestamp.clear();
    return 0;
  }
  int32_t JVStatus() override { return 0; }
  int32_t JVRead(std::string& buffer, int32_t& size, std::string& file_name) override {
    buffer.clear();
    size = 0;
    file_name.clear();
    return jvread::kEnd;
  }
  int32_t JVFiledelete(const std::string&) override { return 0; }
  int32_t JVClose() override { return 0; }
  int32_t JVCancel() override { return 0; }
  int32_t JVRTOpen(const std::string&, const std::string&) override { return 0; }
};

}  // namespace radadovur::jvlink
