// The command line's step host: on a terminal a step's progress shows at most once a second when
// no text comes; into a file the output is only the step's texts.
#include "cli/console_host.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace radadovur
