#include "jvlink/replay_faults.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace radadovur {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

TEST(ReplayFaults, ReadsEverySwitch) {
  jvlink::FaultsParse p = jvlink::ParseFaults(
      "# every switch\r\n"
      "init_error=-101\r\n"
      "open_error = -2\r\n"
      "\r\n"
      "nothing_to_read=1\r\n"
      "broken_file=TOKURACETCVNRCVN/0002.jvd\r\n"
      "broken_code=-402\r\n"
      "read_error_at=7\r\n"
      "read_error_code=-9\r\n"
      "status_error_after=0\r\n"
      "status_error_code=-8\r\n");
  EXPECT_THAT(p.errors, IsEmpty());
  const jvlink::ReplayFaults& f = p.faults;
  EXPECT_EQ(f.init_error, -101);
  EXPECT_EQ(f.open_error, -2);
  EXPECT_TRUE(f.nothing_to_read);
  EXPECT_EQ(f.broken_file, "TOKURACETCVNRCVN/0002.jvd");
  EXPECT_EQ(f.broken_code, -402);
  EXPECT_EQ(f.read_error_at, 7);
  EXPECT_EQ(f.read_error_code, -9);
  EXPECT_EQ(f.status_error_after, 0);
  EXPECT_EQ(f.status_error_code, -8);
}

TEST(ReplayFaults, NoSwitchesMeansNoFaults) {
  jvlink::FaultsParse p = jvlink::ParseFaults("");
  EXPECT_THAT(p.errors, IsEmpty());
  EXPECT_FALSE(p.faults.init_error);
  EXPECT_FALSE(p.faults.open_error);
  EXPECT_FALSE(p.faults.nothing_to_read);
  EXPECT_TRUE(p.faults.broken_file.empty());
  EXPECT_EQ(p.faults.broken_code, -403);
  EXPECT_EQ(p.faults.read_error_at, 0);
  EXPECT_FALSE(p.faults.status_error_after);
  EXPECT_THAT(jvlink::LoadFaults("/nonexistent-folder").errors, IsEmpty());
}

TEST(ReplayFaults, BadLinesAreReportedAndSkipped) {
  const char* bad[] = {
      "init_error=0",          "init_error=x",        "open_error=5",          "nothing_to_read=yes",
      "broken_file=0002.jvd",  "broken_file=/a",      "broken_code=-401",      "read_error_at=0",
      "read_error_code=-1",    "read_error_code=-403", "status_error_after=-1", "status_error_code=3",
      "no_such_switch=1",      "just words",          "open_error=-99999999999",
  };
  for (const char* line : bad) {
    SCOPED_TRACE(line);
    jvlink::FaultsParse p = jvlink::ParseFaults(std::string("read_error_at=2\n") + line + "\n");
    ASSERT_THAT(p.errors, SizeIs(1));
    EXPECT_THAT(p.errors[0], HasSubstr("line 2"));
    EXPECT_EQ(p.faults.read_error_at, 2);  // the good line still counts
  }
}

}  // namespace
}  // namespace radadovur
