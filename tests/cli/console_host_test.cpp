// The command line's step host: on a terminal a step's progress shows at most once a second when
// no text comes; into a file the output is only the step's texts.
#include "cli/console_host.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace radadovur {
namespace {

using common::ProgressSlot;
using common::StatusSlot;
using namespace std::chrono_literals;

class ClockedHost : public cli::PredictConsoleHost {
 public:
  using PredictConsoleHost::PredictConsoleHost;
  void Advance(Clock::duration by) { now_ += by; }

 protected:
  Clock::time_point Now() const override { return now_; }

 private:
  Clock::time_point now_{};
};

// What `predict` shows on a large week: a start text, a counter text per horse, the bar; then a
// stretch where the step only yields, as the results pass does before its first race.
std::string PredictOutput(bool terminal) {
  ::testing::internal::CaptureStdout();
  {
    ClockedHost host(terminal);
    host.SetStatus(StatusSlot::kPredictText3, "計算を開始しました。");
    host.BeginProgress(ProgressSlot::kPredictProgressBar3, 100);
    for (int horse = 1; horse <= 30; ++horse) {
      host.Advance(100ms);
      host.SetStatus(StatusSlot::kPredictText3, std::to_string(horse) + " 馬");
      host.Yield();
    }
    // The calculation: the bar moves, no text.
    for (int value = 1; value <= 30; ++value) {
      host.Advance(100ms);
      host.SetProgress(ProgressSlot::kPredictProgressBar3, value);
      host.Yield();
    }
    host.EndProgress(ProgressSlot::kPredictProgressBar3);
    host.Advance(2s);
    host.Yield();
    host.SetStatus(StatusSlot::kPredictText3, "計算終了");
  }
  return ::testing::internal::GetCapturedStdout();
}

TEST(ConsoleHost, ATerminalSeesProgressOnceASecondAFileOnlyTheTexts) {
  EXPECT_EQ(PredictOutput(false),
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 計算を開始しました。\n"
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 30 馬\n"
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 計算終了\n");
  EXPECT_EQ(PredictOutput(true),
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 計算を開始しました。\n"
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 10 馬\n"
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 20 馬\n"
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 30 馬\n"
            "[VELTRANEXPDTHISWEEKNAZ.ProgressBar3] 10 / 100\n"
            "[VELTRANEXPDTHISWEEKNAZ.ProgressBar3] 20 / 100\n"
            "[VELTRANEXPDTHISWEEKNAZ.ProgressBar3] 30 / 100\n"
            "処理中です(開始から 8 秒)\n"
            "[VELTRANEXPDTHISWEEKNAZ.Text3] 計算終了\n");
}


// What standard error says at the end of a step with failures: once, and in agreement with the
// list the message showed (its first line, the true counts). A refusal's missing files are not
// listed again; failures that no message told are listed there in full.
TEST(ConsoleHost, TheFailureSummaryAgreesWithTheListAndIsPrintedOnce) {
  common::StepFailures grouped;
  for (int race = 1; race <= 71; ++race) {
    const std::string key = "2024080301" + std::string(race < 10 ? "0" : "") + std::to_string(race);
    const common::Status s = common::Status::FromErrno("に書き込めません", "/w/KAIME/" + key + ".txt", ENOTDIR);
    grouped.Add(s.WithDetail("レース" + key + ": " + s.ToString()));
  }
  grouped.Add(common::Status::NotFound("/w/RACE/a.dat", "/w/RACE/a.dat がありません"));
  grouped.Add(common::Status::Skipped("TEKICHU", "TEKICHU は元のままです"));
  common::StepFailures refused;
  refused.Add(common::Status::NotFound("/w/RATHISWEEKN.dat", "/w/RATHISWEEKN.dat がありません"));
  refused.Add(common::Status::NotFound("/w/SETHISWEEKN.dat", "/w/SETHISWEEKN.dat がありません"));
  refused.refused = true;

  struct Case {
    const common::StepFailures* failures;
    bool message;  // the step showed its failure message (or its refusal)
    std::string stderr_text;
  } cases[] = {
      {&grouped, true,
       "失敗: レース202408030101: /w/KAIME/202408030101.txt に書き込めません（途中にフォルダでないものがあります）"
       "（同じ原因で計 71 件）（ほかに 1 項目、失敗は計 72 件、そのため行わなかった処理 1 件）\n"},
      {&refused, true, "失敗: /w/RATHISWEEKN.dat がありません（ほかに 1 項目、失敗は計 2 件）\n"},
      {&grouped, false,
       "失敗: レース202408030101: /w/KAIME/202408030101.txt に書き込めません（途中にフォルダでないものがあります）"
       "（同じ原因で計 71 件）\n失敗: /w/RACE/a.dat がありません\n失敗: 前の失敗のため行わなかった処理: TEKICHU は元のままです\n"},
  };
  for (const Case& c : cases) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    cli::ConsoleHost host(false);
    if (c.message && c.failures->refused) host.Message("先に①今週開催取得を実行して下さい。\nRATHISWEEKN.dat、SETHISWEEKN.dat");
    if (c.message && !c.failures->refused) host.FailureMessage(common::MakeFailureReport("見出し", *c.failures));
    EXPECT_EQ(cli::ReportFailures(*c.failures, &host), 1);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.stderr_text) << out;
  }
}

// On the command line a step to run first that is a button of the odds windows is named as the
// command that stands for it.
TEST(ConsoleHost, NamesTheCommandForAnOddsWindowButton) {
  ::testing::internal::CaptureStdout();
  cli::ConsoleHost host(false);
  host.Message("速報オッズのファイルがありません。先にⅠ　速報情報(一括）の「Ⅱ　速報オッズ情報」を実行して下さい。");
  host.Message("今週のオッズファイルがありません。先に今週オッズ取得を実行して下さい。");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "メッセージ: 速報オッズのファイルがありません。先に radadovur-cli realtime-odds を実行して下さい。\n"
            "メッセージ: 今週のオッズファイルがありません。先に radadovur-cli odds を実行して下さい。\n");
}

}  // namespace
}  // namespace radadovur
