#pragma once
#include "jvdata/layout_header.h"

// JockeyMasterRecord (KS): 4173 bytes delivered, 4161 stored. The two forms agree up to offset
// 1014; in each of the three YearRecords blocks the four prize totals keep their leftmost 9 of
// 10 characters when stored, so a stored block is 1048 bytes against 1052 delivered.
#define RADADOVUR_KS_HEAD_FIELDS(X)                               \
  RADADOVUR_HEADER_FIELDS(X)                                      \
  X(KishuCode, 11, 5, 1, 0, 1, 0)                                 \
  X(DeregisteredCode, 16, 1, 1, 0, 1, 0)                          \
  X(LicenceIssueDate, 17, 8, 1, 0, 1, 0)                          \
  X(LicenceEndDate, 25, 8, 1, 0, 1, 0)                            \
  X(KishuBirthDate, 33, 8, 1, 0, 1, 0)                            \
  X(KishuFullName, 41, 34, 1, 0, 1, 0)                            \
  X(Reserved, 75, 34, 1, 0, 1, 0)                                 \
  X(KishuNameKana, 109, 30, 1, 0, 1, 0)                           \
  X(KishuShortName, 139, 8, 1, 0, 1, 0)                           \
  X(KishuNameEng, 147, 80, 1, 0, 1, 0)                            \
  X(KishuSexCode, 227, 1, 1, 0, 1, 0)                             \
  X(RidingQualificationCode, 228, 1, 1, 0, 1, 0)                  \
  X(KishuApprenticeCode, 229, 1, 1, 0, 1, 0)                      \
  X(KishuEastWestCode, 230, 1, 1, 0, 1, 0)                        \
  X(KishuInvitationArea, 231, 20, 1, 0, 1, 0)                     \
  X(AffiliatedTrainerCode, 251, 5, 1, 0, 1, 0)                    \
  X(AffiliatedTrainerName, 256, 8, 1, 0, 1, 0)                    \
  X(FirstRides_RaceId, 264, 16, 2, 67, 1, 0)                      \
  X(FirstRides_ShussoTosu, 280, 2, 2, 67, 1, 0)                   \
  X(FirstRides_KettoNum, 282, 10, 2, 67, 1, 0)                    \
  X(FirstRides_HorseName, 292, 36, 2, 67, 1, 0)                   \
  X(FirstRides_FinalOrder, 328, 2, 2, 67, 1, 0)                   \
  X(FirstRides_AbnormalityCode, 330, 1, 2, 67, 1, 0)              \
  X(FirstWins_RaceId, 398, 16, 2, 64, 1, 0)                       \
  X(FirstWins_ShussoTosu, 414, 2, 2, 64, 1, 0)                    \
  X(FirstWins_KettoNum, 416, 10, 2, 64, 1, 0)                     \
  X(FirstWins_HorseName, 426, 36, 2, 64, 1, 0)                    \
  X(RecentGradeWins_RaceId, 526, 16, 3, 163, 1, 0)                \
  X(RecentGradeWins_RaceName, 542, 60, 3, 163, 1, 0)              \
  X(RecentGradeWins_RaceShortName10, 602, 20, 3, 163, 1, 0)       \
  X(RecentGradeWins_RaceShortName6, 622, 12, 3, 163, 1, 0)        \
  X(RecentGradeWins_RaceShortName3, 634, 6, 3, 163, 1, 0)         \
  X(RecentGradeWins_GradeCode, 640, 1, 3, 163, 1, 0)              \
  X(RecentGradeWins_ShussoTosu, 641, 2, 3, 163, 1, 0)             \
  X(RecentGradeWins_KettoNum, 643, 10, 3, 163, 1, 0)              \
  X(RecentGradeWins_HorseName, 653, 36, 3, 163, 1, 0)

// The delivered form.
namespace radadovur::jvdata::ks {
inline constexpr uint32_t kLength = 4173;
inline constexpr uint32_t kBlockLength = 1052;

#define RADADOVUR_KS_FIELDS(X)                                      \
  RADADOVUR_KS_HEAD_FIELDS(X)                                       \
  X(YearRecords_SetYear, 1015, 4, 3, 1052, 1, 0)                    \
  X(YearRecords_FlatPrizeTotal, 1019, 10, 3, 1052, 1, 0)            \
  X(YearRecords_HurdlePrizeTotal, 1029, 10, 3, 1052, 1, 0)          \
  X(YearRecords_FlatAddedTotal, 1039, 10, 3, 1052, 1, 0)            \
  X(YearRecords_HurdleAddedTotal, 1049, 10, 3, 1052, 1, 0)          \
  X(YearRecords_FlatPlaces, 1059, 6, 3, 1052, 6, 6)                 \
  X(YearRecords_HurdlePlaces, 1095, 6, 3, 1052, 6, 6)               \
  X(YearRecords_VenuePlaces, 1131, 6, 3, 1052, 120, 6)              \
  X(YearRecords_DistancePlaces, 1851, 6, 3, 1052, 36, 6)            \
  X(LineEnd, 4171, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_KS_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "KS delivered layout must cover 4173 bytes exactly");
}  // namespace radadovur::jvdata::ks

// The stored form, in the jockey file and in the model package's jockey master.
namespace radadovur::jvdata::ks_stored {
inline constexpr uint32_t kLength = 4161;
inline constexpr uint32_t kBlockLength = 1048;

#define RADADOVUR_KS_STORED_FIELDS(X)                               \
  RADADOVUR_KS_HEAD_FIELDS(X)                                       \
  X(YearRecords_SetYear, 1015, 4, 3, 1048, 1, 0)                    \
  X(YearRecords_FlatPrizeTotal, 1019, 9, 3, 1048, 1, 0)             \
  X(YearRecords_HurdlePrizeTotal, 1028, 9, 3, 1048, 1, 0)           \
  X(YearRecords_FlatAddedTotal, 1037, 9, 3, 1048, 1, 0)             \
  X(YearRecords_HurdleAddedTotal, 1046, 9, 3, 1048, 1, 0)           \
  X(YearRecords_FlatPlaces, 1055, 6, 3, 1048, 6, 6)                 \
  X(YearRecords_HurdlePlaces, 1091, 6, 3, 1048, 6, 6)               \
  X(YearRecords_VenuePlaces, 1127, 6, 3, 1048, 120, 6)              \
  X(YearRecords_DistancePlaces, 1847, 6, 3, 1048, 36, 6)            \
  X(LineEnd, 4159, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_KS_STORED_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "KS stored layout must cover 4161 bytes exactly");
}  // namespace radadovur::jvdata::ks_stored
