// The payout grid: which entries show, in which columns, and how each bet's combination reads.
#include "viewer/payout_grid.h"

#include <gtest/gtest.h>

#include "viewer/viewer_fixture.h"

namespace radadovur::viewer {
namespace {

namespace hr = jvdata::hr;
using testing::PayoutRecord;

TEST(PayoutGrid, HeadingsAndBetNames) {
  Grid grid = MakePayoutGrid();
  grid.Set(9, 5, "kept");
  grid.Set(3, 21, "old");
  LayOutPayoutGrid(grid);
  EXPECT_EQ(grid.column_width[1], 1200);
  EXPECT_EQ(grid.Text(0, 0), "券種");
  EXPECT_EQ(grid.Text(0, 13), "当り目");
  EXPECT_EQ(grid.Text(0, 14), "配当(円)");
  EXPECT_EQ(grid.Text(0, 15), "人気");
  EXPECT_EQ(grid.Text(0, 16), "");
  const char* names[] = {"単勝", "複勝", "枠連", "馬連", "ワイド", "馬単", "３連複", "３連単"};
  for (int r = 1; r <= 8; ++r) EXPECT_EQ(grid.Text(r, 0), names[r - 1]);
  EXPECT_EQ(grid.Text(3, 21), "");
  EXPECT_EQ(grid.Text(9, 5), "kept");  // row 9 is never written
}

TEST(PayoutGrid, ShownEntriesKeepTheirColumns) {
  const std::string record = PayoutRecord(
      "202409220611",
      {// 単勝: a dead heat fills two entries; a stored payout beside horse 00 is not shown.
       {hr::TanshoPayouts_Combination, "07", 0}, {hr::TanshoPayouts_Payout, "000000230", 0},
       {hr::TanshoPayouts_Popularity, "01", 0}, {hr::TanshoPayouts_Combination, "12", 1},
       {hr::TanshoPayouts_Combination, "00", 2}, {hr::TanshoPayouts_Payout, "000000999", 2},
       // 複勝 entries 4 and 5 of a dead heat.
       {hr::FukushoPayouts_Combination, "03", 3}, {hr::FukushoPayouts_Payout, "000000110", 3},
       {hr::FukushoPayouts_Combination, "09", 4}, {hr::FukushoPayouts_Payout, "000000150", 4},
       {hr::FukushoPayouts_Popularity, "05", 4},
       {hr::WakurenPayouts_Combination, "18", 0}, {hr::WakurenPayouts_Payout, "000001230", 0},
       // 馬連: nine zeros hide an entry that has a combination.
       {hr::UmarenPayouts_Combination, "0307", 0}, {hr::UmarenPayouts_Payout, "000000000", 0},
       {hr::UmarenPayouts_Combination, "0309", 1}, {hr::UmarenPayouts_Payout, "000004560", 1},
       {hr::UmarenPayouts_Popularity, "012", 1},
       {hr::WidePayouts_Combination, "0307", 5}, {hr::WidePayouts_Payout, "000000500", 5},
       {hr::WidePayouts_Combination, "0709", 6}, {hr::WidePayouts_Payout, "000000600", 6},
       {hr::WidePayouts_Popularity, "007", 6},
       {hr::UmatanPayouts_Combination, "0703", 0}, {hr::UmatanPayouts_Payout, "000001000", 0},
       {hr::SanrenpukuPayouts_Combination, "010512", 0}, {hr::SanrenpukuPayouts_Payout, "000012345", 0},
       {hr::SanrentanPayouts_Combination, "070312", 0}, {hr::SanrentanPayouts_Payout, "001234560", 0},
       {hr::SanrentanPayouts_Popularity, "0123", 0}});
  Grid grid = MakePayoutGrid();
  LayOutPayoutGrid(grid);
  FillPayoutGrid(record, grid);

  struct Case {
    int row, column;
    const char* text;
  };
  const Case cases[] = {
      {1, 1, "07"}, {1, 2, "230"}, {1, 3, "1"},  // 07 keeps its zero; 001 reads 1
      {1, 4, "12"}, {1, 5, "0"}, {1, 6, "0"},    // a shown entry with blank payout and popularity
      {1, 7, ""}, {1, 8, ""}, {1, 9, ""},        // horse 00 with a payout stored
      {2, 1, ""}, {2, 10, "03"}, {2, 11, "110"}, {2, 13, "09"}, {2, 14, "150"}, {2, 15, "5"},
      {3, 1, "1-8"}, {3, 2, "1230"},
      {4, 1, ""}, {4, 2, ""}, {4, 3, ""}, {4, 4, "03-09"}, {4, 5, "4560"}, {4, 6, "12"},
      {5, 16, "03-07"}, {5, 17, "500"}, {5, 19, "07-09"}, {5, 20, "600"}, {5, 21, "7"},
      {6, 1, "07→03"}, {6, 2, "1000"},
      {7, 1, "01-05-12"}, {7, 2, "12345"},
      {8, 1, "07→03→12"}, {8, 2, "1234560"}, {8, 3, "123"}, {8, 4, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(grid.Text(c.row, c.column), c.text) << c.row << "," << c.column;

  // The next race without payouts: headings and bet names over empty cells.
  LayOutPayoutGrid(grid);
  for (int r = 1; r <= 8; ++r)
    for (int c = 1; c < kPayoutColumns; ++c) EXPECT_EQ(grid.Text(r, c), "") << r << "," << c;
}

}  // namespace
}  // namespace radadovur::viewer
