#include "export/web_race_texts.h"

#include <chrono>

#include "common/cp932.h"
#include "common/data_name.h"
#include "documents/formatters.h"
#include "results/code_table.h"

namespace radadovur::exports {

namespace {

constexpr int kMaxHorse = 18;  // PredRank has entries 0..18

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

std::string Utf8Of(std::string_view cp932, common::StepFailures& failures) {
  if (std::optional<std::string> utf8 = common::DecodeCp932(cp932)) return *utf8;
  failures.Add(common::Status::InvalidArgument("ウェブページの文字", "\"" + common::Shown(cp932) + "\" はシフトJISの文字ではありません"));
  return common::DecodeCp932Lossy(cp932);
}

}  // namespace

std::string HtmlEscaped(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

std::string CourseWordOf(const results::CodeTable& table, std::string_view venue, common::StepFailures& failures) {
  return Lower(Utf8Of(results::LookupCodeTable(table, results::kCodeVenue, venue, 6), failures));
}

std::string_view At(const std::vector<std::string>& texts, int i) {
  return i >= 0 && static_cast<size_t>(i) < texts.size() ? std::string_view(texts[static_cast<size_t>(i)])
                                                          : std::string_view();
}

std::string_view At(const results::FixedRunnerTexts& texts, int i) {
  return i >= 0 && static_cast<size_t>(i) < texts.size() ? std::string_view(texts[static_cast<size_t>(i)])
                                                          : std::string_view();
}

std::string HtmlText(std::string_view cp932, common::StepFailures& failures) {
  return HtmlEscaped(Utf8Of(cp932, failures));
}

std::optional<WebRace> WebRaceAtHand(const results::ResultsWindowState& state, common::StepFailures& failures) {
  if (state.RunnerCount <= 0) return std::nullopt;
  WebRace web;
  web.race = documents::RaceOf(state.CurrentRunnerRecord);
  if (!documents::IsListedRace(state, web.race)) return std::nullopt;  // another race's pages are not this one's
  if (common::Status named = common::CheckDataName(common::DataName::kRaceId, web.race.race_id.substr(0, 16));
      !named.ok()) {
    failures.Add(common::Status::InvalidArgument("ウェブページ", "ウェブページ: " + named.ToString()));
    return std::nullopt;
  }
  web.race.race_id = web.race.race_id.substr(0, 16);
  if (state.RaceIndex < 1 || static_cast<size_t>(state.RaceIndex) >= state.RaceTable.size()) {
    failures.Add(common::Status::InvalidArgument(
        "ウェブページ", "レース" + std::string(web.race.race_id) + ": レース表に " + std::to_string(state.RaceIndex) +
                         " 行目がありません"));
    return std::nullopt;
  }
  web.row = &state.RaceTable[static_cast<size_t>(state.RaceIndex)];
  const std::string_view venue = web.race.VenueCode();
  web.course_name = HtmlText(results::LookupCodeTable(state.CodeTable, results::kCodeVenue, venue, 4), failures);
  web.course_word = CourseWordOf(state.CodeTable, venue, failures);
  // The word names the race's page files.
  if (common::Status named = common::CheckDataName(common::DataName::kCourseWord, web.course_word); !named.ok()) {
    failures.Add(common::Status::InvalidArgument(
        "ウェブページ", "レース" + std::string(web.race.race_id) + ": ウェブページ: " + named.ToString()));
    return std::nullopt;
  }
  web.runners = state.RunnerCount;
  if (web.runners > kMaxHorse) {
    failures.Add(common::Status::InvalidArgument(
        "ウェブページ", "レース" + std::string(web.race.race_id) + ": 出走頭数 " + std::to_string(web.runners) +
                         " 頭のうち、馬番 19 以上は載せません"));
    web.runners = kMaxHorse;
  }
  return web;
}

std::optional<std::string_view> WeekdayKanji(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  const year_month_day date{std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)};
  if (!date.ok()) return std::nullopt;
  static constexpr std::array<std::string_view, 7> kKanji = {"日", "月", "火", "水", "木", "金", "土"};
  return kKanji[weekday(sys_days(date)).c_encoding()];
}

std::string WithoutLeadingZero(std::string_view text) {
  return std::string(text.size() == 2 && text[0] == '0' ? text.substr(1) : text);
}

std::string WithoutLeadingBlank(std::string_view text) {
  return std::string(text.size() == 2 && text[0] == ' ' ? text.substr(1) : text);
}

std::string FrameText(std::string_view waku_text) {
  return std::string(waku_text.size() >= 2 && waku_text[1] == ' ' ? waku_text.substr(0, 1) : waku_text.substr(0, 2));
}

std::optional<FrameColour> FrameColourClass(std::string_view frame) {
  static constexpr std::array<FrameColour, 8> kFrames = {{{"bgwhite", false},
                                                          {"bgblack2", true},
                                                          {"bgred", true},
                                                          {"bgblue", true},
                                                          {"bgyellow", false},
                                                          {"bggreen", true},
                                                          {"bgorange", false},
                                                          {"bgpink", false}}};
  long long number = 0;
  if (!documents::ReadWhole(frame, number) || number < 1 || number > 8) return std::nullopt;
  return kFrames[static_cast<size_t>(number - 1)];
}

WebRaceTexts ComposeWebRaceTexts(const results::ResultsWindowState& state, const WebRace& web,
                                 common::StepFailures& failures) {
  WebRaceTexts texts;
  const documents::RaceOfRecord& race = web.race;
  const std::string id(race.race_id);
  texts.WebRaceNoText = WithoutLeadingZero(race.RaceNum());
  texts.WebNichijiText = WithoutLeadingZero(race.Nichiji());

  long long race_num = 0;
  documents::ReadWhole(race.RaceNum(), race_num);
  for (int k = 1; k <= 12; ++k) texts.WebRaceLinkClass[k - 1] = race_num == k ? "bgnabygreen" : "bgnabyblue";

  texts.WebMonthText = WithoutLeadingZero(race.MonthDay().substr(0, 2));
  texts.WebDayText = WithoutLeadingZero(race.MonthDay().substr(2, 2));
  if (std::optional<std::string_view> kanji =
          WeekdayKanji(std::stoi(std::string(race.Year())), static_cast<unsigned>(std::stoi(texts.WebMonthText)),
                       static_cast<unsigned>(std::stoi(texts.WebDayText)))) {
    texts.WebWeekdayText = *kanji;
  } else {
    failures.Add(common::Status::InvalidArgument("ウェブページ", "レース" + id + ": 日付が読めません"));
  }

  for (int k = 1; k <= 6 && k <= state.PairCount; ++k) {
    const std::string_view pair = At(state.UmatanKaime, k);
    if (pair.size() != 4 || !AllDigits(pair)) {
      failures.Add(common::Status::InvalidArgument(
          "ウェブページ", "レース" + id + ": 馬単の買い目 " + std::to_string(k) + " \"" + common::Shown(pair) +
                           "\" は2頭の馬番ではありません"));
      continue;
    }
    texts.WebPairNums.push_back({WithoutLeadingZero(pair.substr(0, 2)), WithoutLeadingZero(pair.substr(2, 2))});
  }

  for (int k = 1; k <= 7 && k <= state.TripleCount; ++k) {
    const std::string& trio = state.SanrenpukuTop7[static_cast<size_t>(k - 1)];
    std::string formatted;
    if (common::Status status = documents::FormatTrio(trio, &formatted); !status.ok()) {
      failures.Add(common::Status::InvalidArgument(
          "ウェブページ", "レース" + id + ": 3連複の買い目 " + std::to_string(k) + ": " + status.ToString()));
      continue;
    }
    auto part = [&formatted](size_t at) {
      return WithoutLeadingBlank(at < formatted.size() ? std::string_view(formatted).substr(at, 2) : "");
    };
    texts.WebTrioNums.push_back({part(0), part(3), part(6)});
  }
  return texts;
}

}  // namespace radadovur::exports
