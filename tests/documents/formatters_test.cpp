#include "documents/formatters.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/cp932.h"

namespace radadovur::documents {
using common::ToCp932;

namespace {

using Formatter = std::function<common::Status(std::string_view, std::string*)>;

struct Case {
  const char* name;
  Formatter format;
  std::string input;
  const char* expected;  // UTF-8; nullptr: the formatter fails
};

TEST(FormattersTest, FormsBlanksAndFailures) {
  const Case cases[] = {
      {"trio", FormatTrio, "071203", " 7-12- 3"},
      {"trio of zeros is numbers", FormatTrio, "000000", " 0- 0- 0"},
      {"trio of blank-led parts", FormatTrio, " 1 2 3", " 1- 2- 3"},
      {"trio all blank", FormatTrio, "      ", ""},
      {"trio blank in part", FormatTrio, "01  03", nullptr},
      {"trio empty", FormatTrio, "", nullptr},
      {"trio too short for its third part", FormatTrio, "0102", nullptr},
      {"trio five blanks are no blank field", FormatTrio, "     ", nullptr},
      {"trio ignores what follows", FormatTrio, "010203xx", " 1- 2- 3"},
      {"trio letters", FormatTrio, "01a203", nullptr},
      {"ordered trio", FormatTrioOrdered, "071203", " 7→12→ 3"},
      {"ordered trio blank", FormatTrioOrdered, "      ", ""},
      {"pair", FormatPair, "0307", " 3- 7"},
      {"pair two digits", FormatPair, "1011", "10-11"},
      {"pair blank", FormatPair, "    ", ""},
      {"pair signed part", FormatPair, "-103", nullptr},
      {"ordered pair", FormatPairOrdered, "1503", "15→ 3"},
      {"ordered pair small first", FormatPairOrdered, "0110", " 1→10"},
      {"umaban", FormatUmaban, "18", "18"},
      {"umaban blank-led", FormatUmaban, " 7", " 7"},
      {"umaban blank-trailed", FormatUmaban, "3 ", " 3"},
      {"umaban zero-led", FormatUmaban, "07", " 7"},
      {"umaban blank", FormatUmaban, "  ", ""},
      {"umaban letters", FormatUmaban, "AB", nullptr},
      {"payout nines", FormatPayout, "999999999", "999999999"},
      {"payout 100 yen", FormatPayout, "000000100", "100"},
      {"payout zeros", FormatPayout, "000000000", "0"},
      {"payout blank", FormatPayout, "         ", ""},
      {"payout blank-led", FormatPayout, "    12340", "12340"},
      {"payout beyond 32 bits", FormatPayout, "9999999999", nullptr},
      {"payout letters", FormatPayout, "00001234x", nullptr},
      {"bracket pair", FormatBracketPair, "35", "3-5"},
      {"bracket pair same", FormatBracketPair, "88", "8-8"},
      {"bracket pair blank", FormatBracketPair, "  ", ""},
      {"bracket pair half blank", FormatBracketPair, "8 ", nullptr},
      {"base trio has no blank test", FormatBaseTrio, "      ", nullptr},
      {"base trio", FormatBaseTrio, "071203", " 7-12- 3"},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    const common::Status status = c.format(c.input, &out);
    if (c.expected == nullptr) {
      EXPECT_TRUE(status.IsInvalidArgument()) << c.name;
      EXPECT_EQ(out, "") << c.name;
    } else {
      EXPECT_TRUE(status.ok()) << c.name << ": " << status.ToString();
      EXPECT_EQ(out, ToCp932(c.expected)) << c.name;
    }
  }
}

TEST(FormattersTest, OrderedFormsAreLongerInBytesThanInCharacters) {
  std::string trio, pair;
  ASSERT_TRUE(FormatTrioOrdered("071203", &trio).ok());
  ASSERT_TRUE(FormatPairOrdered("1503", &pair).ok());
  EXPECT_EQ(trio.size(), 10u);
  EXPECT_EQ(pair.size(), 6u);
  EXPECT_EQ(trio.substr(2, 2), "\x81\xA8");
}

TEST(FormattersTest, BaseTrioOrdersFollowTheSixTrifectaOrders) {
  const char* expected[] = {" 7→12→ 3", " 7→ 3→12", "12→ 7→ 3", "12→ 3→ 7", " 3→ 7→12", " 3→12→ 7"};
  for (int order = 1; order <= 6; ++order) {
    std::string out;
    ASSERT_TRUE(FormatBaseTrioOrder(order, "071203", &out).ok()) << order;
    EXPECT_EQ(out, ToCp932(expected[order - 1])) << order;
  }
  std::string out;
  ASSERT_TRUE(FormatBaseTrioOrder(3, "051408", &out).ok());
  EXPECT_EQ(out, ToCp932("14→ 5→ 8"));
  EXPECT_TRUE(FormatBaseTrioOrder(7, "071203", &out).IsInvalidArgument());
  EXPECT_TRUE(FormatBaseTrioOrder(1, "      ", &out).IsInvalidArgument());
}

}  // namespace
}  // namespace radadovur::documents
