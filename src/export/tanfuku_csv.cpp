#include "export/tanfuku_csv.h"

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "export/export_race.h"
#include "jvdata/layout_hr.h"
#include "results/results_files.h"
#include "results/text_cut.h"

namespace radadovur::exports {
namespace {

using common::Status;
using common::ToCp932;
using results::ResultsWindowState;

// Entry i of a per-runner list; the empty text past its end.
std::string_view At(const std::vector<std::string>& texts, int i) {
  return i >= 0 && static_cast<size_t>(i) < texts.size() ? std::string_view(texts[static_cast<size_t>(i)])
                                                         : std::string_view();
}

}  // namespace

std::string TanfukuTitleLine(const TanfukuKind& kind, const documents::RaceOfRecord& race,
                             const results::CodeTable& table, common::StepFailures& failures) {
  std::string title = ToCp932(kind.title);
  title += std::string(race.Year()) + ToCp932("年") + std::string(race.MonthDay().substr(0, 2)) + ToCp932("月") +
           std::string(race.MonthDay().substr(2, 2)) + ToCp932("日");
  title += ToCp932(" 第") + documents::WholeOrAsItStands(race.Kaiji(), "開催回", failures) + ToCp932("回 ");
  title += results::LookupCodeTable(table, results::kCodeVenue, race.VenueCode(), 4);
  title += ToCp932(" 第") + documents::WholeOrAsItStands(race.Nichiji(), "開催日目", failures) + ToCp932("日");
  return common::TaggedLine(title).Str();
}

std::string TanfukuHeaderLine(bool final) {
  common::TaggedLine line(ToCp932("発走時刻"));
  line.Label("R番号").Label("枠番").Label("馬番");
  if (final) line.Label("人気").Label("入線");
  line.Label("馬名").Label("単勝配当").Label("複勝配当").Label("騎手名").Label("調教師名");
  return line.Str();
}

std::optional<std::string> TanfukuDataLine(const ResultsWindowState& s, int horse, bool final, std::string_view win,
                                           std::string_view place, common::StepFailures& failures) {
  if (s.RaceIndex < 1 || static_cast<size_t>(s.RaceIndex) >= s.RaceTable.size()) {
    failures.Add(Status::InvalidArgument("レース表", "レース表に " + std::to_string(s.RaceIndex) + " 行目がありません"));
    return std::nullopt;
  }
  const results::RaceTableRow& row = s.RaceTable[static_cast<size_t>(s.RaceIndex)];
  std::string age;
  if (!documents::TwoCharacterNumber(At(s.AgeText, horse), &age).ok()) {
    failures.Add(Status::InvalidArgument("馬齢", "馬番 " + std::to_string(horse) + " の馬齢 \"" +
                                                    common::Shown(At(s.AgeText, horse)) + "\" は数字ではありません"));
    return std::nullopt;
  }
  std::string number;
  (void)documents::TwoCharacterNumber(std::to_string(horse), &number);

  using namespace results;
  common::TaggedLine line(row[kColPostTime]);
  line.Text(ToCp932("第") + row[kColRaceNum] + "R").Text(At(s.WakuText, horse)).Text(number);
  if (final) line.Text(s.PopularityText[static_cast<size_t>(horse)]).Text(s.ArrivalText[static_cast<size_t>(horse)]);
  line.Text(Cp932Left(At(s.HorseNameText, horse), 9))
      .Text(final ? win : std::string_view())
      .Text(final ? place : std::string_view())
      .Text(Cp932Left(At(s.KishuText, horse), 4))
      .Text(Cp932Left(At(s.TrainerText, horse), final ? 4 : 3))
      .Text(At(s.SexText, horse))
      .Text(age + ToCp932("歳"))
      .Text(row[kColRaceName])
      .Text(row[kColRaceType])
      .Text(row[kColCondition])
      .Text(row[kColGrade])
      .Text(row[kColTrack])
      .Text(row[kColKyori] + ToCp932("ｍ"));
  return line.Str();
}

void LookUpTanfukuPayouts(const store::RecordBlock& payouts, const documents::RaceOfRecord& race, int horse,
                          std::string& win, std::string& place) {
  namespace hr = jvdata::hr;
  win.clear();
  place.clear();
  const std::string number = TwoDigits(horse);
  // Matched by horse number, not by arrival: entries need not follow the arrival order, and a
  // dead heat pays each horse its own amount.
  auto entry_of = [&number](std::string_view record, const jvdata::Field& combination, const jvdata::Field& payout,
                            uint32_t entries) {
    for (uint32_t i = 0; i < entries; ++i)
      if (combination.Of(record, i) == number) return payout.Str(record, i);
    return std::string();
  };
  for (size_t i = 0; i < payouts.count(); ++i) {
    const std::string_view record = payouts.Record(i);
    if (!documents::PayoutIsOfRace(record, race)) continue;
    // The last record of the race gives the texts.
    win = entry_of(record, hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, hr::TanshoPayouts_Combination.count);
    place = entry_of(record, hr::FukushoPayouts_Combination, hr::FukushoPayouts_Payout,
                     hr::FukushoPayouts_Combination.count);
  }
}

void TanfukuCsvWriter::Write(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  std::string& win = state.TanfukuPay[kind_.pay];
  std::string& place = state.TanfukuPay[kind_.pay + 1];
  // A race never shows an earlier race's payouts.
  win.clear();
  place.clear();

  documents::RaceOfRecord race;
  if (!RaceAtHand(state, race, failures)) return;
  const bool final = state.ResultsFinal == 1;
  const std::string key(race.MeetingDayKey());
  std::string path;
  if (common::Status named = common::DayFilePath(app_path, kind_.folder, key, final ? kind_.final_suffix : kind_.suffix, path); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }

  std::string block;
  if (files_.Starts(path)) block = TanfukuTitleLine(kind_, race, state.CodeTable, failures) + TanfukuHeaderLine(final);

  store::RecordBlock payouts;
  bool payouts_read = false;
  Status payout_status;
  for (const auto& [horse, rank] : RankedHorses(state, failures)) {
    if (rank != kind_.rank) continue;
    win.clear();
    place.clear();
    if (final) {
      if (!payouts_read) {
        payout_status = results::ReadStoreRecords(app_path, store::kHrThisWeek, payouts);
        payouts_read = true;
        failures.Add(payout_status);
      }
      // Without the payout file the line would show no payouts where there are some.
      if (!payout_status.ok()) continue;
      LookUpTanfukuPayouts(payouts, race, horse, win, place);
    }
    if (auto line = TanfukuDataLine(state, horse, final, win, place, failures)) block += *line;
  }

  Status status = files_.Write(path, block);
  if (status.ok()) {
    state.*kind_.last_key = key;
  } else {
    failures.Add(std::move(status));
  }
}

}  // namespace radadovur::exports
