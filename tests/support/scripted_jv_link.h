#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "jvlink/jv_link.h"

namespace radadovur::testing {

// A JvLink that plays a script: each JVOpen takes the next open result (the last one repeats),
// each JVRead the next read (0 once the script is used up), each JVStatus the next status (the
// last one repeats). Every call is logged in order.
class ScriptedJvLink : public jvlink::JvLink {
 public:
  struct Open {
    int32_t rc = 0;
    int32_t read_count = 1;
    int32_t download_count = 0;
  };
  struct Read {
    int32_t rc;
    std::string record;  // the delivered bytes when rc > 0
    std::string file_name = "file1.jvd";
  };
  static Read Record(std::string record, std::string file_name = "file1.jvd") {
    const auto rc = static_cast<int32_t>(record.size());
    return {rc, std::move(record), std::move(file_name)};
  }

  int32_t init_rc = 0;
  std::vector<Open> opens = {Open{}};
  std::deque<Read> reads;
  std::vector<int32_t> statuses;
  std::vector<std::string> calls;

  int32_t JVInit(const std::string& software_id) override {
    calls.push_back("JVInit " + software_id);
    return init_rc;
  }
  int32_t JVSetUIProperties() override { return 0; }
  int32_t JVOpen(const std::string& dataspec, const std::string& from_time, int32_t option, int32_t& read_count,
                 int32_t& download_count, std::string& last_file_timestamp) override {
    calls.push_back("JVOpen " + dataspec + " " + from_time + " " + std::to_string(option));
    const Open o = opens[std::min(open_calls_++, opens.size() - 1)];
    read_count = o.read_count;
    download_count = o.download_count;
    last_file_timestamp = "20240801000000";
    return o.rc;
  }
  int32_t JVStatus() override {
    ++status_calls;
    if (statuses.empty()) return 0;
    return statuses[std::min(status_at_++, statuses.size() - 1)];
  }
  int32_t JVRead(std::string& buffer, int32_t& size, std::string& file_name) override {
    if (reads.empty()) return 0;
    Read r = std::move(reads.front());
    reads.pop_front();
    file_name = r.file_name;
    if (r.rc > 0) {
      buffer = r.record;
      size = r.rc;
    }
    return r.rc;
  }
  int32_t JVFiledelete(const std::string& file_name) override {
    calls.push_back("JVFiledelete " + file_name);
    return 0;
  }
  int32_t JVClose() override {
    calls.push_back("JVClose");
    return 0;
  }
  int32_t JVCancel() override {
    calls.push_back("JVCancel");
    return 0;
  }
  int32_t JVRTOpen(const std::string& dataspec, const std::string& key) override {
    calls.push_back("JVRTOpen " + dataspec + " " + key);
    return 0;
  }

  int status_calls = 0;

 private:
  size_t open_calls_ = 0;
  size_t status_at_ = 0;
};

}  // namespace radadovur::testing
