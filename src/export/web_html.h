#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "export/web_race_texts.h"
#include "results/results_window_state.h"

// The pieces of HTML that the race page and the printable meeting-day page share, and the
// site's own values. Lines end with CR LF; elements are written as plain tags, attributes in a
// fixed order with double-quoted values, void elements without a closing slash.
namespace radadovur::exports {

// The publishing site: every absolute link is this address followed by its path.
inline constexpr std::string_view kSiteAddress = "https://furlong-gate.example";
inline constexpr std::string_view kSiteContact = "info@furlong-gate.example";
inline constexpr std::string_view kRightsClass = "copyright";
inline constexpr std::string_view kRightsNotice = "Copyright &copy; ハロンゲート All Rights Reserved.";

// Lines of a page: `indent` blanks, the text, CR LF.
class HtmlLines {
 public:
  HtmlLines& Line(int indent, std::string_view text);
  HtmlLines& Line(std::string_view text) { return Line(0, text); }
  HtmlLines& Blank() { return Line(0, ""); }
  const std::string& Str() const { return out_; }

 private:
  std::string out_;
};

// kSiteAddress followed by `path`.
std::string SiteLink(std::string_view path);

// "無料競馬予想｜中山｜5回中山8日｜11R".
std::string HeadingText(const WebRace& web, const WebRaceTexts& texts);

// From "<!DOCTYPE html>" to the end of the course navigation: the race page's document head,
// site header, containers, breadcrumb, main column with the date and course navigation, or the
// printable page's shorter head with the same body parts.
void WritePageTop(const WebRace& web, const WebRaceTexts& texts, bool race_page, HtmlLines& out);

// The row of the twelve race links, then an empty line.
void WriteRaceLinkRow(const WebRace& web, const WebRaceTexts& texts, HtmlLines& out);

// A race's section: the race links, the race line, the ticket table and the runner table.
void WriteRaceSection(const results::ResultsWindowState& state, const WebRace& web, const WebRaceTexts& texts,
                      HtmlLines& out, common::StepFailures& failures);

// The pairs "3-12&nbsp;・&nbsp;3-7" and trios "1-2-3&nbsp;・&nbsp;..." of the texts, joined by
// `separator`.
std::string PairTickets(const WebRaceTexts& texts, std::string_view separator);
std::string TrioTickets(const WebRaceTexts& texts, std::string_view separator);

// The cells of horse h's runner row as every web output shows them, HTML-escaped.
struct RunnerCells {
  std::string frame, horse, rank, name, sex_age, weight, jockey, trainer;
};
RunnerCells RunnerRowCells(const results::ResultsWindowState& state, int h, common::StepFailures& failures);

// True when one of horses 1..web.runners has predicted rank 1: the race has a section.
bool HasRankOne(const results::ResultsWindowState& state, const WebRace& web);

// From the end of the main column to "</html>" of the printable page; the race page writes its
// side column, advertising and statistics between these parts.
void WriteMaincolEnd(HtmlLines& out);
void WriteContainerEnd(HtmlLines& out);
void WriteFooter(bool race_page, HtmlLines& out);

}  // namespace radadovur::exports
