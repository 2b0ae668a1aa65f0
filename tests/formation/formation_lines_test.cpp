#include "formation/formation_lines.h"

#include <gtest/gtest.h>

#include "formation/formation_legs.h"
#include "formation/formation_fixture.h"

namespace radadovur::formation {
namespace {

using testing::Race;

std::vector<std::string> Horses(int n) {
  std::vector<std::string> order;
  for (int h = 1; h <= n; ++h) order.push_back((h < 10 ? "0" : "") + std::to_string(h));
  return order;
}

// The lines' ends by field-size case and spread: UF2, UBX (= SBX), S1A (= S2A = S3A).
TEST(FormationLegsTest, EndsByRegisteredCountAndSdValue) {
  struct Case {
    const char* toroku;
    const char* sd;
    FormationLegs legs;
  } cases[] = {
      {"04", "SD", {4, 4, 4}}, {"01", "", {4, 4, 4}},  {"05", "99", {5, 5, 5}}, {"06", "xx", {6, 5, 6}},
      {"07", "  ", {6, 5, 7}}, {"08", "30", {7, 6, 8}}, {"08", "31", {6, 5, 8}}, {"09", "30", {7, 6, 9}},
      {"18", "30", {7, 6, 9}}, {"18", "31", {6, 5, 8}}, {"  ", " 5", {7, 6, 9}}, {"00", "45", {6, 5, 8}},
      {"1x", "24", {7, 6, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.toroku) + " " + c.sd);
    FormationLegs legs{};
    ASSERT_TRUE(FormationLegsOf(RegisteredCount(c.toroku), c.sd, &legs).ok());
    EXPECT_EQ(legs.pair_end, c.legs.pair_end);
    EXPECT_EQ(legs.box_end, c.legs.box_end);
    EXPECT_EQ(legs.partner_end, c.legs.partner_end);
  }
  FormationLegs legs{};
  EXPECT_FALSE(FormationLegsOf(8, "SD", &legs).ok());
  EXPECT_FALSE(FormationLegsOf(0, "", &legs).ok());
}

TEST(FormationLinesTest, TwelveRunnersNarrowSpread) {
  Race race({"05", "11", "02", "08", "01", "12", "03", "09", "07", "04", "10", "06"}, {}, "12", "24");
  common::StepFailures failures;
  EXPECT_EQ(FormationLines(race.s, failures),
            "\"TF1\",\" 5\"\r\n"
            "\"TF2\",\"11\"\r\n"
            "\"UF1\",\" 5\",\"11\",\" 2\"\r\n"
            "\"UF2\",\" 5\",\"11\",\" 2\",\" 8\",\" 1\",\"12\",\" 3\"\r\n"
            "\"UBX\",\" 5\",\"11\",\" 2\",\" 8\",\" 1\",\"12\"\r\n"
            "\"S11\",\" 5\"\r\n"
            "\"S12\",\"11\"\r\n"
            "\"S1A\",\" 2\",\" 8\",\" 1\",\"12\",\" 3\",\" 9\",\" 7\"\r\n"
            "\"S21\",\"11\"\r\n"
            "\"S22\",\" 2\"\r\n"
            "\"S2A\",\" 8\",\" 1\",\"12\",\" 3\",\" 9\",\" 7\"\r\n"
            "\"S31\",\" 5\"\r\n"
            "\"S32\",\" 2\"\r\n"
            "\"S3A\",\" 8\",\" 1\",\"12\",\" 3\",\" 9\",\" 7\"\r\n"
            "\"SBX\",\" 5\",\"11\",\" 2\",\" 8\",\" 1\",\"12\"\r\n");
  EXPECT_TRUE(failures.empty());
}

TEST(FormationLinesTest, FourRunners) {
  Race race(Horses(4), {}, "04", "SD");  // the SD value is not read for four runners
  common::StepFailures failures;
  EXPECT_EQ(FormationLines(race.s, failures),
            "\"TF1\",\" 1\"\r\n\"TF2\",\" 2\"\r\n\"UF1\",\" 1\",\" 2\",\" 3\"\r\n"
            "\"UF2\",\" 1\",\" 2\",\" 3\",\" 4\"\r\n\"UBX\",\" 1\",\" 2\",\" 3\",\" 4\"\r\n"
            "\"S11\",\" 1\"\r\n\"S12\",\" 2\"\r\n\"S1A\",\" 3\",\" 4\"\r\n"
            "\"S21\",\" 2\"\r\n\"S22\",\" 3\"\r\n\"S2A\",\" 4\"\r\n"
            "\"S31\",\" 1\"\r\n\"S32\",\" 3\"\r\n\"S3A\",\" 4\"\r\n"
            "\"SBX\",\" 1\",\" 2\",\" 3\",\" 4\"\r\n");
  EXPECT_TRUE(failures.empty());
}

// Lines name only the ranks the race has: two runners, or a blank registered count on a field of
// five.
TEST(FormationLinesTest, SmallFieldsListOnlyTheirRanks) {
  {
    Race race({"02", "01"}, {}, "02", "");
    common::StepFailures failures;
    EXPECT_EQ(FormationLines(race.s, failures),
              "\"TF1\",\" 2\"\r\n\"TF2\",\" 1\"\r\n\"UF1\",\" 2\",\" 1\"\r\n\"UF2\",\" 2\",\" 1\"\r\n"
              "\"UBX\",\" 2\",\" 1\"\r\n\"S11\",\" 2\"\r\n\"S12\",\" 1\"\r\n\"S1A\"\r\n\"S21\",\" 1\"\r\n"
              "\"S22\"\r\n\"S2A\"\r\n\"S31\",\" 2\"\r\n\"S32\"\r\n\"S3A\"\r\n\"SBX\",\" 2\",\" 1\"\r\n");
    EXPECT_TRUE(failures.empty());
  }
  Race race(Horses(5), {}, "  ", "12");
  common::StepFailures failures;
  const std::string lines = FormationLines(race.s, failures);
  EXPECT_NE(lines.find("\"S1A\",\" 3\",\" 4\",\" 5\"\r\n"), std::string::npos);
  EXPECT_NE(lines.find("\"UF2\",\" 1\",\" 2\",\" 3\",\" 4\",\" 5\"\r\n"), std::string::npos);
  EXPECT_TRUE(failures.empty());
}

// A line that cannot be formed is left out and reported; the others stay.
TEST(FormationLinesTest, FailingLinesAreLeftOut) {
  Race race(Horses(9), {}, "09", "SD");
  common::StepFailures failures;
  std::string lines = FormationLines(race.s, failures);
  EXPECT_EQ(lines.find("UF2"), std::string::npos);
  EXPECT_EQ(lines.find("SBX"), std::string::npos);
  EXPECT_NE(lines.find("\"S32\",\" 3\"\r\n"), std::string::npos);
  EXPECT_EQ(failures.items.size(), 1u);

  Race bad(Horses(6), {}, "06", "");
  bad.s.RankOrder[5] = "xx";
  common::StepFailures more;
  lines = FormationLines(bad.s, more);
  EXPECT_EQ(lines.find("UF2"), std::string::npos);
  EXPECT_NE(lines.find("\"UF1\",\" 1\",\" 2\",\" 3\"\r\n"), std::string::npos);
  EXPECT_EQ(lines.find("S2A"), std::string::npos);
  EXPECT_NE(lines.find("\"S22\",\" 3\"\r\n"), std::string::npos);
  EXPECT_EQ(more.items.size(), 6u);
}

}  // namespace
}  // namespace radadovur::formation
