#pragma once
#include "jvdata/layout_header.h"

// EntryRecord (SE): 555 bytes, stored as delivered.
namespace radadovur::jvdata::se {
inline constexpr uint32_t kLength = 555;

#define RADADOVUR_SE_FIELDS(X)                         \
  RADADOVUR_HEADER_FIELDS(X)                           \
  RADADOVUR_RACEID_FIELDS(X)                           \
  X(Wakuban, 27, 1, 1, 0, 1, 0)                        \
  X(Umaban, 28, 2, 1, 0, 1, 0)                         \
  X(KettoNum, 30, 10, 1, 0, 1, 0)                      \
  X(HorseName, 40, 36, 1, 0, 1, 0)                     \
  X(HorseSymbolCode, 76, 2, 1, 0, 1, 0)                \
  X(SexCode, 78, 1, 1, 0, 1, 0)                        \
  X(BreedCode, 79, 1, 1, 0, 1, 0)                      \
  X(CoatCode, 80, 2, 1, 0, 1, 0)                       \
  X(HorseAge, 82, 2, 1, 0, 1, 0)                       \
  X(EastWestCode, 84, 1, 1, 0, 1, 0)                   \
  X(TrainerCode, 85, 5, 1, 0, 1, 0)                    \
  X(TrainerName, 90, 8, 1, 0, 1, 0)                    \
  X(OwnerCode, 98, 6, 1, 0, 1, 0)                      \
  X(OwnerName, 104, 64, 1, 0, 1, 0)                    \
  X(Silks, 168, 60, 1, 0, 1, 0)                        \
  X(Reserved1, 228, 60, 1, 0, 1, 0)                    \
  X(Futanjuryou, 288, 3, 1, 0, 1, 0)                   \
  X(FutanjuryouBefore, 291, 3, 1, 0, 1, 0)             \
  X(BlinkerCode, 294, 1, 1, 0, 1, 0)                   \
  X(Reserved2, 295, 1, 1, 0, 1, 0)                     \
  X(KishuCode, 296, 5, 1, 0, 1, 0)                     \
  X(KishuCodeBefore, 301, 5, 1, 0, 1, 0)               \
  X(KishuName, 306, 8, 1, 0, 1, 0)                     \
  X(KishuNameBefore, 314, 8, 1, 0, 1, 0)               \
  X(ApprenticeCode, 322, 1, 1, 0, 1, 0)                \
  X(ApprenticeCodeBefore, 323, 1, 1, 0, 1, 0)          \
  X(Bataijuu, 324, 3, 1, 0, 1, 0)                      \
  X(BataijuuChangeSign, 327, 1, 1, 0, 1, 0)            \
  X(BataijuuChange, 328, 3, 1, 0, 1, 0)                \
  X(AbnormalityCode, 331, 1, 1, 0, 1, 0)               \
  X(ArrivalOrder, 332, 2, 1, 0, 1, 0)                  \
  X(FinalOrder, 334, 2, 1, 0, 1, 0)                    \
  X(DeadHeatCode, 336, 1, 1, 0, 1, 0)                  \
  X(DeadHeatCount, 337, 1, 1, 0, 1, 0)                 \
  X(RunTime, 338, 4, 1, 0, 1, 0)                       \
  X(MarginCode, 342, 3, 3, 3, 1, 0)                    \
  X(CornerOrder, 351, 2, 4, 2, 1, 0)                   \
  X(WinOdds, 359, 4, 1, 0, 1, 0)                       \
  X(WinPopularity, 363, 2, 1, 0, 1, 0)                 \
  X(Honshokin, 365, 8, 1, 0, 1, 0)                     \
  X(AddedPrize, 373, 8, 1, 0, 1, 0)                    \
  X(Reserved3, 381, 3, 2, 3, 1, 0)                     \
  X(Last4F, 387, 3, 1, 0, 1, 0)                        \
  X(Last3F, 390, 3, 1, 0, 1, 0)                        \
  X(PlacedHorses_KettoNum, 393, 10, 3, 46, 1, 0)       \
  X(PlacedHorses_HorseName, 403, 36, 3, 46, 1, 0)      \
  X(TimeDiff, 531, 4, 1, 0, 1, 0)                      \
  X(RecordUpdateCode, 535, 1, 1, 0, 1, 0)              \
  X(MiningCode, 536, 1, 1, 0, 1, 0)                    \
  X(MiningTime, 537, 5, 1, 0, 1, 0)                    \
  X(MiningErrorPlus, 542, 4, 1, 0, 1, 0)               \
  X(MiningErrorMinus, 546, 4, 1, 0, 1, 0)              \
  X(MiningRank, 550, 2, 1, 0, 1, 0)                    \
  X(RunningStyleCode, 552, 1, 1, 0, 1, 0)              \
  X(LineEnd, 553, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_SE_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "SE layout must cover 555 bytes exactly");
}  // namespace radadovur::jvdata::se
