#pragma once
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/failure_report.h"
#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"

namespace radadovur::cli {

// The label under which the command line prints a status slot: the control's name, prefixed by
// its window's name outside the main window; nullptr for the progress dialog's texts, which the
// command line does not show.
inline const char* PrintedLabel(common::StatusSlot slot) {
  using common::StatusSlot;
  switch (slot) {
    case common::StatusSlot::kMainText1: return "Text1";
    case common::StatusSlot::kMainText2: return "Text2";
    case common::StatusSlot::kMainText3: return "Text3";
    case common::StatusSlot::kMainText4: return "Text4";
    case common::StatusSlot::kMainText5: return "Text5";
    case common::StatusSlot::kMainText6: return "Text6";
    case common::StatusSlot::kMainLabel1: return "Label1";
    case common::StatusSlot::kKouzoutaiText1: return "KOUZOUTAIAZ.Text1";
    case common::StatusSlot::kChusiText1: return "CHUSIRIALTIME.Text1";
    case common::StatusSlot::kDownloadLabel1: return nullptr;
    case common::StatusSlot::kOddsText1: return "VLTFOTHISWEEKNAZ.Text1";
    case common::StatusSlot::kRealtimeText1: return "VLTP2RIALTIME.Text1";
    case common::StatusSlot::kPredictText1: return "VELTRANEXPDTHISWEEKNAZ.Text1";
    case common::StatusSlot::kPredictText3: return "VELTRANEXPDTHISWEEKNAZ.Text3";
  }
  return nullptr;
}

// The label under which a terminal shows a progress bar; nullptr for none.
inline const char* PrintedLabel(common::ProgressSlot slot) {
  switch (slot) {
    case common::ProgressSlot::kDownloadProgressBar1: return "VLTF2THISWEEKNAZ.ProgressBar1";
    case common::ProgressSlot::kPredictProgressBar1: return "VELTRANEXPDTHISWEEKNAZ.ProgressBar1";
    case common::ProgressSlot::kPredictProgressBar3: return "VELTRANEXPDTHISWEEKNAZ.ProgressBar3";
    case common::ProgressSlot::kPredictProgressBar4: return "VELTRANEXPDTHISWEEKNAZ.ProgressBar4";
  }
  return nullptr;
}

// A message in the command line's words: a step to run first that is a button of the odds
// windows is named as the sub-command that stands for it here.
inline std::string CommandLineWording(std::string text) {
  static constexpr std::pair<std::string_view, std::string_view> kCommands[] = {
      {"先にⅠ　速報情報(一括）の「Ⅱ　速報オッズ情報」を", "先に radadovur-cli realtime-odds を"},
      {"先に今週オッズ取得を", "先に radadovur-cli odds を"},
  };
  for (const auto& [button, command] : kCommands)
    for (size_t at = text.find(button); at != std::string::npos; at = text.find(button, at + command.size()))
      text.replace(at, button.size(), command);
  return text;
}

// The command line's stand-in for a window: status texts and messages go to standard output;
// nothing cancels, and a question is answered No. On a terminal a long stretch without a text
// shows the step's progress as the window's bars do, one line at most every second (kPace):
// the bar's value, a text held back (HoldText), or, where the window only repaints (a yield),
// that the step is still working. Into a file or a pipe no progress is printed, so that the
// output stays the same from run to run.
class ConsoleHost : public common::StepHost {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kPace = std::chrono::seconds(1);

  explicit ConsoleHost(bool terminal = ::isatty(STDOUT_FILENO) == 1) : terminal_(terminal) {}

  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    const char* label = PrintedLabel(slot);
    if (!label) return;
    Print("[" + std::string(label) + "] " + text);
  }
  void SetBackColour(common::StatusSlot, uint32_t) override {}
  void Message(const std::string& text) override {
    Print("メッセージ: " + CommandLineWording(text));
    said_ += text + "\n";
  }
  // The summary as a message, then the whole list, indented.
  void FailureMessage(const common::FailureReport& report) override {
    std::string text = "メッセージ: " + report.summary;
    for (const std::string& line : report.lines) text += "\n  " + line;
    Print(text);
    said_ += report.Text() + "\n";
  }
  // Whether a message has told this text already.
  bool Said(const std::string& text) const { return said_.find(text) != std::string::npos; }
  bool Ask(const std::string& text) override {
    Print("確認: " + text + "（いいえ）");
    return false;
  }
  void BeginProgress(common::ProgressSlot slot, int64_t total) override {
    bar_ = slot;
    bar_total_ = total > 0 ? total : 0;
    bar_value_ = -1;
    bar_shown_ = -1;
  }
  void SetProgress(common::ProgressSlot slot, int64_t value) override {
    if (!bar_ || *bar_ != slot) BeginProgress(slot, 100);
    bar_value_ = value;
    ShowProgressWhenDue();
  }
  void EndProgress(common::ProgressSlot slot) override {
    if (bar_ && *bar_ == slot) bar_.reset();
  }
  bool CancelRequested() override { return false; }
  void Yield() override {
    ShowProgressWhenDue();
    if (!terminal_ || !last_line_ || Now() - *last_line_ < kPace) return;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Now() - *started_).count();
    PrintNow("処理中です(開始から " + std::to_string(seconds) + " 秒)");
  }

 protected:
  // The time the pace is measured by (a test's own clock).
  virtual Clock::time_point Now() const { return Clock::now(); }

  // Prints `line` (and the held text before it); every printed line restarts the pace.
  void Print(const std::string& line) {
    FlushHeld();
    PrintNow(line);
  }

  // A text that the window would overwrite many times a second (a counter): kept, and printed
  // before the next line, or on a terminal once a second has passed without a line.
  void HoldText(std::string line) {
    held_ = std::move(line);
    holding_ = true;
    ShowProgressWhenDue();
  }
  void FlushHeld() {
    if (!holding_) return;
    holding_ = false;
    PrintNow(held_);
    held_.clear();
  }

 private:
  void PrintNow(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    last_line_ = Now();
    if (!started_) started_ = last_line_;
  }

  void ShowProgressWhenDue() {
    if (!terminal_) return;
    const bool bar_moved = bar_ && bar_value_ >= 0 && bar_value_ != bar_shown_;
    if (!holding_ && !bar_moved) return;
    if (!last_line_) started_ = last_line_ = Now();  // the pace starts with the step
    if (Now() - *last_line_ < kPace) return;
    if (holding_) {
      FlushHeld();
      return;
    }
    const char* label = PrintedLabel(*bar_);
    if (!label) return;
    bar_shown_ = bar_value_;
    PrintNow("[" + std::string(label) + "] " + std::to_string(bar_value_) + " / " + std::to_string(bar_total_));
  }

  bool terminal_;
  std::optional<Clock::time_point> started_;
  std::optional<Clock::time_point> last_line_;
  std::optional<common::ProgressSlot> bar_;
  int64_t bar_total_ = 0;
  int64_t bar_value_ = -1;
  int64_t bar_shown_ = -1;
  // A plain string and a flag: GCC 12 warns (wrongly) about an optional string here.
  std::string held_;
  bool holding_ = false;
  // What the messages said, so that no failure is printed twice.
  std::string said_;
};

// The host of `predict`: while the builder reads the horse records it writes a counter text into
// Text3 for each one; the command line holds such a text back (see HoldText).
class PredictConsoleHost : public ConsoleHost {
 public:
  using ConsoleHost::ConsoleHost;
  ~PredictConsoleHost() override { FlushHeld(); }
  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    if (slot == common::StatusSlot::kPredictText3 && !text.empty() && text[0] >= '0' && text[0] <= '9') {
      HoldText("[" + std::string(PrintedLabel(slot)) + "] " + text);
      return;
    }
    ConsoleHost::SetStatus(slot, text);
  }
};

// Prints to standard error what the step's failures come to, once: when its messages have told
// them (the list or a refusal), one summary line that agrees with that list (its first line, the
// true counts), or nothing for a single failure that the message told whole; otherwise the list
// itself, grouped as a window lists it. Returns the exit code (0 when there are none).
inline int ReportFailures(const common::StepFailures& failures, const ConsoleHost* host = nullptr) {
  if (failures.empty()) return 0;
  std::vector<std::string> untold;
  for (const common::FailureGroup& group : common::GroupFailures(failures))
    if (!host || (!failures.refused && !host->Said(failures.items[group.first].ToString()))) untold.push_back(group.line);
  const auto failed = std::count_if(failures.items.begin(), failures.items.end(),
                                    [](const common::Status& s) { return !s.IsSkipped(); });
  if (untold.empty() && failed > 1) std::fprintf(stderr, "失敗: %s\n", common::FailureSummaryLine(failures).c_str());
  for (const std::string& line : untold) std::fprintf(stderr, "失敗: %s\n", line.c_str());
  return 1;
}

}  // namespace radadovur::cli
