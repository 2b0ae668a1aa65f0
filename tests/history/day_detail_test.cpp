// The meeting-day detail view on hand-made day files: tier colours, rate colours, strategy
// colours, race headers, runner and hit grids, and what a missing file or a short day leaves.
#include "history/day_detail.h"

#include <gtest/gtest.h>

#include "support/history_fixture.h"
#include "support/temp_folder.h"

namespace radadovur::history {
namespace {

const std::vector<std::string> kTitle = {"2024年", "09月", "22日", "4回", "中山", "7日目"};
const std::string kItem = "2024年09月22日4回中山7日目" + std::string(18, ' ') + "20240922060407";

TEST(DayDetailTest, TierColourBoundaries) {
  struct Case {
    int column;
    long long points;
    uint32_t colour;
  };
  for (const Case& c : {Case{1, 0, kBrightWhite}, Case{1, 6, kLightYellow}, Case{1, 7, kLightCyan}, Case{1, 13, kLightRed},
                        Case{1, 19, kBrightWhite}, Case{5, 12, kLightCyan}, Case{2, 12, kLightYellow}, Case{2, 36, kLightRed},
                        Case{3, 8, kLightCyan}, Case{3, 22, kBrightWhite}, Case{4, 42, kLightYellow},
                        Case{4, 43, kLightCyan}, Case{4, 126, kLightRed}, Case{4, 127, kBrightWhite}})
    EXPECT_EQ(TierColour(c.column, c.points), c.colour) << c.column << " " << c.points;
}

TEST(DayDetailTest, AWholeDay) {
  testing::TempFolder folder("rdv_detail");
  testing::WriteMeetingDay(folder.app_path(), "20240922060407", kTitle);
  const DayDetail view = LoadDayDetail(folder.app_path(), kItem);

  // Tier hits: the title, the header, and the 的中 cells coloured by the 予人 point numbers.
  EXPECT_EQ(view.KakoSeiFG.Text(0, 4), "中山");
  EXPECT_EQ(view.KakoSeiFG.Text(1, 1), "馬連");
  EXPECT_EQ(view.KakoSeiFG.Text(2, 0), "1R 的中");
  EXPECT_EQ(view.KakoSeiFG.Text(5, 1), "3 2");
  EXPECT_EQ(view.KakoSeiFG.At(2, 1).back, kLightYellow);  // 馬連 3
  EXPECT_EQ(view.KakoSeiFG.At(2, 2).back, kLightCyan);    // 馬単 14
  EXPECT_EQ(view.KakoSeiFG.At(2, 3).back, kBrightWhite);  // no hit
  EXPECT_EQ(view.KakoSeiFG.At(46, 4).back, kLightRed);    // 3連単 90, race 12
  EXPECT_EQ(view.KakoSeiFG.column_width_twips[2], 1100);

  // Rates: 100 and 30 keep the standard colour, 100.1 and 30.1 do not.
  EXPECT_EQ(view.TekiKaiFG.Text(3, 0), "馬連");
  EXPECT_EQ(view.TekiKaiFG.At(3, 1).fore, std::nullopt);
  EXPECT_EQ(view.TekiKaiFG.At(3, 2).fore, kLightRed);
  EXPECT_EQ(view.TekiKaiFG.At(8, 4).fore, std::nullopt);
  EXPECT_EQ(view.TekiKaiFG.At(8, 5).fore, kBlue);
  EXPECT_EQ(view.TFTekiKaiFG.Text(0, 0), "券種");
  EXPECT_EQ(view.TFTekiKaiFG.At(3, 3).fore, kBlue);
  EXPECT_EQ(view.TFTekiKaiFG.At(3, 4).fore, std::nullopt);
  EXPECT_EQ(view.TFTekiKaiFG.At(6, 5).fore, std::nullopt);
  EXPECT_EQ(view.TFTekiKaiFG.At(6, 6).fore, kLightRed);

  // Strategy hits: 10000 yellow in standard text, 10010 light red text, no payout no colour.
  EXPECT_EQ(view.TanFukuFG.Text(4, 1), "10000");
  for (int row : {2, 3, 4}) EXPECT_EQ(view.TanFukuFG.At(row, 1).back, kLightYellow);
  EXPECT_EQ(view.TanFukuFG.At(4, 1).fore, std::nullopt);
  EXPECT_EQ(view.TanFukuFG.At(37, 9).fore, kLightRed);
  EXPECT_EQ(view.TanFukuFG.At(4, 2).back, std::nullopt);

  // Race tabs: header, runners with two-digit numbers and rank colours, hits by AtCode.
  EXPECT_EQ(view.Text2[0], "2024年09月22日4回中山7日目  01R レース13歳未勝利芝1600m  SD=52.3 晴良");
  const Grid& runners = view.RACEFG[0];
  EXPECT_EQ(runners.Text(0, 0), "枠・馬番");
  EXPECT_EQ(runners.Text(1, 0), "4  01");
  EXPECT_EQ(runners.Text(1, 1), "01");
  EXPECT_EQ(runners.At(1, 1).back, kLightYellow);
  EXPECT_EQ(runners.Text(1, 3), "02");
  EXPECT_EQ(runners.At(1, 3).back, kLightCyan);
  EXPECT_EQ(runners.Text(7, 0), "4  07");
  EXPECT_EQ(runners.At(7, 1).back, kBrightWhite);
  EXPECT_EQ(runners.Text(16, 6), "ホース16");
  EXPECT_EQ(runners.Text(17, 0), "");
  const Grid& hits = view.TKFG[11];
  EXPECT_EQ(hits.Text(2, 0), "ワイド1");
  EXPECT_EQ(hits.Text(2, 3), "400");
  EXPECT_EQ(hits.Text(3, 3), "10001");  // AtCode 3: ワイド2
  EXPECT_EQ(hits.Text(4, 1), "");
  EXPECT_FALSE(view.Text1.empty());
}

TEST(DayDetailTest, ADayOfElevenRacesLeavesTheRestEmpty) {
  testing::TempFolder folder("rdv_detail");
  testing::WriteMeetingDay(folder.app_path(), "20240922060407", kTitle, 11);
  const DayDetail view = LoadDayDetail(folder.app_path(), kItem);
  EXPECT_EQ(view.Text2[11], "2024年09月22日4回中山7日目  ");
  EXPECT_EQ(view.RACEFG[11].Text(1, 0), "");
  EXPECT_EQ(view.TKFG[11].Text(1, 0), "馬連");
  for (int row = 46; row <= 49; ++row) EXPECT_EQ(view.KakoSeiFG.Text(row, 0), "") << row;
  for (int row = 35; row <= 37; ++row)
    for (int c = 0; c < 12; ++c) {
      EXPECT_EQ(view.TanFukuFG.Text(row, c), "") << row << "," << c;
      EXPECT_EQ(view.TanFukuFG.At(row, c).back, std::nullopt);
    }
}

TEST(DayDetailTest, MissingFilesGiveEmptyUncolouredCells) {
  testing::TempFolder folder("rdv_detail");
  const DayDetail view = LoadDayDetail(folder.app_path(), kItem);
  EXPECT_EQ(view.KakoSeiFG.Text(0, 0), "");
  EXPECT_EQ(view.KakoSeiFG.At(2, 1).back, kBrightWhite);
  for (int row = 0; row < 9; ++row)
    for (int c = 0; c < 7; ++c) {
      EXPECT_EQ(view.TekiKaiFG.Text(row, c), "");
      EXPECT_EQ(view.TekiKaiFG.At(row, c).fore, std::nullopt);
    }
  EXPECT_EQ(view.TanFukuFG.At(4, 1).back, std::nullopt);
  EXPECT_EQ(view.Text2[0], "2024年09月22日4回中山7日目  ");
  EXPECT_EQ(view.RACEFG[0].Text(0, 13), "実上3F");
}

}  // namespace
}  // namespace radadovur::history
