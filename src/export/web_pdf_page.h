#pragma once
#include <string>

#include "common/day_files.h"
#include "common/status.h"
#include "export/web_race_texts.h"
#include "results/results_window_state.h"

// The printable meeting-day page: "furlong_gate_wp/<Year><MonthDay>_<course word>_pdf.txt", the
// page head once, a section per race (race links, race line, tickets, runners) and, after race 12
// added to a page begun by an earlier race, the page footer. UTF-8 with CR LF.
namespace radadovur::exports {

std::string PdfPagePath(const std::string& app_path, const WebRace& web);

// The page head as the race that begins the page writes it.
std::string PdfPageHead(const WebRace& web, const WebRaceTexts& texts);
// The page footer, from the end of the main column to "</html>".
std::string PdfPageFooter();

// One results pass's writer: the first race of a meeting day in the pass begins its page (an
// earlier pass's page is replaced) with the head, every later race of it, also one that comes
// back after other days' races, adds its section at the end.
class PdfPageWriter {
 public:
  void Write(const std::string& app_path, results::ResultsWindowState& state, common::StepFailures& failures);

 private:
  common::DayFiles files_;
};

}  // namespace radadovur::exports
