#include "documents/race_card.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/cp932.h"
#include "common/text_file.h"
#include "documents/document_writers.h"
#include "documents/hand_made_week.h"
#include "documents/race_card_hits.h"
#include "support/temp_folder.h"

namespace radadovur::documents {
namespace {

namespace hr = jvdata::hr;
using hand_made::FileOf;
using hand_made::Week;
using results::ResultsWindowState;

// Race 01's payouts with a 3連単 result: 2→1→3 is order 2 of its base triple 02 03 01.
void WithTrifecta(Week& week) {
  week.s.CurrentPayoutRecord.replace(hr::SanrentanPayouts_Combination.At(0), 6, "020103");
  week.s.CurrentPayoutRecord.replace(hr::SanrentanPayouts_Payout.At(0), 9, "000012340");
}

TEST(RaceCardTest, AMeetingDayByteForByte) {
  testing::TempFolder folder("rdv_mmk");
  std::filesystem::create_directories(folder.path() + "/SHUTSUBAHYO");
  const std::string day = folder.app_path() + "SHUTSUBAHYO/20240922060404";
  ASSERT_TRUE(common::WriteFileAtomic(day + "mmk.txt", "an earlier pass\r\n").ok());

  const std::string head = FileOf({R"("DY","1","20240922")", R"("PL","1","4","中山","4","11")"});
  const std::string k_short = FileOf({R"("K2","1","  -  ","  -  ","  -  ","  -  ","  -  ","  -  ")",
                                      R"("K3","1","  -  ","  -  ","  -  ","  -  ","  -  ","  -  ")"});
  const std::string s_short =
      FileOf({R"("S2","1","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ")",
              R"("S3","1","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ")"});
  const std::string k01 = FileOf({R"("K1","1"," 2- 3"," 2- 1"," 3- 1","  -  ","  -  ","  -  ")"}) + k_short;
  const std::string k02 = FileOf({R"("K1","1"," 4- 1"," 4- 3"," 1- 3"," 4- 2"," 1- 2"," 3- 2")"}) + k_short;

  // Before the results: mmk.txt, its triples in predicted order.
  {
    Week week;
    DocumentWriters writers(std::make_unique<results::NoRaceWriters>());
    week.Race01();
    ASSERT_TRUE(writers.WriteShutsubahyoDocument(folder.app_path(), week.s).ok());
    week.Race02();
    ASSERT_TRUE(writers.WriteShutsubahyoDocument(folder.app_path(), week.s).ok());
    const std::string expected =
        head + FileOf({R"("RC","1","1000","01","","サラ系２歳","未勝利","","芝右","1200"," 5","晴良")"}) + k01 +
        FileOf({
            R"("HS","1","1"," 1"," 3","牡"," 3","サンプルホースアル","55.0","A","","A","","騎手太郎","1.35.20","1008")",
            R"("HS","2","2"," 2"," 1","牡"," 3","ベータ2","55.0","","","","","騎手太郎","1.35.20"," 998")",
            R"("HS","3","3"," 3"," 2","牡"," 3","ベータ3","55.0","","","","","騎手太郎","1.35.20","1016")",
            R"("S1","1"," 2- 3- 1","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ")",
        }) +
        s_short +
        FileOf({R"("RC","2","1030","02","テスト特別","障害４歳以上","オープン","","障芝","3000","12","晴良")"}) + k02 +
        FileOf({
            R"("HS","1","1"," 1"," 2","牡"," 3","サンプルホースアル","55.0","A","","A","","騎手太郎","1.35.20","1008")",
            R"("HS","2","2"," 2"," 4","牡"," 3","ベータ2","55.0","","","","","騎手太郎","1.35.20"," 998")",
            R"("HS","3","3"," 3"," 3","牡"," 3","ベータ3","55.0","","","","","騎手太郎","1.35.20","1016")",
            R"("HS","4","4"," 4"," 1","牡"," 3","ベータ4","55.0","","","","","騎手太郎","1.35.20"," 966")",
            R"("S1","1"," 4- 1- 3"," 4- 1- 2"," 4- 3- 2"," 1- 3- 2","  -  -  ","  -  -  ","  -  -  ")",
        }) +
        s_short;
    EXPECT_EQ(common::ReadWholeFile(day + "mmk.txt").value_or(""), expected);
  }

  // Once the results are final: mmkRCM.txt, with race 01's payouts and hits; race 02's payout
  // record is race 03's, so it has none, and its triples are the 3連複 tickets.
  Week week;
  week.s.ResultsFinal = 1;
  DocumentWriters writers(std::make_unique<results::NoRaceWriters>());
  week.Race01();
  WithTrifecta(week);
  ASSERT_TRUE(writers.WriteShutsubahyoDocument(folder.app_path(), week.s).ok());
  week.Race02();
  ASSERT_TRUE(writers.WriteShutsubahyoDocument(folder.app_path(), week.s).ok());
  const std::string expected =
      head + FileOf({R"("RC","1","1000","01","","サラ系２歳","未勝利","","芝右","1200"," 5","晴良","")"}) + k01 +
      FileOf({
          R"("KK","1"," 2","250","",""," 2","110"," 1","130","","","","","","","",""," 1- 2","350","",""," 1- 2","120"," 1- 3","200"," 2- 3","150","","","","")",
          R"("KS","1"," 2- 1","560","","","","","","","","","",""," 1- 2- 3","400","","","","")",
          R"("AT","1","1","本線2 的中"," 1- 2","350")",
          R"("AT","2","2","本線1 的中"," 2- 3","150")",
          R"("AT","3","3","本線2 的中"," 1- 2","120")",
          R"("AT","4","4","本線3 的中"," 1- 3","200")",
          R"("AT","5","5","本線正順的中"," 2- 1","560")",
          R"("AT","6","6","本線1 的中"," 1- 2- 3","400")",
          R"("CM","1","本線1第2順的中 2- 1- 3 12340円")",
          R"("HS","1","1"," 1"," 3"," 1","牡"," 3","サンプルホースアル","55.0","A","","A","","騎手太郎","1.35.20","1.35.4","1008"," 999")",
          R"("HS","2","2"," 2"," 1"," 2","牡"," 3","ベータ2","55.0","","","","","騎手太郎","1.35.20","1.35.4"," 998"," 999")",
          R"("HS","3","3"," 3"," 2"," 3","牡"," 3","ベータ3","55.0","","","","","騎手太郎","1.35.20","1.35.4","1016"," 999")",
          R"("S1","1"," 1- 2- 3","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ","  -  -  ")",
      }) +
      s_short +
      FileOf({R"("RC","2","1030","02","テスト特別","障害４歳以上","オープン","","障芝","3000","12","晴良","")"}) + k02 +
      FileOf({
          R"("HS","1","1"," 1"," 2"," 1","牡"," 3","サンプルホースアル","55.0","A","","A","","騎手太郎","1.35.20","1.35.4","1008"," 999")",
          R"("HS","2","2"," 2"," 4"," 2","牡"," 3","ベータ2","55.0","","","","","騎手太郎","1.35.20","1.35.4"," 998"," 999")",
          R"("HS","3","3"," 3"," 3"," 3","牡"," 3","ベータ3","55.0","","","","","騎手太郎","1.35.20","1.35.4","1016"," 999")",
          R"("HS","4","4"," 4"," 1"," 4","牡"," 3","ベータ4","55.0","","","","","騎手太郎","1.35.20","1.35.4"," 966"," 999")",
          R"("S1","1"," 1- 3- 4"," 1- 2- 4"," 2- 3- 4"," 1- 2- 3","  -  -  ","  -  -  ","  -  -  ")",
      }) +
      s_short;
  EXPECT_EQ(common::ReadWholeFile(day + "mmkRCM.txt").value_or(""), expected);
}

TEST(RaceCardTest, SpeedFigures) {
  const std::pair<float, const char*> cases[] = {
      {60.5f, "1008"}, {59.9f, " 998"}, {0.0f, " 0"}, {700.0f, "1666"}, {6.0f, " 99"},
      // speeds of a damaged expanded record: no number, or none a whole number holds
      {4.0e30f, " 0"}, {-4.0e30f, " 0"}, {NAN, " 0"}, {INFINITY, " 0"}};
  for (const auto& [kmh, figure] : cases) EXPECT_EQ(SpeedFigure(kmh), figure) << kmh;
}

// A race with `pairs` pair and `triples` triple tickets ("aabb" / "aabbcc" from horse numbers).
ResultsWindowState RaceWithTickets(const std::string& registered, int pairs, int triples) {
  ResultsWindowState s;
  s.RaceTable.resize(2);
  s.RaceIndex = 1;
  s.CurrentRunnerRecord = Week::RunnerRecord("2024092206040401", "17", registered);
  s.PairCount = pairs;
  s.TripleCount = triples;
  s.UmarenKaime.assign(1, "");
  s.SanrenpukuKaime.assign(1, "");
  for (int p = 1; p <= pairs; ++p) s.UmarenKaime.push_back("01" + std::string(p + 1 < 10 ? "0" : "") + std::to_string(p + 1));
  for (int p = 1; p <= triples; ++p)
    s.SanrenpukuKaime.push_back("0102" + std::string(p + 2 < 10 ? "0" : "") + std::to_string(p + 2));
  s.UmatanKaime = s.UmarenKaime;
  s.SanrentanKaime = s.SanrenpukuKaime;
  return s;
}

// Tickets (not placeholders) on each of the lines K1-K3 or S1-S3 of a block.
std::vector<int> TicketsPerLine(const std::string& block, char tag, size_t items, std::string_view placeholder) {
  std::vector<int> out;
  for (int t = 1; t <= 3; ++t) {
    const std::string start = "\"" + std::string(1, tag) + std::to_string(t) + "\",\"1\"";
    const size_t at = block.find(start);
    if (at == std::string::npos) return {};
    const std::string line = block.substr(at, block.find("\r\n", at) - at);
    int placeholders = 0;
    for (size_t p = line.find(placeholder); p != std::string::npos; p = line.find(placeholder, p + 1)) ++placeholders;
    out.push_back(static_cast<int>(items) - placeholders);
  }
  return out;
}

TEST(RaceCardTest, TicketLinesByTheRegisteredCount) {
  struct Case {
    const char* registered;
    int pairs, triples;  // tickets of the race's lists
    std::vector<int> k, s;
  };
  const Case cases[] = {
      {"05", 10, 10, {6, 0, 0}, {7, 0, 0}},
      {"04", 6, 4, {6, 0, 0}, {4, 0, 0}},
      {"00", 30, 30, {6, 0, 0}, {4, 0, 0}},
      {"06", 15, 20, {6, 6, 0}, {7, 7, 0}},
      {"16", 120, 560, {6, 6, 6}, {7, 7, 7}},
      {"  ", 30, 30, {6, 6, 6}, {7, 7, 7}},  // blank and one-digit counts compare below "00"
      {"7", 30, 30, {6, 6, 6}, {7, 7, 7}},
      {"16", 3, 1, {3, 0, 0}, {1, 0, 0}},   // fewer runners than registered: placeholders
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.registered + "\" with " + std::to_string(c.pairs) + " pairs");
    ResultsWindowState s = RaceWithTickets(c.registered, c.pairs, c.triples);
    common::StepFailures failures;
    const std::string block = ShutsubahyoRaceBlock(s, failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(TicketsPerLine(block, 'K', 6, "\"  -  \""), c.k);
    EXPECT_EQ(TicketsPerLine(block, 'S', 7, "\"  -  -  \""), c.s);
  }
}

TEST(RaceCardTest, SanrenpukuTop7HoldsTheBestSevenTrioTickets) {
  testing::TempFolder folder("rdv_mmk");
  std::filesystem::create_directories(folder.path() + "/SHUTSUBAHYO");
  ShutsubahyoDocumentWriter writer;
  common::StepFailures failures;  // the runners have no texts: their HS lines fail
  // A full field in either mode: positions 1 to 7, never the 伏兵 tier's.
  for (int16_t final : {0, 1}) {
    ResultsWindowState s = RaceWithTickets("16", 120, 560);
    s.RunnerCount = 16;
    s.ResultsFinal = final;
    writer.Write(folder.app_path(), s, failures);
    EXPECT_EQ(s.SanrenpukuTop7[0], "010203");
    EXPECT_EQ(s.SanrenpukuTop7[6], "010209");
    // Then a field of four: its four tickets, and no earlier race's in slots 5 to 7.
    ResultsWindowState small = RaceWithTickets("04", 6, 4);
    small.RunnerCount = 4;
    small.ResultsFinal = final;
    small.SanrenpukuTop7 = s.SanrenpukuTop7;
    writer.Write(folder.app_path(), small, failures);
    EXPECT_EQ(small.SanrenpukuTop7, (std::array<std::string, 7>{"010203", "010204", "010205", "010206", "", "", ""}));
  }
}

// A race whose only tickets are those a case puts at a position, with its own payout record.
struct HitRace {
  HitRace() {
    s.PairCount = 30;
    s.TripleCount = 40;
    s.UmarenKaime.assign(31, "9099");
    s.UmatanKaime.assign(31, "9099");
    s.SanrenpukuKaime.assign(41, "909999");
    s.SanrentanKaime.assign(41, "909999");
  }
  void Pay(const jvdata::Field& c, const jvdata::Field& p, uint32_t i, std::string comb, std::string yen) {
    payouts.push_back({c, std::move(comb), i});
    payouts.push_back({p, std::move(yen), i});
  }
  void Trifecta(uint32_t i, std::string comb, std::string yen = "000123450") {
    Pay(hr::SanrentanPayouts_Combination, hr::SanrentanPayouts_Payout, i, std::move(comb), std::move(yen));
  }
  std::vector<std::string> Lines(std::string (*write)(const ResultsWindowState&, common::StepFailures&),
                                 const char* tag) {
    s.CurrentPayoutRecord = testing::MakeRecord(jvdata::RecordType::HR, payouts);
    std::vector<std::string> out;
    const std::string text = common::DecodeCp932Lossy(write(s, failures));
    for (size_t at = 0; at < text.size();) {
      const size_t end = text.find("\r\n", at);
      const std::string line = text.substr(at, end - at);
      if (line.rfind(std::string("\"") + tag + "\"", 0) == 0) out.push_back(line);
      at = end + 2;
    }
    return out;
  }
  ResultsWindowState s;
  std::vector<testing::FieldValue> payouts;
  common::StepFailures failures;
};

TEST(RaceCardTest, TrifectaHitLines) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, const char*>> tickets;  // base triples at positions
    std::vector<const char*> entries;                  // 3連単 combinations, entry 1 first
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"entry 1 without a result", {{3, "030712"}}, {"000000", "030712"}, {}},
      {"a blank entry 1: no result either", {{3, "030712"}}, {"      "}, {}},
      {"the winner at position 3 in order 1", {{3, "030712"}}, {"030712"},
       {R"("CM","1","本線3第1順的中 3- 7-12 123450円")"}},
      {"order 3 at position 5", {{5, "030712"}}, {"070312"}, {R"("CM","1","本線5第3順的中 7- 3-12 123450円")"}},
      {"order 3 at position 10", {{10, "030712"}}, {"070312"}, {R"("CM","1","準本線3第3順 的中 7- 3-12 123450円")"}},
      {"order 6 at position 9", {{9, "030712"}}, {"120703"}, {R"("CM","1","準本線2第6順 的中12- 7- 3 123450円")"}},
      {"order 5 at position 9", {{9, "030712"}}, {"120307"}, {R"("CM","1","準本線2第5順 的中12- 3- 7 123450円")"}},
      {"order 1 at position 15 keeps its blank", {{15, "030712"}}, {"030712"},
       {R"("CM","1","伏兵1第1順的中  3- 7-12 123450円")"}},
      {"a dead heat: by position, then entry", {{4, "010203"}, {2, "010302"}}, {"010203", "010302"},
       {R"("CM","1","本線2第2順的中 1- 2- 3 123450円")", R"("CM","1","本線2第1順的中 1- 3- 2 123450円")",
        R"("CM","1","本線4第1順的中 1- 2- 3 123450円")", R"("CM","1","本線4第2順的中 1- 3- 2 123450円")"}},
      {"entry 2 ends the comparison", {{2, "010203"}}, {"040506", "000000", "010203"},
       {R"("CM","1"," 4- 5- 6 123450円")"}},
      {"no match anywhere", {}, {"040506"}, {R"("CM","1"," 4- 5- 6 123450円")"}},
      {"the only match at position 30", {{30, "040506"}}, {"040506"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HitRace race;
    for (const auto& [p, triple] : c.tickets) race.s.SanrentanKaime[p] = triple;
    for (size_t i = 0; i < c.entries.size(); ++i) race.Trifecta(static_cast<uint32_t>(i), c.entries[i]);
    EXPECT_EQ(race.Lines(TrifectaHitLines, "CM"), c.lines);
    EXPECT_TRUE(race.failures.empty());
  }
}

TEST(RaceCardTest, PayoutAndHitLines) {
  struct Case {
    const char* name;
    std::function<void(HitRace&)> setup;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"馬連 at position 9",
       [](HitRace& r) {
         r.s.UmarenKaime[9] = "0307";
         r.Pay(hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, 0, "0307", "000001230");
       },
       {R"("AT","1","1","準本3 的中"," 3- 7","1230")"}},
      {"馬連 at position 20 counts, so the next line shows a gap",
       [](HitRace& r) {
         r.s.UmarenKaime[20] = "0307";
         r.s.UmarenKaime[2] = "0108";
         r.Pay(hr::UmarenPayouts_Combination, hr::UmarenPayouts_Payout, 0, "0307", "000001230");
         r.Pay(hr::WidePayouts_Combination, hr::WidePayouts_Payout, 0, "0108", "000000450");
       },
       {R"("AT","2","2","本線2 的中"," 1- 8","450")"}},
      {"馬単 reversed",
       [](HitRace& r) {
         r.s.UmatanKaime[4] = "0307";
         r.Pay(hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, 0, "0703", "000002500");
       },
       {R"("AT","1","5","本線逆順的中"," 7- 3","2500")"}},
      {"馬単 as bought, 伏兵",
       [](HitRace& r) {
         r.s.UmatanKaime[14] = "0703";
         r.Pay(hr::UmatanPayouts_Combination, hr::UmatanPayouts_Payout, 0, "0703", "000002500");
       },
       {R"("AT","1","5","伏兵正順的中"," 7- 3","2500")"}},
      {"ワイド at positions 2, 5 and 30",
       [](HitRace& r) {
         const std::pair<int, const char*> tickets[] = {{30, "0203"}, {2, "0102"}, {5, "0103"}};
         uint32_t i = 0;
         for (const auto& [p, comb] : tickets) {
           r.s.UmarenKaime[p] = comb;
           r.Pay(hr::WidePayouts_Combination, hr::WidePayouts_Payout, i++, comb, "000000200");
         }
       },
       {R"("AT","1","2","本線2 的中"," 1- 2","200")", R"("AT","2","3","本線5 的中"," 1- 3","200")"}},
      {"3連複 at position 15",
       [](HitRace& r) {
         r.s.SanrenpukuKaime[15] = "010203";
         r.Pay(hr::SanrenpukuPayouts_Combination, hr::SanrenpukuPayouts_Payout, 0, "010203", "000003330");
       },
       {R"("AT","1","6","伏兵1 的中"," 1- 2- 3","3330")"}},
      {"no hit", [](HitRace&) {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HitRace race;
    c.setup(race);
    EXPECT_EQ(race.Lines(RaceCardPayoutAndHitLines, "AT"), c.lines);
    // KK and KS keep their item counts whatever the record holds.
    const auto kk = race.Lines(RaceCardPayoutAndHitLines, "KK");
    const auto ks = race.Lines(RaceCardPayoutAndHitLines, "KS");
    ASSERT_EQ(kk.size(), 1u);
    ASSERT_EQ(ks.size(), 1u);
    EXPECT_EQ(std::count(kk[0].begin(), kk[0].end(), ','), 31);
    EXPECT_EQ(std::count(ks[0].begin(), ks[0].end(), ','), 19);
    EXPECT_TRUE(race.failures.empty());
  }
}

TEST(RaceCardTest, AFailingPayoutLineLeavesTheRestOfTheBlock) {
  Week week;
  week.s.ResultsFinal = 1;
  week.Race01();
  WithTrifecta(week);
  week.s.CurrentPayoutRecord.replace(hr::TanshoPayouts_Payout.At(0), 9, "00000A250");     // KK fails
  week.s.CurrentPayoutRecord.replace(hr::SanrentanPayouts_Payout.At(0), 9, "0000x2340");  // CM fails
  common::StepFailures failures;
  const std::string block = common::DecodeCp932Lossy(ShutsubahyoRaceBlock(week.s, failures));
  EXPECT_EQ(failures.items.size(), 2u);
  EXPECT_EQ(block.find("\"KK\""), std::string::npos);
  EXPECT_EQ(block.find("\"CM\""), std::string::npos);
  EXPECT_NE(block.find("\"KS\",\"1\""), std::string::npos);
  EXPECT_NE(block.find("\"AT\",\"6\""), std::string::npos);
  EXPECT_NE(block.find("\"HS\",\"3\""), std::string::npos);
  EXPECT_NE(block.find("\"S3\""), std::string::npos);
}

}  // namespace
}  // namespace radadovur::documents
