#include "common/data_name.h"

#include <gtest/gtest.h>

#include <string>

namespace radadovur::common {
namespace {

using std::string_literals::operator""s;

struct Case {
  DataName kind;
  std::string value;
  bool ok;
};

TEST(DataName, AcceptsOnlyDigitsOfTheExactWidthAndSingleComponentWords) {
  const Case cases[] = {
      {DataName::kRaceKey, "202408030105", true},
      {DataName::kRaceKey, "../.victim", false},
      {DataName::kRaceKey, "20240803010", false},
      {DataName::kRaceKey, "2024080301051", false},
      {DataName::kRaceKey, "2024080\0"s "0105", false},
      {DataName::kRaceKey, "20240803 105", false},
      {DataName::kRaceId, "2024080301020305", true},
      {DataName::kRaceId, "../.202408030105", false},
      {DataName::kMeetingDayKey, "20240803010203", true},
      {DataName::kMeetingDayKey, std::string(14, '\0'), false},
      {DataName::kKettoNum, "2019104321", true},
      {DataName::kKettoNum, "201910432/", false},
      {DataName::kDate, "20240803", true},
      {DataName::kDate, "2024-8-3", false},
      {DataName::kWord, "\x8E\x44\x96\x79", true},   // a CP932 word
      {DataName::kWord, "\x95\x5C", true},           // 0x5C as a trail byte
      {DataName::kWord, "", false},
      {DataName::kWord, ".", false},
      {DataName::kWord, "..", false},
      {DataName::kWord, "a/b", false},
      {DataName::kWord, "a\nb", false},
      {DataName::kWord, "a\0b"s, false},
      {DataName::kWord, "a\x7F" "b", false},  // DEL is a control byte too
      {DataName::kWord, "\x7F", false},
      {DataName::kCourseWord, "a\x7F", false},
      {DataName::kWord, "a\x80\xFF", true},  // bytes above DEL are CP932's
  };
  for (const Case& c : cases) EXPECT_EQ(IsDataName(c.kind, c.value), c.ok) << Shown(c.value);
}

TEST(DataName, AFailureNamesTheKindAndShowsTheValueEscaped) {
  const Status status = CheckDataName(DataName::kRaceKey, "2024\0"s "../x");
  ASSERT_TRUE(status.IsInvalidArgument());
  EXPECT_EQ(status.ToString(), "\"2024\\x00../x\" はファイル名にできるレースキー（12桁）ではありません");
  // Every control byte, DEL among them, is shown as its code, and nothing else is changed.
  EXPECT_EQ(Shown("\x01\x1F \x7E\x7F\x80"), "\\x01\\x1F \x7E\\x7F\x80");
}

}  // namespace
}  // namespace radadovur::common
