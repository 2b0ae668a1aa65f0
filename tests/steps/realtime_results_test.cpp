#include "steps/realtime_results.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "results/results_files.h"
#include "results/runner_record.h"
#include "support/record_builder.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/temp_folder.h"
#include "support/data_names.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using jvdata::RecordType;
namespace names = common::names;
namespace rr = results::rr;

// Delivered records of their type's full length, told apart by a tag after the type.
std::string Rec(RecordType type, const std::string& tag) {
  std::string record = MakeRecord(type, {});
  return record.replace(2, tag.size(), tag);
}

// The race id of record r of a test's race file: meeting r / 100, race r % 100.
std::string RaceIdOf(int r) {
  char id[32];
  std::snprintf(id, sizeof id, "2024080305%02d01%02d", r / 100 % 100, r % 100);
  return id;
}

std::string RaceRecord(const std::string& id) {
  return MakeRecord(RecordType::RA, {{jvdata::ra::DataCategory, "7"}, {jvdata::ra::Year, id.substr(0, 4)},
                                     {jvdata::ra::MonthDay, id.substr(4, 4)}, {jvdata::ra::VenueCode, id.substr(8, 2)},
                                     {jvdata::ra::Kaiji, id.substr(10, 2)}, {jvdata::ra::Nichiji, id.substr(12, 2)},
                                     {jvdata::ra::RaceNum, id.substr(14, 2)}});
}

class RealtimeResultsTest : public ::testing::Test {
 protected:
  std::string File(std::string_view name) { return common::ReadWholeFile(app_ + std::string(name)).value_or("<missing>"); }
  // A race file of n races, race r as RaceIdOf(r).
  void Races(std::string_view name, int n) {
    common::RecordFile races;
    ASSERT_TRUE(races.Open(app_ + std::string(name), jvdata::ra::kLength));
    for (int r = 1; r <= n; ++r) ASSERT_TRUE(races.Append(RaceRecord(RaceIdOf(r))));
    ASSERT_TRUE(races.Close());
  }
  std::vector<std::string> Requests(const std::string& dataspec) const {
    std::vector<std::string> keys;
    const std::string prefix = "JVRTOpen " + dataspec + " ";
    for (const auto& c : link_.calls)
      if (c.rfind(prefix, 0) == 0) keys.push_back(c.substr(prefix.size()));
    return keys;
  }

  TempFolder folder_{"rdv_realtime_results"};
  std::string app_ = folder_.app_path();
  common::RunState state_ = common::RunStateFor(folder_.path());
  ScriptedJvLink link_;
  RecordingHost host_;
};

TEST_F(RealtimeResultsTest, WinOddsVisitTheLast97RacesOfTheDownloadNeverBeforeRecordOne) {
  const std::pair<int, std::vector<int>> cases[] = {{40, {40, 1}}, {150, {150, 54}}, {0, {}}};
  for (const auto& [n, ends] : cases) {
    std::remove((app_ + std::string(names::kRaThisWeek)).c_str());
    if (n > 0) Races(names::kRaThisWeek, n);
    link_.calls.clear();
    common::StepFailures failures;
    EXPECT_TRUE(steps::FetchRealtimeWinOdds(app_, link_, host_, failures).ok());
    EXPECT_TRUE(failures.empty());
    const auto keys = Requests("0B30");
    ASSERT_EQ(keys.size(), n == 0 ? 0u : static_cast<size_t>(ends[0] - ends[1] + 1)) << n;
    if (n == 0) continue;
    EXPECT_EQ(keys.front(), RaceIdOf(ends[0])) << n;
    EXPECT_EQ(keys.back(), RaceIdOf(ends[1])) << n;
    EXPECT_EQ(link_.calls.front(), "JVInit SA730215/SD918342/ZEDORADERIDEROZE/ver.2020.3.2");
  }
  EXPECT_EQ(File(names::kO1Realtime), "");
  EXPECT_EQ(File(names::kRaThisWeek), "<missing>");  // not created
}

TEST_F(RealtimeResultsTest, OnlyO1RecordsAreKeptAndNeverTheBufferAfterAnError) {
  Races(names::kRaThisWeek, 2);
  ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kO1Realtime), "O1 of an earlier fetch\r\n").ok());
  link_.init_rc = -101;
  // Race 2 (the last record first): six reads, the second an error after which the buffer
  // still holds the O1 record. Race 1: its reads end at -1.
  link_.reads = {ScriptedJvLink::Record(Rec(RecordType::O1, "2")), {-501, ""}, ScriptedJvLink::Record(Rec(RecordType::O2, "2")), {0, ""}, ScriptedJvLink::Record(Rec(RecordType::O1, "2b")), ScriptedJvLink::Record(Rec(RecordType::O6, "2")),
                 ScriptedJvLink::Record(Rec(RecordType::O1, "1")), {-1, ""},
                 ScriptedJvLink::Record(Rec(RecordType::O1, "never"))};
  common::StepFailures failures;
  EXPECT_TRUE(steps::FetchRealtimeWinOdds(app_, link_, host_, failures).ok());
  // The earlier fetch's record gone.
  EXPECT_EQ(File(names::kO1Realtime), Rec(RecordType::O1, "2") + Rec(RecordType::O1, "2b") + Rec(RecordType::O1, "1"));
  EXPECT_EQ(link_.reads.size(), 1u);
  // The failed JVInit is shown for each race and the fetch goes on; the read error is listed.
  EXPECT_EQ(host_.Messages(), (std::vector<std::string>{"JVInitエラー。RC=-101", "JVInitエラー。RC=-101"}));
  ASSERT_EQ(failures.items.size(), 3u);
  EXPECT_NE(failures.Texts()[2].find(RaceIdOf(2)), std::string::npos);
}

TEST_F(RealtimeResultsTest, TheLoadFetchesBothAndPatchesTheRunnerFile) {
  Races(names::kRaThisWeek, 1);
  Races(names::kRaNew, 1);
  ASSERT_EQ(::mkdir((app_ + "RACE").c_str(), 0755), 0);
  std::string runner = rr::EmptyRecord();
  rr::Put(runner, rr::Umaban, "01", 0);
  rr::Put(runner, rr::LineEnd, "\r\n");
  ASSERT_TRUE(common::WriteFileAtomic(app_ + ::radadovur::testing::NameOf(results::RaceRunnerFileName, "202408030501"), runner).ok());
  ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(results::kRaceDetailFile), "").ok());  // step ⑥ has run
  ::radadovur::testing::MarkStepsFinished(app_, steps::WeekStep::kResults);
  const std::string entry = MakeRecord(
      RecordType::SE, {{jvdata::se::DataCategory, "7"}, {jvdata::se::Year, "2024"}, {jvdata::se::MonthDay, "0803"},
                       {jvdata::se::VenueCode, "05"}, {jvdata::se::Kaiji, "00"}, {jvdata::se::Nichiji, "01"},
                       {jvdata::se::RaceNum, "01"}, {jvdata::se::Umaban, "01"}, {jvdata::se::ArrivalOrder, "01"},
                       {jvdata::se::RunTime, "1352"}, {jvdata::se::WinPopularity, "02"}, {jvdata::se::WinOdds, "0045"},
                       {jvdata::se::Last3F, "345"}});
  link_.reads = {{-1, ""}, ScriptedJvLink::Record(entry), {-203, ""}};  // no win odds for the race
  const steps::RealtimeResultsReport report = steps::LoadRealtimeResults(state_, link_, host_);
  EXPECT_TRUE(report.failures.empty()) << report.failures.Texts().front();
  EXPECT_EQ(Requests("0B12"), std::vector<std::string>{"20240803"});
  EXPECT_EQ(report.counts.patched, 1);
  EXPECT_EQ(host_.Yields(), 2);  // after the runner file is read and after it is written back
  EXPECT_TRUE(host_.Messages().empty());
  const std::string patched = File("RACE/202408030501.dat");
  EXPECT_EQ(rr::ArrivalOrder.Str(patched, 0) + rr::RunTime.Str(patched, 0) + rr::WinPopularity.Str(patched, 0) +
                rr::WinOdds.Str(patched, 0) + rr::Last3F.Str(patched, 0),
            "011352020045345");
  EXPECT_EQ(steps::RealtimeResultsMenuEndText(report.failures), "速報払戻等取得及び処理完了");

  // A second load appends the runner record again and, with the race file gone, says what failed.
  std::remove((app_ + std::string(names::kRaNew)).c_str());
  link_.reads = {{-1, ""}};
  const steps::RealtimeResultsReport second = steps::LoadRealtimeResults(state_, link_, host_);
  EXPECT_FALSE(second.failures.empty());
  EXPECT_EQ(second.counts.patched, 1);  // what was fetched before still applies
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_EQ(host_.Messages()[0].rfind("速報着順等の取得と反映で次の処理ができませんでした。", 0), 0u);
  EXPECT_EQ(steps::RealtimeResultsMenuEndText(second.failures), "速報払戻等取得及び処理で失敗がありました。");
}

}  // namespace
}  // namespace radadovur::testing
