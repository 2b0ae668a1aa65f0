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

// One row a line. The damage a byte does to a line (a line end inside a quoted item, a lost
// quote, a line cut short, items added or lost) is named with the file and the line, and the rows
// of the damaged lines are not used; the other rows are.
TEST_F(CodeTableTest, ADamagedLineIsNamedAndItsRowsAreNotUsed) {
  const std::string sapporo = CodeRow({"2001", "01", "札幌競馬場", "札", "札幌", "札", "sapporo"});
  const std::string hakodate = CodeRow({"2001", "02", "函館競馬場", "函", "函館", "函", "hakodate"});
  const std::string tokyo = CodeRow({"2001", "05", "東京競馬場", "東", "東京", "東", "tokyo"});
  // Replaces the first `from` of `row` by `to`.
  const auto edit = [](std::string row, const std::string& from, const std::string& to) {
    return row.replace(row.find(from), from.size(), to);
  };
  const std::string path = app_ + "JRACODE/CodeTable.csv";
  const std::string lines = "次の行が壊れています: ";
  const struct {
    const char* what;
    std::string first;     // in place of the Sapporo row
    std::string expected;  // after "コード表 <path> の "
  } cases[] = {
      {"CR LF inside", edit(sapporo, common::ToCp932("札幌\""), common::ToCp932("札\r\n幌\"")),
       lines + "1 行目（5 番目の項目の引用符が閉じていません）、2 行目（1 番目の項目に対になっていない引用符があります）。その行は使いません。"},
      {"quote lost", edit(sapporo, "\"01\"", "\"01"),
       lines + "1 行目（2 番目の項目の引用符のあとに余分な文字があります）。その行は使いません。"},
      {"item lost", edit(sapporo, ",\"sapporo\"", ""), lines + "1 行目（項目が 7 個あります。8 個のはずです）。その行は使いません。"},
      {"two rows on a line", sapporo.substr(0, sapporo.size() - 2) + "," + sapporo,
       lines + "1 行目（項目が 16 個あります。8 個のはずです）。その行は使いません。"},
      {"cut", sapporo.substr(0, 20) + "\r\n", lines + "1 行目（3 番目の項目の引用符が閉じていません）。その行は使いません。"},
      {"byte in", edit(sapporo, "\"01\"", "\"01\"\x01"), lines + "1 行目（制御文字 \\x01 があります）。その行は使いません。"},
  };
  for (const auto& c : cases) {
    const common::Status s = Load(c.first + hakodate + tokyo);
    EXPECT_TRUE(s.IsCorruption()) << c.what;
    EXPECT_EQ(s.ToString(), "コード表 " + path + " の" + c.expected) << c.what;
    EXPECT_EQ(Lookup("2001", "01", 4), "") << c.what;  // no half row, no shifted columns
    EXPECT_EQ(Lookup("2001", "02", 4), "函館") << c.what;
    EXPECT_EQ(Lookup("2001", "05", 6), "tokyo") << c.what;
  }
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
