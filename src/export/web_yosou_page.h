#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "export/web_race_texts.h"
#include "results/results_window_state.h"

// The race prediction page: one HTML page per race under "furlong_gate_yosou/", named
// <Year><MonthDay>_<course word>_r<race number>.txt, with the race's date, race links,
// recommended tickets and runner table. UTF-8, as its head declares, with CR LF line ends; the
// same before and after the results are final.
namespace radadovur::exports {

inline constexpr std::string_view kYosouFolder = "furlong_gate_yosou/";

// The page's path for the race.
std::string YosouPagePath(const std::string& app_path, const WebRace& web, const WebRaceTexts& texts);

// The same path for the race with key `race_key` (date, racecourse, race number); empty when the
// key or the racecourse's course word names no file.
std::string YosouPagePathOfRace(const std::string& app_path, std::string_view race_key,
                                const results::CodeTable& table);

// The whole page of the race.
std::string YosouPage(const results::ResultsWindowState& state, const WebRace& web, const WebRaceTexts& texts,
                      common::StepFailures& failures);

// Composes the race's texts and writes its page, unless the race is the one whose page was
// written last (LastKeyYosouPage). A race without runners writes nothing. The page is replaced
// whole or not at all.
void WriteYosouPage(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

}  // namespace radadovur::exports
