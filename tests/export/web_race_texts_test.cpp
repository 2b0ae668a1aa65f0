#include "export/web_race_texts.h"

#include <gtest/gtest.h>

#include "common/cp932.h"
#include "export/web_fixture.h"

namespace radadovur::exports {
namespace {

using web_fixture::Race;

WebRaceTexts Compose(const Race& race, common::StepFailures& failures) {
  const std::optional<WebRace> web = WebRaceAtHand(race.s, failures);
  EXPECT_TRUE(web.has_value());
  return web ? ComposeWebRaceTexts(race.s, *web, failures) : WebRaceTexts{};
}

TEST(WebRaceTextsTest, DateRaceNumberAndLinkClasses) {
  struct Case {
    std::string id, month, day, weekday, race_no, nichiji;
    int green;
  };
  const Case cases[] = {
      {"2024092106050811", "9", "21", "土", "11", "8", 11},   // Saturday
      {"2024092206051001", "9", "22", "日", "1", "10", 1},    // Sunday, race 01
      {"2024092306050112", "9", "23", "月", "12", "1", 12},   // Monday, race 12
      {"2024092406050101", "9", "24", "火", "1", "1", 1},
      {"2024092506050101", "9", "25", "水", "1", "1", 1},     // Wednesday
      {"2024092606050101", "9", "26", "木", "1", "1", 1},     // Thursday
      {"2024092706050101", "9", "27", "金", "1", "1", 1},
      {"2024090506050101", "9", "5", "木", "1", "1", 1},      // MonthDay 0905
      {"2025122106050101", "12", "21", "日", "1", "1", 1},    // MonthDay 1221
  };
  for (const Case& c : cases) {
    Race race;
    race.s.CurrentRunnerRecord.replace(0, 16, c.id);
    common::StepFailures failures;
    const WebRaceTexts t = Compose(race, failures);
    EXPECT_TRUE(failures.empty()) << c.id;
    EXPECT_EQ(t.WebMonthText, c.month) << c.id;
    EXPECT_EQ(t.WebDayText, c.day) << c.id;
    EXPECT_EQ(t.WebWeekdayText, c.weekday) << c.id;
    EXPECT_EQ(t.WebRaceNoText, c.race_no) << c.id;
    EXPECT_EQ(t.WebNichijiText, c.nichiji) << c.id;
    for (int k = 1; k <= 12; ++k)
      EXPECT_EQ(t.WebRaceLinkClass[k - 1], k == c.green ? "bgnabygreen" : "bgnabyblue") << c.id << " link " << k;
  }
}

TEST(WebRaceTextsTest, ADateThatIsNoDateLeavesTheWeekdayEmptyAndIsReported) {
  Race race;
  race.s.CurrentRunnerRecord.replace(4, 4, "0230");
  common::StepFailures failures;
  const WebRaceTexts t = Compose(race, failures);
  EXPECT_EQ(t.WebWeekdayText, "");
  EXPECT_EQ(t.WebDayText, "30");
  EXPECT_EQ(failures.items.size(), 1u);
}

TEST(WebRaceTextsTest, TicketsOfTheRaceOnly) {
  {
    // Pair 0312 shows 3 and 12; a trio of six blanks shows three empty texts.
    Race race;
    race.s.UmatanKaime[1] = "0312";
    race.s.SanrenpukuTop7[1] = "      ";
    race.s.SanrenpukuTop7[2] = "101112";
    common::StepFailures failures;
    const WebRaceTexts t = Compose(race, failures);
    EXPECT_TRUE(failures.empty());
    ASSERT_EQ(t.WebPairNums.size(), 6u);
    EXPECT_EQ(t.WebPairNums[0], (std::array<std::string, 2>{"3", "12"}));
    ASSERT_EQ(t.WebTrioNums.size(), 7u);
    EXPECT_EQ(t.WebTrioNums[1], (std::array<std::string, 3>{"", "", ""}));
    EXPECT_EQ(t.WebTrioNums[2], (std::array<std::string, 3>{"10", "11", "12"}));
  }
  {
    // A field of three: three pairs and one trio; slots 2..7 of an earlier race are not shown.
    Race race;
    race.s.RunnerCount = 3;
    race.s.PairCount = 3;
    race.s.TripleCount = 1;
    race.s.UmatanKaime = {"", "0302", "0301", "0102"};
    common::StepFailures failures;
    const WebRaceTexts t = Compose(race, failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(t.WebPairNums.size(), 3u);
    ASSERT_EQ(t.WebTrioNums.size(), 1u);
    EXPECT_EQ(t.WebTrioNums[0], (std::array<std::string, 3>{"1", "2", "3"}));
  }
  {
    // A ticket that is no horse numbers is reported and left out; the others stay.
    Race race;
    race.s.UmatanKaime[2] = "03xx";
    race.s.SanrenpukuTop7[0] = "";
    common::StepFailures failures;
    const WebRaceTexts t = Compose(race, failures);
    EXPECT_EQ(failures.items.size(), 2u);
    EXPECT_EQ(t.WebPairNums.size(), 5u);
    EXPECT_EQ(t.WebTrioNums.size(), 6u);
  }
}

TEST(WebRaceTextsTest, FrameClasses) {
  struct Case {
    std::string waku;
    std::optional<std::string> css;
    bool font;
  };
  const Case cases[] = {
      {"1", "bgwhite", false}, {"2", "bgblack2", true}, {"3", "bgred", true},    {"4", "bgblue", true},
      {"5", "bgyellow", false}, {"6", "bggreen", true}, {"7", "bgorange", false}, {"8 ", "bgpink", false},
      {"9", std::nullopt, false}, {"0", std::nullopt, false}, {"X", std::nullopt, false}, {"", std::nullopt, false},
  };
  for (const Case& c : cases) {
    const std::optional<FrameColour> colour = FrameColourClass(FrameText(c.waku));
    ASSERT_EQ(colour.has_value(), c.css.has_value()) << c.waku;
    if (!colour) continue;
    EXPECT_EQ(colour->css_class, *c.css) << c.waku;
    EXPECT_EQ(colour->white_font, c.font) << c.waku;
  }
}

TEST(WebRaceTextsTest, NumbersWithoutTheirLeadingZeroOrBlank) {
  EXPECT_EQ(WithoutLeadingZero("03"), "3");
  EXPECT_EQ(WithoutLeadingZero("10"), "10");
  EXPECT_EQ(WithoutLeadingZero("3"), "3");
  EXPECT_EQ(WithoutLeadingBlank(" 1"), "1");
  EXPECT_EQ(WithoutLeadingBlank("12"), "12");
  EXPECT_EQ(FrameText("2 "), "2");
  EXPECT_EQ(FrameText("12"), "12");
}

TEST(WebRaceTextsTest, RaceAtHand) {
  {
    // No runners: nothing to write, nothing failed.
    Race race;
    race.s.RunnerCount = 0;
    common::StepFailures failures;
    EXPECT_FALSE(WebRaceAtHand(race.s, failures).has_value());
    EXPECT_TRUE(failures.empty());
  }
  {
    Race race;
    race.s.CurrentRunnerRecord.replace(8, 2, "0x");
    common::StepFailures failures;
    EXPECT_FALSE(WebRaceAtHand(race.s, failures).has_value());
    EXPECT_EQ(failures.items.size(), 1u);
  }
  {
    // A racecourse missing from the code table: empty name and word.
    Race race;
    race.s.CodeTable.cells[0] = {};
    common::StepFailures failures;
    const std::optional<WebRace> web = WebRaceAtHand(race.s, failures);
    ASSERT_TRUE(web.has_value());
    EXPECT_EQ(web->course_name, "");
    EXPECT_EQ(web->course_word, "");
    EXPECT_TRUE(failures.empty());
  }
  {
    // Texts are UTF-8 with & < > " escaped.
    Race race;
    race.s.CodeTable.cells[0][4] = common::ToCp932("中&<山>\"");
    common::StepFailures failures;
    EXPECT_EQ(WebRaceAtHand(race.s, failures)->course_name, "中&amp;&lt;山&gt;&quot;");
  }
}

}  // namespace
}  // namespace radadovur::exports
