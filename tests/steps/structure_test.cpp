#include "steps/structure.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/time.h>

#include <ctime>

#include "steps/model_package.h"
#include "support/file_size_limit.h"
#include "support/recording_host.h"
#include "support/store_fixture.h"

namespace radadovur::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class Structure : public StoreFolder {
 protected:
  common::StepFailures Run() { return steps::RunStructureProcessing(common::RunStateFor(app_), host_); }
  RecordingHost host_;
};

TEST_F(Structure, RaceFileOneRecordPerKeyCategoriesApartInKeyOrder) {
  Put("RATHISWEEKN.dat", {
                             Race({"2", "20240801", "20240803", "05", "01", "sat-05-01-cat2"}),
                             Race({"7", "20240805", "20240804", "05", "11", "sun-05-11-cat7"}),
                             Race({"1", "20240801", "20240803", "05", "01", "sat-05-01-cat1"}),
                             Race({"9", "20240802", "20240803", "06", "02", "sat-06-02-cat9"}),
                             Race({"2", "20240802", "20240804", "08", "12", "sun-08-12-cat2"}),
                             Race({"2", "20240802", "20240804", "05", "12", "sun-05-12-cat2"}),
                         });
  EXPECT_THAT(Run().Texts(), IsEmpty());
  // Within a date all category "1" records come first, then "2" ..., course and race after.
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("sat-05-01-cat1", "sat-05-01-cat2", "sat-06-02-cat9",
                                                          "sun-05-12-cat2", "sun-08-12-cat2", "sun-05-11-cat7"));
  EXPECT_EQ(Bytes("RATHISWEEKNNEW.dat"), Bytes("RATHISWEEKNNEWd.dat"));
}

TEST_F(Structure, EqualRaceKeysKeepTheRecordTheSortPlacesLast) {
  const auto race = [](const std::string& tag) { return Race({"2", "20240801", "20240803", "05", "01", tag}); };
  Put("RATHISWEEKN.dat", {race("r1"), race("r2")});
  Run();
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("r1"));
  Put("RATHISWEEKN.dat", {race("r1"), race("r2"), race("r3"), race("r4")});
  Run();
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("r2"));
  EXPECT_THAT(RaceTags("RATHISWEEKNNEWd.dat"), ElementsAre("r2"));
}

TEST_F(Structure, CategoryOneRunnersLeaveTheStore) {
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001")});
  Put("SETHISWEEKN.dat", {
                             Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "b"}),
                             Entry({"1", "20240801", "20240803", "05", "01", "03", "2000000001", "cat1"}),
                             Entry({"7", "20240601", "20240526", "05", "11", "07", "2000000001", "a"}),
                         });
  // The expanded-record step leaves a longer scratch file of the same name behind.
  ASSERT_TRUE(common::WriteFileAtomic(Path("TEMPORARY"), std::string(2603 * 3, 'x')).ok());
  EXPECT_THAT(Run().Texts(), IsEmpty());
  EXPECT_THAT(EntryTags("SETHISWEEKN.dat"), ElementsAre("b", "a"));
  EXPECT_THAT(EntryTags("SETHISWEEKNNEW.dat"), ElementsAre("a", "b"));
  EXPECT_EQ(Bytes("SETHISWEEKNNEW.dat"), Bytes("SETHISWEEKNNEWd.dat"));
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("a", "b"));
  EXPECT_FALSE(common::FileExists(Path("TEMPORARY")));
}

TEST_F(Structure, EmptyRawFilesGiveEmptyOutputsAndTheEndText) {
  EXPECT_THAT(Run().Texts(), IsEmpty());
  for (const char* name : {"RATHISWEEKNNEW.dat", "RATHISWEEKNNEWd.dat", "SETHISWEEKNNEW.dat", "SETHISWEEKNNEWd.dat",
                           "UMTHISWEEKNNEW.dat", "KETTONUMTHISWEEKN.dat", "HAHAHANNUMTHISWEEKN.dat"})
    EXPECT_EQ(Bytes(name), "") << name;
  EXPECT_THAT(FolderFiles("UMAGOTOTHISWEEKN"), IsEmpty());
  EXPECT_THAT(host_.TextsOf(common::StatusSlot::kMainText4), ElementsAre(std::string(steps::kStructureStartText), "構造体処理終了  0"));
  // The package is missing: one message, naming the folder it belongs in; Label1 untouched.
  ASSERT_THAT(host_.Messages(), ElementsAre(HasSubstr("OPTION1N")));
  EXPECT_EQ(host_.Messages()[0], steps::PackageSetupMessage(app_));
  EXPECT_THAT(host_.TextsOf(common::StatusSlot::kMainLabel1), IsEmpty());
}

TEST_F(Structure, EmptyHorseFileGivesNoEntryFiles) {
  Put("UMTHISWEEKN.dat", {});
  Put("SETHISWEEKN.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "b"})});
  Run();
  EXPECT_EQ(Bytes("KETTONUMTHISWEEKN.dat"), "");
  EXPECT_EQ(Bytes("HAHAHANNUMTHISWEEKN.dat"), "");
  EXPECT_THAT(FolderFiles("UMAGOTOTHISWEEKN"), IsEmpty());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText4), "構造体処理終了  0");
}

TEST_F(Structure, HorseAndDamListsDistinctAscending) {
  Put("UMTHISWEEKN.dat", {Horse("2000000003", "3000000002", "c-old"), Horse("2000000001", ""),
                          Horse("2000000003", "3000000001", "c-new"), Horse("2000000002", "3000000002")});
  Run();
  EXPECT_EQ(Bytes("KETTONUMTHISWEEKN.dat"), "\"2000000001\"\r\n\"2000000002\"\r\n\"2000000003\"\r\n");
  EXPECT_EQ(Bytes("HAHAHANNUMTHISWEEKN.dat"), "\"          \"\r\n\"3000000001\"\r\n\"3000000002\"\r\n");
  EXPECT_THAT(Tags("UMTHISWEEKNNEW.dat", jvdata::um::kLength, jvdata::um::KettoNum),
              ElementsAre("2000000001", "2000000002", "2000000003"));
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText4), "構造体処理終了  4");  // records read, not horses
  // One entry file per listed horse, empty without runner records. Yields: after the start text,
  // between the four passes that come before the entry files, once per horse.
  EXPECT_THAT(FolderFiles("UMAGOTOTHISWEEKN"),
              ElementsAre("UMAGOTOTHISWEEKN/2000000001.dat", "UMAGOTOTHISWEEKN/2000000002.dat",
                          "UMAGOTOTHISWEEKN/2000000003.dat"));
  EXPECT_EQ(Bytes("UMAGOTOTHISWEEKN/2000000002.dat"), "");
  EXPECT_EQ(std::count_if(host_.events.begin(), host_.events.end(), [](const auto& e) { return e.kind == "yield"; }),
            1 + 4 + 3);
}

TEST_F(Structure, EntryFilesMergeVersionsOfARun) {
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001"), Horse("2000000002", "3000000001")});
  const auto run = [](const std::string& category, const std::string& created, const std::string& date,
                      const std::string& ketto, const std::string& tag) {
    return Entry({category, created, date, "05", "11", "07", ketto, tag});
  };
  Put("SETHISWEEKN.dat", {
                             // horse 1: a past run, then this week's run in three versions
                             run("2", "20240801", "20240803", "2000000001", "week-cat2"),
                             run("5", "20240805", "20240803", "2000000001", "week-cat5-newer"),
                             run("7", "20240805", "20240803", "2000000001", "week-cat7-same-day"),
                             run("9", "20240730", "20240803", "2000000001", "week-cat9-older"),
                             run("7", "20240601", "20240526", "2000000001", "past"),
                             // no horse master record: in no entry file
                             run("2", "20240801", "20240803", "2000000009", "stranger"),
                         });
  // Files left from an earlier run are rewritten, also when only their contents differ.
  Put("UMAGOTOTHISWEEKN/2000000001.dat", {run("2", "20240801", "20240803", "2000000001", "stale"),
                                          run("2", "20240801", "20240803", "2000000001", "stale")});
  Put("UMAGOTOTHISWEEKN/2000000002.dat", {run("2", "20240801", "20240803", "2000000002", "stale")});
  EXPECT_THAT(Run().Texts(), IsEmpty());
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("past", "week-cat7-same-day"));
  EXPECT_EQ(Bytes("UMAGOTOTHISWEEKN/2000000002.dat"), "");
  EXPECT_FALSE(common::FileExists(Path("UMAGOTOTHISWEEKN/2000000009.dat")));
}

TEST_F(Structure, LastRaceRecordIsTheNewestDatesHighestCategory) {
  Put("RATHISWEEKN.dat", {Race({"7", "20240805", "20240804", "05", "01", "final"}),
                          Race({"2", "20240802", "20240804", "08", "12", "card"}),
                          Race({"7", "20240730", "20240728", "09", "12", "last-week"})});
  Run();
  EXPECT_EQ(RaceTags("RATHISWEEKNNEW.dat").back(), "final");
}

TEST_F(Structure, AFailedOutputIsReportedAndTheRestIsWritten) {
  Put("RATHISWEEKN.dat", {Race({"2", "20240801", "20240803", "05", "01", "r"})});
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001")});
  std::filesystem::create_directory(Path("RATHISWEEKNNEW.dat"));  // cannot be replaced by a file
  const common::StepFailures failures = Run();
  ASSERT_THAT(failures.Texts(), ElementsAre(HasSubstr("RATHISWEEKNNEW.dat")));
  EXPECT_THAT(host_.Messages().back(), HasSubstr("RATHISWEEKNNEW.dat"));
  EXPECT_THAT(RaceTags("RATHISWEEKNNEWd.dat"), ElementsAre("r"));
  EXPECT_EQ(Bytes("KETTONUMTHISWEEKN.dat"), "\"2000000001\"\r\n");
  // A run with a failure ends with its failure text, never the finished one.
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText4), "構造体処理で失敗がありました。");
  for (const auto& f : FolderFiles()) EXPECT_THAT(f, ::testing::Not(HasSubstr("~"))) << "temporary file left";
}

TEST_F(Structure, UnreadableRunnerFileLeavesTheEntryFilesAlone) {
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001")});
  Put("SETHISWEEKN.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "run"})});
  Run();
  std::filesystem::remove(Path("SETHISWEEKNNEW.dat"));
  std::filesystem::create_directory(Path("SETHISWEEKNNEW.dat"));
  EXPECT_THAT(Run().Texts(), Contains(HasSubstr("SETHISWEEKNNEW.dat")));
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("run"));  // not emptied
}

TEST_F(Structure, PresentPackageTurnsTheLabelGreenWithItsDate) {
  std::filesystem::create_directory(Path("OPTION1N"));
  ASSERT_TRUE(common::WriteFileAtomic(Path("OPTION1N/KYOSOBA.dat"), "x").ok());
  struct tm local {};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 6;
  local.tm_mday = 29;
  local.tm_hour = 9;
  local.tm_min = 5;
  local.tm_sec = 3;
  local.tm_isdst = -1;
  const struct timeval times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
  ASSERT_EQ(::utimes(Path("OPTION1N/KYOSOBA.dat").c_str(), times), 0);
  Run();
  EXPECT_THAT(host_.Messages(), IsEmpty());
  ASSERT_EQ(host_.events[0].kind, "colour");
  EXPECT_EQ(host_.events[0].slot, common::StatusSlot::kMainLabel1);
  EXPECT_EQ(host_.events[0].text, std::to_string(0x80FF80));
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainLabel1),
            "予想因子ウエイトは展開されています。作成日は 2024/07/29 9:05:03 です。"
            "これより新しい日付の予想因子ウエイトがあれば展開して上書きして下さい。無ければそのまま続行して下さい。");
}

TEST_F(Structure, CommandLineRunsTheStepAndExitsNonZeroOnFailure) {
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001")});
  const std::string command = std::string(RADADOVUR_CLI) + " structure " + dir_ + " > " + dir_ + "/out.txt 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  const std::string out = common::ReadWholeFile(dir_ + "/out.txt").value_or("");
  EXPECT_THAT(out, HasSubstr("[Text4] 構造体処理終了  1"));
  EXPECT_THAT(out, HasSubstr(std::string(steps::kStructureWindowText)));
  EXPECT_TRUE(common::FileExists(Path("UMAGOTOTHISWEEKN/2000000001.dat")));

  std::filesystem::remove(Path("SETHISWEEKNNEW.dat"));
  std::filesystem::create_directory(Path("SETHISWEEKNNEW.dat"));
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_THAT(common::ReadWholeFile(dir_ + "/out.txt").value_or(""), HasSubstr("失敗 "));
}

}  // namespace
}  // namespace radadovur::testing

namespace radadovur::testing {
namespace {

// Step ② without step ①'s files: refused, the store as it was.
TEST_F(Structure, MissingRawFilesAreRefusedAndTheStoreStays) {
  Put("RATHISWEEKNNEW.dat", {Race({"2", "20240801", "20240803", "05", "01", "kept"})});
  Put("UMAGOTOTHISWEEKN/2000000001.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "kept"})});
  std::filesystem::remove(Path("RATHISWEEKN.dat"));
  std::filesystem::remove(Path("SETHISWEEKN.dat"));
  const auto before = FolderFiles();
  EXPECT_THAT(Run().Texts(), ElementsAre(HasSubstr("RATHISWEEKN.dat"), HasSubstr("SETHISWEEKN.dat")));
  EXPECT_THAT(host_.Messages().back(), HasSubstr("①今週開催取得を実行して下さい"));
  EXPECT_EQ(FolderFiles(), before);
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("kept"));
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("kept"));
  EXPECT_THAT(host_.TextsOf(common::StatusSlot::kMainText4), IsEmpty());
}

// A damaged raw file fails its own pass, named with its first bad record; that pass's outputs
// stay as they were, and the passes after it that read them are stopped.
TEST_F(Structure, DamagedRawFilesFailTheirPassAndLeaveItsOutputs) {
  const std::string race = Race({"2", "20240801", "20240803", "05", "01", "new"});
  const std::string entry = Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "new"});
  const std::string horse = Horse("2000000001", "3000000001", "new");
  struct Case {
    const char* file;
    std::string bytes;
    const char* text;
    std::vector<const char*> kept;  // outputs that must hold the old records
  };
  const Case cases[] = {
      {"RATHISWEEKN.dat", race.substr(0, 5) + "x" + race.substr(5) + race, "RATHISWEEKN.dat のレコード 1 が改行で終わっていません",
       {"RATHISWEEKNNEW.dat", "RATHISWEEKNNEWd.dat"}},
      {"SETHISWEEKN.dat", entry + entry.substr(1), "SETHISWEEKN.dat のレコード 2 が途中で切れています",
       {"SETHISWEEKNNEW.dat", "UMAGOTOTHISWEEKN/2000000001.dat"}},
      {"SETHISWEEKN.dat", race, "SETHISWEEKN.dat のレコード 1 が \"SE\" で始まっていません",
       {"SETHISWEEKNNEW.dat", "UMAGOTOTHISWEEKN/2000000001.dat"}},
      {"UMTHISWEEKN.dat", horse.substr(0, horse.size() - 2) + "xx", "UMTHISWEEKN.dat のレコード 1 が改行で終わっていません",
       {"UMAGOTOTHISWEEKN/2000000001.dat"}},
  };
  for (const auto& c : cases) {
    Put("RATHISWEEKN.dat", {race});
    Put("SETHISWEEKN.dat", {entry});
    Put("UMTHISWEEKN.dat", {horse});
    Put("RATHISWEEKNNEW.dat", {Race({"2", "20240801", "20240803", "05", "01", "old"})});
    Put("RATHISWEEKNNEWd.dat", {Race({"2", "20240801", "20240803", "05", "01", "old"})});
    Put("SETHISWEEKNNEW.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "old"})});
    Put("UMAGOTOTHISWEEKN/2000000001.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "old"})});
    ASSERT_TRUE(common::WriteFileAtomic(Path(c.file), c.bytes).ok());
    EXPECT_THAT(Run().Texts(), Contains(HasSubstr(c.text))) << c.text;
    EXPECT_THAT(host_.Messages().back(), HasSubstr(c.text));
    for (const char* out : c.kept) {
      const auto tags = std::string(out).starts_with("RA") ? RaceTags(out) : EntryTags(out);
      EXPECT_THAT(tags, ElementsAre("old")) << c.text << ": " << out;
    }
  }
}

// The disk fills while ② rewrites the runner file: the passes that read it stop, the others
// run, and the end message says what was left as it was.
TEST_F(Structure, AFullDiskStopsThePassesThatReadTheFailedOutput) {
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001")});
  std::vector<std::string> entries;
  for (const char* race : {"01", "02", "03", "04"})
    entries.push_back(Entry({"2", "20240801", "20240803", "05", race, "03", "2000000001", "new"}));
  Put("SETHISWEEKN.dat", entries);
  Put("UMAGOTOTHISWEEKN/2000000001.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "2000000001", "old"})});
  common::StepFailures failures;
  {
    FileSizeLimit full(3 * jvdata::se::kLength);
    failures = Run();
  }
  EXPECT_THAT(failures.Texts(), Contains(HasSubstr("SETHISWEEKN.dat に書き込めません（ファイルが大きすぎます）（4 件のレコードを書かず")));
  EXPECT_THAT(host_.Messages().back(), HasSubstr("前の失敗のため行わなかった処理: UMAGOTOTHISWEEKN/*.dat は元のままです"));
  EXPECT_EQ(Bytes("KETTONUMTHISWEEKN.dat"), "\"2000000001\"\r\n");  // the horse pass ran
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("old"));
  for (const auto& f : FolderFiles()) EXPECT_THAT(f, ::testing::Not(HasSubstr("~"))) << "temporary file left";
}

// An id that is not ten digits names no horse: a quote in it would give another horse's file.
TEST_F(Structure, IdsThatAreNotTenDigitsAreRejected) {
  Put("UMTHISWEEKN.dat", {Horse("2000000001", "3000000001"), Horse("200000\"001", "3000000\"01"), Horse("20000/0001", "")});
  Put("SETHISWEEKN.dat", {Entry({"2", "20240801", "20240803", "05", "01", "03", "200000\"001", "quoted"}),
                          Entry({"2", "20240801", "20240803", "05", "01", "04", "2000000001", "good"})});
  const auto texts = Run().Texts();
  EXPECT_THAT(texts, Contains(HasSubstr("血統登録番号 \"200000\"001\" は10桁の数字ではない")));
  EXPECT_THAT(texts, Contains(HasSubstr("血統登録番号 \"20000/0001\" は10桁の数字ではない")));
  EXPECT_THAT(texts, Contains(HasSubstr("母の繁殖登録番号 \"3000000\"01\" は10桁の数字ではない")));
  EXPECT_EQ(Bytes("KETTONUMTHISWEEKN.dat"), "\"2000000001\"\r\n");
  EXPECT_EQ(Bytes("HAHAHANNUMTHISWEEKN.dat"), "\"          \"\r\n\"3000000001\"\r\n");
  EXPECT_THAT(FolderFiles("UMAGOTOTHISWEEKN"), ElementsAre("UMAGOTOTHISWEEKN/2000000001.dat"));
  EXPECT_THAT(EntryTags("UMAGOTOTHISWEEKN/2000000001.dat"), ElementsAre("good"));
}

}  // namespace
}  // namespace radadovur::testing
