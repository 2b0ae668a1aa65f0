#include "store/cancellation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "store/realtime_files.h"
#include "support/store_fixture.h"

namespace radadovur::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Cancellation = StoreFolder;

// Saturday's race 05-11 stands under categories "1" and "2"; the realtime results call it off.
TEST_F(Cancellation, ACancelledRaceReplacesEveryVersionOfItAndLeavesTheRaceFile) {
  Put("RATHISWEEKNNEWd.dat", {
                                 Race({"1", "20240801", "20240803", "05", "11", "sat-11-cat1"}),
                                 Race({"2", "20240801", "20240803", "05", "12", "sat-12-cat2"}),
                                 Race({"9", "20240802", "20240803", "06", "01", "stored-cat9"}),
                                 Race({"2", "20240801", "20240803", "05", "11", "sat-11-cat2"}),
                                 Race({"2", "20240801", "20240804", "05", "11", "sun-11-cat2", "02"}),
                                 Race({"7", "20240805", "20240804", "06", "11", "sun-06-11-cat7", "02"}),
                             });
  Put("RATHISWEEKNNEW.dat", {Race({"2", "20240801", "20240803", "05", "01", "old"})});
  Put("SETHISWEEKNNEWd.dat", {});
  Put("RARIALTIME.dat", {
                            Race({"9", "20240803", "20240803", "05", "11", "rt-cancelled"}),
                            Race({"7", "20240803", "20240803", "05", "12", "rt-final"}),  // not a cancellation
                        });
  { const auto s = store::ApplyCancellations(app_); ASSERT_TRUE(s.ok()) << s.ToString(); }
  EXPECT_THAT(RaceTags("RATHISWEEKNNEWd.dat"),
              ElementsAre("rt-cancelled", "sat-12-cat2", "stored-cat9", "rt-cancelled", "sun-11-cat2", "sun-06-11-cat7"));
  // Neither version of the cancelled race is left, nor any record of category "1" or "9".
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("sat-12-cat2", "sun-11-cat2", "sun-06-11-cat7"));
}

TEST_F(Cancellation, AScratchedRunnerReplacesItsRunWhateverItsDateAndCategory) {
  const std::string horse = "2000000001";
  Put("SETHISWEEKNNEWd.dat", {
                                 Entry({"1", "20240801", "20240803", "05", "05", "03", horse, "cat1"}),
                                 Entry({"2", "20240801", "20240803", "05", "05", "03", horse, "cat2"}),
                                 Entry({"2", "20240801", "20240803", "05", "05", "04", "2000000002", "other-horse"}),
                                 Entry({"2", "20240801", "20240804", "05", "05", "03", "2000000003", "next-day", "02"}),
                                 Entry({"7", "20230601", "20230528", "05", "05", "03", "2000000004", "last-year", "01"}),
                             });
  Put("SERIALTIME.dat", {Entry({"9", "20240803", "20240807", "05", "05", "03", horse, "scratched"})});
  Put("RATHISWEEKNNEWd.dat", {});
  { const auto s = store::ApplyCancellations(app_); ASSERT_TRUE(s.ok()) << s.ToString(); }
  EXPECT_THAT(EntryTags("SETHISWEEKNNEWd.dat"), ElementsAre("scratched", "scratched", "other-horse", "next-day", "last-year"));
  EXPECT_THAT(EntryTags("SETHISWEEKNNEW.dat"), ElementsAre("other-horse", "next-day", "last-year"));
}

TEST_F(Cancellation, WithoutCancellationsTheFilesAreTheWorkingCopiesWithoutOneAndNine) {
  Put("RATHISWEEKNNEWd.dat", {Race({"1", "20240801", "20240803", "05", "01", "a"}),
                              Race({"2", "20240801", "20240803", "05", "02", "b"}),
                              Race({"9", "20240801", "20240803", "05", "03", "c"}),
                              Race({"5", "20240801", "20240803", "05", "04", "d"})});
  Put("SETHISWEEKNNEWd.dat", {Entry({"9", "20240801", "20240803", "05", "01", "01", "2000000001", "x"}),
                              Entry({"2", "20240801", "20240803", "05", "02", "01", "2000000001", "y"})});
  Put("RARIALTIME.dat", {Race({"7", "20240803", "20240803", "05", "02", "final"})});
  const std::string working = Bytes("RATHISWEEKNNEWd.dat");
  { const auto s = store::ApplyCancellations(app_); ASSERT_TRUE(s.ok()) << s.ToString(); }
  EXPECT_EQ(Bytes("RATHISWEEKNNEWd.dat"), working);
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("b", "d"));
  EXPECT_THAT(EntryTags("SETHISWEEKNNEW.dat"), ElementsAre("y"));
  // Run again on its own output: nothing changes.
  const auto files = FolderFiles();
  const std::string races = Bytes("RATHISWEEKNNEW.dat");
  { const auto s = store::ApplyCancellations(app_); ASSERT_TRUE(s.ok()) << s.ToString(); }
  EXPECT_EQ(Bytes("RATHISWEEKNNEW.dat"), races);
  EXPECT_EQ(FolderFiles(), files);  // no temporary file left behind
}

TEST_F(Cancellation, AFailingFileEndsThePassAndLeavesTheWeekFileAsItWas) {
  Put("RATHISWEEKNNEWd.dat", {Race({"1", "20240801", "20240803", "05", "01", "a"}), Race({"2", "20240801", "20240803", "05", "02", "b"})});
  Put("SETHISWEEKNNEW.dat", {Entry({"1", "20240801", "20240803", "05", "01", "01", "2000000001", "before"})});
  std::filesystem::create_directory(Path("SETHISWEEKNNEWd.dat"));  // cannot be read
  const common::Status s = store::ApplyCancellations(app_);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.path(), Path("SETHISWEEKNNEWd.dat"));
  EXPECT_THAT(RaceTags("RATHISWEEKNNEW.dat"), ElementsAre("b"));            // done before it
  EXPECT_THAT(EntryTags("SETHISWEEKNNEW.dat"), ElementsAre("before"));  // not deleted first
}

// The date list: Year and MonthDay of the race file's last record, then each older date met
// going back over at most 97 neighbouring pairs, three dates at most.
TEST_F(Cancellation, RealtimeDates) {
  const auto races = [](std::initializer_list<std::pair<const char*, int>> runs) {
    std::vector<std::string> records;
    for (const auto& [date, n] : runs)
      for (int i = 0; i < n; ++i) records.push_back(Race({"2", "20240801", date, "05", "01", ""}));
    return records;
  };
  struct Case {
    const char* name;
    std::vector<std::string> records;
    std::vector<std::string> dates;
  };
  const std::vector<Case> cases = {
      {"empty race file", {}, {}},
      {"one record", races({{"20240804", 1}}), {"20240804"}},
      {"last two of D1, then D2, then D3 and D4", races({{"20240720", 1}, {"20240727", 2}, {"20240728", 3}, {"20240804", 2}}),
       {"20240804", "20240728", "20240727"}},
      {"the last record alone of its date", races({{"20240803", 4}, {"20240804", 1}}), {"20240804", "20240803"}},
      {"fewer dates than three", races({{"20240803", 5}, {"20240804", 5}}), {"20240804", "20240803"}},
      {"an older date beyond 97 pairs", races({{"20240727", 1}, {"20240803", 97}, {"20240804", 1}}), {"20240804", "20240803"}},
      {"an older date at the 97th pair", races({{"20240727", 1}, {"20240803", 96}, {"20240804", 1}}),
       {"20240804", "20240803", "20240727"}},
  };
  for (const auto& c : cases) {
    Put("RATHISWEEKNNEW.dat", c.records);
    std::vector<std::string> dates = {"left over"};
    ASSERT_TRUE(store::CollectRealtimeDates(app_, dates).ok()) << c.name;
    EXPECT_EQ(dates, c.dates) << c.name;
  }
}

TEST_F(Cancellation, RealtimeRecordsFollowThoseOfEarlierFetches) {
  const std::string a = Race({"9", "20240803", "20240803", "05", "01", "a"});
  const std::string b = Race({"7", "20240803", "20240803", "05", "02", "b"});
  Put("RARIALTIME.dat", {a});
  store::RealtimeRecords records;
  records.races = {b, a};
  ASSERT_TRUE(store::AppendRealtimeRecords(app_, records).ok());
  EXPECT_THAT(RaceTags("RARIALTIME.dat"), ElementsAre("a", "b", "a"));
  EXPECT_EQ(Bytes("SERIALTIME.dat"), "<missing>");  // nothing fetched, nothing written

  records.races = {"RA short"};
  EXPECT_FALSE(store::AppendRealtimeRecords(app_, records).ok());
  EXPECT_THAT(RaceTags("RARIALTIME.dat"), ElementsAre("a", "b", "a"));
}

}  // namespace
}  // namespace radadovur::testing
