// The ticket grids: rows from the ticket sort files, odds from the matrices, tier labels and
// note, and the hit colours and texts of each bet kind.
#include "viewer/ticket_grids.h"

#include <gtest/gtest.h>

#include "viewer/viewer_fixture.h"

namespace radadovur::viewer {
namespace {

namespace hr = jvdata::hr;
using testing::AllTickets;
using testing::PayoutRecord;

const std::string kKey = "202409220611";

class TicketGridsTest : public ::testing::Test {
 protected:
  void WriteRace(int n) {
    folder.Tickets(kKey, "UMARENSORT.dat", "Umaren", AllTickets(n, 2));
    folder.Tickets(kKey, "UMATANSORT.dat", "Umatan", AllTickets(n, 2));
    folder.Tickets(kKey, "SANRENSORT.dat", "Sanrenpuke", AllTickets(n, 3));
    folder.Tickets(kKey, "SANRENTANSORT.dat", "sanrentan", AllTickets(n, 3));
  }
  void Fill(const std::string& payout, int field_size = 10) {
    FillTicketGrids(folder.app(), kKey, payout, field_size, grids, state);
  }
  const Grid& At(TicketKind kind) const { return grids.grids[static_cast<size_t>(kind)]; }

  testing::ViewerFolder folder;
  TicketGrids grids;
  results::ResultsWindowState state;
};

TEST_F(TicketGridsTest, TenRunnersFillTheirRowsUnderTheTierLabels) {
  WriteRace(10);
  folder.Matrix(kKey, "UMARENODDS.dat", 2, {{1 * 19 + 2, "12.3"}});
  folder.Matrix(kKey, "UMATANODDS.dat", 2, {{1 * 19 + 2, "1234.5"}, {2 * 19 + 1, "5"}});
  folder.Matrix(kKey, "SANRENODDS.dat", 3, {{1 * 361 + 2 * 19 + 3, "88.8"}});
  // No 3連単 matrix: every odds cell of that grid reads 0.
  Fill("");

  EXPECT_EQ(At(kUmaren).Text(0, 0), "馬連");
  EXPECT_EQ(At(kUmatan).Text(0, 3), "逆順オッズ");
  EXPECT_EQ(At(kSantan).Text(0, 7), "第6順Odds");
  EXPECT_EQ(At(kUmatan).column_width[1], 1500);
  EXPECT_EQ(At(kUmaren).Text(1, 1), "01-02");
  EXPECT_EQ(At(kUmaren).Text(1, 2), "12.3");
  EXPECT_EQ(At(kUmaren).Text(2, 2), "0");
  EXPECT_EQ(At(kUmatan).Text(1, 1), "01→02");
  EXPECT_EQ(At(kUmatan).Text(1, 2), "1234.5");
  EXPECT_EQ(At(kUmatan).Text(1, 3), "5");
  EXPECT_EQ(At(kSanren).Text(1, 1), "01-02-03");
  EXPECT_EQ(At(kSanren).Text(1, 2), "88.8");
  EXPECT_EQ(At(kSantan).Text(1, 1), "01→02→03");
  for (int c = 2; c <= 7; ++c) EXPECT_EQ(At(kSantan).Text(120, c), "0");

  // 45 pairs and 120 triples; the rows after them are empty and white.
  EXPECT_EQ(At(kUmaren).Text(45, 1), "09-10");
  EXPECT_EQ(At(kUmaren).Text(46, 1), "");
  EXPECT_EQ(At(kSantan).Text(120, 1), "08→09→10");
  EXPECT_EQ(At(kSantan).Text(121, 1), "");
  EXPECT_EQ(At(kSantan).Text(121, 2), "");

  // Tier labels and the note stand in column 0 of the first rows.
  EXPECT_EQ(At(kUmaren).Text(1, 0), "本線　1 点目");
  EXPECT_EQ(At(kUmatan).Text(9, 0), "準本線 3 点目");
  EXPECT_EQ(At(kUmaren).Text(18, 0), "伏兵　6 点目");
  EXPECT_EQ(At(kUmaren).Text(21, 0), "るには本線の");
  EXPECT_EQ(At(kUmaren).Text(23, 0), "");
  EXPECT_EQ(At(kSanren).Text(9, 0), "準本線 2 点目");
  EXPECT_EQ(At(kSanren).Text(15, 0), "伏兵　1 点目");
  EXPECT_EQ(At(kSantan).Text(24, 0), "るのは本線の");
  EXPECT_EQ(At(kSantan).Text(25, 0), "みです。");

  // The lists are left with the race's capacities and no tickets.
  EXPECT_EQ(state.UmarenKaime.size(), 46u);
  EXPECT_EQ(state.SanrentanKaime.size(), 121u);
  EXPECT_EQ(state.UmarenKaime[1], "");
  EXPECT_EQ(state.TrioHorseA + state.TrioHorseB + state.TrioHorseC, "080910");
}

TEST_F(TicketGridsTest, EighteenRunnersFillEveryRow) {
  WriteRace(18);
  Fill("", 18);
  EXPECT_EQ(At(kUmaren).Text(153, 1), "17-18");
  EXPECT_EQ(At(kUmatan).Text(153, 1), "17→18");
  EXPECT_EQ(At(kSanren).Text(816, 1), "16-17-18");
  EXPECT_EQ(At(kSantan).Text(816, 1), "16→17→18");
}

TEST_F(TicketGridsTest, AFieldSizeBelowTheTicketsStillShowsThemAll) {
  WriteRace(5);
  Fill("", 0);
  EXPECT_EQ(At(kUmaren).Text(10, 1), "04-05");
  EXPECT_EQ(At(kSanren).Text(10, 1), "03-04-05");
}

TEST_F(TicketGridsTest, HitsOfEachBetKind) {
  folder.Tickets(kKey, "UMARENSORT.dat", "Umaren", {"0307", "0109", "0204"});
  folder.Tickets(kKey, "UMATANSORT.dat", "Umatan", {"0502", "0307", "0906"});
  folder.Tickets(kKey, "SANRENSORT.dat", "Sanrenpuke", {"010509", "020304"});
  folder.Tickets(kKey, "SANRENTANSORT.dat", "sanrentan", {"010509", "030102", "040506"});
  const std::string payout = PayoutRecord(
      kKey, {{hr::UmarenPayouts_Combination, "0307", 0},     {hr::WidePayouts_Combination, "0307", 0},
             {hr::WidePayouts_Combination, "0109", 2},       {hr::UmatanPayouts_Combination, "0205", 0},
             {hr::UmatanPayouts_Combination, "0906", 4},     // a dead heat's fifth entry
             {hr::SanrenpukuPayouts_Combination, "010509", 0}, {hr::SanrentanPayouts_Combination, "090105", 0},
             {hr::SanrentanPayouts_Combination, "030102", 1}});
  Fill(payout);

  struct Case {
    TicketKind kind;
    int row;
    const char* text;  // column 1
    std::vector<std::pair<int, Colour>> colours;  // columns 1.. in order
  };
  const Colour W = Colour::kWhite, G = Colour::kLightGreen, Y = Colour::kLightYellow, M = Colour::kLightMagenta;
  const Case cases[] = {
      {kUmaren, 1, "03-07", {{1, G}, {2, G}}},  // 馬連 and ワイド: green wins
      {kUmaren, 2, "01-09", {{1, Y}, {2, Y}}},  // ワイド only
      {kUmaren, 3, "02-04", {{1, W}, {2, W}}},
      {kUmatan, 1, "　　逆順　　05→02", {{1, M}, {2, W}, {3, M}}},
      {kUmatan, 2, "03→07", {{1, W}, {2, W}, {3, W}}},
      {kUmatan, 3, "　　正順　　09→06", {{1, G}, {2, G}, {3, W}}},
      {kSanren, 1, "01-05-09", {{1, G}, {2, G}}},
      {kSanren, 2, "02-03-04", {{1, W}, {2, W}}},
      {kSantan, 1, " 第5順01→05→09", {{1, M}, {2, W}, {5, W}, {6, M}, {7, W}}},  // finish 9, 1, 5: C A B
      {kSantan, 2, " 第1順03→01→02", {{1, G}, {2, G}, {3, W}}},
      {kSantan, 3, "04→05→06", {{1, W}, {2, W}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(At(c.kind).Text(c.row, 1), c.text) << At(c.kind).name << " row " << c.row;
    for (const auto& [column, colour] : c.colours)
      EXPECT_EQ(At(c.kind).ColourAt(c.row, column), colour) << At(c.kind).name << " row " << c.row << " column " << column;
  }

  // The same payouts of another race mark nothing; a call without a payout record neither.
  const std::string other = PayoutRecord("202409220612", {{hr::UmarenPayouts_Combination, "0307", 0},
                                                          {hr::SanrentanPayouts_Combination, "090105", 0}});
  for (const std::string& p : {other, std::string()}) {
    Fill(p);
    EXPECT_EQ(At(kUmaren).ColourAt(1, 1), W);
    EXPECT_EQ(At(kSantan).Text(1, 1), "01→05→09");
    EXPECT_EQ(At(kSantan).ColourAt(1, 6), W);
  }
}

TEST_F(TicketGridsTest, MissingFilesLeaveLabelsAndEmptyRows) {
  Grid& umaren = grids.grids[kUmaren];
  umaren.Set(1, 1, "old");
  umaren.Paint(1, 1, Colour::kLightGreen);
  Fill("");
  EXPECT_EQ(umaren.Text(1, 1), "");
  EXPECT_EQ(umaren.ColourAt(1, 1), Colour::kWhite);
  EXPECT_EQ(umaren.Text(1, 0), "本線　1 点目");
  EXPECT_EQ(umaren.Text(0, 2), "実オッズ");

  // A ticket text that is not horse numbers shows no odds; a short matrix file reads 0 after its end.
  folder.Tickets(kKey, "UMARENSORT.dat", "Umaren", {"01xx", "0102"});
  folder.Write("KAIME/" + kKey + "UMARENODDS.dat", "1\r\n2\r\n");
  Fill("");
  EXPECT_EQ(umaren.Text(1, 1), "01-xx");
  EXPECT_EQ(umaren.Text(1, 2), "");
  EXPECT_EQ(umaren.Text(2, 2), "0");
}

}  // namespace
}  // namespace radadovur::viewer
