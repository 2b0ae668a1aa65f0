#include "documents/lup_document.h"

#include <algorithm>
#include <span>

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/groups_of_five.h"
#include "documents/hit_table.h"
#include "documents/race_of_record.h"
#include "documents/ticket_listing.h"
#include "documents/tier_hit_check.h"
#include "jvdata/layout_hr.h"
#include "results/runner_figures.h"
#include "results/text_cut.h"

namespace radadovur::documents {
namespace {

using common::Status;
using common::TaggedLine;
using results::ResultsWindowState;

constexpr std::string_view kFolder = "TEKICHU/";
constexpr int kMaxHorse = 18;

// Entry i of a per-runner list; the empty text past its end.
std::string_view At(const std::vector<std::string>& texts, int i) {
  return i >= 0 && static_cast<size_t>(i) < texts.size() ? std::string_view(texts[static_cast<size_t>(i)])
                                                         : std::string_view();
}

std::string Two(int number) {
  std::string text;
  (void)TwoCharacterNumber(std::to_string(number), &text);
  return text;
}

}  // namespace

void AddLupRc(const ResultsWindowState& state, std::string& out, common::StepFailures& failures) {
  results::RaceTableRow row{};
  if (state.RaceIndex >= 1 && static_cast<size_t>(state.RaceIndex) < state.RaceTable.size()) {
    row = state.RaceTable[static_cast<size_t>(state.RaceIndex)];
  } else {
    failures.Add(Status::InvalidArgument("レース表", "レース表に " + std::to_string(state.RaceIndex) + " 行目がありません"));
  }
  using namespace results;
  const std::string type_and_condition = row[kColRaceType] + row[kColCondition];
  out += TaggedLine("RC")
             .Text(row[kColRaceNumber])
             .Text(row[kColPostTime])
             .Text(row[kColRaceNum])
             .Text("")
             .Text(row[kColRaceName].empty() ? type_and_condition : row[kColRaceName])
             .Text(type_and_condition)
             .Text(row[kColGrade])
             .Text(row[kColTrack])
             .Text(row[kColKyori])
             .Text(row[kColSdValue])
             .Text(row[kColWeatherGoing])
             .Str();
}

void AddRr(bool final, std::string_view track_code, std::string& out) {
  const bool flat = track_code >= "00" && track_code <= "49";
  TaggedLine line("RR");
  line.Text("n").Text("w").Label("馬").Label("予");
  if (final) line.Label("人").Label("入");
  line.Label("性").Label("齢").Label("馬名　　　　　　　").Label("負担").Label("騎手名　").Label("調教師名");
  line.Label("推定タイム");
  if (final) line.Label("実タイム");
  line.Label(flat ? "推定上3F" : "推定平1F");
  if (final) line.Label(flat ? "実上3F" : "実平1F");
  out += line.Str();
}

std::vector<std::pair<long long, int>> RankedHorses(const ResultsWindowState& s, common::StepFailures& failures) {
  const int runners = std::min<int>(s.RunnerCount, kMaxHorse);
  if (s.RunnerCount > kMaxHorse)
    failures.Add(Status::InvalidArgument("出走頭数", "出走頭数 " + std::to_string(s.RunnerCount) +
                                                        " 頭のうち、馬番 1〜18 だけを書きました"));
  std::vector<std::pair<long long, int>> ranked;  // (rank, horse)
  for (int j = 1; j <= runners; ++j) {
    if (results::IsGapRunner(s, j)) continue;  // no horse runs under this number
    long long rank = 0;
    if (!ReadWhole(s.PredRank[static_cast<size_t>(j)], rank)) {
      failures.Add(Status::InvalidArgument("予想順位", "馬番 " + std::to_string(j) + " の予想順位 \"" +
                                                                 common::Shown(s.PredRank[static_cast<size_t>(j)]) +
                                                                 "\" は数字ではありません"));
      continue;
    }
    if (rank >= 1 && rank <= runners) ranked.emplace_back(rank, j);
  }
  std::sort(ranked.begin(), ranked.end());
  return ranked;
}

// HS lines: ranks up, horses of one rank by horse number.
void AddLupHs(const ResultsWindowState& s, std::string& out, common::StepFailures& failures) {
  const bool final = s.ResultsFinal == 1;
  for (const auto& [rank, j] : RankedHorses(s, failures)) {
    std::string age;
    if (!TwoCharacterNumber(At(s.AgeText, j), &age).ok()) {
      failures.Add(Status::InvalidArgument("馬齢", "馬番 " + std::to_string(j) + " の馬齢 \"" +
                                                      common::Shown(At(s.AgeText, j)) + "\" は数字ではありません"));
      continue;
    }
    TaggedLine line("HS");
    line.Text(std::to_string(rank)).Text(At(s.WakuText, j)).Text(Two(j)).Text(s.PredRank[static_cast<size_t>(j)]);
    if (final) line.Text(s.PopularityText[static_cast<size_t>(j)]).Text(s.ArrivalText[static_cast<size_t>(j)]);
    line.Text(At(s.SexText, j))
        .Text(age)
        .Text(results::Cp932Left(At(s.HorseNameText, j), 9))
        .Text(At(s.FutanText, j))
        .Text(results::Cp932Left(At(s.KishuText, j), 4))
        .Text(results::Cp932Left(At(s.TrainerText, j), final ? 4 : 3))
        .Text(At(s.EstTimeText, j));
    if (final) line.Text(At(s.RealTimeText, j));
    line.Text(At(s.EstL3FText, j));
    if (final) line.Text(At(s.RealL3FText, j));
    out += line.Str();
  }
}

namespace {

// Entries 1..count of a list whose entry 0 is unused.
std::span<const std::string> FromOne(const std::vector<std::string>& list, int count) {
  if (list.size() <= 1 || count <= 0) return {};
  return std::span<const std::string>(list).subspan(1, std::min<size_t>(list.size() - 1, static_cast<size_t>(count)));
}

}  // namespace

// KK and KS: the official payouts, entries from the first, two items each.
void AddLupPayouts(std::string_view record, std::string& out, common::StepFailures& failures) {
  namespace hr = jvdata::hr;
  using Format = Status (*)(std::string_view, std::string*);
  struct Block {
    const char* tag;
    const char* kind;
    const jvdata::Field& combination;
    const jvdata::Field& payout;
    uint32_t printed;
    Format format;
  };
  const Block blocks[] = {
      {"KK", "1", hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, 2, FormatUmaban},
      {"KK", "2", hr::FukushoPayouts_Combination, hr::FukushoPayouts_Payout, 4, FormatUmaban},
      {"KK", "3", hr::WakurenPayouts_Combination, hr::WakurenPayouts_Payout, 2, FormatBracketPair},
      {"KK", "4", hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, 2, FormatPair},
      {"KK", "5", hr::WidePayouts_Combination, hr::WidePayouts_Payout, 5, FormatPair},
      {"KS", "1", hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, 6, FormatPairOrdered},
      {"KS", "2", hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout, 3, FormatTrio},
      {"KS", "3", hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout, 6, FormatTrioOrdered},
  };
  for (const Block& block : blocks) {
    if (std::string_view(block.tag) == "KS" && std::string_view(block.kind) == "3" &&
        !TrifectaHasResult(block.combination.Of(record, 0)))
      continue;
    TaggedLine line(block.tag);
    line.Text(block.kind);
    bool whole = true;
    for (uint32_t i = 0; i < block.printed && whole; ++i) {
      std::string combination, payout;
      Status status = block.format(block.combination.Of(record, i), &combination);
      if (status.ok()) status = FormatPayout(block.payout.Of(record, i), &payout);
      if (!status.ok()) {
        failures.Add(Status::InvalidArgument("払戻", "払戻 " + std::string(block.tag) + " " + block.kind + ": " +
                                                            status.ToString()));
        whole = false;
      }
      line.Text(combination).Text(payout);
    }
    if (whole) out += line.Str();
  }
}

bool TrifectaHasResult(std::string_view first_combination) {
  // Read as a number: leading digits, blanks passed over; none is 0.
  for (char c : first_combination) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') break;
    if (c != '0') return true;
  }
  return false;
}

std::string LupDayHead(const ResultsWindowState& state, common::StepFailures& failures) {
  const RaceOfRecord race = RaceOf(state.CurrentRunnerRecord);
  TaggedLine pl("PL");
  pl.Text("1").Text(WholeOrAsItStands(race.Kaiji(), "開催回", failures));
  pl.TextOrNothing(VenueNameOrNothing(state.CodeTable, race.VenueCode()));
  pl.Text(WholeOrAsItStands(race.Nichiji(), "開催日目", failures)).Text("11");
  return TaggedLine("DY").Text("1").Text(std::string(race.Year()) + std::string(race.MonthDay())).Str() + pl.Str();
}

std::string LupRaceBlock(ResultsWindowState& state, common::StepFailures& failures) {
  const RaceOfRecord race = RaceOf(state.CurrentRunnerRecord);
  const bool final = state.ResultsFinal == 1;
  std::string out;
  AddLupRc(state, out, failures);
  AddRr(final, race.track_code, out);
  AddLupHs(state, out, failures);

  const int ranked = std::min<int>(state.RunnerCount, kMaxHorse);
  GroupsOfFiveInput groups{race.toroku_tosu, FromOne(state.RankOrder, ranked), final, state.PlaceMark};
  for (const std::string& line : GroupsOfFiveLines(groups, failures)) out += line;

  const ListingInput listing{race.toroku_tosu, race.RaceNum(),
                             TicketLists{FromOne(state.UmarenKaime, state.PairCount),
                                         FromOne(state.UmatanKaime, state.PairCount),
                                         FromOne(state.SanrenpukuKaime, state.TripleCount),
                                         FromOne(state.SanrentanKaime, state.TripleCount)}};
  for (const std::string& line : CondensedTicketLines(listing, failures)) out += line;
  for (const std::string& line : TierTicketLines(listing, failures)) out += line;
  state.ListedTicketCount = static_cast<int16_t>(ListedTripleCount(race.toroku_tosu));

  if (!final) return out;
  if (PayoutIsOfRace(state.CurrentPayoutRecord, race)) {
    std::vector<std::string> hits;
    CheckTierHits(state, hits, failures);
    for (const std::string& line : hits) out += line;
    AddLupPayouts(state.CurrentPayoutRecord, out, failures);
  } else {
    // The hit table of a race without a check shows no hits, never an earlier race's.
    BlankHitSummary(state);
  }
  return out;
}

void LupDocumentWriter::Write(const std::string& app_path, ResultsWindowState& state,
                              common::StepFailures& failures) {
  if (state.LastKeyLup.empty()) files_ = common::DayFiles();  // a new pass
  const std::optional<RaceOfRecord> at_hand = DocumentRace(state);
  if (!at_hand) return;
  const RaceOfRecord& race = *at_hand;
  const std::string key(race.MeetingDayKey());
  state.LastKeyLup = key;
  const bool final = state.ResultsFinal == 1;
  std::string lup;
  if (common::Status named = common::DayFilePath(app_path, kFolder, key, final ? "lupRCM.txt" : "lup.txt", lup); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }

  std::string block = files_.Starts(lup) ? LupDayHead(state, failures) : std::string();
  block += LupRaceBlock(state, failures);
  failures.Add(files_.Write(lup, block));
  if (!final) return;

  std::string table;
  if (common::Status named = common::DayFilePath(app_path, kFolder, key, "tekichu.txt", table); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }
  std::string rows = files_.Starts(table) ? HitTableHead(race, state.CodeTable, failures) : std::string();
  rows += HitTableRows(race.RaceNum(), state.HitSummary);
  failures.Add(files_.Write(table, rows));
}

}  // namespace radadovur::documents
