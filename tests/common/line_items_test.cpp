// Value files checked line by line: what a damaged byte does to a line is found in that line.
#include "common/line_items.h"

#include <gtest/gtest.h>

namespace radadovur::common {
namespace {

std::string Items(std::string_view line) {
  std::vector<std::string_view> items;
  std::vector<bool> quoted;
  std::string reason;
  if (!SplitLineItems(line, items, &reason, &quoted)) return "fail: " + reason;
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "|" : "") + std::string(quoted[i] ? "q:" : "") + std::string(items[i]);
  return out;
}

TEST(LineItemsTest, SplitsQuotedAndBareItemsAndRefusesWhatADamagedByteLeaves) {
  const struct {
    std::string line, expected;
  } cases[] = {
      {"\"2024     \"", "q:2024     "},
      {"\"20 24 ,x\",  2023  ,\"\"", "q:20 24 ,x|2023|q:"},
      {"0.1,62.6", "0.1|62.6"},
      {"a,b,", "a|b|"},  // a comma before the end leaves an empty last item
      {"", ""},
      {"\"2024  ", "fail: 1 番目の項目の引用符が閉じていません"},             // closing quote lost, or a line end inside
      {"2024  \"", "fail: 1 番目の項目に対になっていない引用符があります"},   // opening quote lost
      {"\"a\"x,b", "fail: 1 番目の項目の引用符のあとに余分な文字があります"},
      {"\"a\",b\"c", "fail: 2 番目の項目に対になっていない引用符があります"},
      {std::string("12\0""3", 4), "fail: 制御文字 \\x00 があります"},
      {"12\r3", "fail: 行の途中に CR があります"},
      {"12\x7F", "fail: 制御文字 \\x7F があります"},
  };
  for (const auto& c : cases) EXPECT_EQ(Items(c.line), c.expected) << Shown(c.line);
}

TEST(LineItemsTest, EveryLineEndsInCrLfAndACutOrEmptyLineIsNamed) {
  const auto walk = [](std::string_view text, LineRules rules = {}) {
    size_t lines = 0;
    const Status s = ForEachLine("F.dat", text, rules, [&](const TextLine&, const auto&, const auto&) {
      ++lines;
      return Status::OK();
    });
    return s.ok() ? "ok " + std::to_string(lines) : s.ToString();
  };
  EXPECT_EQ(walk("1\r\n2\r\n"), "ok 2");
  EXPECT_EQ(walk(""), "ok 0");
  EXPECT_EQ(walk("1\r\n2"), "F.dat の 2 行目が壊れています: 行末がありません（行が途中で切れています）");
  EXPECT_EQ(walk("1\r\n2\n3\r\n"), "F.dat の 2 行目が壊れています: 行末が CR LF ではありません");
  EXPECT_EQ(walk("1\r\n\r\n2\r\n"), "F.dat の 2 行目が壊れています: 空の行です");
  EXPECT_EQ(walk("1\r2\r\n"), "F.dat の 1 行目が壊れています: 行の途中に CR があります");
  EXPECT_EQ(walk("\"1\r\n2\"\r\n"), "F.dat の 1 行目が壊れています: 1 番目の項目の引用符が閉じていません");
  EXPECT_EQ(walk("1\n\n2", LineRules{false, true, false}), "ok 2");
  // What the walker's caller refuses stops it there.
  const Status s = ForEachLine("F.dat", "1\r\n2\r\n3\r\n", {}, [](const TextLine& line, const auto&, const auto&) {
    return line.number == 2 ? LineFailure("F.dat", 2, "x") : Status::OK();
  });
  EXPECT_TRUE(s.IsCorruption());
  EXPECT_EQ(s.ToString(), "F.dat の 2 行目が壊れています: x");
}

TEST(LineItemsTest, DecimalNumbersAreSignDigitsPointAndExponentOnly) {
  for (const char* good : {"0", "-1", "+20.5", "0.1234", ".5", "5.", "-1e-3", "3.4028234e38", "1E+2"})
    EXPECT_TRUE(IsDecimalNumber(good)) << good;
  for (const char* bad : {"", "-", ".", "1.2.3", "0x1p3", "inf", "nan", "1e", "1e+", " 1", "1 ", "1,5", "--1", "e5", "12a"})
    EXPECT_FALSE(IsDecimalNumber(bad)) << bad;
}

}  // namespace
}  // namespace radadovur::common
