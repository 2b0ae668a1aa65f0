#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp932.h"
#include "common/text_file.h"
#include "documents/hand_made_week.h"
#include "documents/formatters.h"
#include "formation/formation_fixture.h"
#include "formation/formation_hit_check.h"
#include "formation/formation_writers.h"
#include "formation/twi_document.h"
#include "support/temp_folder.h"

namespace radadovur::formation {
namespace {

namespace hr = jvdata::hr;
using common::ToCp932;
using results::ResultsWindowState;

// The documents' hand-made meeting day (race 01 of three runners, horse 2 winning before 1 and 3,
// its payouts at hand, here with a 3連単 payout; race 02 of four, a jump race, whose payout record
// at hand is race 03's), through the formation writers in the pass's order.
struct Week : documents::hand_made::Week {
  explicit Week(int16_t final) { s.ResultsFinal = final; }

  void Run(const std::string& app_path) {
    FormationWriters writers(std::make_unique<results::NoRaceWriters>());
    Race01();
    s.CurrentPayoutRecord.replace(hr::SanrentanPayouts_Combination.At(0, 0), 6, "020103");
    s.CurrentPayoutRecord.replace(hr::SanrentanPayouts_Payout.At(0, 0), 9, "000002400");
    ASSERT_TRUE(writers.WritePcDocuments(app_path, s).ok());
    ASSERT_TRUE(writers.WriteTwiDocument(app_path, s).ok());
    Race02();
    ASSERT_TRUE(writers.WritePcDocuments(app_path, s).ok());
    ASSERT_TRUE(writers.WriteTwiDocument(app_path, s).ok());
  }
};

using documents::hand_made::FileOf;

const std::string kHead = FileOf({R"("DY","1","20240922")", R"("PL","1","4","中山","4","11")"});
const std::string kLines01 = FileOf({
    R"("TF1"," 2")", R"("TF2"," 3")", R"("UF1"," 2"," 3"," 1")", R"("UF2"," 2"," 3"," 1")",
    R"("UBX"," 2"," 3"," 1")", R"("S11"," 2")", R"("S12"," 3")", R"("S1A"," 1")", R"("S21"," 3")",
    R"("S22"," 1")", R"("S2A")", R"("S31"," 2")", R"("S32"," 1")", R"("S3A")", R"("SBX"," 2"," 3"," 1")",
});
const std::string kLines02 = FileOf({
    R"("TF1"," 4")", R"("TF2"," 1")", R"("UF1"," 4"," 1"," 3")", R"("UF2"," 4"," 1"," 3"," 2")",
    R"("UBX"," 4"," 1"," 3"," 2")", R"("S11"," 4")", R"("S12"," 1")", R"("S1A"," 3"," 2")", R"("S21"," 1")",
    R"("S22"," 3")", R"("S2A"," 2")", R"("S31"," 4")", R"("S32"," 3")", R"("S3A"," 2")",
    R"("SBX"," 4"," 1"," 3"," 2")",
});

TEST(FormationDocumentsTest, AMeetingDayBeforeTheResults) {
  radadovur::testing::TempFolder folder("rdv_pc");
  std::filesystem::create_directories(folder.path() + "/TEKICHU");
  const std::string day = folder.app_path() + "TEKICHU/20240922060404";
  Week week(0);
  week.Run(folder.app_path());

  EXPECT_EQ(common::ReadWholeFile(day + "lupPC.txt").value_or(""),
            kHead +
                FileOf({R"("RC","1","1000","01","","サラ系２歳","未勝利","","芝右","1200"," 5","晴良")",
                        R"("RR","n","w","馬","予","性","齢","馬名　　　　　　　","負担","騎手名　","推定タイム")",
                        R"("HS","1","2"," 2"," 1","牡"," 3","ベータ2","55.0","騎手太郎","1.35.20")",
                        R"("HS","2","3"," 3"," 2","牡"," 3","ベータ3","55.0","騎手太郎","1.35.20")",
                        R"("HS","3","1"," 1"," 3","牡"," 3","サンプルホースアル","55.0","騎手太郎","1.35.20")"}) +
                kLines01 +
                FileOf({R"("RC","2","1030","02","テスト特別","障害４歳以上","オープン","","障芝","3000","12","晴良")",
                        R"("RR","n","w","馬","予","性","齢","馬名　　　　　　　","負担","騎手名　","推定タイム")",
                        R"("HS","1","4"," 4"," 1","牡"," 3","ベータ4","55.0","騎手太郎","1.35.20")",
                        R"("HS","2","1"," 1"," 2","牡"," 3","サンプルホースアル","55.0","騎手太郎","1.35.20")",
                        R"("HS","3","3"," 3"," 3","牡"," 3","ベータ3","55.0","騎手太郎","1.35.20")",
                        R"("HS","4","2"," 2"," 4","牡"," 3","ベータ2","55.0","騎手太郎","1.35.20")"}) +
                kLines02);
  EXPECT_EQ(common::ReadWholeFile(day + "twi.txt").value_or(""),
            kHead +
                FileOf({R"("RC","1","1000","01","","サラ系２歳未勝利","サラ系２歳未勝利","","芝右","1200"," 5","晴良")",
                        R"("RR","連番","枠番","馬番","予順","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","推定上3F")",
                        R"("HS","1","2"," 2"," 1","牡"," 3","ベータ2","55.0","騎手太郎","調教師","1.35.20","34.50")",
                        R"("HS","2","3"," 3"," 2","牡"," 3","ベータ3","55.0","騎手太郎","調教師","1.35.20","34.50")",
                        R"("HS","3","1"," 1"," 3","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師","1.35.20","34.50")",
                        R"("RC","2","1030","02","","テスト特別","障害４歳以上オープン","","障芝","3000","12","晴良")",
                        R"("RR","連番","枠番","馬番","予順","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","推定平1F")",
                        R"("HS","1","4"," 4"," 1","牡"," 3","ベータ4","55.0","騎手太郎","調教師","1.35.20","34.50")",
                        R"("HS","2","1"," 1"," 2","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師","1.35.20","34.50")",
                        R"("HS","3","3"," 3"," 3","牡"," 3","ベータ3","55.0","騎手太郎","調教師","1.35.20","34.50")",
                        R"("HS","4","2"," 2"," 4","牡"," 3","ベータ2","55.0","騎手太郎","調教師","1.35.20","34.50")"}));
  EXPECT_FALSE(std::filesystem::exists(day + "tekichuPC.txt"));
  EXPECT_FALSE(std::filesystem::exists(day + "lupRCMPC.txt"));
  EXPECT_EQ(week.s.PcPoints[0].PointsTotal, 0) << "nothing is counted before the results";
}

TEST(FormationDocumentsTest, AMeetingDayOnceFinal) {
  radadovur::testing::TempFolder folder("rdv_pc");
  std::filesystem::create_directories(folder.path() + "/TEKICHU");
  const std::string day = folder.app_path() + "TEKICHU/20240922060404";
  const std::string hs02 =
      FileOf({R"("HS","1","4"," 4"," 1"," 1"," 4","牡"," 3","ベータ4","55.0","騎手太郎","1.35.20","1.35.4")",
              R"("HS","2","1"," 1"," 2"," 4"," 1","牡"," 3","サンプルホースアル","55.0","騎手太郎","1.35.20","1.35.4")",
              R"("HS","3","3"," 3"," 3"," 2"," 3","牡"," 3","ベータ3","55.0","騎手太郎","1.35.20","1.35.4")",
              R"("HS","4","2"," 2"," 4"," 3"," 2","牡"," 3","ベータ2","55.0","騎手太郎","1.35.20","1.35.4")"});
  const std::string rr = FileOf(
      {R"("RR","n","w","馬","予","人","入","性","齢","馬名　　　　　　　","負担","騎手名　","推定タイム","実タイム")"});
  const std::string lup_pc =
      kHead + FileOf({R"("RC","1","1000","01","","サラ系２歳","未勝利","","芝右","1200"," 5","晴良","")"}) + rr +
      FileOf({R"("HS","1","2"," 2"," 1"," 2"," 2","牡"," 3","ベータ2","55.0","騎手太郎","1.35.20","1.35.4")",
              R"("HS","2","3"," 3"," 2"," 1"," 3","牡"," 3","ベータ3","55.0","騎手太郎","1.35.20","1.35.4")",
              R"("HS","3","1"," 1"," 3"," 3"," 1","牡"," 3","サンプルホースアル","55.0","騎手太郎","1.35.20","1.35.4")"}) +
      kLines01 +
      FileOf({R"("RC","2","1030","02","テスト特別","障害４歳以上","オープン","","障芝","3000","12","晴良","")"}) + rr +
      hs02 + kLines02;
  const std::string tekichu_pc = FileOf({
      R"("2024年","09月","22日","4回","中山","4日目")",
      R"(" R番号","単勝1","複勝1","単勝2","複勝2","馬連F","馬連B","馬単F","  3連複B","  3連単12","  3連単23","  3連単13")",
      R"("01R点数  ","1","1","1","1",3,3,6,1,6,0,0)",
      R"("  的中目","02","02","",""," 1- 2"," 1- 2"," 2→ 1"," 1- 2- 3"," 2→ 1→ 3","","")",
      R"("  配当","250","110","","","350","350","560","400","2400","","")",
  });
  const std::string twi_rcm =
      kHead +
      FileOf({R"("RC","1","1000","01","","サラ系２歳未勝利","サラ系２歳未勝利","","芝右","1200"," 5","晴良")",
              R"("RR","連番","枠番","馬番","予順","人気","入線","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","実タイム","推定上3F","実上3F")",
              R"("HS","1","2"," 2"," 1"," 2"," 2","牡"," 3","ベータ2","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","2","3"," 3"," 2"," 1"," 3","牡"," 3","ベータ3","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","3","1"," 1"," 3"," 3"," 1","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("AT","1","馬連","本線2点目 的中"," 1- 2","350")",
              R"("AT","2","ワイド","本線1点目 的中"," 2- 3","150")",
              R"("AT","3","ワイド","本線2点目 的中"," 1- 2","120")",
              R"("AT","4","ワイド","本線3点目 的中"," 1- 3","200")",
              R"("AT","5","馬単","本線2正順 的中"," 2→ 1","560")",
              R"("AT","6","3連複","本線1点目 的中"," 1- 2- 3","400")",
              R"("AT","7","3連単","本線1第2順 的中"," 2→ 1→ 3","2400")",
              R"("KK","1"," 2","250","","")",
              R"("KK","2"," 2","110"," 1","130","","","","")",
              R"("KK","3","","","","")",
              R"("KK","4"," 1- 2","350","","")",
              R"("KK","5"," 1- 2","120"," 1- 3","200"," 2- 3","150","","","","")",
              R"("KS","1"," 2→ 1","560","","","","","","","","","","")",
              R"("KS","2"," 1- 2- 3","400","","","","")",
              R"("KS","3"," 2→ 1→ 3","2400","","","","","","","","","","")",
              R"("RC","2","1030","02","","テスト特別","障害４歳以上オープン","","障芝","3000","12","晴良")",
              R"("RR","連番","枠番","馬番","予順","人気","入線","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","実タイム","推定平1F","実平1F")",
              R"("HS","1","4"," 4"," 1"," 1"," 4","牡"," 3","ベータ4","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","2","1"," 1"," 2"," 4"," 1","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","3","3"," 3"," 3"," 2"," 3","牡"," 3","ベータ3","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","4","2"," 2"," 4"," 3"," 2","牡"," 3","ベータ2","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")"});

  // A second pass starts every file afresh: the same bytes.
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    Week week(1);
    week.Run(folder.app_path());
    EXPECT_EQ(common::ReadWholeFile(day + "lupRCMPC.txt").value_or(""), lup_pc);
    EXPECT_EQ(common::ReadWholeFile(day + "tekichuPC.txt").value_or(""), tekichu_pc);
    EXPECT_EQ(common::ReadWholeFile(day + "twiRCM.txt").value_or(""), twi_rcm);
    EXPECT_EQ(week.s.PcTally[results::kPcUmarenF].PayTotal, 350);
    EXPECT_EQ(week.s.PcPoints[1].PointsTotal, 3) << "race 02 is not counted: its payout record is race 03's";
    EXPECT_EQ(week.s.HitSummary[0].Label, std::string(10, ' '));
  }
  EXPECT_FALSE(std::filesystem::exists(day + "lupPC.txt"));
  EXPECT_FALSE(std::filesystem::exists(day + "twi.txt"));
}

// The hit lines' labels: tiers by list position, 馬単 as bought or reversed, the 3連単 orders with
// the blank after 的中 for 本線 orders 3 to 6; numbers count every match, also those past the tiers.
TEST(TwiHitsTest, LabelsAndNumbers) {
  struct Case {
    const char* what;
    int position;  // of the winning ticket, in lists of 25 positions
    const char* trifecta;  // the winning 3連単 combination against base triple 010203
    const char* label;
  } cases[] = {
      {"本線 order 1", 1, "010203", "本線1第1順 的中"},  {"本線 order 2", 2, "010302", "本線2第2順 的中"},
      {"本線 order 3", 3, "020103", "本線3第3順的中 "},  {"本線 order 6", 7, "030201", "本線7第6順的中 "},
      {"準本線 order 4", 8, "020301", "準本線1第4順 的中"}, {"伏兵 order 5", 21, "030102", "伏兵7第5順 的中"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    results::ResultsWindowState s;
    s.TripleCount = 25;
    s.SanrentanKaime.assign(26, "171615");
    s.SanrentanKaime[static_cast<size_t>(c.position)] = "010203";
    s.SanrenpukuKaime.assign(26, "151617");
    s.PairCount = 25;
    s.UmarenKaime.assign(26, "1718");
    s.UmarenKaime[20] = "0102";  // the 馬連 winner past the tiers: a number, no line
    s.UmatanKaime.assign(26, "1817");
    s.UmatanKaime[13] = "0201";  // reversed
    s.CurrentPayoutRecord = radadovur::testing::MakeRecord(
        jvdata::RecordType::HR,
        {{hr::UmarenPayouts_Combination, "0102"}, {hr::UmarenPayouts_Payout, "000000350"},
         {hr::UmatanPayouts_Combination, "0102"}, {hr::UmatanPayouts_Payout, "000000700"},
         {hr::SanrentanPayouts_Combination, c.trifecta}, {hr::SanrentanPayouts_Payout, "000012340"},
         {hr::SanrentanPayouts_Combination, "000000", 1}, {hr::SanrentanPayouts_Combination, "030201", 2}});
    std::vector<std::string> lines;
    common::StepFailures failures;
    CheckTwiHits(s, lines, failures);
    std::string trifecta;
    ASSERT_TRUE(documents::FormatTrioOrdered(c.trifecta, &trifecta).ok());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], ToCp932(R"("AT","2","馬単","伏兵1逆順 的中"," 1→ 2","700")") + "\r\n");
    EXPECT_EQ(lines[1], ToCp932(R"("AT","3","3連単",")" + std::string(c.label) + "\",\"") + trifecta +
                            "\",\"12340\"\r\n");
    EXPECT_TRUE(failures.empty());
  }
}

}  // namespace
}  // namespace radadovur::formation

namespace radadovur::formation {
namespace {

TEST(FormationDocumentsTest, PointsRowOfRace01NineOrMoreNarrowSpread) {
  testing::Race race({"01", "02", "03", "04", "05", "06", "07", "08", "09"}, {}, "09", "30");
  race.Payouts({});
  common::StepFailures failures;
  CheckFormationHits(race.s, failures);
  const std::string rows = PcTableRows(race.s, "01");
  EXPECT_EQ(rows.substr(0, rows.find("\r\n") + 2),
            common::ToCp932(R"("01R点数  ","1","1","1","1",15,15,18,20,42,36,36)") + "\r\n");
}

}  // namespace
}  // namespace radadovur::formation
