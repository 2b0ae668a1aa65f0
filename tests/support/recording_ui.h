#pragma once
#include <string>
#include <utility>
#include <vector>

#include "common/step_ui.h"

namespace radadovur::testing {

// A StepUi that records what a step showed, in order.
class RecordingUi : public StepUi {
 public:
  struct Event {
    std::string kind;  // "text", "colour", "message", "yield"
    std::string control;
    std::string text;
  };
  void SetText(std::string_view control, const std::string& text) override {
    events.push_back({"text", std::string(control), text});
  }
  void SetBackColour(std::string_view control, uint32_t bgr) override {
    events.push_back({"colour", std::string(control), std::to_string(bgr)});
  }
  void Message(const std::string& text) override { events.push_back({"message", "", text}); }
  void Yield() override { events.push_back({"yield", "", ""}); }

  std::vector<std::string> Messages() const { return Of("message", ""); }
  std::vector<std::string> TextsOf(const std::string& control) const { return Of("text", control); }
  std::string LastText(const std::string& control) const {
    auto all = TextsOf(control);
    return all.empty() ? std::string() : all.back();
  }

  std::vector<Event> events;

 private:
  std::vector<std::string> Of(const std::string& kind, const std::string& control) const {
    std::vector<std::string> out;
    for (const auto& e : events)
      if (e.kind == kind && (control.empty() || e.control == control)) out.push_back(e.text);
    return out;
  }
};

}  // namespace radadovur::testing
