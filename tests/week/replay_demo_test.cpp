// The JV-Link stand-in replaying the demo week: what it delivers is what the generator wrote.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "jvdata/record.h"
#include "jvlink/replay_jv_link.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

// "記録 TOKURACETCVNRCVN: HR 4667 KS 126 ..." of the demo summary, as counts by type.
std::map<std::string, int> SummaryCounts(const std::string& out, const std::string& dataspec) {
  std::map<std::string, int> counts;
  const std::string head = "記録 " + dataspec + ":";
  const auto at = out.find(head);
  if (at == std::string::npos) return counts;
  std::istringstream line(out.substr(at + head.size(), out.find('\n', at) - at - head.size()));
  std::string type;
  int n = 0;
  while (line >> type >> n) counts[type] = n;
  return counts;
}

// Reads a whole download request: counts by record type.
std::map<std::string, int> Replay(jvlink::ReplayJvLink& link, const std::string& dataspec) {
  std::map<std::string, int> counts;
  int32_t read_count = 0, download_count = 0;
  std::string stamp, buffer, file;
  EXPECT_EQ(link.JVOpen(dataspec, "00000000000000", 2, read_count, download_count, stamp), 0);
  EXPECT_GT(read_count, 0);
  while (link.JVStatus() < download_count) {
  }
  int32_t size = jvlink::kJvReadBufferSize;
  for (int32_t rc; (rc = link.JVRead(buffer, size, file)) != 0;) {
    if (rc == jvlink::jvread::kFileBoundary) continue;
    EXPECT_GT(rc, 0) << dataspec;
    if (rc < 0) break;
    ++counts[std::string(jvdata::SpecOf(jvdata::TypeOf(buffer)))];
  }
  link.JVClose();
  return counts;
}

TEST(ReplayDemo, DeliversPerTypeWhatTheGeneratorWroteAndTheRealtimeRequests) {
  const auto dir = std::filesystem::temp_directory_path() / ("rdv_replay_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  const auto demo = testing::RunCli("demo '" + dir.string() + "' --state monday");
  ASSERT_EQ(demo.exit_code, 0) << demo.out;

  jvlink::ReplayJvLink link(dir.string() + "/JVDATA");
  ASSERT_EQ(link.JVInit("SA730215/SD918342/VELTRAN/ver.2020.7.21"), 0);
  for (const std::string dataspec : {"TOKURACETCVNRCVN", "TOKURACETCOVRCOV"}) {
    const auto written = SummaryCounts(demo.out, dataspec);
    ASSERT_FALSE(written.empty()) << dataspec;
    EXPECT_EQ(Replay(link, dataspec), written) << dataspec;
  }

  // Realtime: "0B30" per race gives its odds records then -1; "0B12" per day its results then -203.
  std::string buffer, file;
  int32_t size = jvlink::kJvReadBufferSize;
  int races = 0, days = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "JVDATA" / "0B30")) {
    const std::string race_id = entry.path().stem().string();
    ASSERT_EQ(race_id.size(), 16u);
    link.JVRTOpen("0B30", race_id);
    int32_t rc;
    int odds = 0;
    while ((rc = link.JVRead(buffer, size, file)) > 0) {
      EXPECT_EQ(buffer.substr(11, 16), race_id);
      ++odds;
    }
    EXPECT_EQ(rc, jvlink::jvread::kFileBoundary);
    EXPECT_EQ(odds, 5);  // O1, O2, O4, O5, O6
    link.JVClose();
    ++races;
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir / "JVDATA" / "0B12")) {
    const std::string date = entry.path().stem().string();
    link.JVRTOpen("0B12", date);
    int32_t rc;
    int records = 0;
    while ((rc = link.JVRead(buffer, size, file)) > 0 || rc == jvlink::jvread::kFileBoundary) {
      if (rc > 0) {
        EXPECT_EQ(buffer.substr(11, 8), date);
        ++records;
      }
    }
    EXPECT_EQ(rc, jvlink::jvread::kRealtimeEnd);
    EXPECT_GT(records, 0);
    link.JVClose();
    ++days;
  }
  EXPECT_EQ(races, 72);
  EXPECT_EQ(days, 2);
  link.JVRTOpen("0B12", "20000101");  // a day without a recording: nothing to read
  EXPECT_EQ(link.JVRead(buffer, size, file), jvlink::jvread::kRealtimeEnd);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace radadovur
