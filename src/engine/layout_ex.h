#pragma once
#include <array>

#include "jvdata/layout_header.h"

// ExRecord: 2603 bytes per run of a horse in its expanded-record file. Bytes 0..1708 are copied
// from the run's entry, horse, jockey and race records; 1709..2600 are what the engine computes
// for the run; a CR LF ends the record. The four real arrays hold IEEE single-precision values,
// little-endian, packed without gaps (so they sit at unaligned offsets).
namespace radadovur::engine::ex {
inline constexpr uint32_t kLength = 2603;

// An ancestor's block: number 10, name 36, birth year 4, production area 20.
#define RADADOVUR_EX_ANCESTOR(X, name, at)         \
  X(name##_Number, at, 10, 1, 0, 1, 0)             \
  X(name##_Name, at + 10, 36, 1, 0, 1, 0)          \
  X(name##_BirthYear, at + 46, 4, 1, 0, 1, 0)      \
  X(name##_ProductionArea, at + 50, 20, 1, 0, 1, 0)

#define RADADOVUR_EX_FIELDS(X)                         \
  RADADOVUR_HEADER_FIELDS(X)                           \
  RADADOVUR_RACEID_FIELDS(X)                           \
  X(Wakuban, 27, 1, 1, 0, 1, 0)                        \
  X(Umaban, 28, 2, 1, 0, 1, 0)                         \
  X(KettoNum, 30, 10, 1, 0, 1, 0)                      \
  X(FoalOrder, 40, 2, 1, 0, 1, 0)                      \
  X(WeekdayCode, 42, 1, 1, 0, 1, 0)                    \
  X(Reserved1, 43, 10, 1, 0, 1, 0)                     \
  X(MarketCode, 53, 6, 1, 0, 1, 0)                     \
  X(MarketOrganizer, 59, 40, 1, 0, 1, 0)               \
  X(MarketName, 99, 80, 1, 0, 1, 0)                    \
  X(MarketPeriod, 179, 8, 2, 8, 1, 0)                  \
  X(MarketAge, 195, 1, 1, 0, 1, 0)                     \
  X(MarketPrice, 196, 10, 1, 0, 1, 0)                  \
  X(BirthDate, 206, 8, 1, 0, 1, 0)                     \
  X(InvitationArea, 214, 20, 1, 0, 1, 0)               \
  X(BreederCode, 234, 8, 1, 0, 1, 0)                   \
  X(BreederName, 242, 72, 1, 0, 1, 0)                  \
  X(ProductionArea, 314, 20, 1, 0, 1, 0)               \
  X(SireNum, 334, 10, 1, 0, 1, 0)                      \
  X(SireName, 344, 36, 1, 0, 1, 0)                     \
  X(SireBirthYear, 380, 4, 1, 0, 1, 0)                 \
  X(SireProductionArea, 384, 20, 1, 0, 1, 0)           \
  X(DamNum, 404, 10, 1, 0, 1, 0)                       \
  X(DamBirthYear, 414, 4, 1, 0, 1, 0)                  \
  X(DamProductionArea, 418, 20, 1, 0, 1, 0)            \
  RADADOVUR_EX_ANCESTOR(X, Ancestor3, 438)             \
  X(DamSireNum, 508, 10, 1, 0, 1, 0)                   \
  X(DamSireName, 518, 36, 1, 0, 1, 0)                  \
  X(DamSireBirthYear, 554, 4, 1, 0, 1, 0)              \
  X(DamSireProductionArea, 558, 20, 1, 0, 1, 0)        \
  RADADOVUR_EX_ANCESTOR(X, Ancestor5, 578)             \
  RADADOVUR_EX_ANCESTOR(X, Ancestor6, 648)             \
  RADADOVUR_EX_ANCESTOR(X, Ancestor7, 718)             \
  X(HorseName, 788, 36, 1, 0, 1, 0)                    \
  X(Reserved2, 824, 1, 1, 0, 1, 0)                     \
  X(HorseSymbolCode, 825, 2, 1, 0, 1, 0)               \
  X(SexCode, 827, 1, 1, 0, 1, 0)                       \
  X(BreedCode, 828, 1, 1, 0, 1, 0)                     \
  X(CoatCode, 829, 2, 1, 0, 1, 0)                      \
  X(EastWestCode, 831, 1, 1, 0, 1, 0)                  \
  X(TrainerCode, 832, 5, 1, 0, 1, 0)                   \
  X(TrainerName, 837, 8, 1, 0, 1, 0)                   \
  X(OwnerCode, 845, 6, 1, 0, 1, 0)                     \
  X(OwnerName, 851, 64, 1, 0, 1, 0)                    \
  X(Silks, 915, 60, 1, 0, 1, 0)                        \
  X(Futanjuryou, 975, 3, 1, 0, 1, 0)                   \
  X(FutanjuryouBefore, 978, 3, 1, 0, 1, 0)             \
  X(BlinkerCode, 981, 1, 1, 0, 1, 0)                   \
  X(Reserved3, 982, 1, 1, 0, 1, 0)                     \
  X(KishuCode, 983, 5, 1, 0, 1, 0)                     \
  X(KishuBirthDate, 988, 8, 1, 0, 1, 0)                \
  X(KishuSexCode, 996, 1, 1, 0, 1, 0)                  \
  X(KishuInvitationArea, 997, 20, 1, 0, 1, 0)          \
  X(RidingQualificationCode, 1017, 1, 1, 0, 1, 0)      \
  X(KishuCodeBefore, 1018, 5, 1, 0, 1, 0)              \
  X(KishuName, 1023, 8, 1, 0, 1, 0)                    \
  X(KishuNameBefore, 1031, 8, 1, 0, 1, 0)              \
  X(ApprenticeCode, 1039, 1, 1, 0, 1, 0)               \
  X(ApprenticeCodeBefore, 1040, 1, 1, 0, 1, 0)         \
  X(Bataijuu, 1041, 3, 1, 0, 1, 0)                     \
  X(BataijuuChangeSign, 1044, 1, 1, 0, 1, 0)           \
  X(BataijuuChange, 1045, 3, 1, 0, 1, 0)               \
  X(AbnormalityCode, 1048, 1, 1, 0, 1, 0)              \
  X(ArrivalOrder, 1049, 2, 1, 0, 1, 0)                 \
  X(FinalOrder, 1051, 2, 1, 0, 1, 0)                   \
  X(DeadHeatCode, 1053, 1, 1, 0, 1, 0)                 \
  X(DeadHeatCount, 1054, 1, 1, 0, 1, 0)                \
  X(RunTime, 1055, 4, 1, 0, 1, 0)                      \
  X(MarginCode, 1059, 3, 3, 3, 1, 0)                   \
  X(CornerOrder, 1068, 2, 4, 2, 1, 0)                  \
  X(WinOdds, 1076, 4, 1, 0, 1, 0)                      \
  X(WinPopularity, 1080, 2, 1, 0, 1, 0)                \
  X(Honshokin, 1082, 8, 1, 0, 1, 0)                    \
  X(AddedPrize, 1090, 8, 1, 0, 1, 0)                   \
  X(Reserved4, 1098, 3, 2, 3, 1, 0)                    \
  X(Last4F, 1104, 3, 1, 0, 1, 0)                       \
  X(Last3F, 1107, 3, 1, 0, 1, 0)                       \
  X(TimeDiff, 1110, 4, 1, 0, 1, 0)                     \
  X(GradeCode, 1114, 1, 1, 0, 1, 0)                    \
  X(GradeCodeBefore, 1115, 1, 1, 0, 1, 0)              \
  X(RaceTypeCode, 1116, 2, 1, 0, 1, 0)                 \
  X(RaceSymbolCode, 1118, 3, 1, 0, 1, 0)               \
  X(WeightTypeCode, 1121, 1, 1, 0, 1, 0)               \
  X(ConditionCode, 1122, 3, 5, 3, 1, 0)                \
  X(Kyori, 1137, 4, 1, 0, 1, 0)                        \
  X(KyoriBefore, 1141, 4, 1, 0, 1, 0)                  \
  X(TrackCode, 1145, 2, 1, 0, 1, 0)                    \
  X(TrackCodeBefore, 1147, 2, 1, 0, 1, 0)              \
  X(CourseCode, 1149, 2, 1, 0, 1, 0)                   \
  X(CourseCodeBefore, 1151, 2, 1, 0, 1, 0)             \
  X(PrizeMoney, 1153, 8, 7, 8, 1, 0)                   \
  X(PrizeMoneyBefore, 1209, 8, 5, 8, 1, 0)             \
  X(AddedMoney, 1249, 8, 5, 8, 1, 0)                   \
  X(AddedMoneyBefore, 1289, 8, 3, 8, 1, 0)             \
  X(PostTime, 1313, 4, 1, 0, 1, 0)                     \
  X(PostTimeBefore, 1317, 4, 1, 0, 1, 0)               \
  X(TorokuTosu, 1321, 2, 1, 0, 1, 0)                   \
  X(ShussoTosu, 1323, 2, 1, 0, 1, 0)                   \
  X(NyusenTosu, 1325, 2, 1, 0, 1, 0)                   \
  X(TenkoCode, 1327, 1, 1, 0, 1, 0)                    \
  X(TurfBabaCode, 1328, 1, 1, 0, 1, 0)                 \
  X(DirtBabaCode, 1329, 1, 1, 0, 1, 0)                 \
  X(LapTimes, 1330, 3, 25, 3, 1, 0)                    \
  X(HurdleMileTime, 1405, 4, 1, 0, 1, 0)               \
  X(First3F, 1409, 3, 1, 0, 1, 0)                      \
  X(First4F, 1412, 3, 1, 0, 1, 0)                      \
  X(RaceLast3F, 1415, 3, 1, 0, 1, 0)                   \
  X(RaceLast4F, 1418, 3, 1, 0, 1, 0)                   \
  X(CornerPassing_Corner, 1421, 1, 4, 72, 1, 0)        \
  X(CornerPassing_Laps, 1422, 1, 4, 72, 1, 0)          \
  X(CornerPassing_PassingOrder, 1423, 70, 4, 72, 1, 0) \
  X(SpeedCodes, 1709, 7, 20, 7, 1, 0)                  \
  X(FactorCode1, 1849, 9, 1, 0, 1, 0)                  \
  X(FactorCode2, 1858, 11, 1, 0, 1, 0)                 \
  X(FactorCode3, 1869, 9, 1, 0, 1, 0)                  \
  X(FactorCode4, 1878, 4, 1, 0, 1, 0)                  \
  X(FactorCode5, 1882, 5, 1, 0, 1, 0)                  \
  X(FactorCode6, 1887, 6, 1, 0, 1, 0)                  \
  X(FactorCode7, 1893, 5, 1, 0, 1, 0)                  \
  X(FactorCode8, 1898, 4, 1, 0, 1, 0)                  \
  X(FactorCode9, 1902, 3, 1, 0, 1, 0)                  \
  X(FactorCode10, 1905, 3, 1, 0, 1, 0)                 \
  X(FactorCode11, 1908, 4, 1, 0, 1, 0)                 \
  X(FactorCode12, 1912, 3, 1, 0, 1, 0)                 \
  X(FactorCode13, 1915, 6, 1, 0, 1, 0)                 \
  X(FactorCode14, 1921, 6, 1, 0, 1, 0)                 \
  X(FactorCode15, 1927, 6, 1, 0, 1, 0)                 \
  X(FactorCode16, 1933, 4, 1, 0, 1, 0)                 \
  X(FactorCode17, 1937, 4, 1, 0, 1, 0)                 \
  X(FactorCode18, 1941, 6, 1, 0, 1, 0)                 \
  X(FactorCode19, 1947, 5, 1, 0, 1, 0)                 \
  X(FactorCode20, 1952, 10, 1, 0, 1, 0)                \
  X(FactorCode21, 1962, 10, 1, 0, 1, 0)                \
  X(FactorCode22, 1972, 5, 1, 0, 1, 0)                 \
  X(FactorCode23, 1977, 10, 1, 0, 1, 0)                \
  X(FactorCode24, 1987, 6, 1, 0, 1, 0)                 \
  X(FactorCode25, 1993, 4, 1, 0, 1, 0)                 \
  X(FactorCode26, 1997, 4, 1, 0, 1, 0)                 \
  X(FactorCode27, 2001, 8, 1, 0, 1, 0)                 \
  X(FactorCode28, 2009, 6, 1, 0, 1, 0)                 \
  X(FactorCode29, 2015, 6, 1, 0, 1, 0)                 \
  X(FactorCode30, 2021, 4, 1, 0, 1, 0)                 \
  X(FactorCategoryIndex, 2025, 4, 31, 4, 1, 0)         \
  X(AgariFW, 2149, 4, 31, 4, 1, 0)                     \
  X(PaceFW, 2273, 4, 31, 4, 1, 0)                      \
  X(SohaFW, 2397, 4, 31, 4, 1, 0)                      \
  X(SpeedResults, 2521, 4, 20, 4, 1, 0)                \
  X(LineEnd, 2601, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_EX_FIELDS)
static_assert(jvdata::TilesExactly<kLength>(kFields), "ExRecord layout must cover 2603 bytes exactly");

// The layout under the name the dump shows; records of this layout begin with "SE", the type
// of the entry record they were built from.
inline constexpr ::radadovur::jvdata::Layout kLayout{"EX", kLength, kFields};

// Factor items 1..30; element 0 stands for "no item".
inline constexpr int kFactorItems = 30;
inline constexpr std::array<::radadovur::jvdata::Field, kFactorItems + 1> kFactorCode = {
    ::radadovur::jvdata::Field{FactorCode1.offset, 0}, FactorCode1, FactorCode2, FactorCode3, FactorCode4,
    FactorCode5, FactorCode6, FactorCode7, FactorCode8, FactorCode9, FactorCode10, FactorCode11,
    FactorCode12, FactorCode13, FactorCode14, FactorCode15, FactorCode16, FactorCode17, FactorCode18,
    FactorCode19, FactorCode20, FactorCode21, FactorCode22, FactorCode23, FactorCode24, FactorCode25,
    FactorCode26, FactorCode27, FactorCode28, FactorCode29, FactorCode30};

// Item i's code starts where item i - 1's ends; the block ends where the category indices begin.
// The widths above are the only statement of how wide each item's code is.
constexpr bool FactorCodesStandBackToBack() {
  for (int i = 2; i <= kFactorItems; ++i)
    if (kFactorCode[i].offset != kFactorCode[i - 1].offset + kFactorCode[i - 1].width) return false;
  return kFactorCode[kFactorItems].offset + kFactorCode[kFactorItems].width == FactorCategoryIndex.offset;
}
static_assert(FactorCodesStandBackToBack(), "factor codes must stand in item order without gaps");

// The factor codes of items 1..30 stand back to back in this many characters.
inline constexpr uint32_t kFactorBlockWidth = FactorCategoryIndex.offset - FactorCode1.offset;
static_assert(kFactorBlockWidth == 176);

// Elements of SpeedCodes.
inline constexpr uint32_t kObservedAgariCode = 0;
inline constexpr uint32_t kObservedPaceCode = 1;
inline constexpr uint32_t kObservedSohaCode = 2;
inline constexpr uint32_t kPredictedAgariCode = 3;
inline constexpr uint32_t kPredictedPaceCode = 4;
inline constexpr uint32_t kPredictedSohaCode = 5;
inline constexpr uint32_t kSampleCounts = 6;  // 6..10: items 6, 18, 19, 20, 21

// Elements of SpeedResults (0..5: observed and predicted speeds in SpeedCodes order).
inline constexpr uint32_t kCombinedSoha = 6;
inline constexpr uint32_t kObservedMinusCombined = 7;
inline constexpr uint32_t kPredictedMinusCombined = 8;
inline constexpr uint32_t kAgariResidual = 9;
inline constexpr uint32_t kPaceResidual = 10;
inline constexpr uint32_t kSohaResidual = 11;
inline constexpr uint32_t kPositionIndex = 12;

// The four real arrays lie together from AgariFW up to the line end.
inline constexpr bool IsRealOffset(uint32_t at) { return at >= AgariFW.offset && at < LineEnd.offset; }
static_assert(PaceFW.offset == AgariFW.offset + 31 * 4 && SohaFW.offset == PaceFW.offset + 31 * 4 &&
                  SpeedResults.offset == SohaFW.offset + 31 * 4 && LineEnd.offset == SpeedResults.offset + 20 * 4,
              "the real arrays are packed without gaps");

}  // namespace radadovur::engine::ex
