#pragma once
#include <cstdio>
#include <optional>
#include <string>
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

// The command line's stand-in for a window: status texts and messages go to standard output;
// progress is not shown, nothing cancels, and a question is answered No. It keeps what its messages
// said, so that no failure is printed twice.
class ConsoleHost : public common::StepHost {
 public:
  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    const char* label = PrintedLabel(slot);
    if (!label) return;
    std::printf("[%s] %s\n", label, text.c_str());
    std::fflush(stdout);
  }
  void SetBackColour(common::StatusSlot, uint32_t) override {}
  void Message(const std::string& text) override {
    std::printf("メッセージ: %s\n", text.c_str());
    std::fflush(stdout);
    said_ += text + "\n";
  }
  // The summary as a message, then the whole list, indented.
  void FailureMessage(const common::FailureReport& report) override {
    std::printf("メッセージ: %s\n", report.summary.c_str());
    for (const std::string& line : report.lines) std::printf("  %s\n", line.c_str());
    std::fflush(stdout);
    said_ += report.Text() + "\n";
  }
  // Whether a message has told this text already.
  bool Said(const std::string& text) const { return said_.find(text) != std::string::npos; }
  bool Ask(const std::string& text) override {
    std::printf("確認: %s（いいえ）\n", text.c_str());
    std::fflush(stdout);
    return false;
  }
  void BeginProgress(common::ProgressSlot, int64_t) override {}
  void SetProgress(common::ProgressSlot, int64_t) override {}
  void EndProgress(common::ProgressSlot) override {}
  bool CancelRequested() override { return false; }
  void Yield() override {}

 private:
  std::string said_;
};

// The host of `predict`: while the builder reads the horse records it writes a counter text into
// Text3 for each one; the command line prints only the last of such a run of texts, when the
// next text comes.
class PredictConsoleHost : public ConsoleHost {
 public:
  ~PredictConsoleHost() override { Flush(); }
  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    if (slot == common::StatusSlot::kPredictText3 && !text.empty() && text[0] >= '0' && text[0] <= '9') {
      held_ = text;
      holding_ = true;
      return;
    }
    Flush();
    ConsoleHost::SetStatus(slot, text);
  }
  void Message(const std::string& text) override {
    Flush();
    ConsoleHost::Message(text);
  }
  void FailureMessage(const common::FailureReport& report) override {
    Flush();
    ConsoleHost::FailureMessage(report);
  }

 private:
  void Flush() {
    if (holding_) ConsoleHost::SetStatus(common::StatusSlot::kPredictText3, held_);
    held_.clear();
    holding_ = false;
  }
  // A plain string and a flag: GCC 12 warns (wrongly) about an optional string here.
  std::string held_;
  bool holding_ = false;
};

// The program folder of a workflow step's command line ("STEP DIR") as a run state; nullopt
// (after printing the usage) when the arguments are not one folder.
inline std::optional<common::RunState> ProgramFolderArgument(const std::vector<std::string>& args, const char* step) {
  if (args.size() != 1 || args[0].empty()) {
    std::fprintf(stderr, "使い方: radadovur-cli %s DIR\n", step);
    return std::nullopt;
  }
  return common::RunStateFor(args[0]);
}

// Prints to standard error the failures of a step that `host`'s messages have not told, grouped as
// a window lists them, so that each is printed once; returns the exit code (0 when none).
inline int ReportFailures(const common::StepFailures& failures, const ConsoleHost* host = nullptr) {
  if (failures.empty()) return 0;
  common::StepFailures untold;
  for (const common::Status& f : failures.items)
    if (!host || !host->Said(f.ToString())) untold.Add(f);
  for (const std::string& line : common::GroupedFailureLines(untold)) std::fprintf(stderr, "失敗: %s\n", line.c_str());
  return 1;
}

}  // namespace radadovur::cli
