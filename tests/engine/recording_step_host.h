#pragma once
#include <map>
#include <string>
#include <vector>

#include "common/step_host.h"

namespace radadovur::testing {

// A StepHost that keeps what a step showed: every text per slot, every progress value per bar.
class RecordingStepHost : public common::StepHost {
 public:
  void SetStatus(common::StatusSlot slot, const std::string& utf8) override { texts[slot].push_back(utf8); }
  void SetBackColour(common::StatusSlot, uint32_t) override {}
  void Message(const std::string& utf8) override { messages.push_back(utf8); }
  bool Ask(const std::string& utf8) override {
    messages.push_back(utf8);
    return true;
  }
  void BeginProgress(common::ProgressSlot slot, int64_t total) override { totals[slot] = total; }
  void SetProgress(common::ProgressSlot slot, int64_t value) override { progress[slot].push_back(value); }
  void EndProgress(common::ProgressSlot) override {}
  bool CancelRequested() override { return false; }
  void Yield() override { ++yields; }

  int64_t Last(common::ProgressSlot slot) const {
    auto it = progress.find(slot);
    return it == progress.end() || it->second.empty() ? -1 : it->second.back();
  }

  std::map<common::StatusSlot, std::vector<std::string>> texts;
  std::map<common::ProgressSlot, std::vector<int64_t>> progress;
  std::map<common::ProgressSlot, int64_t> totals;
  std::vector<std::string> messages;
  int yields = 0;
};

}  // namespace radadovur::testing
