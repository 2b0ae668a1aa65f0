#include <sys/stat.h>

#include <filesystem>

#include "demo/code_table.h"
#include "results/code_table.h"
#include "results_fixture.h"

namespace radadovur::results {
namespace {

using testing::CodeRow;

class CodeTableTest : public testing::ResultsFolder {
 protected:
  common::Status Load(const std::string& bytes) {
    Put("JRACODE/CodeTable.csv", bytes);
    return LoadCodeTable(app_, table_);
  }
  std::string Lookup(std::string_view kind, std::string_view code, int column) const {
    return common::DecodeCp932Lossy(LookupCodeTable(table_, kind, code, column));
  }
  CodeTable table_;
};

TEST_F(CodeTableTest, LookupTakesTheLastMatchingRowAndComparesExactly) {
  ASSERT_TRUE(Load(CodeRow({"2001", "06", "a", "b", "中山"}) + CodeRow({"2003", " ", "一般"}) +
                   CodeRow({"2001", "06", "a", "b", "中山２"}) + CodeRow({"2001", "6", "x", "x", "six"}))
                  .ok());
  struct Case {
    const char* kind;
    const char* code;
    int column;
    const char* expected;
  } cases[] = {
      {"2001", "06", 4, "中山２"},  // the later row wins
      {"2001", "6", 4, "six"},      // codes are not numbers
      {"2003", " ", 2, "一般"},     // a blank code is a code
      {"2003", "", 2, ""},
      {"2010", "9", 2, ""},        // no row
      {"2001", "06", 7, ""},       // a column the row leaves empty
      {"2001", "06", 8, ""},       // outside the table
      {"2001", "06", -1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Lookup(c.kind, c.code, c.column), c.expected) << c.kind << "/" << c.code;
}

TEST_F(CodeTableTest, ValuesAreAStreamOfEightPerRowWhateverTheLineEnds) {
  // Two rows on one line, then one row over three lines, then a row cut short by the end.
  ASSERT_TRUE(Load(common::ToCp932("\"2001\",\"01\",\"\",\"\",\"札幌\",\"\",\"\",\"\",\"2001\",\"02\",\"\",\"\",\"函館\",\"\",\"\",\"\"\r\n"
                   "\"2011\",\"1\"\r\n\"晴\",\"\",\"\"\r\n\"\",\"\",\"\"\r\n"
                   "\"2002\",\"1\",\"土曜日\""))
                  .ok());
  EXPECT_EQ(Lookup("2001", "01", 4), "札幌");
  EXPECT_EQ(Lookup("2001", "02", 4), "函館");
  EXPECT_EQ(Lookup("2011", "1", 2), "晴");
  EXPECT_EQ(Lookup("2002", "1", 2), "土曜日");
  EXPECT_EQ(Lookup("2002", "1", 3), "");
}

TEST_F(CodeTableTest, AnEmptyLastValueAndBlankLinesKeepTheRowsInStep) {
  // Unquoted empty values at a line's end still count; a blank line adds none.
  ASSERT_TRUE(Load(common::ToCp932("\"2009\",\"10\",\"芝\",,,,,\r\n"
                                   "\"2001\",\"06\",,,\"中山\",,\"nakayama\",\r\n"
                                   "\r\n\r\n"
                                   "\"2001\",\"05\",,,\"東京\",,,\n"
                                   "\"2011\",\"1\",\"晴\",,,,,"))
                  .ok());
  const struct {
    const char* kind;
    const char* code;
    int column;
    const char* expected;
  } cases[] = {
      {"2009", "10", 2, "芝"}, {"2009", "10", 7, ""},        {"2001", "06", 4, "中山"}, {"2001", "06", 6, "nakayama"},
      {"2001", "05", 4, "東京"}, {"2011", "1", 2, "晴"},
  };
  for (const auto& c : cases) EXPECT_EQ(Lookup(c.kind, c.code, c.column), c.expected) << c.kind << "/" << c.code;
}

TEST_F(CodeTableTest, Holds501RowsAndKeepsTheFirst501OfALongerFile) {
  std::string rows;
  for (int i = 0; i < 501; ++i) rows += CodeRow({"9999", std::to_string(i), "row" + std::to_string(i)});
  ASSERT_TRUE(Load(rows).ok());
  EXPECT_EQ(Lookup("9999", "500", 2), "row500");

  const common::Status longer = Load(rows + CodeRow({"9999", "501", "row501"}));
  EXPECT_FALSE(longer.ok());
  EXPECT_NE(longer.ToString().find("501"), std::string::npos) << longer.ToString();
  EXPECT_EQ(Lookup("9999", "500", 2), "row500");
  EXPECT_EQ(Lookup("9999", "501", 2), "");
}

TEST_F(CodeTableTest, AMissingOrUnreadableTableIsEmptyAndSaysSo) {
  ASSERT_TRUE(Load(CodeRow({"2001", "06", "", "", "中山"})).ok());
  std::filesystem::remove(app_ + "JRACODE/CodeTable.csv");
  const common::Status missing = LoadCodeTable(app_, table_);
  EXPECT_TRUE(missing.IsNotFound());
  EXPECT_NE(missing.ToString().find("JRACODE/CodeTable.csv"), std::string::npos);
  EXPECT_EQ(Lookup("2001", "06", 4), "");  // the earlier contents are gone

  // Neither a folder nor a pipe under the name may stop the pass (a pipe would never end).
  std::filesystem::create_directory(app_ + "JRACODE/CodeTable.csv");
  EXPECT_TRUE(LoadCodeTable(app_, table_).IsIoError());
  std::filesystem::remove(app_ + "JRACODE/CodeTable.csv");
  ASSERT_EQ(::mkfifo((app_ + "JRACODE/CodeTable.csv").c_str(), 0600), 0);
  EXPECT_TRUE(LoadCodeTable(app_, table_).IsIoError());
}

TEST_F(CodeTableTest, TheDemoTableGivesTheNamesThePassLooksUp) {
  ASSERT_TRUE(Load(demo::CodeTableCsv()).ok());
  EXPECT_EQ(Lookup("2001", "06", 4), "中山");
  EXPECT_EQ(Lookup("2011", "1", 2), "晴");
  EXPECT_EQ(Lookup("2010", "2", 2), "稍重");
}

}  // namespace
}  // namespace radadovur::results
