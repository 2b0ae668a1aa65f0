#include "formation/pc_document.h"

#include "common/cp932.h"
#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/hit_table.h"
#include "documents/lup_document.h"
#include "documents/race_of_record.h"
#include "formation/formation_hit_check.h"
#include "formation/formation_lines.h"
#include "results/text_cut.h"

namespace radadovur::formation {
namespace {

using common::Status;
using common::TaggedLine;
using results::ResultsWindowState;

constexpr std::string_view kFolder = "TEKICHU/";

// The table's columns in file order.
constexpr results::PcColumn kFileOrder[] = {
    results::kPcTansho1,     results::kPcFukusho1,    results::kPcTansho2,      results::kPcFukusho2,
    results::kPcUmarenF,     results::kPcUmarenB,     results::kPcUmatanF,      results::kPcSanrenpukuB,
    results::kPcSanrentan12, results::kPcSanrentan23, results::kPcSanrentan13,
};

std::string_view At(const std::vector<std::string>& texts, int i) {
  return i >= 0 && static_cast<size_t>(i) < texts.size() ? std::string_view(texts[static_cast<size_t>(i)])
                                                         : std::string_view();
}

std::string Two(long long number) {
  std::string text;
  (void)documents::TwoCharacterNumber(std::to_string(number), &text);
  return text;
}

// RC: the race table's columns 1 to 11, and an empty text once final.
std::string RcLine(const ResultsWindowState& state, common::StepFailures& failures) {
  results::RaceTableRow row{};
  if (state.RaceIndex >= 1 && static_cast<size_t>(state.RaceIndex) < state.RaceTable.size())
    row = state.RaceTable[static_cast<size_t>(state.RaceIndex)];
  else
    failures.Add(Status::InvalidArgument("レース表", "レース表に " + std::to_string(state.RaceIndex) + " 行目がありません"));
  TaggedLine line("RC");
  for (int column = results::kColRaceNumber; column <= results::kColWeatherGoing; ++column)
    line.Text(row[static_cast<size_t>(column)]);
  if (state.ResultsFinal == 1) line.Text("");
  return line.Str();
}

std::string RrLine(bool final) {
  TaggedLine line("RR");
  line.Text("n").Text("w").Label("馬").Label("予");
  if (final) line.Label("人").Label("入");
  line.Label("性").Label("齢").Label("馬名　　　　　　　").Label("負担").Label("騎手名　").Label("推定タイム");
  if (final) line.Label("実タイム");
  return line.Str();
}

std::string HsLines(const ResultsWindowState& s, common::StepFailures& failures) {
  const bool final = s.ResultsFinal == 1;
  std::string out;
  for (const auto& [rank, j] : documents::RankedHorses(s, failures)) {
    long long age = 0;
    if (!documents::ReadWhole(At(s.AgeText, j), age)) {
      failures.Add(Status::InvalidArgument("馬齢", "馬番 " + std::to_string(j) + " の馬齢 \"" +
                                                      common::Shown(At(s.AgeText, j)) + "\" は数字ではありません"));
      continue;
    }
    TaggedLine line("HS");
    line.Text(std::to_string(rank)).Text(At(s.WakuText, j)).Text(Two(j)).Text(s.PredRank[static_cast<size_t>(j)]);
    if (final) line.Text(s.PopularityText[static_cast<size_t>(j)]).Text(s.ArrivalText[static_cast<size_t>(j)]);
    line.Text(At(s.SexText, j))
        .Text(Two(age))
        .Text(results::Cp932Left(At(s.HorseNameText, j), 9))
        .Text(At(s.FutanText, j))
        .Text(results::Cp932Left(At(s.KishuText, j), 4))
        .Text(At(s.EstTimeText, j));
    if (final) line.Text(At(s.RealTimeText, j));
    out += line.Str();
  }
  return out;
}

std::string TableHead(const documents::RaceOfRecord& race, const ResultsWindowState& state,
                      common::StepFailures& failures) {
  TaggedLine header(common::ToCp932(" R番号"));
  for (const char* column : {"単勝1", "複勝1", "単勝2", "複勝2", "馬連F", "馬連B", "馬単F", "  3連複B", "  3連単12",
                             "  3連単23", "  3連単13"})
    header.Label(column);
  return documents::HitTableTitle(race, state.CodeTable, failures) + header.Str();
}

}  // namespace

std::string PcTableRows(const ResultsWindowState& state, std::string_view race_num) {
  TaggedLine points(std::string(race_num) + common::ToCp932("R点数  "));
  points.Text("1").Text("1").Text("1").Text("1");
  for (const results::PcPointsBlock& block : state.PcPoints) points.Whole(block.Points);
  TaggedLine hits(common::ToCp932("  的中目"));
  TaggedLine pays(common::ToCp932("  配当"));
  for (results::PcColumn column : kFileOrder) {
    hits.Text(state.PcTally[static_cast<size_t>(column)].HitText);
    pays.Text(state.PcTally[static_cast<size_t>(column)].PayText);
  }
  return points.Str() + hits.Str() + pays.Str();
}

void PcDocumentWriter::Write(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  if (state.LastKeyLupPc.empty()) files_ = common::DayFiles();  // a new pass
  const std::optional<documents::RaceOfRecord> at_hand = documents::DocumentRace(state);
  if (!at_hand) return;
  const documents::RaceOfRecord& race = *at_hand;
  const std::string key(race.MeetingDayKey());
  state.LastKeyLupPc = key;
  const bool final = state.ResultsFinal == 1;
  std::string doc;
  if (common::Status named = common::DayFilePath(app_path, kFolder, key, final ? "lupRCMPC.txt" : "lupPC.txt", doc); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }

  std::string block = files_.Starts(doc) ? documents::LupDayHead(state, failures) : std::string();
  block += RcLine(state, failures);
  block += RrLine(final);
  block += HsLines(state, failures);
  block += FormationLines(state, failures);
  failures.Add(files_.Write(doc, block));
  if (!final) return;

  std::string table;
  if (common::Status named = common::DayFilePath(app_path, kFolder, key, "tekichuPC.txt", table); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }
  std::string rows = files_.Starts(table) ? TableHead(race, state, failures) : std::string();
  if (documents::PayoutIsOfRace(state.CurrentPayoutRecord, race)) {
    CheckFormationHits(state, failures);
    rows += PcTableRows(state, race.RaceNum());
  }
  if (!rows.empty()) failures.Add(files_.Write(table, rows));
}

}  // namespace radadovur::formation
