#include "formation/formation_hit_check.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "documents/formatters.h"
#include "documents/race_of_record.h"
#include "formation/dead_heat_tickets.h"
#include "formation/formation_legs.h"
#include "jvdata/layout_hr.h"

namespace radadovur::formation {
namespace {

using common::Status;
using results::PcColumn;
using results::ResultsWindowState;

// The horse number of rank r as RankOrder holds it, read as a number.
Status HorseOfRank(const ResultsWindowState& state, int r, long long* horse) {
  const std::string& entry = state.RankOrder[static_cast<size_t>(r)];
  if (!documents::ReadWhole(entry, *horse) || *horse < 0 || *horse >= results::kFixedRunnerSlots)
    return Status::InvalidArgument("順位の馬", std::to_string(r) + " 位の馬 \"" +
                                                     common::Shown(entry) + "\" は馬番ではありません");
  return Status::OK();
}

// The finishing marks of ranks 1..last ("01" to "05" or "**"); marks[r] for rank r.
Status MarksOfRanks(const ResultsWindowState& state, int last, std::vector<std::string>* marks) {
  marks->assign(static_cast<size_t>(last) + 1, "");
  for (int r = 1; r <= last; ++r) {
    long long horse = 0;
    if (Status s = HorseOfRank(state, r, &horse); !s.ok()) return s;
    (*marks)[static_cast<size_t>(r)] = state.PlaceMark[static_cast<size_t>(horse)];
  }
  return Status::OK();
}

int CountMarked(const std::vector<std::string>& marks, int from, int to, std::initializer_list<std::string_view> wanted) {
  int count = 0;
  for (int r = from; r <= to && r < static_cast<int>(marks.size()); ++r)
    if (std::find(wanted.begin(), wanted.end(), marks[static_cast<size_t>(r)]) != wanted.end()) ++count;
  return count;
}

// A 3連単 formation on the axis ranks lo and hi with partners from `first_partner` to e: the
// axes' marks name the place the partner needs, and exactly one partner must hold it.
bool TrifectaHit(const std::vector<std::string>& marks, int lo, int hi, int first_partner, int e) {
  if (hi >= static_cast<int>(marks.size())) return false;
  const std::string code = marks[static_cast<size_t>(lo)] + marks[static_cast<size_t>(hi)];
  std::string_view needed;
  if (code == "0102" || code == "0201") needed = "03";
  else if (code == "0203" || code == "0302") needed = "01";
  else if (code == "0103" || code == "0301") needed = "02";
  else return false;
  return CountMarked(marks, first_partner, e, {needed}) == 1;
}

bool Judge(PcColumn column, const std::vector<std::string>& marks, int e) {
  const int a = std::min(3, static_cast<int>(marks.size()) - 1);
  switch (column) {
    case results::kPcUmarenF: {
      int count = CountMarked(marks, 1, a, {"01", "02"});
      if (count == 1) count += CountMarked(marks, 4, e, {"01", "02"});
      return count == 2;
    }
    case results::kPcUmarenB: return CountMarked(marks, 1, e, {"01", "02"}) == 2;
    case results::kPcUmatanF: {
      int count = CountMarked(marks, 1, a, {"01"});
      if (count == 1) count += CountMarked(marks, 1, e, {"02"});
      return count == 2;
    }
    case results::kPcSanrenpukuB: return CountMarked(marks, 1, e, {"01", "02", "03"}) == 3;
    case results::kPcSanrentan12: return TrifectaHit(marks, 1, 2, 3, e);
    case results::kPcSanrentan23: return TrifectaHit(marks, 2, 3, 4, e);
    case results::kPcSanrentan13: return TrifectaHit(marks, 1, 3, 4, e);
    default: return false;
  }
}

struct FormationColumn {
  PcColumn column;
  const char* name;
  int FormationLegs::* leg;
  const jvdata::Field& combination;
  const jvdata::Field& payout;
  Status (*format)(std::string_view, std::string*);
};

// One column's outcome, committed to the state only when the whole column could be judged.
struct Outcome {
  bool hit = false;
  std::string hit_text, pay_text;
  long long yen = 0;
};

Status PaidEntry(std::string_view combination, std::string_view payout,
                 Status (*format)(std::string_view, std::string*), Outcome* out) {
  if (Status s = format(combination, &out->hit_text); !s.ok()) return s;
  if (!documents::ReadWhole(payout, out->yen))
    return Status::InvalidArgument("払戻金", "払戻金 \"" + common::Shown(payout) + "\" は数字ではありません");
  out->pay_text = std::to_string(out->yen);
  out->hit = true;
  return Status::OK();
}

// The predicted rank of `horse` among ranks 1..last, 0 when none of them is that horse.
int RankOfHorse(const ResultsWindowState& state, long long horse, int last) {
  for (int r = 1; r <= last; ++r) {
    long long ranked = 0;
    if (HorseOfRank(state, r, &ranked).ok() && ranked == horse) return r;
  }
  return 0;
}

// On a dead heat: every paid entry of the bet whose combination is one of the column's tickets.
// The first in record order shows the hit; the payouts of all of them are the race's return.
Status PaidTickets(const ResultsWindowState& state, const FormationColumn& c, int e, int ranked, Outcome* out) {
  const std::string_view record = state.CurrentPayoutRecord;
  const size_t horses = c.combination.width / 2;
  for (uint32_t i = 0; i < c.combination.count; ++i) {
    const std::string_view combination = c.combination.Of(record, i);
    if (combination.size() != horses * 2) continue;
    std::vector<int> ranks;
    for (size_t h = 0; h < horses; ++h) {
      long long horse = 0;  // a blank or zero part is no paid combination
      if (!documents::ReadWhole(combination.substr(h * 2, 2), horse) || horse < 1) break;
      ranks.push_back(RankOfHorse(state, horse, std::max(e, std::min(3, ranked))));
    }
    if (ranks.size() != horses || !IsColumnTicket(c.column, ranks, e)) continue;
    Outcome entry;
    if (Status s = PaidEntry(combination, c.payout.Of(record, i), c.format, &entry); !s.ok()) return s;
    if (!out->hit) *out = entry;
    else out->yen += entry.yen;
  }
  return Status::OK();
}

void Commit(ResultsWindowState& state, PcColumn column, const Outcome& o) {
  results::PcTallyBlock& block = state.PcTally[static_cast<size_t>(column)];
  if (!o.hit) return;
  block.HitText = o.hit_text;
  block.PayText = o.pay_text;
  block.HitRaces += 1;
  block.PayTotal += static_cast<int32_t>(o.yen);
}

void Report(common::StepFailures& failures, const char* name, const Status& status) {
  failures.Add(Status::InvalidArgument("フォーメーションの的中確認",
                                       "フォーメーションの的中確認 " + std::string(name) + ": " + status.ToString()));
}

}  // namespace

int FormationPoints(PcColumn column, int leg_end, int ranked) {
  const int e = std::max(0, std::min(leg_end, ranked));
  const int a = std::min(3, e);
  switch (column) {
    case results::kPcUmarenF: return a * (a - 1) / 2 + a * (e - a);
    case results::kPcUmarenB: return e * (e - 1) / 2;
    case results::kPcUmatanF: return e >= 1 ? a * (e - 1) : 0;
    case results::kPcSanrenpukuB: return e * (e - 1) * (e - 2) / 6;
    case results::kPcSanrentan12: return 6 * std::max(0, e - 2);
    case results::kPcSanrentan23:
    case results::kPcSanrentan13: return 6 * std::max(0, e - 3);
    default: return 1;
  }
}

void CheckFormationHits(ResultsWindowState& state, common::StepFailures& failures) {
  namespace hr = jvdata::hr;
  for (results::PcTallyBlock& block : state.PcTally) block.HitText.clear(), block.PayText.clear();
  const std::string_view record = state.CurrentPayoutRecord;
  const int ranked = RankedRunners(state.RunnerCount, state.RankOrder.size());

  // Win and place on ranks 1 and 2, in the table's order.
  struct WinPlace {
    PcColumn column;
    const char* name;
    int rank;
    const jvdata::Field& horse;
    const jvdata::Field& payout;
    uint32_t entries;
  };
  const WinPlace win_place[] = {
      {results::kPcTansho1, "単勝1", 1, hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, 3},
      {results::kPcFukusho1, "複勝1", 1, hr::FukushoPayouts_Combination, hr::FukushoPayouts_Payout, 5},
      {results::kPcTansho2, "単勝2", 2, hr::TanshoPayouts_Combination, hr::TanshoPayouts_Payout, 3},
      {results::kPcFukusho2, "複勝2", 2, hr::FukushoPayouts_Combination, hr::FukushoPayouts_Payout, 5},
  };
  for (const WinPlace& c : win_place) {
    if (c.rank > ranked) continue;  // no such runner: nothing to hit
    long long horse = 0;
    Status status = HorseOfRank(state, c.rank, &horse);
    std::vector<Outcome> hits;
    for (uint32_t i = 0; i < c.entries && status.ok(); ++i) {
      long long paid_horse = 0;  // a blank horse number reads as 0 and matches no horse
      if (!documents::ReadWhole(c.horse.Of(record, i), paid_horse) || paid_horse != horse) continue;
      Outcome o;
      if (!documents::ReadWhole(c.payout.Of(record, i), o.yen)) {
        status = Status::InvalidArgument("払戻金", "払戻金 \"" + common::Shown(c.payout.Of(record, i)) +
                                                       "\" は数字ではありません");
        break;
      }
      o.hit = true;
      o.hit_text = state.RankOrder[static_cast<size_t>(c.rank)];
      o.pay_text = std::to_string(o.yen);
      hits.push_back(o);
    }
    if (!status.ok()) {
      Report(failures, c.name, status);
      continue;
    }
    for (const Outcome& o : hits) Commit(state, c.column, o);
  }

  // The formation and box columns.
  std::string sd;
  if (state.RaceIndex >= 1 && static_cast<size_t>(state.RaceIndex) < state.RaceTable.size())
    sd = state.RaceTable[static_cast<size_t>(state.RaceIndex)][results::kColSdValue];
  FormationLegs legs{};
  const Status legs_status =
      FormationLegsOf(RegisteredCount(documents::RaceOf(state.CurrentRunnerRecord).toroku_tosu), sd, &legs);
  const FormationColumn columns[] = {
      {results::kPcUmarenF, "馬連F", &FormationLegs::pair_end, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout,
       documents::FormatPair},
      {results::kPcUmarenB, "馬連B", &FormationLegs::box_end, hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout,
       documents::FormatPair},
      {results::kPcUmatanF, "馬単F", &FormationLegs::pair_end, hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout,
       documents::FormatPairOrdered},
      {results::kPcSanrenpukuB, "3連複B", &FormationLegs::box_end, hr::SanrenpukuPayouts_Combination,
       hr::SanrenpukuPayouts_Payout, documents::FormatTrio},
      {results::kPcSanrentan12, "3連単12", &FormationLegs::partner_end, hr::SanrentanPayouts_Combination,
       hr::SanrentanPayouts_Payout, documents::FormatTrioOrdered},
      {results::kPcSanrentan23, "3連単23", &FormationLegs::partner_end, hr::SanrentanPayouts_Combination,
       hr::SanrentanPayouts_Payout, documents::FormatTrioOrdered},
      {results::kPcSanrentan13, "3連単13", &FormationLegs::partner_end, hr::SanrentanPayouts_Combination,
       hr::SanrentanPayouts_Payout, documents::FormatTrioOrdered},
  };
  const bool dead_heat = DeadHeatAmongFirstThree(state.PlaceMark);
  for (const FormationColumn& c : columns) {
    results::PcPointsBlock& points = state.PcPoints[static_cast<size_t>(c.column - results::kPcUmarenF)];
    points.Points = 0;
    Status status = legs_status;
    const int e = status.ok() ? std::min(legs.*c.leg, ranked) : 0;
    std::vector<std::string> marks;
    if (status.ok()) status = MarksOfRanks(state, std::max(e, std::min(3, ranked)), &marks);
    Outcome o;
    if (status.ok() && dead_heat)
      status = PaidTickets(state, c, e, ranked, &o);
    // Otherwise only the first payout entry of the bet shows the hit.
    else if (status.ok() && Judge(c.column, marks, e))
      status = PaidEntry(c.combination.Of(record, 0), c.payout.Of(record, 0), c.format, &o);
    if (!status.ok()) {
      Report(failures, c.name, status);
      continue;
    }
    points.Points = static_cast<int16_t>(FormationPoints(c.column, legs.*c.leg, ranked));
    points.PointsTotal = static_cast<int16_t>(points.PointsTotal + points.Points);
    Commit(state, c.column, o);
  }
}

}  // namespace radadovur::formation
