#include "engine/day_before.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/recording_host.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "support/store_fixture.h"

namespace radadovur::engine {
namespace {

using testing::Entry;
using testing::EntryAt;
using testing::FieldValue;
using testing::MakeRecord;
using testing::Race;
using testing::RaceAt;

// An entry record with the fields step ④ reads and writes.
struct DayRun {
  std::string weight, time_diff = "0012", kishu = "01111", kishu_name = "RIDER", kishu_before = "00000",
                      kishu_name_before = "", futan = "550", futan_before = "000";
};
std::string EntryOf(const DayRun& r) {
  return MakeRecord(jvdata::RecordType::SE, {{jvdata::se::KettoNum, "2019100001"},
                                     {jvdata::se::Bataijuu, r.weight},
                                     {jvdata::se::BataijuuChange, "  4"},
                                     {jvdata::se::TimeDiff, r.time_diff},
                                     {jvdata::se::KishuCode, r.kishu},
                                     {jvdata::se::KishuName, r.kishu_name},
                                     {jvdata::se::KishuCodeBefore, r.kishu_before},
                                     {jvdata::se::KishuNameBefore, r.kishu_name_before},
                                     {jvdata::se::Futanjuryou, r.futan},
                                     {jvdata::se::FutanjuryouBefore, r.futan_before}});
}

TEST(FixPreviousDayEntry, LastRecordTakesTheDayBeforeValues) {
  struct Case {
    const char* name;
    std::vector<DayRun> runs;
    // Expected last record: Bataijuu, KishuCode, KishuName, Futanjuryou.
    std::string weight, kishu, kishu_name, futan;
  } cases[] = {
      {"first start", {{"476"}}, "440", "01111", "RIDER   ", "550"},
      {"weight of the run before", {{"468"}, {"476"}}, "468", "01111", "RIDER   ", "550"},
      {"blank weight before stays blank", {{"   "}, {"476"}}, "   ", "01111", "RIDER   ", "550"},
      {"changed jockey and weight restored",
       {{"468"}, {"476", "0012", "01111", "RIDER", "02222", "BEFORE", "550", "570"}},
       "468", "02222", "BEFORE  ", "570"},
      {"blank before fields count as zero",
       {{"476", "0012", "01111", "RIDER", "     ", "BEFORE", "550", "   "}},
       "440", "01111", "RIDER   ", "550"},
  };
  for (const auto& c : cases) {
    std::string bytes;
    for (const auto& r : c.runs) bytes += EntryOf(r);
    const std::string before = bytes;
    FixPreviousDayEntry(bytes);
    ASSERT_EQ(bytes.size(), before.size()) << c.name;
    const std::string_view last = std::string_view(bytes).substr(bytes.size() - jvdata::se::kLength);
    EXPECT_EQ(jvdata::se::Bataijuu.Of(last), c.weight) << c.name;
    EXPECT_EQ(jvdata::se::TimeDiff.Of(last), "0000") << c.name;
    EXPECT_EQ(jvdata::se::KishuCode.Of(last), c.kishu) << c.name;
    EXPECT_EQ(jvdata::se::KishuName.Of(last), c.kishu_name) << c.name;
    EXPECT_EQ(jvdata::se::Futanjuryou.Of(last), c.futan) << c.name;
    EXPECT_EQ(jvdata::se::BataijuuChange.Of(last), "  4") << c.name;
    // The "before" fields and every earlier record stay as they were.
    EXPECT_EQ(jvdata::se::KishuCodeBefore.Of(last), jvdata::se::KishuCodeBefore.Of(std::string_view(before).substr(bytes.size() - jvdata::se::kLength)));
    EXPECT_EQ(bytes.substr(0, bytes.size() - jvdata::se::kLength), before.substr(0, before.size() - jvdata::se::kLength)) << c.name;
  }
  std::string none;
  FixPreviousDayEntry(none);
  EXPECT_EQ(none, "");
}

class DayBefore : public testing::StoreFolder {
 protected:
  std::string Payout(const std::string& date, const std::string& venue, const std::string& race) {
    return MakeRecord(jvdata::RecordType::HR, {{jvdata::hr::DataCategory, "2"}, {jvdata::hr::Year, date.substr(0, 4)},
                                       {jvdata::hr::MonthDay, date.substr(4, 4)}, {jvdata::hr::VenueCode, venue},
                                       {jvdata::hr::RaceNum, race}});
  }
  std::string Weather(size_t record) {
    return std::string(jvdata::ra::TenkoBabaCodes.Of(std::string_view(Bytes("RATHISWEEKNNEW.dat")).substr((record - 1) * jvdata::ra::kLength, jvdata::ra::kLength)));
  }
  ::radadovur::testing::RecordingHost host_;
  common::StepFailures damaged_;
};

std::string RaceWith(const RaceAt& at, const std::string& weather) {
  std::string r = Race(at);
  r.replace(jvdata::ra::TenkoBabaCodes.offset, 3, weather);
  return r;
}

TEST_F(DayBefore, EntriesOfEveryListedHorseAndTheSameFilesOnASecondRun) {
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {"2019100001", "2019100002", "2019100003", "2019100004"}).ok());
  Put("UMAGOTOTHISWEEKN/2019100001.dat", {EntryOf({"476"})});
  Put("UMAGOTOTHISWEEKN/2019100002.dat", {EntryOf({"468"}), EntryOf({"480", "0005", "01111", "R", "02222", "B", "550", "570"})});
  Put("UMAGOTOTHISWEEKN/2019100003.dat", {});  // no runs; 2019100004 has no file at all
  int64_t horses = 0;
  ASSERT_TRUE(FixPreviousDayEntries(app_, host_, horses, damaged_).ok());
  EXPECT_EQ(horses, 4);
  EXPECT_EQ(host_.Yields(), 4);  // the window repaints while a large week's files are rewritten
  const std::string one = Bytes("UMAGOTOTHISWEEKN/2019100001.dat"), two = Bytes("UMAGOTOTHISWEEKN/2019100002.dat");
  EXPECT_EQ(jvdata::se::Bataijuu.Of(one), "440");
  EXPECT_EQ(jvdata::se::Bataijuu.Of(std::string_view(two).substr(jvdata::se::kLength)), "468");
  EXPECT_EQ(jvdata::se::Futanjuryou.Of(std::string_view(two).substr(jvdata::se::kLength)), "570");
  EXPECT_EQ(Bytes("UMAGOTOTHISWEEKN/2019100003.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(Path("UMAGOTOTHISWEEKN/2019100004.dat")));

  ASSERT_TRUE(FixPreviousDayEntries(app_, host_, horses, damaged_).ok());
  EXPECT_EQ(Bytes("UMAGOTOTHISWEEKN/2019100001.dat"), one);
  EXPECT_EQ(Bytes("UMAGOTOTHISWEEKN/2019100002.dat"), two);
}

TEST_F(DayBefore, AnEntryFileThatCannotBeReadStopsTheStep) {
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {"2019100001", "2019100002"}).ok());
  std::filesystem::create_directory(Path("UMAGOTOTHISWEEKN/2019100001.dat"));  // a folder in its place
  Put("UMAGOTOTHISWEEKN/2019100002.dat", {EntryOf({"476"})});
  Put("RATHISWEEKNNEW.dat", {RaceWith({"1", "20240601", "20240601", "05", "01", ""}, "   ")});
  const auto status = FixPreviousDay(app_, host_, damaged_);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find("UMAGOTOTHISWEEKN/2019100001.dat"), std::string::npos) << status.ToString();
  // Nothing after the failure was written: not the next horse, not the races; that is listed apart.
  EXPECT_EQ(jvdata::se::Bataijuu.Of(Bytes("UMAGOTOTHISWEEKN/2019100002.dat")), "476");
  EXPECT_EQ(Weather(1), "   ");
  ASSERT_EQ(damaged_.items.size(), 1u);
  EXPECT_TRUE(damaged_.items[0].IsSkipped());
  EXPECT_NE(damaged_.items[0].ToString().find("RATHISWEEKNNEW.dat"), std::string::npos) << damaged_.items[0].ToString();
}

TEST_F(DayBefore, BeforeTheResultsOnlyRacesOfCategoryOneGetFineAndGood) {
  Put("RATHISWEEKNNEW.dat", {RaceWith({"2", "20240530", "20240601", "05", "01", ""}, "234"),
                             RaceWith({"1", "20240530", "20240601", "05", "02", ""}, "   "),
                             RaceWith({"1", "20240530", "20240602", "05", "01", ""}, "3 2")});
  ASSERT_TRUE(FixPreviousDay(app_, host_, damaged_).ok());
  EXPECT_EQ(Weather(1), "234");
  EXPECT_EQ(Weather(2), "111");
  EXPECT_EQ(Weather(3), "111");
  EXPECT_FALSE(std::filesystem::exists(Path("RACETHISWEEKN.dat")));
  EXPECT_EQ(host_.TotalOf(common::ProgressSlot::kPredictProgressBar1), 100);
  EXPECT_EQ(host_.ProgressOf(common::ProgressSlot::kPredictProgressBar1), (std::vector<int64_t>{0, 33, 66, 100}));
}

TEST_F(DayBefore, OnceFinalTheRacesWithPayoutsAreListedAndFixedWhateverTheirCategory) {
  Put("RATHISWEEKNNEW.dat", {RaceWith({"2", "20240601", "20240601", "05", "01", ""}, "234"),
                             RaceWith({"1", "20240601", "20240601", "05", "02", ""}, "   "),
                             RaceWith({"7", "20240603", "20240602", "08", "11", ""}, "322"),  // paid, later day
                             RaceWith({"7", "20240603", "20240601", "05", "01", ""}, "234")});
  Put("HRTHISWEEKN.dat", {Payout("20240601", "05", "01"), Payout("20240602", "08", "11"),
                          Payout("20240601", "05", "01")});
  Put("RACETHISWEEKN.dat", {"\"old\"\r\n"});
  ASSERT_TRUE(FixPreviousDay(app_, host_, damaged_).ok());
  EXPECT_EQ(Bytes("RACETHISWEEKN.dat"), "\"202406010501\"\r\n\"202406020811\"\r\n\"202406010501\"\r\n");
  EXPECT_EQ(Weather(1), "111");
  EXPECT_EQ(Weather(2), "   ");  // category "1" but no payout
  EXPECT_EQ(Weather(3), "111");
  EXPECT_EQ(Weather(4), "111");

  const std::string races = Bytes("RATHISWEEKNNEW.dat"), list = Bytes("RACETHISWEEKN.dat");
  ASSERT_TRUE(FixPreviousDay(app_, host_, damaged_).ok());
  EXPECT_EQ(Bytes("RATHISWEEKNNEW.dat"), races);
  EXPECT_EQ(Bytes("RACETHISWEEKN.dat"), list);
}

TEST(ResultsFinal, OnlyTheLastRaceRecordDecides) {
  const std::string final7 = Race({"7", "20240603", "20240602", "08", "11", ""});
  const std::string day1 = Race({"1", "20240601", "20240602", "08", "12", ""});
  EXPECT_FALSE(ResultsFinal(""));
  EXPECT_TRUE(ResultsFinal(day1 + final7));
  EXPECT_FALSE(ResultsFinal(final7 + day1));
}

// One byte inserted into an entry file would put every default one byte off: that horse fails,
// named, its file as it was, and the other horses and the races are fixed.
TEST_F(DayBefore, AnEntryFileOfShiftedRecordsFailsItsHorseOnly) {
  EXPECT_TRUE(common::WriteQuotedLines(Path("KETTONUMTHISWEEKN.dat"), {"2019100001", "2019100002"}).ok());
  const std::string shifted = " " + EntryOf({"476"});
  ASSERT_TRUE(common::WriteFileAtomic(Path("UMAGOTOTHISWEEKN/2019100001.dat"), shifted).ok());
  Put("UMAGOTOTHISWEEKN/2019100002.dat", {EntryOf({"476"})});
  Put("RATHISWEEKNNEW.dat", {RaceWith({"1", "20240601", "20240601", "05", "01", ""}, "   ")});
  ASSERT_TRUE(FixPreviousDay(app_, host_, damaged_).ok());
  ASSERT_EQ(damaged_.items.size(), 1u);
  EXPECT_NE(damaged_.Texts()[0].find("UMAGOTOTHISWEEKN/2019100001.dat"), std::string::npos) << damaged_.Texts()[0];
  EXPECT_EQ(Bytes("UMAGOTOTHISWEEKN/2019100001.dat"), shifted);
  EXPECT_EQ(jvdata::se::Bataijuu.Of(Bytes("UMAGOTOTHISWEEKN/2019100002.dat")), "440");
  EXPECT_EQ(Weather(1), "111");
}

TEST_F(DayBefore, AMissingRaceFileChangesNothingAndAPayoutFileThatCannotBeReadStops) {
  ASSERT_TRUE(FixPreviousDay(app_, host_, damaged_).ok());  // no list, no race file: nothing to do
  Put("RATHISWEEKNNEW.dat", {RaceWith({"7", "20240603", "20240601", "05", "01", ""}, "234")});
  std::filesystem::create_directory(Path("HRTHISWEEKN.dat"));
  EXPECT_FALSE(FixPreviousDay(app_, host_, damaged_).ok());
  EXPECT_EQ(Weather(1), "234");
  EXPECT_FALSE(std::filesystem::exists(Path("RACETHISWEEKN.dat")));
}

}  // namespace
}  // namespace radadovur::engine
