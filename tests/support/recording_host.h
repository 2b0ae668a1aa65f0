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
    ProgressSlot bar{};  // for "begin", "progress" and "end"
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
  void BeginProgress(ProgressSlot bar, int64_t total) override {
    events.push_back({"begin", {}, std::to_string(total), bar});
  }
  void SetProgress(ProgressSlot bar, int64_t value) override {
    events.push_back({"progress", {}, std::to_string(value), bar});
  }
  void EndProgress(ProgressSlot bar) override { events.push_back({"end", {}, "", bar}); }
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
  // The values one bar was set to, in order.
  std::vector<int64_t> ProgressOf(ProgressSlot bar) const {
    std::vector<int64_t> out;
    for (const auto& e : events)
      if (e.kind == "progress" && e.bar == bar) out.push_back(std::stoll(e.text));
    return out;
  }
  // The total one bar was last begun with; -1 when it never was.
  int64_t TotalOf(ProgressSlot bar) const {
    int64_t total = -1;
    for (const auto& e : events)
      if (e.kind == "begin" && e.bar == bar) total = std::stoll(e.text);
    return total;
  }
  int Yields() const { return static_cast<int>(Of("yield").size()); }

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
