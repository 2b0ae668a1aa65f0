#include "documents/lup_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp932.h"
#include "common/text_file.h"
#include "documents/document_writers.h"
#include "jvdata/layout_hr.h"
#include "support/record_builder.h"
#include "support/temp_folder.h"

namespace radadovur::documents {
namespace {

namespace hr = jvdata::hr;
using common::ToCp932;
using results::ResultsWindowState;

// A hand-made meeting day, 2024-09-22 at 中山 (06), meeting 4, day 4: race 01 of three runners
// (registered "03", its payouts at hand) and race 02 of four (a jump race, registered "04",
// whose payout record at hand is race 03's).
struct Week {
  Week() {
    s.CodeTable.cells[0] = {"2001", "06", ToCp932("中山競馬場"), ToCp932("中"), ToCp932("中山"), ToCp932("中"), "", ""};
    s.RaceTable.resize(4);
    s.RaceTable[1] = {"202409220601", "1", "1000", "01", "", ToCp932("サラ系２歳"), ToCp932("未勝利"), "",
                      ToCp932("芝右"), "1200", " 5", ToCp932("晴良")};
    s.RaceTable[2] = {"202409220602", "2", "1030", "02", ToCp932("テスト特別"), ToCp932("障害４歳以上"), ToCp932("オープン"),
                      "", ToCp932("障芝"), "3000", "12", ToCp932("晴良")};
    s.RaceTable[3] = {"202409220905", "5", "1200", "05", "", "", "", "", "", "", "", ""};
  }

  static std::string RunnerRecord(const std::string& race_id, const std::string& track, const std::string& toroku) {
    std::string r(24022, '\0');
    r.replace(0, 16, race_id);
    r.replace(2701, 2, track);
    r.replace(2831, 2, toroku);
    return r;
  }

  // Per-runner texts of horses 1..n; `order`: horse numbers by predicted rank.
  void Runners(const std::vector<std::string>& order, const std::vector<std::string>& marks) {
    const int n = static_cast<int>(order.size());
    s.RunnerCount = n;
    auto fill = [n](std::vector<std::string>& v, const std::string& text) { v.assign(static_cast<size_t>(n) + 1, text); };
    fill(s.FutanText, "55.0");
    fill(s.KishuText, ToCp932("騎手太郎次"));
    fill(s.TrainerText, ToCp932("調教師花子"));
    fill(s.SexText, ToCp932("牡"));
    fill(s.AgeText, "3");
    fill(s.EstTimeText, "1.35.20");
    fill(s.EstL3FText, "34.50");
    fill(s.RealTimeText, "1.35.4");
    fill(s.RealL3FText, "34.8");
    fill(s.WakuText, "");
    fill(s.HorseNameText, "");
    s.RankOrder.assign(1, "");
    for (int j = 1; j <= n; ++j) {
      s.WakuText[j] = std::to_string(j);
      s.HorseNameText[j] = ToCp932(j == 1 ? "サンプルホースアルファ" : "ベータ" + std::to_string(j));
      s.ArrivalText[j] = " " + std::to_string(j);
      s.PopularityText[j] = " " + std::to_string(n + 1 - j);
      s.PlaceMark[j] = marks[static_cast<size_t>(j - 1)];
    }
    for (int r = 1; r <= n; ++r) {
      s.RankOrder.push_back(order[static_cast<size_t>(r - 1)]);
      s.PredRank[static_cast<size_t>(std::stoi(order[static_cast<size_t>(r - 1)]))] = " " + std::to_string(r);
    }
  }
  void Tickets(std::vector<std::string> umaren, std::vector<std::string> umatan, std::vector<std::string> trio,
               std::vector<std::string> trifecta) {
    s.PairCount = static_cast<int32_t>(umaren.size());
    s.TripleCount = static_cast<int32_t>(trio.size());
    s.UmarenKaime = {""};
    s.UmarenKaime.insert(s.UmarenKaime.end(), umaren.begin(), umaren.end());
    s.UmatanKaime = {""};
    s.UmatanKaime.insert(s.UmatanKaime.end(), umatan.begin(), umatan.end());
    s.SanrenpukuKaime = {""};
    s.SanrenpukuKaime.insert(s.SanrenpukuKaime.end(), trio.begin(), trio.end());
    s.SanrentanKaime = {""};
    s.SanrentanKaime.insert(s.SanrentanKaime.end(), trifecta.begin(), trifecta.end());
  }

  void Race01() {
    s.RaceIndex = 1;
    s.CurrentRunnerRecord = RunnerRecord("2024092206040401", "17", "03");
    Runners({"02", "03", "01"}, {"02", "01", "03"});
    Tickets({"0203", "0102", "0103"}, {"0203", "0201", "0301"}, {"010203"}, {"020301"});
    s.CurrentPayoutRecord = testing::MakeRecord(
        jvdata::RecordType::HR,
        {{hr::Year, "2024"}, {hr::MonthDay, "0922"}, {hr::VenueCode, "06"}, {hr::Kaiji, "04"}, {hr::Nichiji, "04"},
         {hr::RaceNum, "01"},
         {hr::TanshoPayouts_Combination, "02"}, {hr::TanshoPayouts_Payout, "000000250"}, {hr::TanshoPayouts_Popularity, "01"},
         {hr::FukushoPayouts_Combination, "02"}, {hr::FukushoPayouts_Payout, "000000110"}, {hr::FukushoPayouts_Popularity, "01"},
         {hr::FukushoPayouts_Combination, "01", 1}, {hr::FukushoPayouts_Payout, "000000130", 1},
         {hr::FukushoPayouts_Popularity, "02", 1},
         {hr::UmarenPayouts_Combination, "0102"}, {hr::UmarenPayouts_Payout, "000000350"}, {hr::UmarenPayouts_Popularity, "001"},
         {hr::WidePayouts_Combination, "0102"}, {hr::WidePayouts_Payout, "000000120"}, {hr::WidePayouts_Popularity, "001"},
         {hr::WidePayouts_Combination, "0103", 1}, {hr::WidePayouts_Payout, "000000200", 1}, {hr::WidePayouts_Popularity, "003", 1},
         {hr::WidePayouts_Combination, "0203", 2}, {hr::WidePayouts_Payout, "000000150", 2}, {hr::WidePayouts_Popularity, "002", 2},
         {hr::UmatanPayouts_Combination, "0201"}, {hr::UmatanPayouts_Payout, "000000560"}, {hr::UmatanPayouts_Popularity, "002"},
         {hr::SanrenpukuPayouts_Combination, "010203"}, {hr::SanrenpukuPayouts_Payout, "000000400"},
         {hr::SanrenpukuPayouts_Popularity, "001"},
         {hr::SanrentanPayouts_Combination, "000000"}});
  }
  void Race02() {
    s.RaceIndex = 2;
    s.CurrentRunnerRecord = RunnerRecord("2024092206040402", "55", "04");
    Runners({"04", "01", "03", "02"}, {"02", "**", "01", "03"});
    Tickets({"0104", "0304", "0103", "0204", "0102", "0203"}, {"0401", "0403", "0103", "0402", "0102", "0302"},
            {"010304", "010204", "020304", "010203"}, {"040103", "040102", "040302", "010302"});
    s.CurrentPayoutRecord = testing::MakeRecord(
        jvdata::RecordType::HR, {{hr::Year, "2024"}, {hr::MonthDay, "0922"}, {hr::VenueCode, "06"}, {hr::RaceNum, "03"},
                                 {hr::UmarenPayouts_Combination, "0104"}, {hr::UmarenPayouts_Payout, "000000100"},
                                 {hr::UmarenPayouts_Popularity, "001"}});
  }

  ResultsWindowState s;
};

// UTF-8 lines to the CP932 bytes of a file, CR LF after each.
std::string FileOf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += ToCp932(line) + "\r\n";
  return out;
}

const std::string kListing01 = FileOf({
    R"("Q1"," 2"," 3"," 1")",
    R"("MUH1","1"," 2- 3")", R"("MUH2","2"," 2- 1")", R"("MUH3","3"," 3- 1")",
    R"("MUH4","4","")", R"("MUH5","5","")", R"("MUH6","6","")",
    R"("MSH1","1"," 2- 3- 1")", R"("MSH2","2","")", R"("MSH3","3","")", R"("MSH4","4","")",
    R"("PUH1","1"," 2- 3"," 2→ 3"," 3→ 2")", R"("PUH2","2"," 1- 2"," 2→ 1"," 1→ 2")",
    R"("PUH3","3"," 1- 3"," 3→ 1"," 1→ 3")", R"("PUH4","4","","","")", R"("PUH5","5","","","")",
    R"("PUH6","6","","","")",
    R"("PSH1","1"," 1- 2- 3"," 2→ 3→ 1"," 2→ 1→ 3"," 3→ 2→ 1"," 3→ 1→ 2"," 1→ 2→ 3"," 1→ 3→ 2")",
    R"("PSH2","2","","","","","","","")", R"("PSH3","3","","","","","","","")",
    R"("PSH4","4","","","","","","","")",
});
const std::string kListing02 = FileOf({
    R"("MUH1","1"," 4- 1")", R"("MUH2","2"," 4- 3")", R"("MUH3","3"," 1- 3")", R"("MUH4","4"," 4- 2")",
    R"("MUH5","5"," 1- 2")", R"("MUH6","6"," 3- 2")",
    R"("MSH1","1"," 4- 1- 3")", R"("MSH2","2"," 4- 1- 2")", R"("MSH3","3"," 4- 3- 2")", R"("MSH4","4"," 1- 3- 2")",
    R"("PUH1","1"," 1- 4"," 4→ 1"," 1→ 4")", R"("PUH2","2"," 3- 4"," 4→ 3"," 3→ 4")",
    R"("PUH3","3"," 1- 3"," 1→ 3"," 3→ 1")", R"("PUH4","4"," 2- 4"," 4→ 2"," 2→ 4")",
    R"("PUH5","5"," 1- 2"," 1→ 2"," 2→ 1")", R"("PUH6","6"," 2- 3"," 3→ 2"," 2→ 3")",
    R"("PSH1","1"," 1- 3- 4"," 4→ 1→ 3"," 4→ 3→ 1"," 1→ 4→ 3"," 1→ 3→ 4"," 3→ 4→ 1"," 3→ 1→ 4")",
    R"("PSH2","2"," 1- 2- 4"," 4→ 1→ 2"," 4→ 2→ 1"," 1→ 4→ 2"," 1→ 2→ 4"," 2→ 4→ 1"," 2→ 1→ 4")",
    R"("PSH3","3"," 2- 3- 4"," 4→ 3→ 2"," 4→ 2→ 3"," 3→ 4→ 2"," 3→ 2→ 4"," 2→ 4→ 3"," 2→ 3→ 4")",
    R"("PSH4","4"," 1- 2- 3"," 1→ 3→ 2"," 1→ 2→ 3"," 3→ 1→ 2"," 3→ 2→ 1"," 2→ 1→ 3"," 2→ 3→ 1")",
});
const std::string kHead = FileOf({R"("DY","1","20240922")", R"("PL","1","4","中山","4","11")"});
const std::string kRc01 = FileOf({R"("RC","1","1000","01","","サラ系２歳未勝利","サラ系２歳未勝利","","芝右","1200"," 5","晴良")"});
const std::string kRc02 = FileOf({R"("RC","2","1030","02","","テスト特別","障害４歳以上オープン","","障芝","3000","12","晴良")"});

TEST(LupDocumentTest, AMeetingDayByteForByte) {
  testing::TempFolder folder("rdv_lup");
  std::filesystem::create_directories(folder.path() + "/TEKICHU");
  const std::string day = folder.app_path() + "TEKICHU/20240922060404";

  // Before the results: lup.txt.
  {
    Week week;
    DocumentWriters writers(std::make_unique<results::NoRaceWriters>());
    week.Race01();
    ASSERT_TRUE(writers.WriteLupDocuments(folder.app_path(), week.s).ok());
    week.Race02();
    ASSERT_TRUE(writers.WriteLupDocuments(folder.app_path(), week.s).ok());
    const std::string expected =
        kHead + kRc01 +
        FileOf({R"("RR","n","w","馬","予","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","推定上3F")",
                R"("HS","1","2"," 2"," 1","牡"," 3","ベータ2","55.0","騎手太郎","調教師","1.35.20","34.50")",
                R"("HS","2","3"," 3"," 2","牡"," 3","ベータ3","55.0","騎手太郎","調教師","1.35.20","34.50")",
                R"("HS","3","1"," 1"," 3","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師","1.35.20","34.50")"}) +
        kListing01 + kRc02 +
        FileOf({R"("RR","n","w","馬","予","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","推定平1F")",
                R"("HS","1","4"," 4"," 1","牡"," 3","ベータ4","55.0","騎手太郎","調教師","1.35.20","34.50")",
                R"("HS","2","1"," 1"," 2","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師","1.35.20","34.50")",
                R"("HS","3","3"," 3"," 3","牡"," 3","ベータ3","55.0","騎手太郎","調教師","1.35.20","34.50")",
                R"("HS","4","2"," 2"," 4","牡"," 3","ベータ2","55.0","騎手太郎","調教師","1.35.20","34.50")",
                R"("Q1"," 4"," 1"," 3"," 2")"}) +
        kListing02;
    EXPECT_EQ(common::ReadWholeFile(day + "lup.txt").value_or(""), expected);
    EXPECT_FALSE(std::filesystem::exists(day + "tekichu.txt"));
  }

  // Once the results are final: lupRCM.txt and the hit table.
  Week week;
  week.s.ResultsFinal = 1;
  DocumentWriters writers(std::make_unique<results::NoRaceWriters>());
  week.Race01();
  ASSERT_TRUE(writers.WriteLupDocuments(folder.app_path(), week.s).ok());
  EXPECT_EQ(week.s.TierTally[results::kTierWide].Hits[0], 3);
  EXPECT_EQ(week.s.TierTally[results::kTierWide].PayTotal[0], 470);
  week.Race02();
  ASSERT_TRUE(writers.WriteLupDocuments(folder.app_path(), week.s).ok());

  const std::string lup_rcm =
      kHead + kRc01 +
      FileOf({R"("RR","n","w","馬","予","人","入","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","実タイム","推定上3F","実上3F")",
              R"("HS","1","2"," 2"," 1"," 2"," 2","牡"," 3","ベータ2","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","2","3"," 3"," 2"," 1"," 3","牡"," 3","ベータ3","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","3","1"," 1"," 3"," 3"," 1","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")"}) +
      kListing01.substr(0, kListing01.find("\"MUH1\"")) + FileOf({R"("ATQ1","01","03","02")"}) +
      kListing01.substr(kListing01.find("\"MUH1\"")) +
      FileOf({R"("AT","1","1","本線2点目 的中"," 1- 2","350")",
              R"("AT","2","2","本線1点目 的中"," 2- 3","150")",
              R"("AT","3","3","本線2点目 的中"," 1- 2","120")",
              R"("AT","4","4","本線3点目 的中"," 1- 3","200")",
              R"("AT","5","5","本線2正順 的中"," 2→ 1","560")",
              R"("AT","6","6","本線1点目 的中"," 1- 2- 3","400")",
              R"("KK","1"," 2","250","","")",
              R"("KK","2"," 2","110"," 1","130","","","","")",
              R"("KK","3","","","","")",
              R"("KK","4"," 1- 2","350","","")",
              R"("KK","5"," 1- 2","120"," 1- 3","200"," 2- 3","150","","","","")",
              R"("KS","1"," 2→ 1","560","","","","","","","","","","")",
              R"("KS","2"," 1- 2- 3","400","","","","")"}) +
      kRc02 +
      FileOf({R"("RR","n","w","馬","予","人","入","性","齢","馬名　　　　　　　","負担","騎手名　","調教師名","推定タイム","実タイム","推定平1F","実平1F")",
              R"("HS","1","4"," 4"," 1"," 1"," 4","牡"," 3","ベータ4","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","2","1"," 1"," 2"," 4"," 1","牡"," 3","サンプルホースアル","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","3","3"," 3"," 3"," 2"," 3","牡"," 3","ベータ3","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("HS","4","2"," 2"," 4"," 3"," 2","牡"," 3","ベータ2","55.0","騎手太郎","調教師花","1.35.20","1.35.4","34.50","34.8")",
              R"("Q1"," 4"," 1"," 3"," 2")", R"("ATQ1","03","02","01","**")"}) +
      kListing02;
  EXPECT_EQ(common::ReadWholeFile(day + "lupRCM.txt").value_or(""), lup_rcm);

  const std::string blanks = "\"          \"";
  const std::string tekichu = FileOf({
      R"("2024年","09月","22日","4回","中山","4日目")",
      R"("R番号","馬連","馬単","3連複","3連単","ワイド1","ワイド2","ワイド3")",
      R"("01R 的中","本線2点目","本線2点目表","本線1点目","          ","本線1点目","本線2点目","本線3点目")",
      R"("    当目"," 1- 2"," 2→ 1"," 1- 2- 3",""," 2- 3"," 1- 2"," 1- 3")",
      R"("    配当","350","560","400","","150","120","200")",
      R"("    予人","2 1","3 2","1 1","","1 2","2 1","3 3")",
      "\"02R 的中\"," + blanks + "," + blanks + "," + blanks + "," + blanks + "," + blanks + "," + blanks + "," + blanks,
      R"("    当目","","","","","","","")",
      R"("    配当","","","","","","","")",
      R"("    予人","","","","","","","")",
  });
  EXPECT_EQ(common::ReadWholeFile(day + "tekichu.txt").value_or(""), tekichu);
}

TEST(LupDocumentTest, ADayIsStartedOncePerPassAndAppendedToWhenItComesBack) {
  testing::TempFolder folder("rdv_lup");
  std::filesystem::create_directories(folder.path() + "/TEKICHU");
  const std::string day = folder.app_path() + "TEKICHU/20240922060404lup.txt";
  ASSERT_TRUE(common::WriteFileAtomic(day, "an earlier pass\r\n").ok());

  Week week;
  LupDocumentWriter writer;
  common::StepFailures failures;
  week.Race01();
  writer.Write(folder.app_path(), week.s, failures);
  // Another racecourse's race in between, then the first day again.
  week.s.RaceIndex = 3;
  week.s.CurrentRunnerRecord = Week::RunnerRecord("2024092209030205", "17", "03");
  writer.Write(folder.app_path(), week.s, failures);
  week.Race02();
  writer.Write(folder.app_path(), week.s, failures);
  EXPECT_TRUE(failures.empty()) << failures.Texts().front();

  const std::string text = common::ReadWholeFile(day).value_or("");
  EXPECT_EQ(text.rfind("\"DY\"", 0), 0u);
  EXPECT_EQ(text.find("an earlier pass"), std::string::npos);
  EXPECT_NE(text.find(kRc01), std::string::npos);
  EXPECT_NE(text.find(kRc02), std::string::npos);
  EXPECT_EQ(text.find("\"DY\"", 1), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder.app_path() + "TEKICHU/20240922090302lup.txt"));

  // A new pass (LastKeyLup emptied) starts the day afresh.
  week.s.LastKeyLup.clear();
  week.Race02();
  writer.Write(folder.app_path(), week.s, failures);
  const std::string again = common::ReadWholeFile(day).value_or("");
  EXPECT_EQ(again.rfind("\"DY\"", 0), 0u);
  EXPECT_EQ(again.find(kRc01), std::string::npos);
}

TEST(LupDocumentTest, LinesThatCannotBeMadeAreLeftOutAndTheRestIsWritten) {
  Week week;
  week.s.ResultsFinal = 1;
  week.Race01();
  week.s.AgeText[3] = "x";                                                // HS of horse 3 fails
  week.s.CurrentPayoutRecord.replace(hr::TanshoPayouts_Payout.At(0), 9, "00000A250");  // KK "1" fails
  week.s.CurrentRunnerRecord.replace(2831, 2, "00");                      // no groups by the count
  common::StepFailures failures;
  const std::string block = common::DecodeCp932Lossy(LupRaceBlock(week.s, failures));
  EXPECT_EQ(failures.items.size(), 2u);
  EXPECT_EQ(block.find("\"HS\",\"2\",\"3\""), std::string::npos);
  EXPECT_NE(block.find("\"HS\",\"3\",\"1\""), std::string::npos);
  // Q1 still follows the runner lines, taken from the runners.
  EXPECT_NE(block.find("\"34.8\"\r\n\"Q1\",\" 2\",\" 3\",\" 1\"\r\n\"ATQ1\""), std::string::npos);
  EXPECT_EQ(block.find("\"KK\",\"1\""), std::string::npos);
  EXPECT_NE(block.find("\"KK\",\"2\""), std::string::npos);
  EXPECT_NE(block.find("\"AT\",\"6\""), std::string::npos);
}

TEST(LupDocumentTest, TrifectaResultDecidesKs3) {
  struct Case {
    const char* first;
    bool written;
  };
  for (const Case& c : {Case{"      ", false}, Case{"000000", false}, Case{"010203", true}, Case{" 00001", true}})
    EXPECT_EQ(TrifectaHasResult(c.first), c.written) << c.first;
}

}  // namespace
}  // namespace radadovur::documents
