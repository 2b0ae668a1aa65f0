#include <gtest/gtest.h>

#include "common/keys.h"

TEST(Keys, KeysAreConcatenatedRaceIdFields) {
  //                 spec cat created   year mmdd vc ka ni rn
  std::string r = std::string("RA") + "7" + "20240801" + "2024" + "0805" + "05" + "03" + "06" + "12";
  r.resize(40, ' ');
  EXPECT_EQ(radadovur::RaceKey(r), "202408050512");
  EXPECT_EQ(radadovur::MeetingDayKey(r), "20240805050306");
  EXPECT_EQ(radadovur::RaceDate(r), "20240805");
  EXPECT_EQ(radadovur::RaceIdOf(r), "2024080505030612");
}
