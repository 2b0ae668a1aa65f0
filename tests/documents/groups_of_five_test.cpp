#include "documents/groups_of_five.h"

#include <gtest/gtest.h>

#include <array>

namespace radadovur::documents {
namespace {

// Horse numbers of ranks 1..count: rank r holds horse (r * 7) % 19, as "07", "14", ...
std::vector<std::string> Ranked(int count) {
  std::vector<std::string> ranked;
  for (int r = 1; r <= count; ++r) {
    const int horse = (r * 7) % 19;
    ranked.push_back((horse < 10 ? "0" : "") + std::to_string(horse));
  }
  return ranked;
}

// The tag and item count of every line.
std::vector<std::string> Shape(const std::vector<std::string>& lines) {
  std::vector<std::string> shape;
  for (const auto& line : lines) {
    const size_t quote = line.find('"', 1);
    shape.push_back(line.substr(1, quote - 1) + ":" + std::to_string(std::count(line.begin(), line.end(), ',')));
  }
  return shape;
}

TEST(GroupsOfFiveTest, GroupsFollowTheRegisteredCount) {
  struct Case {
    const char* registered;
    int runners;
    bool final;
    std::vector<std::string> shape;
  };
  const Case cases[] = {
      {"12", 12, true, {"Q1:5", "Q2:5", "Q3:2", "ATQ1:5", "ATQ2:5", "ATQ3:2"}},
      {"12", 12, false, {"Q1:5", "Q2:5", "Q3:2"}},
      {"05", 5, false, {"Q1:5"}},
      {"06", 6, false, {"Q1:5", "Q2:1"}},
      {"16", 16, false, {"Q1:5", "Q2:5", "Q3:5", "Q4:1"}},
      {"18", 18, false, {"Q1:5", "Q2:5", "Q3:5", "Q4:3"}},
      {"04", 4, false, {"Q1:4"}},
      {" 7", 7, false, {"Q1:5", "Q2:2"}},
      // Fewer runners than the count names: only the ranks that exist.
      {"03", 3, true, {"Q1:3", "ATQ1:3"}},
      {"10", 7, false, {"Q1:5", "Q2:2"}},
      {"10", 5, false, {"Q1:5"}},
      // No usable registered count: the runners cut the groups, and Q1 is always there.
      {"00", 12, false, {"Q1:5", "Q2:5", "Q3:2"}},
      {"  ", 7, false, {"Q1:5", "Q2:2"}},
      {"19", 3, false, {"Q1:3"}},
      {"x1", 6, false, {"Q1:5", "Q2:1"}},
      {"00", 0, true, {"Q1:0", "ATQ1:0"}},
  };
  const std::vector<std::string> marks(19, "**");
  for (const auto& c : cases) {
    const auto ranked = Ranked(c.runners);
    common::StepFailures failures;
    const auto lines = GroupsOfFiveLines({c.registered, ranked, c.final, marks}, failures);
    EXPECT_EQ(Shape(lines), c.shape) << "\"" << c.registered << "\" with " << c.runners;
    EXPECT_TRUE(failures.empty());
  }
}

TEST(GroupsOfFiveTest, HorseNumbersAndFinishingMarksLineUpByRank) {
  const std::vector<std::string> ranked = {"07", "12", "01", "03", "10", "02"};
  std::array<std::string, 19> marks;
  marks.fill("**");
  marks[12] = "01";
  marks[3] = "03";
  marks[2] = "03";  // dead heat for third
  marks[7] = "05";
  common::StepFailures failures;
  const auto lines = GroupsOfFiveLines({"06", ranked, true, marks}, failures);
  const std::vector<std::string> expected = {
      "\"Q1\",\" 7\",\"12\",\" 1\",\" 3\",\"10\"\r\n",
      "\"Q2\",\" 2\"\r\n",
      "\"ATQ1\",\"05\",\"01\",\"**\",\"03\",\"**\"\r\n",
      "\"ATQ2\",\"03\"\r\n",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(failures.empty());
}

TEST(GroupsOfFiveTest, ARankWithoutAHorseNumberIsLeftOutAndReported) {
  const std::vector<std::string> ranked = {"07", "  ", "01", "03", "10"};
  const std::vector<std::string> marks(19, "**");
  common::StepFailures failures;
  const auto lines = GroupsOfFiveLines({"05", ranked, true, marks}, failures);
  const std::vector<std::string> expected = {
      "\"Q1\",\" 7\",\" 1\",\" 3\",\"10\"\r\n",
      "\"ATQ1\",\"**\",\"**\",\"**\",\"**\"\r\n",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(failures.items.size(), 1u);
}

}  // namespace
}  // namespace radadovur::documents
