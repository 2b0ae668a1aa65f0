#include "common/failure_report.h"

#include <gtest/gtest.h>

#include <cerrno>

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
  for (const char* written : {"予想結果文書", "フォーメーション文書", "予想ページ"})
    failures.Add(Status::InvalidArgument(written, std::string(written) + " レース202408030105: レースIDが16桁ではありません"));

  const FailureReport report = MakeFailureReport("予想･結果で次の処理ができませんでした。", failures);
  ASSERT_EQ(report.lines.size(), 5u);
  EXPECT_EQ(report.lines[0], "RACE/202408030101.dat を書けません（同じファイルで計 31 件）");
  EXPECT_EQ(report.lines[1], "/w/KAIME/202408030102.dat");
  EXPECT_EQ(report.lines[2], "レース 1: レース番号が読めません");
  EXPECT_EQ(report.lines[3], "レース 2: レース番号が読めません");
  EXPECT_EQ(report.lines[4], "予想結果文書 レース202408030105: レースIDが16桁ではありません（同じレースで計 3 件）");
  EXPECT_TRUE(report.summary.starts_with("予想･結果で次の処理ができませんでした。\n失敗 37 件（5 項目）。\n"));
  // The advice of the first failure (a file that cannot be written), not of the later kinds.
  EXPECT_NE(report.summary.find("ディスクの空き"), std::string::npos) << report.summary;
  EXPECT_EQ(report.summary.find("前の手順"), std::string::npos) << report.summary;
  EXPECT_EQ(report.summary.find("読めない値"), std::string::npos) << report.summary;
  EXPECT_TRUE(report.Text().starts_with(report.summary + "\n\n" + report.lines[0] + "\n"));

  // A step's own advice replaces the general one.
  const FailureReport told = MakeFailureReport("見出し", failures, "⑤を先に実行してください。");
  EXPECT_EQ(told.summary, "見出し\n失敗 37 件（5 項目）。\n⑤を先に実行してください。");
}

// A cut record stops the passes after it: the summary names the damaged data, the passes left
// undone are listed as such and not counted as failures.
TEST(FailureReportTest, FollowsTheFirstRealCauseAndListsSkippedPassesApart) {
  StepFailures failures;
  failures.Add(Status::Corruption("/w/SETHISWEEKN.dat", "/w/SETHISWEEKN.dat のレコード 2 が途中で切れています"));
  failures.Add(Status::Skipped("SETHISWEEKNNEW.dat", "SETHISWEEKNNEW.dat は元のままです"));
  failures.Add(Status::Skipped("UMAGOTOTHISWEEKN/*.dat", "UMAGOTOTHISWEEKN/*.dat は元のままです"));

  const FailureReport report = MakeFailureReport("構造体処理で次の処理ができませんでした。", failures);
  EXPECT_EQ(report.summary,
            "構造体処理で次の処理ができませんでした。\n失敗 1 件。そのため行わなかった処理 2 件。\n"
            "壊れたデータがあります。①今週開催取得からやり直してください。");
  ASSERT_EQ(report.lines.size(), 3u);
  EXPECT_EQ(report.lines[0], "/w/SETHISWEEKN.dat のレコード 2 が途中で切れています");
  EXPECT_EQ(report.lines[1], "前の失敗のため行わなかった処理: SETHISWEEKNNEW.dat は元のままです");

  // Skipped items listed before their cause still come after it.
  StepFailures reversed;
  reversed.Add(failures.items[1]);
  reversed.Add(failures.items[0]);
  EXPECT_EQ(GroupedFailureLines(reversed).front(), failures.items[0].ToString());
}

// One cause across many races is one line with its count: the same system error on the same
// folder (a folder replaced by a file), the same missing file.
TEST(FailureReportTest, GroupsOneCauseAcrossRaces) {
  StepFailures failures;
  for (int race = 1; race <= 71; ++race) {
    const std::string key = "2024080301" + std::string(race < 10 ? "0" : "") + std::to_string(race);
    const Status written = Status::FromErrno("を作れません", "/w/KAIME/" + key + ".txt", ENOTDIR);
    failures.Add(written.WithDetail("買い目ファイルの準備 レース" + key + ": " + written.ToString()));
    const Status missing = Status::NotFound("/w/OPTION1N/STALLION.dat", "/w/OPTION1N/STALLION.dat がありません");
    failures.Add(missing.WithDetail("出走馬 レース" + key + ": " + missing.ToString()));
  }
  failures.Add(Status::FromErrno("を作れません", "/w/TEKICHU/a.txt", ENOTDIR));  // another folder

  const FailureReport report = MakeFailureReport("見出し", failures);
  ASSERT_EQ(report.lines.size(), 3u) << report.Details();
  EXPECT_EQ(report.lines[0],
            "買い目ファイルの準備 レース202408030101: /w/KAIME/202408030101.txt を作れません"
            "（途中にフォルダでないものがあります）（同じ原因で計 71 件）");
  EXPECT_EQ(report.lines[1], "出走馬 レース202408030101: /w/OPTION1N/STALLION.dat がありません（同じ原因で計 71 件）");
  EXPECT_EQ(report.lines[2], "/w/TEKICHU/a.txt を作れません（途中にフォルダでないものがあります）");
  EXPECT_NE(report.summary.find("失敗 143 件（3 項目）"), std::string::npos) << report.summary;
}


// A missing file is a cause of its own: two different missing files in one folder are two lines,
// however they were found missing.
TEST(FailureReportTest, TwoMissingFilesInOneFolderAreNotOneCause) {
  StepFailures failures;
  failures.Add(Status::NotFound("/w/OPTION1N/STALLION.dat", "/w/OPTION1N/STALLION.dat がありません"));
  failures.Add(Status::FromErrno("を読めません", "/w/OPTION1N/KYOSOBA.dat", ENOENT));
  failures.Add(Status::NotFound("/w/OPTION1N/STALLION.dat", "/w/OPTION1N/STALLION.dat がありません"));
  // So is a file whose place holds something else.
  failures.Add(Status::FromErrno("を読めません", "/w/OPTION1N/HNSK.dat", ENXIO));
  failures.Add(Status::FromErrno("を読めません", "/w/OPTION1N/KISHU.dat", EISDIR));
  EXPECT_EQ(GroupedFailureLines(failures),
            (std::vector<std::string>{"/w/OPTION1N/STALLION.dat がありません（同じ原因で計 2 件）",
                                      "/w/OPTION1N/KYOSOBA.dat を読めません（ありません）",
                                      "/w/OPTION1N/HNSK.dat を読めません（通常のファイルではありません）",
                                      "/w/OPTION1N/KISHU.dat を読めません（フォルダです）"}));
}

// The advice follows what the system said: a file where a folder belongs is not a matter of disk
// space or permissions.
TEST(FailureReportTest, TheAdviceFitsTheSystemError) {
  struct Case {
    int error;
    std::string advice;
  } cases[] = {
      {ENOTDIR, "フォルダのあるべき所に、フォルダでないもの（ファイル）があります。それを移すか消して"},
      {EISDIR, "ファイルのあるべき所にフォルダがあります。"},
      {ENOSPC, "ディスクの空きが足りません。"},
      {EACCES, "権限を確かめて"},
      {EROFS, "権限を確かめて"},
      {ENOENT, "前の手順（①から順に）を実行して"},
  };
  for (const Case& c : cases) {
    StepFailures failures;
    failures.Add(Status::FromErrno("に書き込めません", "/w/KAIME/202408030101.txt", c.error));
    const std::string summary = MakeFailureReport("見出し", failures).summary;
    EXPECT_NE(summary.find(c.advice), std::string::npos) << c.error << "\n" << summary;
    if (c.error != ENOSPC) {
      EXPECT_EQ(summary.find("ディスクの空き"), std::string::npos) << c.error << "\n" << summary;
    }
  }
}

// The one-line summary a command line prints apart from the list: the list's first line as it
// stands (with its count), then how many more lines and failures in all.
TEST(FailureReportTest, TheSummaryLineIsTheListsFirstLineWithTheTrueCounts) {
  StepFailures one_cause, several;
  for (int race = 1; race <= 71; ++race) {
    const std::string key = "2024080301" + std::string(race < 10 ? "0" : "") + std::to_string(race);
    one_cause.Add(Status::FromErrno("に書き込めません", "/w/KAIME/" + key + ".txt", ENOTDIR));
  }
  several = one_cause;
  several.Add(Status::Corruption("/w/SETHISWEEKN.dat", "/w/SETHISWEEKN.dat のレコード 2 が途中で切れています"));
  several.Add(Status::Skipped("TEKICHU", "TEKICHU は元のままです"));
  const std::string first = "/w/KAIME/202408030101.txt に書き込めません（途中にフォルダでないものがあります）（同じ原因で計 71 件）";
  EXPECT_EQ(GroupedFailureLines(one_cause).front(), first);
  EXPECT_EQ(FailureSummaryLine(one_cause), first);
  EXPECT_EQ(FailureSummaryLine(several), first + "（ほかに 1 項目、失敗は計 72 件、そのため行わなかった処理 1 件）");
  EXPECT_EQ(FailureSummaryLine(StepFailures{}), "");
}

}  // namespace
}  // namespace radadovur::common
