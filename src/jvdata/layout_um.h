#pragma once
#include "jvdata/layout_header.h"

// HorseMasterRecord (UM): 1609 bytes, stored as delivered. Pedigree entries: 0 sire, 1 dam,
// 2 sire's sire, 3 sire's dam, 4 dam's sire, 5 dam's dam, 6..13 the great-grandparents.
namespace radadovur::jvdata::um {
inline constexpr uint32_t kLength = 1609;

#define RADADOVUR_UM_FIELDS(X)                          \
  RADADOVUR_HEADER_FIELDS(X)                            \
  X(KettoNum, 11, 10, 1, 0, 1, 0)                       \
  X(DeregisteredCode, 21, 1, 1, 0, 1, 0)                \
  X(RegisteredDate, 22, 8, 1, 0, 1, 0)                  \
  X(DeregisteredDate, 30, 8, 1, 0, 1, 0)                \
  X(BirthDate, 38, 8, 1, 0, 1, 0)                       \
  X(HorseName, 46, 36, 1, 0, 1, 0)                      \
  X(HorseNameKana, 82, 36, 1, 0, 1, 0)                  \
  X(HorseNameEng, 118, 60, 1, 0, 1, 0)                  \
  X(StabledFlag, 178, 1, 1, 0, 1, 0)                    \
  X(Reserved, 179, 19, 1, 0, 1, 0)                      \
  X(HorseSymbolCode, 198, 2, 1, 0, 1, 0)                \
  X(SexCode, 200, 1, 1, 0, 1, 0)                        \
  X(BreedCode, 201, 1, 1, 0, 1, 0)                      \
  X(CoatCode, 202, 2, 1, 0, 1, 0)                       \
  X(Pedigree_BreedingNum, 204, 10, 14, 46, 1, 0)        \
  X(Pedigree_AncestorName, 214, 36, 14, 46, 1, 0)       \
  X(EastWestCode, 848, 1, 1, 0, 1, 0)                   \
  X(TrainerCode, 849, 5, 1, 0, 1, 0)                    \
  X(TrainerName, 854, 8, 1, 0, 1, 0)                    \
  X(InvitationArea, 862, 20, 1, 0, 1, 0)                \
  X(BreederCode, 882, 8, 1, 0, 1, 0)                    \
  X(BreederName, 890, 72, 1, 0, 1, 0)                   \
  X(ProductionArea, 962, 20, 1, 0, 1, 0)                \
  X(OwnerCode, 982, 6, 1, 0, 1, 0)                      \
  X(OwnerName, 988, 64, 1, 0, 1, 0)                     \
  X(CareerPrizes, 1052, 9, 6, 9, 1, 0)                  \
  X(TotalPlaces, 1106, 3, 6, 3, 1, 0)                   \
  X(CentralPlaces, 1124, 3, 6, 3, 1, 0)                 \
  X(SurfacePlaces, 1142, 3, 7, 18, 6, 3)                \
  X(GoingPlaces, 1268, 3, 12, 18, 6, 3)                 \
  X(DistancePlaces, 1484, 3, 6, 18, 6, 3)               \
  X(RunningStyleCounts, 1592, 3, 4, 3, 1, 0)            \
  X(RegisteredRaceCount, 1604, 3, 1, 0, 1, 0)           \
  X(LineEnd, 1607, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_UM_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "UM layout must cover 1609 bytes exactly");

// Pedigree entry 0 (the sire) and entry 1 (the dam).
inline constexpr Field SireNum{204, 10};
inline constexpr Field DamNum{250, 10};
}  // namespace radadovur::jvdata::um
