#include "results/realtime_patch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_se.h"
#include "results/results_files.h"
#include "results/runner_record.h"
#include "support/record_builder.h"
#include "support/temp_folder.h"
#include "support/data_names.h"

namespace radadovur::results {
namespace {

namespace names = common::names;
namespace se = jvdata::se;
namespace o1 = jvdata::o1;
using testing::MakeRecord;

constexpr const char* kKey = "202408030501";  // Year MonthDay VenueCode RaceNum

// A runner record of horse n with every byte set (the byte differs by record and offset), so a
// byte the patch should leave alone shows when it changes; horse 0 is a record without entry.
std::string Runner(int n) {
  std::string r(rr::kLength, '\0');
  if (n == 0) return r;
  for (size_t i = 0; i < r.size(); ++i) r[i] = static_cast<char>('A' + (i * 7 + static_cast<size_t>(n)) % 26);
  rr::Put(r, rr::Umaban, (n < 10 ? "0" : "") + std::to_string(n), 0);
  rr::Put(r, rr::LineEnd, "\r\n");
  return r;
}

// A realtime runner record of horse `umaban` of race kKey (Kaiji 02, Nichiji 01).
std::string Entry(const std::string& umaban, const std::string& order, const std::string& time, const std::string& pop,
                  const std::string& odds, const std::string& last3f, const std::string& month_day = "0803") {
  return MakeRecord(jvdata::RecordType::SE, {{se::DataCategory, "7"}, {se::Year, "2024"}, {se::MonthDay, month_day},
                                             {se::VenueCode, "05"}, {se::Kaiji, "02"}, {se::Nichiji, "01"},
                                             {se::RaceNum, "01"}, {se::Umaban, umaban}, {se::ArrivalOrder, order},
                                             {se::RunTime, time}, {se::WinPopularity, pop}, {se::WinOdds, odds},
                                             {se::Last3F, last3f}});
}

struct WinEntry {
  std::string umaban, odds, popularity;
};
// A realtime win odds record of race kKey with these entries (the others blank).
std::string WinOdds(const std::vector<WinEntry>& entries) {
  std::vector<testing::FieldValue> values = {{o1::Year, "2024"}, {o1::MonthDay, "0803"}, {o1::VenueCode, "05"},
                                             {o1::Kaiji, "02"},  {o1::Nichiji, "01"},    {o1::RaceNum, "01"}};
  for (uint32_t k = 0; k < entries.size(); ++k) {
    values.push_back({o1::WinOddsEntries_Umaban, entries[k].umaban, k});
    values.push_back({o1::WinOddsEntries_Odds, entries[k].odds, k});
    values.push_back({o1::WinOddsEntries_Popularity, entries[k].popularity, k});
  }
  return MakeRecord(jvdata::RecordType::O1, values);
}

// The five patched fields of entry 0.
struct Patched {
  std::string order, time, pop, odds, last3f;
  bool operator==(const Patched&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Patched& p) {
  return os << p.order << "|" << p.time << "|" << p.pop << "|" << p.odds << "|" << p.last3f;
}
Patched Of(std::string_view runner) {
  return {rr::ArrivalOrder.Str(runner, 0), rr::RunTime.Str(runner, 0), rr::WinPopularity.Str(runner, 0),
          rr::WinOdds.Str(runner, 0), rr::Last3F.Str(runner, 0)};
}

class RealtimePatchTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::mkdir((app_ + "RACE").c_str(), 0755), 0); }
  void WriteRunners(const std::string& key, const std::vector<int>& horses) {
    std::string file;
    for (int n : horses) file += Runner(n);
    ASSERT_TRUE(common::WriteFileAtomic(app_ + ::radadovur::testing::NameOf(RaceRunnerFileName, key), file).ok());
  }
  std::string RunnerFile(const std::string& key) {
    return common::ReadWholeFile(app_ + ::radadovur::testing::NameOf(RaceRunnerFileName, key)).value_or("<missing>");
  }
  std::string RecordOf(const std::string& key, int n) {
    return RunnerFile(key).substr(static_cast<size_t>(n - 1) * rr::kLength, rr::kLength);
  }
  void Realtime(const std::string& entries, const std::string& win_odds) {
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kSeRealtime), entries).ok());
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kO1Realtime), win_odds).ok());
  }
  RealtimePatchCounts Patch() { return PatchRunnerFilesFromRealtime(app_, failures_); }

  testing::TempFolder folder_{"rdv_realtime_patch"};
  std::string app_ = folder_.app_path();
  common::StepFailures failures_;
};

TEST_F(RealtimePatchTest, HorseFiveGetsTheFiveValuesInEntryZeroAndNothingElseChanges) {
  WriteRunners(kKey, {1, 2, 3, 4, 5, 6});
  const std::string before = RunnerFile(kKey);
  Realtime(Entry("05", "03", "1352", "04", "0123", "345"), "");
  const RealtimePatchCounts counts = Patch();
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(counts.patched, 1);
  EXPECT_EQ(counts.skipped(), 0);
  const std::string after = RunnerFile(kKey);
  ASSERT_EQ(after.size(), before.size());
  std::string horse5 = after.substr(4 * rr::kLength, rr::kLength);
  EXPECT_EQ(Of(horse5), (Patched{"03", "1352", "04", "0123", "345"}));
  // Entry 1 of the same arrays and every other byte as they were.
  EXPECT_EQ(rr::ArrivalOrder.Str(horse5, 1), rr::ArrivalOrder.Str(Runner(5), 1));
  const std::string old5 = Runner(5);
  for (const jvdata::Field& f : {rr::ArrivalOrder, rr::RunTime, rr::WinPopularity, rr::WinOdds, rr::Last3F})
    rr::Put(horse5, f, f.Of(old5, 0), 0);
  EXPECT_EQ(horse5, old5);
  EXPECT_EQ(after.substr(0, 4 * rr::kLength), before.substr(0, 4 * rr::kLength));
  EXPECT_EQ(after.substr(5 * rr::kLength), before.substr(5 * rr::kLength));
}

TEST_F(RealtimePatchTest, WinOddsComeLastAndRecordsApplyInFetchOrder) {
  WriteRunners(kKey, {1, 2, 3});
  // Horse 1 fetched twice (two loads): the later record stays. Horse 2 also in the win odds,
  // whose popularity and odds win; horse 3 only in the win odds; "00" and blank change nothing.
  Realtime(Entry("01", "05", "1400", "06", "0456", "360") + Entry("02", "01", "1350", "02", "0031", "340") +
               Entry("01", "02", "1351", "03", "0070", "341"),
           WinOdds({{"02", "0029", "01"}, {"00", "9999", "99"}, {"  ", "8888", "88"}, {"03", "0150", "05"}}));
  const RealtimePatchCounts counts = Patch();
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(counts.patched, 5);
  EXPECT_EQ(Of(RecordOf(kKey, 1)), (Patched{"02", "1351", "03", "0070", "341"}));
  EXPECT_EQ(Of(RecordOf(kKey, 2)), (Patched{"01", "1350", "01", "0029", "340"}));
  const Patched untouched = Of(Runner(3));
  EXPECT_EQ(Of(RecordOf(kKey, 3)), (Patched{untouched.order, untouched.time, "05", "0150", untouched.last3f}));
}

TEST_F(RealtimePatchTest, OnlyExistingRunnersArePatchedAndTheRestIsCounted) {
  WriteRunners(kKey, {1, 0, 3});  // horse 2 has no entry
  const std::string before = RunnerFile(kKey);
  Realtime(Entry("02", "01", "1350", "02", "0031", "340") + Entry("04", "01", "1350", "02", "0031", "340") +
               Entry("xx", "01", "1350", "02", "0031", "340") +
               Entry("01", "01", "1350", "02", "0031", "340", "0804") +  // a race without a runner file
               Entry("02", "02", "1351", "03", "0032", "341", "0804") +  // its second runner
               Entry("03", "04", "1355", "05", "0090", "350"),
           WinOdds({{"07", "0029", "01"}, {"2.", "0029", "01"}}));
  const RealtimePatchCounts counts = Patch();
  EXPECT_EQ(counts.patched, 1);
  EXPECT_EQ(counts.no_runner_file, 2);
  EXPECT_EQ(counts.races_without_file, 1);  // the message names races: two patches of one race
  EXPECT_EQ(counts.no_runner, 4);  // horses 2 and 4, then 7 and "2." (2) of the win odds
  ASSERT_EQ(failures_.items.size(), 1u);  // "xx" is not a number: named, and the rest goes on
  EXPECT_NE(failures_.Texts()[0].find("\"xx\""), std::string::npos);
  EXPECT_FALSE(common::FileExists(app_ + ::radadovur::testing::NameOf(RaceRunnerFileName, "202408040501")));
  const std::string after = RunnerFile(kKey);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, 2 * rr::kLength), before.substr(0, 2 * rr::kLength));
  EXPECT_EQ(Of(RecordOf(kKey, 3)), (Patched{"04", "1355", "05", "0090", "350"}));
}

TEST_F(RealtimePatchTest, NothingFetchedChangesNothing) {
  WriteRunners(kKey, {1});
  const std::string before = RunnerFile(kKey);
  const RealtimePatchCounts counts = Patch();  // neither realtime file exists
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(counts.patched + counts.skipped(), 0);
  EXPECT_EQ(RunnerFile(kKey), before);
}

}  // namespace
}  // namespace radadovur::results
