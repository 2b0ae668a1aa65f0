#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/status.h"
#include "engine/ex_record.h"
#include "results/code_table.h"

// Everything the results window's procedures share: the results pass fills it, the race viewer
// and the document, formation, export and page writers read it, and the writers' hit checks fill
// the day tallies that the pass turns into rate tables. One state per window, created empty with
// it; procedures take it by reference. Loop counters are not shared: a procedure that works on
// "the row at hand" takes that row as an argument.
//
// Texts taken from records or the code table are CP932 bytes, as in the files they come from.
// Per-runner arrays are indexed by horse number (index 0 unused), race arrays by list position
// 1..RaceCount (index 0 unused).
namespace radadovur::results {

// A RaceTable row: columns 0..11 as the race list wrote them, column 12 never filled.
inline constexpr int kRaceTableColumns = 13;
using RaceTableRow = std::array<std::string, kRaceTableColumns>;

// Columns of RaceTable.
enum RaceTableColumn : int {
  kColRaceKey = 0,
  kColRaceNumber = 1,       // without leading zeros
  kColPostTime = 2,
  kColRaceNum = 3,          // two characters
  kColRaceName = 4,
  kColRaceType = 5,
  kColCondition = 6,
  kColGrade = 7,
  kColTrack = 8,
  kColKyori = 9,
  kColSdValue = 10,         // "SD" until the runner figures replace it
  kColWeatherGoing = 11,
};

// Fixed per-runner arrays: horse numbers 0..18, never emptied between races.
inline constexpr int kFixedRunnerSlots = 19;
using FixedRunnerTexts = std::array<std::string, kFixedRunnerSlots>;

// The bet kinds of TierTally and TierRate, in their stored order.
enum TierKind : int { kTierUmaren, kTierWide, kTierUmatanOmote, kTierUmatanUra, kTierSanrenpuku, kTierSanrentan };
inline constexpr int kTierKinds = 6;
inline constexpr int kTiers = 3;  // 本線, 準本線, 伏兵

struct TierTallyBlock {
  std::array<int32_t, kTiers> Hits{};
  // Payout combinations of the kind found in the full ticket lists this day; for 馬連 the rate
  // step stores the race number over it.
  int32_t Races = 0;
  std::array<int64_t, kTiers> PayTotal{};  // yen per 100-yen ticket
};

// Rates in percent with one decimal; empty until first computed (written as an empty item).
struct TierRateBlock {
  std::array<std::optional<double>, kTiers> HitRate;
  std::array<std::optional<double>, kTiers> ReturnRate;
};

// The columns of the rank-based strategy, in their stored order.
enum PcColumn : int {
  kPcTansho1, kPcTansho2, kPcFukusho1, kPcFukusho2,
  kPcUmarenF, kPcUmarenB, kPcUmatanF, kPcSanrenpukuB, kPcSanrentan12, kPcSanrentan23, kPcSanrentan13,
};
inline constexpr int kPcColumns = 11;
inline constexpr int kPcFormationColumns = 7;  // kPcUmarenF .. kPcSanrentan13

struct PcTallyBlock {
  std::string HitText;  // this race's hit combination
  std::string PayText;  // this race's payout
  int32_t HitRaces = 0;
  int32_t PayTotal = 0;  // yen
  std::optional<double> HitRate;
  std::optional<double> ReturnRate;
};

struct PcPointsBlock {
  int16_t Points = 0;       // tickets bought in this race
  int16_t PointsTotal = 0;  // tickets bought this day
};

// The hit summary of one bet kind, filled by the tier hit check for the result document.
struct HitSummaryEntry {
  std::string Label;
  std::string Combination;
  std::string Payout;
  std::string Popularity;
};
// 馬連, ワイド (first, second, third hit), 馬単, 3連複, 3連単.
inline constexpr int kHitSummaryEntries = 7;

struct ResultsWindowState {
  // ---- Control values.
  int32_t RunnerCount = 0;  // runners of the current race: records of its runner file
  int RaceIndex = 0;        // position of the current race in RaceKeyList, 1..RaceCount
  int RaceCount = 0;        // listed races
  int16_t ResultsFinal = 0; // 1 when the last race record of the week has data category "7"
  int32_t ExCount = 0;      // records of the expanded-record file being copied
  int16_t ListedTicketCount = 0;

  // ---- Last keys of the writers: empty at the start of a pass.
  std::string LastKeyShutsubahyo;  // MeetingDayKey
  std::string LastKeyLup;          // MeetingDayKey
  std::string LastKeyLupPc;        // MeetingDayKey
  std::string LastKeyTwi;          // MeetingDayKey
  std::string LastKeyTanfuku;      // MeetingDayKey
  std::string LastKeyTanfuku2;     // MeetingDayKey
  std::string LastKeyTansho;       // RaceKey
  std::string LastKeySokudoDay;    // RaceDate
  std::string LastKeyYosouPage;    // RaceKey
  std::string LastKeyWpDay;        // MeetingDayKey
  std::string LastKeyPdfDay;       // MeetingDayKey

  // ---- What the pass must not trust. The horses (KettoNum) that step ⑤ failed this week, given
  // by the caller before the pass; the races the runs pass found with such a horse among their
  // runners, or one whose expanded records are damaged, missing or not this week's: such a race
  // gets nothing written (the files of an earlier pass for it are removed, the later steps pass
  // it over).
  std::set<std::string> PredictFailedHorses;
  std::set<std::string> UntrustedRaces;
  // Of UntrustedRaces, those left out only for horses that failed in ⑤ (which named them): each
  // race named with its horses (UTF-8). They leave the pass finished.
  std::vector<std::string> PredictLeftOutRaces;
  // The races whose runner file this pass could not write (or read back), with the failure: the
  // passes that read it leave the race's files as the earlier run wrote them.
  std::map<std::string, common::Status> UnwrittenRunnerFiles;

  // ---- Race list, race table and code table.
  ::radadovur::results::CodeTable CodeTable;
  std::vector<std::string> RaceKeyList;  // entry i = RaceKey of listed race i; entry 0 unused
  std::vector<RaceTableRow> RaceTable;   // row i = texts of listed race i (any number); row 0 unused
  std::string VenueName;                 // racecourse name of the race being listed

  // ---- Record buffers (stored record bytes).
  std::string CurrentRaceRecord;     // RaceRecord, 1272 bytes
  std::string CurrentPayoutRecord;   // PayoutRecord, 719 bytes; empty when the race has none
  std::string CurrentEntryRecord;    // EntryRecord, 555 bytes
  engine::ExRecord CurrentExRecord;  // the expanded record being copied
  std::string CurrentRunnerRecord;   // RaceRunnerRecord, 24022 bytes; element 0 is this week's race

  // ---- Per-runner values of the current race (index = horse number 1..RunnerCount).
  // Sized afresh for every race:
  std::vector<std::string> WakuText, HorseNameText, FutanText, KishuText, SexText, AgeText;
  std::vector<std::string> TrainerText;
  std::vector<std::string> RealTimeText, RealL3FText;
  std::vector<std::string> EstTimeText;
  std::vector<std::string> EstL3FText;
  std::vector<float> CombinedSpeed, SpeedAdjustCopy, PredSpeed, ObservedSpeed;  // km/h
  std::vector<std::array<std::string, 5>> ReliabilityMarks;  // "A" or empty per sample count
  std::vector<float> RankKey;
  std::vector<std::string> RankOrder;  // RankOrder[r] = horse number of predicted rank r
  // Fixed 0..18, kept across races (entries above RunnerCount hold an earlier race's values):
  FixedRunnerTexts ArrivalText, PopularityText, PlaceMark;
  FixedRunnerTexts PredRank;

  // ---- Pairs and triples of the current race (index = position 1..PairCount / TripleCount).
  int32_t PairCount = 0;
  int32_t TripleCount = 0;
  std::vector<std::string> UmarenKaime, UmatanKaime;
  std::vector<float> PairScore, PairSpeedSum, PairAdjustSum;
  std::vector<std::string> SanrenpukuKaime, SanrentanKaime;
  std::vector<float> TripleScore, TripleSpeedSum, TripleAdjustSum;

  // ---- Working values of the pass.
  float PredSpeedSd = 0;
  float TimeSpeed = 0;
  std::string PairHorseA, PairHorseB;
  std::string TrioHorseA, TrioHorseB, TrioHorseC, TrioSwap;

  // ---- Texts the writers pass among themselves.
  std::array<std::string, 7> SanrenpukuTop7;
  std::array<std::string, 33> PageTexts;  // 12 pair texts, then 21 triple texts
  std::array<std::string, 4> TanfukuPay;
  std::array<HitSummaryEntry, kHitSummaryEntries> HitSummary;

  // ---- Day tallies: one meeting day, counting fields reset at every race "01".
  std::array<TierTallyBlock, kTierKinds> TierTally;
  std::array<TierRateBlock, kTierKinds> TierRate;
  std::array<PcTallyBlock, kPcColumns> PcTally;
  std::array<PcPointsBlock, kPcFormationColumns> PcPoints;
};

// Sets the counting fields of the day tallies to 0: hits, races and payout totals of TierTally,
// HitRaces and PayTotal of PcTally, PointsTotal of PcPoints. Rates, the per-race hit and payout
// texts and the per-race points stay.
void ResetDayTallies(ResultsWindowState& state);

}  // namespace radadovur::results
