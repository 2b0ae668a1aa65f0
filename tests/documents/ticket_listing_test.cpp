#include "documents/ticket_listing.h"

#include <gtest/gtest.h>

#include "common/cp932.h"

namespace radadovur::documents {
using common::ToCp932;

namespace {

// Lines written in UTF-8 with CR LF, as CP932.
std::vector<std::string> Cp932Lines(std::initializer_list<const char*> lines) {
  std::vector<std::string> out;
  for (const char* line : lines) out.push_back(ToCp932(line) + "\r\n");
  return out;
}

// Every pair and triple of `runners` horses in a fixed order: pairs (1,2),(1,3)..; 馬単 and
// 3連単 with the higher number first, so that the two forms differ.
struct Lists {
  explicit Lists(int runners) {
    auto two = [](int h) { return (h < 10 ? "0" : "") + std::to_string(h); };
    for (int a = 1; a <= runners; ++a)
      for (int b = a + 1; b <= runners; ++b) {
        umaren.push_back(two(a) + two(b));
        umatan.push_back(two(b) + two(a));
        for (int c = b + 1; c <= runners; ++c) {
          sanrenpuku.push_back(two(a) + two(b) + two(c));
          sanrentan.push_back(two(c) + two(a) + two(b));
        }
      }
  }
  TicketLists Spans() const { return {umaren, umatan, sanrenpuku, sanrentan}; }
  std::vector<std::string> umaren, umatan, sanrenpuku, sanrentan;
};

std::vector<std::string> Tags(const std::vector<std::string>& lines) {
  std::vector<std::string> tags;
  for (const auto& line : lines) tags.push_back(line.substr(1, line.find('"', 1) - 1));
  return tags;
}

TEST(TicketListingTest, ListedCountsCompareTheRegisteredCountAsText) {
  struct Case {
    const char* registered;
    int pairs, triples;
  };
  const Case cases[] = {{"00", 6, 4}, {"04", 6, 4}, {"05", 6, 7}, {"06", 12, 14}, {"07", 18, 21},
                        {"18", 18, 21}, {"  ", 18, 21}, {" 6", 18, 21}, {"6", 18, 21}};
  for (const auto& c : cases) {
    EXPECT_EQ(ListedPairCount(c.registered), c.pairs) << c.registered;
    EXPECT_EQ(ListedTripleCount(c.registered), c.triples) << c.registered;
  }
}

TEST(TicketListingTest, WorkedExampleAtPositionOne) {
  const std::vector<std::string> umaren = {"0307"}, umatan = {"0703"}, trio = {"030712"}, base = {"070312"};
  const ListingInput in{"16", "11", {umaren, umatan, trio, base}};
  common::StepFailures failures;
  const auto condensed = CondensedTicketLines(in, failures);
  const auto tier = TierTicketLines(in, failures);
  ASSERT_EQ(condensed.size(), 18u + 21u);
  ASSERT_EQ(tier.size(), 18u + 21u);
  EXPECT_EQ(condensed[0], Cp932Lines({R"("MUH1","1"," 7- 3")"})[0]);
  EXPECT_EQ(condensed[18], Cp932Lines({R"("MSH1","1"," 7- 3-12")"})[0]);
  EXPECT_EQ(tier[0], Cp932Lines({R"("PUH1","1"," 3- 7"," 7→ 3"," 3→ 7")"})[0]);
  EXPECT_EQ(tier[18], Cp932Lines({R"("PSH1","1"," 3- 7-12"," 7→ 3→12"," 7→12→ 3"," 3→ 7→12",)"
                                  R"(" 3→12→ 7","12→ 7→ 3","12→ 3→ 7")"})[0]);
  // Positions past the one ticket keep their lines with empty ticket texts.
  EXPECT_EQ(condensed[1], "\"MUH2\",\"2\",\"\"\r\n");
  EXPECT_EQ(tier[38], "\"PSF7\",\"21\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
  EXPECT_TRUE(failures.empty());
}

TEST(TicketListingTest, TagsTiersAndPositions) {
  const Lists lists(7);
  common::StepFailures failures;
  const auto tier = TierTicketLines({"07", "11", lists.Spans()}, failures);
  const auto tags = Tags(tier);
  ASSERT_EQ(tags.size(), 39u);
  EXPECT_EQ(tags[5], "PUH6");
  EXPECT_EQ(tags[6], "PUJ1");
  EXPECT_EQ(tier[6].substr(0, 12), "\"PUJ1\",\"7\",\"");
  EXPECT_EQ(tags[17], "PUF6");
  EXPECT_EQ(tags[18 + 14], "PSF1");
  EXPECT_EQ(tier[18 + 14].substr(0, 13), "\"PSF1\",\"15\",\"");
  EXPECT_EQ(tags.back(), "PSF7");

  const std::vector<std::string> five = Tags(CondensedTicketLines({"05", "03", Lists(5).Spans()}, failures));
  const std::vector<std::string> expected = {"MUH1", "MUH2", "MUH3", "MUH4", "MUH5", "MUH6", "MSH1",
                                             "MSH2", "MSH3", "MSH4", "MSH5", "MSH6", "MSH7"};
  EXPECT_EQ(five, expected);
  const auto six = Tags(TierTicketLines({"06", "03", Lists(6).Spans()}, failures));
  ASSERT_EQ(six.size(), 12u + 14u);
  EXPECT_EQ(six[11], "PUJ6");
  EXPECT_EQ(six.back(), "PSJ7");
  EXPECT_EQ(Tags(TierTicketLines({"04", "03", Lists(4).Spans()}, failures)).size(), 6u + 4u);
  EXPECT_TRUE(failures.empty());
}

TEST(TicketListingTest, RaceNumberChoosesTheTripleForms) {
  const Lists lists(7);
  struct Case {
    const char* race;
    bool msh_predicted, msf_predicted;
    size_t ps_commas;
  };
  const Case cases[] = {{"01", true, false, 8}, {"08", true, false, 8}, {"09", true, true, 8},
                        {"12", true, true, 8},  {"13", false, false, 2}, {"  ", false, false, 2}};
  for (const auto& c : cases) {
    common::StepFailures failures;
    const auto condensed = CondensedTicketLines({"07", c.race, lists.Spans()}, failures);
    const auto tier = TierTicketLines({"07", c.race, lists.Spans()}, failures);
    auto item3 = [](const std::string& line) {
      const size_t start = line.find(",\"", line.find(',') + 1) + 2;
      return line.substr(start, line.find('"', start) - start);
    };
    // Position 1 is the triple 1-2-3 (predicted order 3, 1, 2), position 15 the triple 1-6-7 (7, 1, 6).
    EXPECT_EQ(item3(condensed[18]), c.msh_predicted ? " 3- 1- 2" : " 1- 2- 3") << c.race;
    EXPECT_EQ(item3(condensed[18 + 14]), c.msf_predicted ? " 7- 1- 6" : " 1- 6- 7") << c.race;
    EXPECT_EQ(std::count(tier[18].begin(), tier[18].end(), ','), static_cast<long>(c.ps_commas)) << c.race;
    EXPECT_EQ(tier[0], TierTicketLines({"07", "11", lists.Spans()}, failures)[0]) << c.race;
    EXPECT_TRUE(failures.empty());
  }
}

TEST(TicketListingTest, ATicketThatIsNoHorseNumberLosesItsLineOnly) {
  Lists lists(7);
  lists.umatan[1] = "0x03";
  lists.sanrentan[2] = "      ";
  common::StepFailures failures;
  const auto condensed = Tags(CondensedTicketLines({"07", "11", lists.Spans()}, failures));
  EXPECT_EQ(condensed.size(), 18u + 21u - 2u);
  EXPECT_EQ(condensed[1], "MUH3");
  EXPECT_EQ(condensed[17 + 2], "MSH4");
  EXPECT_EQ(failures.items.size(), 2u);
}

}  // namespace
}  // namespace radadovur::documents
