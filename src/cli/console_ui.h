#pragma once
#include <cstdio>
#include <string>

#include "common/step_ui.h"

namespace radadovur::cli {

// The command line's stand-in for a window: status texts and messages go to standard output.
class ConsoleUi : public StepUi {
 public:
  void SetText(std::string_view control, const std::string& text) override {
    std::printf("[%.*s] %s\n", static_cast<int>(control.size()), control.data(), text.c_str());
    std::fflush(stdout);
  }
  void SetBackColour(std::string_view, uint32_t) override {}
  void Message(const std::string& text) override {
    std::printf("message: %s\n", text.c_str());
    std::fflush(stdout);
  }
  void Yield() override {}
};

// Prints the failures of a step to standard error; returns the exit code (0 when none).
inline int ReportFailures(const StepFailures& failures) {
  for (const auto& f : failures.items) std::fprintf(stderr, "failed: %s\n", f.c_str());
  return failures.empty() ? 0 : 1;
}

}  // namespace radadovur::cli
