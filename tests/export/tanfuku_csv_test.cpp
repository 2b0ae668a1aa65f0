#include "export/tanfuku_csv.h"

#include <gtest/gtest.h>

#include "export/export_fixture.h"

namespace radadovur::exports {
namespace {

using testing::Cp;
using testing::ExportDay;

// The lines of a file, given as UTF-8 without their line ends, in code page 932 with CR LF.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += Cp(line) + "\r\n";
  return out;
}

const std::string kTitle1 = R"("単勝・複勝 数量化1位 2024年09月22日 第4回 中山 第8日")";
const std::string kTitle2 = R"("単勝・複勝 数量化2位 2024年09月22日 第4回 中山 第8日")";
const std::string kTitle2Hanshin = R"("単勝・複勝 数量化2位 2024年09月22日 第4回 阪神 第8日")";
const std::string kHeaderBefore = R"("発走時刻","R番号","枠番","馬番","馬名","単勝配当","複勝配当","騎手名","調教師名")";
const std::string kHeaderFinal =
    R"("発走時刻","R番号","枠番","馬番","人気","入線","馬名","単勝配当","複勝配当","騎手名","調教師名")";
const std::string kRace11Tail = R"("牝"," 3歳","オールカマー","サラ系３歳以上","オープン","Ｇ２","芝","2200ｍ")";
const std::string kRace12Tail = R"("牝"," 3歳","","サラ系３歳以上","２勝クラス","","ダ","1800ｍ")";

struct Pass {
  explicit Pass(ExportDay& day) : day(day) {}
  void Write() {
    first.Write(day.app(), day.s, failures);
    second.Write(day.app(), day.s, failures);
  }
  ExportDay& day;
  TanfukuCsvWriter first{kTanfuku1}, second{kTanfuku2};
  common::StepFailures failures;
};

// 中山 race 11, 阪神 race 01 (one runner), then 中山 race 12: the 中山 files are started by race
// 11 and appended to by race 12 after the other day's race; 阪神's second file has no runner.
void RunDay(ExportDay& day, Pass& pass) {
  day.Race(1, testing::kNakayama11, {58.1234f, 60.0f, 57.3f}, {"3", "1", "2"});
  pass.Write();
  day.Race(2, testing::kHanshin01, {50.0f});
  pass.Write();
  day.Race(3, testing::kNakayama12, {49.0f, 51.0f}, {"1", "1"});
  pass.Write();
}

TEST(TanfukuCsv, BeforeTheResults17ItemsWithoutPayoutsAndTheTrainerCutTo3) {
  ExportDay day;
  Pass pass(day);
  RunDay(day, pass);
  EXPECT_TRUE(pass.failures.empty()) << pass.failures.Texts()[0];

  EXPECT_EQ(day.Read("TANFUKU/20240922060408tnfk.csv"),
            Lines({kTitle1, kHeaderBefore,
                   R"("1540","第11R","1"," 2","ホース2アルファベ","","","騎手太郎","調教師",)" + kRace11Tail,
                   R"("1625","第12R","1"," 2","ホース2アルファベ","","","騎手太郎","調教師",)" + kRace12Tail}));
  EXPECT_EQ(day.Read("TANFUKU2/20240922060408tnfk2.csv"),
            Lines({kTitle2, kHeaderBefore,
                   R"("1540","第11R","1"," 1","ホース1アルファベ","","","騎手太郎","調教師",)" + kRace11Tail,
                   R"("1625","第12R","1"," 1","ホース1アルファベ","","","騎手太郎","調教師",)" + kRace12Tail}));
  EXPECT_EQ(day.Read("TANFUKU2/20240922090408tnfk2.csv"), Lines({kTitle2Hanshin, kHeaderBefore}));
  EXPECT_EQ(day.s.LastKeyTanfuku, "20240922060408");
  EXPECT_EQ(day.s.LastKeyTanfuku2, "20240922060408");
  EXPECT_FALSE(day.Exists("TANFUKU/20240922060408tnfkRCM.csv"));
}

// Payouts by horse number: race 11's place entries are listed by horse number, not by arrival;
// 阪神 race 01 has no payout record and shows none (not race 11's); race 12 has a dead heat for
// first, each horse paid its own win.
TEST(TanfukuCsv, OnceFinal19ItemsWithTheRunnersOwnPayoutsAndTheTrainerCutTo4) {
  ExportDay day;
  day.s.ResultsFinal = 1;
  day.WritePayouts({ExportDay::Payout(testing::kNakayama11, {{"02", "000000250"}},
                                      {{"01", "000000130"}, {"02", "000000110"}, {"03", "000000180"}}),
                    ExportDay::Payout(testing::kNakayama12, {{"01", "000000300"}, {"02", "000000280"}},
                                      {{"01", "000000120"}, {"02", "000000110"}})});
  Pass pass(day);
  RunDay(day, pass);
  EXPECT_TRUE(pass.failures.empty()) << pass.failures.Texts()[0];

  EXPECT_EQ(day.Read("TANFUKU/20240922060408tnfkRCM.csv"),
            Lines({kTitle1, kHeaderFinal,
                   R"("1540","第11R","1"," 2"," 2"," 1","ホース2アルファベ","000000250","000000110","騎手太郎","調教師花",)" +
                       kRace11Tail,
                   R"("1625","第12R","1"," 2"," 1"," 1","ホース2アルファベ","000000280","000000110","騎手太郎","調教師花",)" +
                       kRace12Tail}));
  EXPECT_EQ(day.Read("TANFUKU2/20240922060408tnfkRCM2.csv"),
            Lines({kTitle2, kHeaderFinal,
                   R"("1540","第11R","1"," 1"," 3"," 3","ホース1アルファベ","","000000130","騎手太郎","調教師花",)" +
                       kRace11Tail,
                   R"("1625","第12R","1"," 1"," 2"," 1","ホース1アルファベ","000000300","000000120","騎手太郎","調教師花",)" +
                       kRace12Tail}));
  const std::string hanshin = day.Read("TANFUKU/20240922090408tnfkRCM.csv");
  EXPECT_NE(hanshin.find(Cp(R"("ホース1アルファベ","","","騎手太郎")")), std::string::npos);
  EXPECT_EQ(day.s.TanfukuPay, (std::array<std::string, 4>{"000000280", "000000110", "000000300", "000000120"}));
}

TEST(LookUpTanfukuPayouts, TheEntriesOfTheHorsesNumberInTheRacesLastRecord) {
  const std::string race_id = testing::kNakayama11;
  const std::string dead_heat_third = ExportDay::Payout(
      race_id, {{"05", "000000410"}},
      {{"05", "000000150"}, {"02", "000000230"}, {"07", "000000190"}, {"11", "000000210"}});
  const struct {
    const char* what;
    std::vector<std::string> records;
    int horse;
    std::string win, place;
  } cases[] = {
      {"winner", {dead_heat_third}, 5, "000000410", "000000150"},
      {"second", {dead_heat_third}, 2, "", "000000230"},
      {"dead heat for third, the later entry", {dead_heat_third}, 11, "", "000000210"},
      {"unplaced", {dead_heat_third}, 3, "", ""},
      {"another race's record", {ExportDay::Payout(testing::kNakayama12, {{"05", "000000999"}}, {})}, 5, "", ""},
      {"the last record of the race counts",
       {ExportDay::Payout(race_id, {{"05", "000000999"}}, {{"05", "000000999"}}), dead_heat_third,
        ExportDay::Payout(testing::kHanshin01, {{"05", "000000888"}}, {})},
       5, "000000410", "000000150"},
  };
  for (const auto& c : cases) {
    store::RecordBlock block;
    block.length = jvdata::hr::kLength;
    for (const std::string& r : c.records) block.bytes += r;
    std::string win = "stale", place = "stale";
    LookUpTanfukuPayouts(block, documents::RaceOf(std::string(race_id)), c.horse, win, place);
    EXPECT_EQ(win, c.win) << c.what;
    EXPECT_EQ(place, c.place) << c.what;
  }
}

TEST(TanfukuTitleLine, MeetingAndDayWithoutLeadingZerosAndNoNameForAnUnknownCourse) {
  const std::string record = "2024090106120304";
  common::StepFailures failures;
  EXPECT_EQ(TanfukuTitleLine(kTanfuku1, documents::RaceOf(record), results::CodeTable{}, failures),
            Lines({R"("単勝・複勝 数量化1位 2024年09月01日 第12回  第3日")"}));
  EXPECT_TRUE(failures.empty());
}

// A line or a file that cannot be written is reported and the rest goes on; a day whose file
// could not be started is started by its next race.
TEST(TanfukuCsv, FailuresAreReportedAndTheRestIsWritten) {
  ExportDay day;
  std::filesystem::remove(day.app() + "TANFUKU");
  Pass pass(day);
  day.Race(1, testing::kNakayama11, {58.0f, 60.0f});
  day.s.AgeText[1] = "x";
  pass.Write();
  ASSERT_EQ(pass.failures.items.size(), 2u);  // TANFUKU missing, horse 1's age
  EXPECT_EQ(day.s.LastKeyTanfuku, "");
  EXPECT_EQ(day.Read("TANFUKU2/20240922060408tnfk2.csv"), Lines({kTitle2, kHeaderBefore}));

  std::filesystem::create_directory(day.app() + "TANFUKU");
  day.Race(3, testing::kNakayama12, {49.0f});
  pass.Write();
  const std::string first = day.Read("TANFUKU/20240922060408tnfk.csv");
  EXPECT_EQ(first.rfind(Cp(kTitle1), 0), 0u) << first;
}

}  // namespace
}  // namespace radadovur::exports
