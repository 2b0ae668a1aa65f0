#pragma once
#include "jvdata/layout_header.h"

// RaceRecord (RA): 1272 bytes, stored as delivered.
namespace radadovur::jvdata::ra {
inline constexpr uint32_t kLength = 1272;

#define RADADOVUR_RA_FIELDS(X)                      \
  RADADOVUR_HEADER_FIELDS(X)                        \
  RADADOVUR_RACEID_FIELDS(X)                        \
  X(WeekdayCode, 27, 1, 1, 0, 1, 0)                 \
  X(SpecialRaceNum, 28, 4, 1, 0, 1, 0)              \
  X(RaceName, 32, 60, 1, 0, 1, 0)                   \
  X(RaceSubtitle, 92, 60, 1, 0, 1, 0)               \
  X(RaceNameParen, 152, 60, 1, 0, 1, 0)             \
  X(RaceNameEng, 212, 120, 1, 0, 1, 0)              \
  X(RaceSubtitleEng, 332, 120, 1, 0, 1, 0)          \
  X(RaceNameParenEng, 452, 120, 1, 0, 1, 0)         \
  X(RaceShortName10, 572, 20, 1, 0, 1, 0)           \
  X(RaceShortName6, 592, 12, 1, 0, 1, 0)            \
  X(RaceShortName3, 604, 6, 1, 0, 1, 0)             \
  X(RaceNameKind, 610, 1, 1, 0, 1, 0)               \
  X(GradedRaceCount, 611, 3, 1, 0, 1, 0)            \
  X(GradeCode, 614, 1, 1, 0, 1, 0)                  \
  X(GradeCodeBefore, 615, 1, 1, 0, 1, 0)            \
  X(RaceTypeCode, 616, 2, 1, 0, 1, 0)               \
  X(RaceSymbolCode, 618, 3, 1, 0, 1, 0)             \
  X(WeightTypeCode, 621, 1, 1, 0, 1, 0)             \
  X(ConditionCode, 622, 3, 5, 3, 1, 0)              \
  X(ConditionName, 637, 60, 1, 0, 1, 0)             \
  X(Kyori, 697, 4, 1, 0, 1, 0)                      \
  X(KyoriBefore, 701, 4, 1, 0, 1, 0)                \
  X(TrackCode, 705, 2, 1, 0, 1, 0)                  \
  X(TrackCodeBefore, 707, 2, 1, 0, 1, 0)            \
  X(CourseCode, 709, 2, 1, 0, 1, 0)                 \
  X(CourseCodeBefore, 711, 2, 1, 0, 1, 0)           \
  X(PrizeMoney, 713, 8, 7, 8, 1, 0)                 \
  X(PrizeMoneyBefore, 769, 8, 5, 8, 1, 0)           \
  X(AddedMoney, 809, 8, 5, 8, 1, 0)                 \
  X(AddedMoneyBefore, 849, 8, 3, 8, 1, 0)           \
  X(PostTime, 873, 4, 1, 0, 1, 0)                   \
  X(PostTimeBefore, 877, 4, 1, 0, 1, 0)             \
  X(TorokuTosu, 881, 2, 1, 0, 1, 0)                 \
  X(ShussoTosu, 883, 2, 1, 0, 1, 0)                 \
  X(NyusenTosu, 885, 2, 1, 0, 1, 0)                 \
  X(TenkoCode, 887, 1, 1, 0, 1, 0)                  \
  X(TurfBabaCode, 888, 1, 1, 0, 1, 0)               \
  X(DirtBabaCode, 889, 1, 1, 0, 1, 0)               \
  X(LapTimes, 890, 3, 25, 3, 1, 0)                  \
  X(HurdleMileTime, 965, 4, 1, 0, 1, 0)             \
  X(First3F, 969, 3, 1, 0, 1, 0)                    \
  X(First4F, 972, 3, 1, 0, 1, 0)                    \
  X(RaceLast3F, 975, 3, 1, 0, 1, 0)                 \
  X(RaceLast4F, 978, 3, 1, 0, 1, 0)                 \
  X(CornerPassing_Corner, 981, 1, 4, 72, 1, 0)      \
  X(CornerPassing_Laps, 982, 1, 4, 72, 1, 0)        \
  X(CornerPassing_PassingOrder, 983, 70, 4, 72, 1, 0) \
  X(RecordUpdateCode, 1269, 1, 1, 0, 1, 0)          \
  X(LineEnd, 1270, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_RA_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "RA layout must cover 1272 bytes exactly");

// Blocks over several fields above.
inline constexpr Field RaceConditions{616, 21};
inline constexpr Field TenkoBabaCodes{887, 3};
}  // namespace radadovur::jvdata::ra
