#include "common/tagged_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/status.h"

namespace radadovur::common {
namespace {

TEST(TaggedLineTest, ItemsAsTheGrammarWritesThem) {
  struct Case {
    const char* name;
    std::string line;
    std::string expected;
  };
  const Case cases[] = {
      {"texts keep their blanks, full-width blanks included",
       TaggedLine("RR").Text("n").Label("馬名　　").Text(" 7").Str(),
       "\"RR\",\"n\",\"" + ToCp932("馬名　　") + "\",\" 7\"\r\n"},
      {"empty text is two quotes", TaggedLine("KK").Text("1").Text("").Text("").Str(),
       "\"KK\",\"1\",\"\",\"\"\r\n"},
      {"numbers bare, negatives with a minus", TaggedLine("X").Whole(12).Whole(-3).Whole(0).Str(),
       "\"X\",12,-3,0\r\n"},
      {"nothing between commas", TaggedLine("PL").Text("3").Nothing().Text("8").Str(),
       "\"PL\",\"3\",,\"8\"\r\n"},
      {"nothing at the end", TaggedLine("PL").Text("3").TextOrNothing(std::nullopt).Str(), "\"PL\",\"3\",\r\n"},
      {"a lookup that found a row", TaggedLine("PL").TextOrNothing(ToCp932("東京")).Str(),
       "\"PL\",\"" + ToCp932("東京") + "\"\r\n"},
      {"tag alone", TaggedLine("Q1").Str(), "\"Q1\"\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, c.expected) << c.name;
}

TEST(TaggedLineTest, SeparatorsInsideTextsBecomeFullWidth) {
  struct Case {
    std::string input;  // UTF-8
    std::string expected;  // UTF-8
  };
  const Case cases[] = {
      {"A,B", "A，B"},
      {"say \"hi\"", "say ＂hi＂"},
      {"one\r\ntwo", "one　two"},
      {"one\ntwo\rthree", "one　two　three"},
      {"", ""},
      // A double-byte character whose second byte looks like ASCII ("ソ" is 83 5C) stays whole.
      {"ソ,表", "ソ，表"},
  };
  for (const auto& c : cases) {
    const std::string line = TaggedLine("T").Text(ToCp932(c.input)).Str();
    EXPECT_EQ(line, "\"T\",\"" + ToCp932(c.expected) + "\"\r\n") << c.input;
  }
  // A lead byte with no trail byte after it (a damaged text) does not take the separator along.
  const std::pair<std::string, std::string> cut[] = {{"\x81,", "\x81\x81\x43"},
                                                     {"\xE0\"", "\xE0\xFA\x57"},
                                                     {"\x9F\r\n", "\x9F\x81\x40"}};
  for (const auto& [input, expected] : cut) EXPECT_EQ(FullWidthSeparators(input), expected) << Shown(input);
}

TEST(TaggedLineTest, SplitGivesBackTheItemsWrittenAndNamesTheFirstThatIsNot) {
  struct Case {
    std::string line;  // without its CR LF
    std::vector<std::string> items;  // when sound
    const char* fault;  // a part of the failure; nullptr: sound
  };
  const std::string written = TaggedLine("PL").Text("1").Nothing().Whole(-12).Text(ToCp932("中,山")).Text("").Str();
  const Case cases[] = {
      {written.substr(0, written.size() - 2), {"PL", "1", "", "-12", ToCp932("中，山"), ""}, nullptr},
      {"\"Q1\"", {"Q1"}, nullptr},
      {"\"X\",1.5,", {"X", "1.5", ""}, nullptr},
      {"", {""}, nullptr},
      {"\"RC,\"1\"", {}, "1 番目の項目の引用符の後に余分な文字"},
      {"\"RC\",1\",\"2\"", {}, "2 番目の項目の引用符が欠けています"},
      {"\"RC\",\"1", {}, "2 番目の項目の閉じる引用符がありません"},
      {"\"RC\",\"1\",text", {}, "3 番目の項目が引用符で囲まれていません"},
      {"\"RC\",1.2.3", {}, "2 番目の項目が引用符で囲まれていません"},
      {"\"RC\",-", {}, "2 番目の項目が引用符で囲まれていません"},
      {"\"RC\",\"a\rb\"", {}, "2 番目の項目の中に改行"},
      {"\"RC\",1\n", {}, "2 番目の項目の中に改行"},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> items;
    const Status s = SplitTaggedLine(c.line, items);
    if (c.fault) {
      EXPECT_NE(s.ToString().find(c.fault), std::string::npos) << Shown(c.line) << ": " << s.ToString();
      continue;
    }
    EXPECT_TRUE(s.ok()) << Shown(c.line) << ": " << s.ToString();
    EXPECT_EQ(std::vector<std::string>(items.begin(), items.end()), c.items) << Shown(c.line);
  }
}

}  // namespace
}  // namespace radadovur::common
