#include "jvlink/error_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "jvlink/replay_codes.h"
#include "jvlink/replay_jv_link.h"
#include "support/recording_fixture.h"

namespace radadovur::testing {
namespace {

using ::testing::HasSubstr;

// Every code the stand-in can give (its own and those the fault switches give as the service
// would) comes with its meaning and the next step, never the code alone.
TEST(JvLinkErrorTextTest, EveryCodeHasAMeaningAndANextStep) {
  jvlink::ReplayJvLink link("/nowhere/JVDATA");
  for (int32_t code : {-1, -2, -101, -111, -112, -113, -114, -115, -116, -201, -202, -203, -211, -301, -302, -303,
                       -304, -305, -401, -402, -403, -411, -412, -413, -421, -431, -501, -502, -503, -504, -505, -999}) {
    SCOPED_TRACE(code);
    const std::string text = link.ErrorText(code);
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(text.ends_with("。")) << text;
    const std::string message = jvlink::ErrorMessage(link, "JVOpenエラー。RC=" + std::to_string(code), code);
    EXPECT_EQ(message, "JVOpenエラー。RC=" + std::to_string(code) + "\n" + text);
  }
  EXPECT_THAT(link.ErrorText(-502), HasSubstr("ダウンロードに失敗しました"));
  EXPECT_THAT(link.ErrorText(jvlink::jvreplay::kNoRecordingFolder), HasSubstr("/nowhere/JVDATA"));
}

class ReplayErrorTextTest : public RecordingFixture {};

// A recording that cannot be read or is broken is named, so that fetching again is not the
// only advice.
TEST_F(ReplayErrorTextTest, ADamagedDeliveryNamesItsRecordingFile) {
  Write("TOKURACETCVNRCVN/0001.jvd", Rec(jvdata::RecordType::RA, "a1"));
  Write("TOKURACETCVNRCVN/0002.jvd", Rec(jvdata::RecordType::SE, "b1"));
  WriteFaults("broken_file=TOKURACETCVNRCVN/0002.jvd\n");
  jvlink::ReplayJvLink link(folder_);
  int32_t read_count = 0, download_count = 0;
  std::string stamp;
  ASSERT_EQ(link.JVOpen("TOKURACETCVNRCVN", "00000000000000", 2, read_count, download_count, stamp), 0);
  int32_t rc = 0;
  for (int i = 0; i < 10; ++i) {
    std::string buffer, name;
    int32_t size = jvlink::kJvReadBufferSize;
    rc = link.JVRead(buffer, size, name);
    if (rc < -1) break;
  }
  ASSERT_EQ(rc, jvlink::jvread::kBrokenFile403);
  EXPECT_THAT(link.ErrorText(rc), HasSubstr("TOKURACETCVNRCVN/0002.jvd"));
  link.JVClose();
  EXPECT_THAT(link.ErrorText(rc), HasSubstr("0002.jvd"));  // still named after the close
}

}  // namespace
}  // namespace radadovur::testing
