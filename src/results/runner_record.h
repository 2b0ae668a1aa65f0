#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "jvdata/field.h"

// RaceRunnerRecord: 24022 bytes per runner in a race's runner file "RACE/<RaceKey>.dat", record
// number = horse number. The arrays of 65 entries hold this week's race in entry 0 and the
// horse's past runs, newest first, in entries 1 to 64. Texts are CP932 of the stated width; the
// three real arrays hold IEEE single-precision values, little-endian, at unaligned offsets, so
// they are copied byte by byte. Bytes nobody writes stay zero.
namespace radadovur::results::rr {
inline constexpr uint32_t kLength = 24022;
inline constexpr uint32_t kRuns = 65;       // entry 0 this week's race, 1..64 past runs
inline constexpr uint32_t kRealRuns = 70;   // entries of the real arrays; 65..69 never filled
inline constexpr uint32_t kWeights = 24;    // reals per run in RunAgariFW and RunPaceFW
inline constexpr uint32_t kResults = 20;    // reals per run in RunSpeedResults
inline constexpr uint32_t kSampleCounts = 5;

// X(id, offset, width, count, stride, count2, stride2); element (i) of a run array is run i,
// element (k, e) of a real array is real k of run e.
#define RADADOVUR_RR_FIELDS(X)                          \
  X(Year, 0, 4, 65, 16, 1, 0)                           \
  X(MonthDay, 4, 4, 65, 16, 1, 0)                       \
  X(VenueCode, 8, 2, 65, 16, 1, 0)                      \
  X(Kaiji, 10, 2, 65, 16, 1, 0)                         \
  X(Nichiji, 12, 2, 65, 16, 1, 0)                       \
  X(RaceNum, 14, 2, 65, 16, 1, 0)                       \
  X(Wakuban, 1040, 1, 65, 1, 1, 0)                      \
  X(Umaban, 1105, 2, 65, 2, 1, 0)                       \
  X(KettoNum, 1235, 10, 65, 10, 1, 0)                   \
  X(HorseName, 1885, 36, 1, 0, 1, 0)                    \
  X(KishuName, 1921, 8, 65, 8, 1, 0)                    \
  X(Kyori, 2441, 4, 65, 4, 1, 0)                        \
  X(TrackCode, 2701, 2, 65, 2, 1, 0)                    \
  X(TorokuTosu, 2831, 2, 65, 2, 1, 0)                   \
  X(ArrivalOrder, 2961, 2, 65, 2, 1, 0)                 \
  X(FinalOrder, 3091, 2, 65, 2, 1, 0)                   \
  X(RunTime, 3221, 4, 65, 4, 1, 0)                      \
  X(WinPopularity, 3481, 2, 65, 2, 1, 0)                \
  X(WinOdds, 3611, 4, 65, 4, 1, 0)                      \
  X(Last3F, 3871, 3, 65, 3, 1, 0)                       \
  X(TrainerName, 4066, 8, 65, 8, 1, 0)                  \
  X(SireName, 4586, 36, 1, 0, 1, 0)                     \
  X(BreederName, 4622, 70, 1, 0, 1, 0)                  \
  X(DamSireName, 4692, 36, 1, 0, 1, 0)                  \
  X(RunnerAge, 4728, 2, 1, 0, 1, 0)                     \
  X(SexCode, 4730, 1, 1, 0, 1, 0)                       \
  X(PostTime, 4731, 4, 1, 0, 1, 0)                      \
  X(TenkoCode, 4735, 1, 65, 3, 1, 0)                    \
  X(TurfBabaCode, 4736, 1, 65, 3, 1, 0)                 \
  X(DirtBabaCode, 4737, 1, 65, 3, 1, 0)                 \
  X(Futanjuryou, 4930, 3, 1, 0, 1, 0)                   \
  X(Bataijuu, 4933, 3, 1, 0, 1, 0)                      \
  X(BataijuuChangeSign, 4936, 1, 1, 0, 1, 0)            \
  X(BataijuuChange, 4937, 3, 1, 0, 1, 0)                \
  X(AbnormalityCode, 4940, 1, 1, 0, 1, 0)               \
  X(RunnerSampleCounts, 4941, 7, 5, 7, 1, 0)            \
  X(RunAgariFW, 4976, 4, 24, 4, 70, 96)                 \
  X(RunPaceFW, 11696, 4, 24, 4, 70, 96)                 \
  X(RunSpeedResults, 18416, 4, 20, 4, 70, 80)           \
  X(SpeedAdjust, 24016, 4, 1, 0, 1, 0)                  \
  X(LineEnd, 24020, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_RR_FIELDS)
static_assert(jvdata::TilesExactly<kLength>(kFields), "RaceRunnerRecord layout must cover 24022 bytes exactly");

inline constexpr ::radadovur::jvdata::Layout kLayout{"RR", kLength, kFields};

// A record of zero bytes.
inline std::string EmptyRecord() { return std::string(kLength, '\0'); }

// Element (i, j) of a text field with zero bytes read as blanks (a field nobody wrote).
std::string Text(std::string_view record, const jvdata::Field& f, uint32_t i = 0, uint32_t j = 0);

// Real k of run e of a real array (SpeedAdjust: k = e = 0); 0 past the record's end.
float Real(std::string_view record, const jvdata::Field& f, uint32_t k, uint32_t e = 0);

// Copies `bytes` into element (i, j) of a field of `record`, cut to the field's width.
void Put(std::string& record, const jvdata::Field& f, std::string_view bytes, uint32_t i = 0, uint32_t j = 0);

// A record the entry pass never wrote: a horse number without an entry (its horse-number
// field is zero bytes).
bool IsGap(std::string_view record);

// The whole-record rule of a runner file: whole records, each a gap or ending with CR LF; a byte
// inserted or lost shifts every later runner. Corruption naming `path` and the first bad record.
common::Status CheckRunnerFile(const std::string& path, std::string_view bytes);

}  // namespace radadovur::results::rr
