#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "results/results_window_state.h"
#include "results_fixture.h"

// A program folder with the ticket and bet-list folders, and a race whose runner figures are
// filled by hand (as the runner-figures stage leaves them).
namespace radadovur::testing {

class TicketsFolder : public ResultsFolder {
 protected:
  void SetUp() override {
    ResultsFolder::SetUp();
    for (const char* folder : {"UMAREN", "WIDE", "UMATAN", "SANRENPUKU", "SANRENTAN", "TEKICHU"})
      std::filesystem::create_directory(app_ + folder);
    Put("JRACODE/CodeTable.csv", SmallCodeTable());
    ASSERT_TRUE(results::LoadCodeTable(app_, state_.CodeTable).ok());
  }

  // Race `key` as listed race 1, its runners' predicted speeds `speeds` (horse 1 first) with
  // `adjust` as their adjustments (0 when not given).
  void SetRace(const std::string& key, const std::vector<float>& speeds, const std::vector<float>& adjust = {}) {
    state_.RaceKeyList = {"", key};
    state_.RaceIndex = 1;
    state_.RaceCount = 1;
    state_.RunnerCount = static_cast<int32_t>(speeds.size());
    state_.CombinedSpeed.assign(speeds.size() + 1, 0);
    state_.SpeedAdjustCopy.assign(speeds.size() + 1, 0);
    state_.PredSpeed.assign(speeds.size() + 1, 0);
    for (size_t i = 0; i < speeds.size(); ++i) {
      state_.CombinedSpeed[i + 1] = speeds[i];
      state_.SpeedAdjustCopy[i + 1] = i < adjust.size() ? adjust[i] : 0.0f;
      state_.PredSpeed[i + 1] = speeds[i] + state_.SpeedAdjustCopy[i + 1];
    }
  }

  // Lines of a file (without their CR LF); a missing file gives {"<missing>"}.
  std::vector<std::string> Lines(const std::string& name) const {
    auto bytes = common::ReadWholeFile(app_ + name);
    if (!bytes) return {"<missing>"};
    return common::SplitLines(common::DecodeCp932Lossy(*bytes));
  }
  // A file's bytes, or "<missing>".
  std::string Bytes(const std::string& name) const {
    auto bytes = common::ReadWholeFile(app_ + name);
    return bytes ? *bytes : "<missing>";
  }

  results::ResultsWindowState state_;
};

}  // namespace radadovur::testing
