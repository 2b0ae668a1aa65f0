// Offsets that later steps rely on, checked against the named layout constants.
#include <gtest/gtest.h>

#include "jvdata/layout_hr.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"

namespace radadovur {
namespace {

TEST(Layout, OffsetsOfTheFieldsOthersReadDirectly) {
  struct Case {
    const char* what;
    uint32_t actual;
    uint32_t expected;
  } cases[] = {
      {"RA TrackCode", jvdata::ra::TrackCode.offset, 705},
      {"RA TenkoCode", jvdata::ra::TenkoCode.offset, 887},
      {"RA CornerPassing[3].PassingOrder", jvdata::ra::CornerPassing_PassingOrder.At(3), 1199},
      {"RA LineEnd", jvdata::ra::LineEnd.offset, 1270},
      {"SE KettoNum", jvdata::se::KettoNum.offset, 30},
      {"SE PlacedHorses[2].HorseName", jvdata::se::PlacedHorses_HorseName.At(2), 495},
      {"SE TimeDiff", jvdata::se::TimeDiff.offset, 531},
      {"HR Umaren[1].Combination", jvdata::hr::UmarenPayouts_Combination.At(1), 261},
      {"HR Umaren[2] end", jvdata::hr::UmarenPayouts_Popularity.At(2) + 3, 293},
      {"HR Sanrentan[5].Popularity", jvdata::hr::SanrentanPayouts_Popularity.At(5), 713},
      {"UM dam BreedingNum", jvdata::um::Pedigree_BreedingNum.At(1), 250},
      {"UM dam AncestorName", jvdata::um::Pedigree_AncestorName.At(1), 260},
      {"UM entry 13 AncestorName", jvdata::um::Pedigree_AncestorName.At(13), 812},
      {"UM DamNum", jvdata::um::DamNum.offset, 250},
      {"UM DistancePlaces[5][5]", jvdata::um::DistancePlaces.At(5, 5), 1589},
      {"KS delivered block 2 SetYear", jvdata::ks::YearRecords_SetYear.At(2), 3119},
      {"KS stored block 2 SetYear", jvdata::ks_stored::YearRecords_SetYear.At(2), 3111},
      {"KS stored block 0 FlatPrizeTotal", jvdata::ks_stored::YearRecords_FlatPrizeTotal.At(0), 1019},
      {"KS stored block 0 HurdlePrizeTotal", jvdata::ks_stored::YearRecords_HurdlePrizeTotal.At(0), 1028},
      {"KS stored LineEnd", jvdata::ks_stored::LineEnd.offset, 4159},
      {"O2 entry 152", jvdata::odds::kQuinella.Combination().At(152), 2016},
      {"O6 entry 4895", jvdata::odds::kTrifecta.Combination().At(4895), 83255},
      {"O1 TotalVotes", jvdata::o1::TotalVotes.offset, 927},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

}  // namespace
}  // namespace radadovur
