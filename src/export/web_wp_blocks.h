#pragma once
#include <string>

#include "common/day_files.h"
#include "common/status.h"
#include "export/web_race_texts.h"
#include "results/results_window_state.h"

// The block-editor mark-up of a course-day: "furlong_gate_wp/<Year><MonthDay>-<course word>.txt",
// one heading, ticket table and runner table per race in block comments, and "Finish" after race
// 12 when it was added to a file begun by an earlier race. No head; UTF-8 with CR LF.
namespace radadovur::exports {

inline constexpr std::string_view kWpFolder = "furlong_gate_wp/";

std::string WpDayFilePath(const std::string& app_path, const WebRace& web);

// The race's three blocks (heading, tickets, runners).
std::string WpRaceBlock(const results::ResultsWindowState& state, const WebRace& web, const WebRaceTexts& texts,
                        common::StepFailures& failures);

// One results pass's writer: the first race of a course-day in the pass begins its file (an
// earlier pass's file is replaced), every later race of it, also one that comes back after other
// days' races, is added at its end.
class WpBlocksWriter {
 public:
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

}  // namespace radadovur::exports
