#include "documents/race_card.h"

#include <algorithm>
#include <cmath>

#include "common/convert.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/lup_document.h"
#include "documents/race_card_hits.h"
#include "documents/race_of_record.h"
#include "documents/ticket_listing.h"
#include "results/runner_figures.h"
#include "results/text_cut.h"

namespace radadovur::documents {
namespace {

using common::Status;
using common::TaggedLine;
using results::ResultsWindowState;

constexpr std::string_view kFolder = "SHUTSUBAHYO/";
constexpr int kMaxHorse = 18;
constexpr int kTiers = 3;
constexpr std::string_view kPairPlaceholder = "  -  ";
constexpr std::string_view kTriplePlaceholder = "  -  -  ";

// Entry i of a per-runner list; the empty text past its end.
template <typename T>
T At(const std::vector<T>& values, int i) {
  return i >= 0 && static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : T();
}

void AddRc(const ResultsWindowState& state, std::string& out, common::StepFailures& failures) {
  results::RaceTableRow row{};
  if (state.RaceIndex >= 1 && static_cast<size_t>(state.RaceIndex) < state.RaceTable.size()) {
    row = state.RaceTable[static_cast<size_t>(state.RaceIndex)];
  } else {
    failures.Add(Status::InvalidArgument("レース表", "出馬表: レース表に " +
                                                           std::to_string(state.RaceIndex) + " 行目がありません"));
  }
  TaggedLine line("RC");
  for (int column = results::kColRaceNumber; column <= results::kColWeatherGoing; ++column)
    line.Text(row[static_cast<size_t>(column)]);
  if (state.ResultsFinal == 1) line.Text("");
  out += line.Str();
}

// One tier line of tickets: positions first..first+size-1 of `list` (entry 0 unused), listed up
// to `listed`; a position past it, or without a ticket, gets the placeholder. A ticket that does
// not read as horse numbers loses the line, which is reported.
void AddTierLine(const std::string& tag, const std::vector<std::string>& list, int count, int first, int size,
                 int listed, Status (*format)(std::string_view, std::string*), std::string_view placeholder,
                 std::string& out, common::StepFailures& failures) {
  TaggedLine line(tag);
  line.Text("1");
  for (int p = first; p < first + size; ++p) {
    const bool has_ticket = p <= listed && p <= count && static_cast<size_t>(p) < list.size() &&
                            !list[static_cast<size_t>(p)].empty();
    if (!has_ticket) {
      line.Text(placeholder);
      continue;
    }
    std::string text;
    if (Status status = format(list[static_cast<size_t>(p)], &text); !status.ok()) {
      failures.Add(Status::InvalidArgument("出馬表", "出馬表 " + tag + " の " + std::to_string(p) + " 番目: " +
                                                            status.ToString()));
      return;
    }
    line.Text(text);
  }
  out += line.Str();
}

void AddHs(const ResultsWindowState& s, std::string& out, common::StepFailures& failures) {
  const bool final = s.ResultsFinal == 1;
  const int runners = std::min<int>(s.RunnerCount, kMaxHorse);
  if (s.RunnerCount > kMaxHorse)
    failures.Add(Status::InvalidArgument("出走頭数", "出馬表: 出走頭数 " + std::to_string(s.RunnerCount) +
                                                        " 頭のうち、馬番 1〜18 だけを書きました"));
  for (int i = 1; i <= runners; ++i) {
    if (results::IsGapRunner(s, i)) continue;  // no horse runs under this number
    const size_t h = static_cast<size_t>(i);
    std::string number, age;
    (void)TwoCharacterNumber(std::to_string(i), &number);
    if (!TwoCharacterNumber(At(s.AgeText, i), &age).ok()) {
      failures.Add(Status::InvalidArgument("馬齢", "出馬表: 馬番 " + std::to_string(i) + " の馬齢 \"" +
                                                      common::Shown(At(s.AgeText, i)) + "\" は数字ではありません"));
      continue;
    }
    const std::array<std::string, 5> marks = At(s.ReliabilityMarks, i);
    TaggedLine line("HS");
    line.Text(std::to_string(i)).Text(At(s.WakuText, i)).Text(number).Text(s.PredRank[h]);
    if (final) line.Text(s.ArrivalText[h]);
    line.Text(At(s.SexText, i))
        .Text(age)
        .Text(results::Cp932Left(At(s.HorseNameText, i), 9))
        .Text(At(s.FutanText, i));
    for (size_t column = 0; column < 4; ++column) line.Text(marks[column]);
    line.Text(results::Cp932Left(At(s.KishuText, i), 4)).Text(At(s.EstTimeText, i));
    if (final) line.Text(At(s.RealTimeText, i));
    line.Text(SpeedFigure(At(s.PredSpeed, i)));
    if (final) line.Text(SpeedFigure(At(s.ObservedSpeed, i)));
    out += line.Str();
  }
}

}  // namespace

std::string SpeedFigure(float kmh) {
  // A speed that is no number (a damaged expanded record) shows as no speed.
  const std::string text = " " + std::to_string(common::FlooredWhole(static_cast<double>(kmh) * 16.666).value_or(0));
  return text.size() > 4 ? text.substr(text.size() - 4) : text;
}

void SetSanrenpukuTop7(ResultsWindowState& state) {
  for (size_t k = 1; k <= state.SanrenpukuTop7.size(); ++k)
    state.SanrenpukuTop7[k - 1] = static_cast<int>(k) <= state.TripleCount && k < state.SanrenpukuKaime.size()
                                      ? state.SanrenpukuKaime[k]
                                      : std::string();
}

std::string ShutsubahyoRaceBlock(const ResultsWindowState& state, common::StepFailures& failures) {
  const RaceOfRecord race = RaceOf(state.CurrentRunnerRecord);
  const bool final = state.ResultsFinal == 1;
  std::string out;
  AddRc(state, out, failures);

  const int pairs = ListedPairCount(race.toroku_tosu);
  for (int t = 1; t <= kTiers; ++t)
    AddTierLine("K" + std::to_string(t), state.UmatanKaime, state.PairCount, 6 * t - 5, 6, pairs, FormatPair,
                kPairPlaceholder, out, failures);

  if (final && PayoutIsOfRace(state.CurrentPayoutRecord, race)) {
    out += RaceCardPayoutAndHitLines(state, failures);
    out += TrifectaHitLines(state, failures);
  }

  AddHs(state, out, failures);

  // Results mode shows the 3連複 tickets, prediction mode the same triples in predicted order.
  const std::vector<std::string>& triples = final ? state.SanrenpukuKaime : state.SanrentanKaime;
  const int listed = ListedTripleCount(race.toroku_tosu);
  for (int t = 1; t <= kTiers; ++t)
    AddTierLine("S" + std::to_string(t), triples, state.TripleCount, 7 * t - 6, 7, listed, FormatTrio,
                kTriplePlaceholder, out, failures);
  return out;
}

void ShutsubahyoDocumentWriter::Write(const std::string& app_path, ResultsWindowState& state,
                                      common::StepFailures& failures) {
  if (state.LastKeyShutsubahyo.empty()) files_ = common::DayFiles();  // a new pass
  // Without runner records the lists at hand would be an earlier race's too.
  const std::optional<RaceOfRecord> at_hand = DocumentRace(state);
  if (!at_hand) {
    state.SanrenpukuTop7.fill(std::string());
    return;
  }
  const RaceOfRecord& race = *at_hand;
  SetSanrenpukuTop7(state);
  const std::string key(race.MeetingDayKey());
  state.LastKeyShutsubahyo = key;
  std::string path;
  if (common::Status named = common::DayFilePath(app_path, kFolder, key, state.ResultsFinal == 1 ? "mmkRCM.txt" : "mmk.txt", path); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }
  std::string block = files_.Starts(path) ? LupDayHead(state, failures) : std::string();
  block += ShutsubahyoRaceBlock(state, failures);
  failures.Add(files_.Write(path, block));
}

}  // namespace radadovur::documents
