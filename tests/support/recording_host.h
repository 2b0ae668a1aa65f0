#pragma once
#include <string>
#include <utility>
#include <vector>

#include "common/step_host.h"

namespace radadovur::testing {

// A step host that records what a step showed, in order. Questions are answered from
// `answers` (No once they run out); CancelRequested returns `cancel`.
class RecordingHost : public common::StepHost {
 public:
  using StatusSlot = common::StatusSlot;
  using ProgressSlot = common::ProgressSlot;

  struct Event {
    std::string kind;  // "text", "colour", "message", "ask", "begin", "progress", "end", "yield"
    StatusSlot slot{};
    std::string text;  // the text, the colour or the progress value as text
  };
  void SetStatus(StatusSlot slot, const std::string& text) override { events.push_back({"text", slot, text}); }
  void SetBackColour(StatusSlot slot, uint32_t bgr) override {
    events.push_back({"colour", slot, std::to_string(bgr)});
  }
  void Message(const std::string& text) override { events.push_back({"message", {}, text}); }
  bool Ask(const std::string& text) override {
    events.push_back({"ask", {}, text});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void BeginProgress(ProgressSlot, int64_t total) override { events.push_back({"begin", {}, std::to_string(total)}); }
  void SetProgress(ProgressSlot, int64_t value) override { events.push_back({"progress", {}, std::to_string(value)}); }
  void EndProgress(ProgressSlot) override { events.push_back({"end", {}, ""}); }
  bool CancelRequested() override { return cancel; }
  void Yield() override { events.push_back({"yield", {}, ""}); }

  std::vector<std::string> Messages() const { return Of("message"); }
  std::vector<std::string> TextsOf(StatusSlot slot) const {
    std::vector<std::string> out;
    for (const auto& e : events)
      if (e.kind == "text" && e.slot == slot) out.push_back(e.text);
    return out;
  }
  std::string LastText(StatusSlot slot) const {
    auto all = TextsOf(slot);
    return all.empty() ? std::string() : all.back();
  }
  // The totals progress was begun with.
  std::vector<std::string> ProgressTotals() const { return Of("begin"); }

  std::vector<Event> events;
  std::vector<bool> answers;
  bool cancel = false;

 private:
  std::vector<std::string> Of(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& e : events)
      if (e.kind == kind) out.push_back(e.text);
    return out;
  }
};

}  // namespace radadovur::testing
