#include "formation/twi_document.h"

#include "common/tagged_line.h"
#include "documents/formatters.h"
#include "documents/lup_document.h"
#include "documents/race_of_record.h"
#include "documents/ticket_matches.h"
#include "documents/tier_hit_check.h"

namespace radadovur::formation {
namespace {

using common::Status;
using common::TaggedLine;
using results::ResultsWindowState;

constexpr std::string_view kFolder = "TEKICHU/";

const char* BetName(documents::TicketKind kind) {
  switch (kind) {
    case documents::TicketKind::kUmaren: return "馬連";
    case documents::TicketKind::kWide: return "ワイド";
    case documents::TicketKind::kUmatan: return "馬単";
    case documents::TicketKind::kSanrenpuku: return "3連複";
    case documents::TicketKind::kSanrentan: return "3連単";
  }
  return "";
}

std::string RrLine(bool final, std::string_view track_code) {
  const bool flat = track_code >= "00" && track_code <= "49";
  TaggedLine line("RR");
  line.Label("連番").Label("枠番").Label("馬番").Label("予順");
  if (final) line.Label("人気").Label("入線");
  line.Label("性").Label("齢").Label("馬名　　　　　　　").Label("負担").Label("騎手名　").Label("調教師名");
  line.Label("推定タイム");
  if (final) line.Label("実タイム");
  line.Label(flat ? "推定上3F" : "推定平1F");
  if (final) line.Label(flat ? "実上3F" : "実平1F");
  return line.Str();
}

}  // namespace

void CheckTwiHits(ResultsWindowState& state, std::vector<std::string>& lines, common::StepFailures& failures) {
  documents::BlankHitSummary(state);
  int hit_number = 0;
  using documents::TicketKind;
  const auto kinds = {TicketKind::kUmaren, TicketKind::kWide, TicketKind::kUmatan, TicketKind::kSanrenpuku,
                      TicketKind::kSanrentan};
  documents::WalkTicketMatches(state, kinds, [&](const documents::TicketMatch& m) {
    ++hit_number;
    if (!m.tier) return;
    std::string combination, payout;
    Status status = documents::FormatMatchCombination(m, &combination);
    if (status.ok()) status = documents::FormatPayout(m.payout, &payout);
    if (!status.ok()) {
      failures.Add(Status::InvalidArgument("的中速報", "的中速報: 組番 " + common::Shown(m.combination) +
                                                             ": " + status.ToString()));
      return;
    }
    lines.push_back(TaggedLine("AT")
                        .Text(std::to_string(hit_number))
                        .Label(BetName(m.kind))
                        .Label(documents::TierHitLabel(m))
                        .Text(combination)
                        .Text(payout)
                        .Str());
  });
}

void TwiDocumentWriter::Write(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  if (state.LastKeyTwi.empty()) files_ = common::DayFiles();  // a new pass
  const std::optional<documents::RaceOfRecord> at_hand = documents::DocumentRace(state);
  if (!at_hand) return;
  const documents::RaceOfRecord& race = *at_hand;
  const std::string key(race.MeetingDayKey());
  state.LastKeyTwi = key;
  const bool final = state.ResultsFinal == 1;
  std::string doc;
  if (common::Status named = common::DayFilePath(app_path, kFolder, key, final ? "twiRCM.txt" : "twi.txt", doc); !named.ok()) {
    failures.Add(std::move(named));
    return;
  }

  std::string block = files_.Starts(doc) ? documents::LupDayHead(state, failures) : std::string();
  documents::AddLupRc(state, block, failures);
  block += RrLine(final, race.track_code);
  documents::AddLupHs(state, block, failures);
  if (final && documents::PayoutIsOfRace(state.CurrentPayoutRecord, race)) {
    std::vector<std::string> hits;
    CheckTwiHits(state, hits, failures);
    for (const std::string& line : hits) block += line;
    documents::AddLupPayouts(state.CurrentPayoutRecord, block, failures);
  }
  failures.Add(files_.Write(doc, block));
}

}  // namespace radadovur::formation
