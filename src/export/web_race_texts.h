#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "documents/race_of_record.h"
#include "results/results_window_state.h"

// The race a web writer is writing and its short texts: date, weekday, race number, day of the
// meeting, the classes of the twelve race links and the recommended tickets. Every web writer
// composes them afresh for the race it writes, so all three outputs of a race show its own
// tickets. Texts meant for a page are UTF-8; data texts are HTML-escaped.
namespace radadovur::exports {

// The race at hand as the web writers see it: element 0 of the runner record last read for it,
// its RaceTable row and the racecourse's code-table texts.
struct WebRace {
  documents::RaceOfRecord race;         // all 16 digits of the id are digits
  const results::RaceTableRow* row = nullptr;
  std::string course_name;              // kind "2001" column 4, UTF-8, HTML-escaped
  std::string course_word;              // kind "2001" column 6, UTF-8, lower case, a course word
  int runners = 0;                      // horse numbers 1..runners, at most 18
};

// `utf8` with "&", "<", ">" and '"' as HTML entities: every data text a page shows or links.
std::string HtmlEscaped(std::string_view utf8);

// The race at hand, or nothing: a race without runners has nothing to show (its runner record
// would be an earlier race's, and its stages have said why it has none); an id that is not 16
// digits, or a race outside RaceTable, is a failure. More than 18 runners is a failure, and only
// horses 1..18 are shown.
// The course word of racecourse `venue` (code table kind "2001" column 6, UTF-8, lower case): it
// names the race's page files once it passes the name guard.
std::string CourseWordOf(const results::CodeTable& table, std::string_view venue, common::StepFailures& failures);

std::optional<WebRace> WebRaceAtHand(const results::ResultsWindowState& state, common::StepFailures& failures);

struct WebRaceTexts {
  std::string WebMonthText;    // "9", "12"
  std::string WebDayText;      // "1" .. "31"
  std::string WebWeekdayText;  // 日 月 火 水 木 金 土; empty for a date that is no date
  std::string WebRaceNoText;   // "1" .. "12"
  std::string WebNichijiText;
  std::array<std::string_view, 12> WebRaceLinkClass;  // "bgnabygreen" for the race, else "bgnabyblue"
  // The race's own tickets, best first: at most six pairs and seven trios.
  std::vector<std::array<std::string, 2>> WebPairNums;
  std::vector<std::array<std::string, 3>> WebTrioNums;
};

// The texts of the race at hand. The pairs are the first six entries of UmatanKaime, the trios
// the first seven of SanrenpukuTop7 through FormatTrio, never more than the race's PairCount and
// TripleCount: a small field shows only its own tickets. A ticket that does not read as horse
// numbers is a failure and left out; the rest is composed all the same.
WebRaceTexts ComposeWebRaceTexts(const results::ResultsWindowState& state, const WebRace& race,
                                 common::StepFailures& failures);

// Weekday kanji of a date, Sunday 日 to Saturday 土; nothing for a date that does not exist.
std::optional<std::string_view> WeekdayKanji(int year, unsigned month, unsigned day);

// A two-character number without its leading "0": "03" gives "3", "12" gives "12".
std::string WithoutLeadingZero(std::string_view text);
// A two-character text without its leading blank: " 3" gives "3", "12" gives "12".
std::string WithoutLeadingBlank(std::string_view text);

// The class of a frame cell and whether a white font tag goes before its number.
struct FrameColour {
  std::string_view css_class;
  bool white_font = false;
};
// Frames 1 to 8: bgwhite, bgblack2, bgred, bgblue, bgyellow, bggreen, bgorange, bgpink; 2, 3, 4
// and 6 with the white font. Any other frame, or a frame that is no number, has no class.
std::optional<FrameColour> FrameColourClass(std::string_view frame);

// The frame text of a WakuText: its first character when the second is a blank, else its
// first two characters.
std::string FrameText(std::string_view waku_text);

// CP932 data text as UTF-8 with & < > " escaped; invalid bytes are shown as \xNN and reported.
std::string HtmlText(std::string_view cp932, common::StepFailures& failures);

// Entry i of a per-runner array, or nothing when the array is shorter.
std::string_view At(const std::vector<std::string>& texts, int i);
std::string_view At(const results::FixedRunnerTexts& texts, int i);

}  // namespace radadovur::exports
