#pragma once
#include <cstdio>
#include <string>

#include <vector>

#include "common/app_path.h"
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

// The program folder of a workflow step's command line ("STEP DIR"): sets AppPath and returns
// it; empty (after printing the usage) when the arguments are not one folder.
inline std::string ProgramFolderArgument(const std::vector<std::string>& args, const char* step) {
  if (args.size() != 1 || args[0].empty()) {
    std::fprintf(stderr, "usage: radadovur-cli %s DIR\n", step);
    return {};
  }
  SetAppPath(args[0]);
  return GetAppPath();
}

// Prints the failures of a step to standard error; returns the exit code (0 when none).
inline int ReportFailures(const StepFailures& failures) {
  for (const auto& f : failures.items) std::fprintf(stderr, "failed: %s\n", f.c_str());
  return failures.empty() ? 0 : 1;
}

}  // namespace radadovur::cli
