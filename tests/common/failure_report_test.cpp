#include "common/failure_report.h"

#include <gtest/gtest.h>

namespace radadovur::common {
namespace {

// The failures of one file come together on one line with their count; others stay one a line
// in the order they first happened; the summary says what failed, how many and what to do.
TEST(FailureReportTest, GroupsByFileAndSummarises) {
  StepFailures failures;
  for (int i = 0; i < 30; ++i) failures.Add(Status::IoError("/w/RACE/202408030101.dat", "RACE/202408030101.dat を書けません"));
  failures.Add(Status::NotFound("/w/KAIME/202408030102.dat"));
  failures.Add(Status::InvalidArgument("RaceNum", "レース 1: レース番号が読めません"));
  failures.Add(Status::InvalidArgument("RaceNum", "レース 2: レース番号が読めません"));
  failures.Add(Status::IoError("/w/RACE/202408030101.dat", "RACE/202408030101.dat を書けません"));
  // One race's writers failing one after another: one line.
  for (const char* writer : {"WriteLupDocuments", "WritePcDocuments", "WriteYosouPage"})
    failures.Add(Status::InvalidArgument(writer, std::string("手順16 ") + writer + " レース202408030105: race id is not 16 digits"));

  const FailureReport report = MakeFailureReport("予想･結果で次の処理ができませんでした。", failures);
  ASSERT_EQ(report.lines.size(), 5u);
  EXPECT_EQ(report.lines[0], "RACE/202408030101.dat を書けません（同じファイルで計 31 件）");
  EXPECT_EQ(report.lines[1], "/w/KAIME/202408030102.dat");
  EXPECT_EQ(report.lines[2], "レース 1: レース番号が読めません");
  EXPECT_EQ(report.lines[3], "レース 2: レース番号が読めません");
  EXPECT_EQ(report.lines[4], "手順16 WriteLupDocuments レース202408030105: race id is not 16 digits（同じレースで計 3 件）");
  EXPECT_TRUE(report.summary.starts_with("予想･結果で次の処理ができませんでした。\n失敗 37 件（5 項目）。\n"));
  // Advice for each kind present, missing files first.
  const size_t missing = report.summary.find("前の手順");
  const size_t unwritable = report.summary.find("ディスクの空き");
  const size_t unreadable = report.summary.find("読めない値");
  EXPECT_NE(missing, std::string::npos);
  EXPECT_LT(missing, unwritable);
  EXPECT_LT(unwritable, unreadable);
  EXPECT_EQ(report.summary.find("壊れた"), std::string::npos);
  EXPECT_TRUE(report.Text().starts_with(report.summary + "\n\n" + report.lines[0] + "\n"));

  // A step's own advice replaces the general one.
  const FailureReport told = MakeFailureReport("見出し", failures, "⑤を先に実行してください。");
  EXPECT_EQ(told.summary, "見出し\n失敗 37 件（5 項目）。\n⑤を先に実行してください。");
}

}  // namespace
}  // namespace radadovur::common
