#include "engine/expanded_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "engine/expand_week.h"
#include "support/recording_host.h"
#include "engine/stats_layout.h"
#include "jvdata/layout_ks.h"
#include "jvdata/record.h"
#include "support/store_fixture.h"

namespace radadovur::engine {
namespace {

using testing::FieldValue;
using testing::MakeRecord;

std::string Hnsk(const std::string& dam, const std::string& foal) { return dam + foal + "\r\n"; }

TEST(FoalOrder, PlaceAmongTheTwentyOneRecordsFromTheDamsFirst) {
  std::string file;
  for (int i = 1; i <= 22; ++i) file += Hnsk("M000000001", "F0000000" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  file += Hnsk("M000000002", "G000000001") + Hnsk("M000000001", "F000000099") + "partial";
  const FoalOrderIndex index(file);
  struct Case {
    std::string dam, foal, order;
  } cases[] = {
      {"M000000001", "F000000001", "01"}, {"M000000001", "F000000002", "02"},
      {"M000000001", "F000000021", "21"}, {"M000000001", "F000000022", "00"},  // 22nd: past the window
      {"M000000002", "G000000001", "01"}, {"M000000009", "F000000001", "00"},  // dam not listed
      {"M000000002", "F000000099", "02"},  // the next record counts whatever its dam
      {"M000000001", "F000000099", "00"},  // a later record of the dam is never reached
  };
  for (const auto& c : cases) EXPECT_EQ(index.FoalOrder(c.dam, c.foal), c.order) << c.dam << " " << c.foal;
}

// The week: horses A to G, each showing one rule.
//   A  two UM rows (the later wins), foal "02"; run 1's race stored twice (the later wins) with a
//      jockey in both jockey files (the package's wins); run 2's jockey in neither file.
//   B  dam not in HNSK; run 1 at a local course whose race is not stored (race and jockey blank).
//   C  no UM row; five runs, the fifth created a week before the fourth: dropped and reported.
//   D  a blank CreatedDate on the last run: fails, its file stays empty.
//   E  no entry file: an empty file, no failure.
//   F  its expanded file cannot be emptied (a folder in its place): fails.
//   G  equal dates on its last two runs: keeps both.
class Builder : public testing::StoreFolder {
 protected:
  static constexpr const char* A = "2019100001";
  static constexpr const char* B = "2019100002";
  static constexpr const char* C = "2019100003";
  static constexpr const char* D = "2019100004";
  static constexpr const char* E = "2019100005";
  static constexpr const char* F = "2019100006";
  static constexpr const char* G = "2019100007";

  static std::string Horse(const std::string& ketto, const std::string& dam, const std::string& breeder) {
    return MakeRecord(jvdata::RecordType::UM, {{jvdata::um::KettoNum, ketto},
                                       {jvdata::um::BirthDate, "20190405"},
                                       {jvdata::um::BreederName, breeder},
                                       {jvdata::um::SireNum, "S000000001"},
                                       {jvdata::um::Pedigree_AncestorName, "SIRE", 0},
                                       {jvdata::um::DamNum, dam},
                                       {jvdata::um::Pedigree_AncestorName, "GRANDDAM", 3}});
  }
  static std::string Jockey(const std::string& code, const std::string& birth) {
    return jvdata::StoredForm(jvdata::RecordType::KS, MakeRecord(jvdata::RecordType::KS, {{jvdata::ks::KishuCode, code}, {jvdata::ks::KishuBirthDate, birth},
                                                                  {jvdata::ks::KishuSexCode, "1"}}));
  }
  static std::string RaceRecord(const std::string& date, const std::string& venue, const std::string& race,
                                const std::string& kyori) {
    return MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::Year, date.substr(0, 4)}, {jvdata::ra::MonthDay, date.substr(4)},
                                       {jvdata::ra::VenueCode, venue}, {jvdata::ra::RaceNum, race}, {jvdata::ra::WeekdayCode, "6"},
                                       {jvdata::ra::Kyori, kyori}, {jvdata::ra::ConditionName, "CONDITION"}, {jvdata::ra::GradeCode, "A"},
                                       {jvdata::ra::CornerPassing_PassingOrder, "1-2-3", 3}});
  }
  static std::string Run(const std::string& ketto, const std::string& created, const std::string& date,
                         const std::string& venue, const std::string& race, const std::string& kishu) {
    return MakeRecord(jvdata::RecordType::SE, {{jvdata::se::DataCategory, "7"}, {jvdata::se::CreatedDate, created},
                                       {jvdata::se::Year, date.substr(0, 4)}, {jvdata::se::MonthDay, date.substr(4)},
                                       {jvdata::se::VenueCode, venue}, {jvdata::se::RaceNum, race}, {jvdata::se::KettoNum, ketto},
                                       {jvdata::se::HorseName, "NAME" + ketto}, {jvdata::se::HorseAge, "05"}, {jvdata::se::OwnerName, "OWNER"},
                                       {jvdata::se::KishuCode, kishu}, {jvdata::se::TimeDiff, "0003"}});
  }

  void SetUp() override {
    StoreFolder::SetUp();
    std::filesystem::create_directories(Path("OPTION1N"));
    std::filesystem::create_directories(Path("UMAGOTOEXTHISWEEKN/" + std::string(F) + "EX.dat"));
    Put("UMTHISWEEKNNEW.dat", {Horse(A, "1000000001", "EARLIER"), Horse(B, "1000000009", "B"),
                               Horse(A, "1000000001", "LATER")});
    Put("OPTION1N/HNSKOPTION1N.dat", {Hnsk("1000000001", "2018100001"), Hnsk("1000000001", A)});
    Put("KSTHISWEEKN.dat", {Jockey("01111", "19900101"), Jockey("03333", "19850505")});
    Put("OPTION1N/KS20200101NEW.dat", {Jockey("01111", "19800101")});
    Put("RATHISWEEKNNEW.dat", {RaceRecord("20240601", "05", "01", "1600"), RaceRecord("20240608", "05", "11", "2000"),
                               RaceRecord("20240601", "05", "01", "1800")});
    Put("UMAGOTOTHISWEEKN/" + std::string(A) + ".dat",
        {Run(A, "20240530", "20240601", "05", "01", "01111"), Run(A, "20240606", "20240608", "05", "11", "09999")});
    Put("UMAGOTOTHISWEEKN/" + std::string(B) + ".dat",
        {Run(B, "20240101", "20240101", "30", "01", "03333"), Run(B, "20240606", "20240608", "05", "11", "03333")});
    std::vector<std::string> c;
    for (const char* created : {"20240101", "20240201", "20240301", "20240606", "20240530"})
      c.push_back(Run(C, created, "20240608", "05", "11", "03333"));
    Put("UMAGOTOTHISWEEKN/" + std::string(C) + ".dat", c);
    Put("UMAGOTOTHISWEEKN/" + std::string(D) + ".dat",
        {Run(D, "20240530", "20240601", "05", "01", "01111"), Run(D, "        ", "20240608", "05", "11", "01111")});
    Put("UMAGOTOTHISWEEKN/" + std::string(F) + ".dat", {Run(F, "20240606", "20240608", "05", "11", "01111")});
    Put("UMAGOTOTHISWEEKN/" + std::string(G) + ".dat",
        {Run(G, "20240606", "20240601", "05", "01", "01111"), Run(G, "20240606", "20240608", "05", "11", "01111")});
    EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {A, B, C, D, E, F, G}).ok());
    // Last week's records, which must not survive.
    Put("UMAGOTOEXTHISWEEKN/" + std::string(E) + "EX.dat", {std::string(ex::kLength, 'x')});
    Put("UMAGOTOEXTHISWEEKN/" + std::string(D) + "EX.dat", {std::string(ex::kLength, 'x')});
  }

  std::vector<ExRecord> Records(const std::string& id) const {
    const std::string bytes = Bytes("UMAGOTOEXTHISWEEKN/" + id + "EX.dat");
    std::vector<ExRecord> out;
    for (size_t at = 0; at + ex::kLength <= bytes.size(); at += ex::kLength)
      out.push_back(*ExRecord::FromBytes(std::string_view(bytes).substr(at, ex::kLength)));
    EXPECT_EQ(bytes.size() % ex::kLength, 0u) << id;
    return out;
  }
  static std::string Spaces(const jvdata::Field& f) { return std::string(f.width, ' '); }

  ::radadovur::testing::RecordingHost host_;
};

TEST_F(Builder, JoinsEveryRunWithTheLastMatchingRows) {
  const BuildReport report = ExpandThisWeek(app_, host_);
  const auto a = Records(A);
  ASSERT_EQ(a.size(), 2u);
  const std::string entry = Bytes("UMAGOTOTHISWEEKN/" + std::string(A) + ".dat").substr(0, jvdata::se::kLength);
  const std::string race = RaceRecord("20240601", "05", "01", "1800");
  // Entry fields, horse fields of the later UM row, foal order, the later race, the package's jockey.
  EXPECT_EQ(a[0].bytes().substr(0, 40), entry.substr(0, 40));
  EXPECT_EQ(a[0].Text(ex::FoalOrder), "02");
  EXPECT_EQ(a[0].Text(ex::BreederName).substr(0, 5), "LATER");
  EXPECT_EQ(a[0].Text(ex::BirthDate), "20190405");
  EXPECT_EQ(a[0].Text(ex::SireNum), "S000000001");
  EXPECT_EQ(a[0].Text(ex::Ancestor7_Name).substr(0, 8), "GRANDDAM");
  EXPECT_EQ(a[0].Text(ex::KishuBirthDate), "19800101");
  EXPECT_EQ(a[0].Text(ex::WeekdayCode), "6");
  EXPECT_EQ(a[0].Text(ex::Kyori), "1800");
  EXPECT_EQ(a[0].bytes().substr(1114, 23), race.substr(614, 23));  // up to, not including, ConditionName
  EXPECT_EQ(a[0].bytes().substr(1137, 572), race.substr(697, 572));
  EXPECT_EQ(a[0].Text(ex::TimeDiff), "0003");
  EXPECT_EQ(a[0].Text(ex::HorseName).substr(0, 14), "NAME2019100001");
  EXPECT_EQ(a[0].bytes().substr(825, 6), entry.substr(76, 6));  // the horse's age is not copied
  // Spaces and zero bytes where the record keeps nothing; the entry's CR LF at the end.
  EXPECT_EQ(a[0].bytes().substr(43, 163), std::string(163, ' '));
  EXPECT_EQ(a[0].Text(ex::DamSireName), std::string(36, '\0'));
  EXPECT_EQ(a[0].Text(ex::OwnerName), std::string(64, '\0'));
  EXPECT_EQ(a[0].Text(ex::Ancestor3_Number), std::string(10, '\0'));
  EXPECT_EQ(a[0].Text(ex::Ancestor5_BirthYear), "    ");
  EXPECT_EQ(a[0].bytes().substr(ex::SpeedCodes.offset, ex::LineEnd.offset - ex::SpeedCodes.offset),
            std::string(ex::LineEnd.offset - ex::SpeedCodes.offset, '\0'));
  EXPECT_EQ(a[0].Text(ex::LineEnd), "\r\n");
  // Race found, jockey in neither file: jockey fields blank, race fields there.
  EXPECT_EQ(a[1].Text(ex::KishuBirthDate), Spaces(ex::KishuBirthDate));
  EXPECT_EQ(a[1].Text(ex::KishuSexCode), " ");
  EXPECT_EQ(a[1].Text(ex::Kyori), "2000");

  const auto b = Records(B);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].Text(ex::FoalOrder), "00");
  EXPECT_EQ(b[0].Text(ex::Kyori), "    ");  // race not stored: race and jockey blank
  EXPECT_EQ(b[0].Text(ex::WeekdayCode), " ");
  EXPECT_EQ(b[0].Text(ex::KishuBirthDate), Spaces(ex::KishuBirthDate));
  EXPECT_EQ(b[1].Text(ex::KishuBirthDate), "19850505");

  const auto c = Records(C);  // no UM row: horse fields blank, foal order too
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].Text(ex::FoalOrder), "  ");
  EXPECT_EQ(c[0].Text(ex::SireName), Spaces(ex::SireName));
  EXPECT_EQ(c[3].Text(ex::CreatedDate), "20240606");
  EXPECT_EQ(Records(G).size(), 2u);

  EXPECT_EQ(report.horses, (std::vector<std::string>{A, B, C, D, E, F, G}));
  EXPECT_EQ(report.stale_dropped, (std::vector<std::string>{C}));
}

TEST_F(Builder, AFailingHorseIsSkippedWithAnEmptyFileAndTheOthersAreBuilt) {
  const BuildReport report = ExpandThisWeek(app_, host_);
  // E is listed without an entry file: nothing of this week's to build from, so it fails, named.
  EXPECT_EQ(report.failed_horses, (std::vector<std::string>{F, D, E}));
  const auto texts = report.failures.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts[2].find("UMAGOTOTHISWEEKN/" + std::string(E) + ".dat"), std::string::npos) << texts[2];
  EXPECT_NE(texts[0].find(std::string(F) + "EX.dat"), std::string::npos) << texts[0];
  EXPECT_NE(texts[1].find("の作成日"), std::string::npos) << texts[1];
  EXPECT_EQ(Bytes("UMAGOTOEXTHISWEEKN/" + std::string(D) + "EX.dat"), "");
  EXPECT_EQ(Bytes("UMAGOTOEXTHISWEEKN/" + std::string(E) + "EX.dat"), "");
  EXPECT_EQ(Records(G).size(), 2u);  // the horse after the failures
  // Progress and texts: the horse table names each row, the bar ends full after the last horse.
  const auto text3 = host_.TextsOf(common::StatusSlot::kPredictText3);
  ASSERT_EQ(text3.size(), 3u);
  EXPECT_EQ(text3[0], "1 S000000001 SIRE" + std::string(32, ' '));
  EXPECT_EQ(host_.ProgressOf(common::ProgressSlot::kPredictProgressBar3).back(), 100);
  EXPECT_EQ(host_.Yields(), 1);
}

TEST_F(Builder, TwoBuildsInARowGiveTheSameFiles) {
  ExpandThisWeek(app_, host_);
  std::vector<std::string> first;
  for (const char* id : {A, B, C, G}) first.push_back(Bytes("UMAGOTOEXTHISWEEKN/" + std::string(id) + "EX.dat"));
  ExpandThisWeek(app_, host_);
  size_t i = 0;
  for (const char* id : {A, B, C, G}) EXPECT_EQ(Bytes("UMAGOTOEXTHISWEEKN/" + std::string(id) + "EX.dat"), first[i++]) << id;
}

// A shared file every horse is joined with stops the step before it writes anything.
TEST_F(Builder, ATableFileThatCannotBeReadStopsTheStepBeforeItWrites) {
  std::filesystem::remove(Path("RATHISWEEKNNEW.dat"));
  std::filesystem::create_directory(Path("RATHISWEEKNNEW.dat"));
  const BuildReport report = ExpandThisWeek(app_, host_);
  EXPECT_TRUE(report.stopped);
  ASSERT_EQ(report.failures.items.size(), 1u);
  EXPECT_EQ(report.failures.items[0].path(), Path("RATHISWEEKNNEW.dat"));
  EXPECT_FALSE(std::filesystem::exists(Path("UMAGOTOEXTHISWEEKN/" + std::string(A) + "EX.dat")));
}

}  // namespace
}  // namespace radadovur::engine
