#include "steps/odds_download.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "support/file_size_limit.h"
#include "support/odds_record.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/temp_folder.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using jvdata::RecordType;
using Read = ScriptedJvLink::Read;
namespace names = common::names;

// Short stand-ins for delivered records of a type no fetch keeps: the type in front, a tag, CR LF.
std::string Rec(const char* spec, const std::string& tag) { return std::string(spec) + tag + "\r\n"; }
// A delivered record at its type's full length, the tag after the type (every fetch checks each
// record it keeps).
std::string Full(RecordType type, const std::string& tag) {
  std::string record = MakeRecord(type, {});
  return record.replace(2, tag.size(), tag);
}

// The race id of record r of a test's race file: meeting r / 100, race r % 100.
std::string RaceIdOf(int r) {
  char id[32];
  std::snprintf(id, sizeof id, "2024080305%02d01%02d", r / 100 % 100, r % 100);
  return id;
}

class OddsDownloadTest : public ::testing::Test {
 protected:
  // Step ② ran: the realtime odds read its race file.
  void SetUp() override { MarkStepsFinished(app_, steps::WeekStep::kStructure); }
  std::string File(std::string_view name) { return common::ReadWholeFile(app_ + std::string(name)).value_or("<missing>"); }
  common::StepFailures Week(steps::ThisWeekOdds which) {
    return steps::RunThisWeekOdds(which, state_, window_, link_, host_, std::chrono::milliseconds(0));
  }
  // A sorted race file of n races, race r with race number r % 100 and day r / 100.
  void Races(int n) {
    common::RecordFile races;
    ASSERT_TRUE(races.Open(app_ + std::string(names::kRaNew), jvdata::ra::kLength));
    for (int r = 1; r <= n; ++r) {
      const std::string id = RaceIdOf(r);
      ASSERT_TRUE(races.Append(MakeRecord(RecordType::RA, {{jvdata::ra::Year, id.substr(0, 4)},
                                                           {jvdata::ra::MonthDay, id.substr(4, 4)},
                                                           {jvdata::ra::VenueCode, id.substr(8, 2)},
                                                           {jvdata::ra::Kaiji, id.substr(10, 2)},
                                                           {jvdata::ra::Nichiji, id.substr(12, 2)},
                                                           {jvdata::ra::RaceNum, id.substr(14, 2)}})));
    }
    ASSERT_TRUE(races.Close());
  }
  std::vector<std::string> RealtimeKeys() const {
    std::vector<std::string> keys;
    for (const auto& c : link_.calls)
      if (c.rfind("JVRTOpen 0B30 ", 0) == 0) keys.push_back(c.substr(14));
    return keys;
  }

  TempFolder folder_{"rdv_odds_download"};
  std::string app_ = folder_.app_path();
  common::RunState state_ = common::RunStateFor(folder_.path());
  steps::OddsWindowState window_;
  ScriptedJvLink link_;
  RecordingHost host_;
};

TEST_F(OddsDownloadTest, EachButtonKeepsOnlyItsOwnTypesInDeliveryOrder) {
  ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kO6ThisWeek), "earlier O6\r\n").ok());
  state_.OddsSource = 1;
  for (RecordType type : {RecordType::O1, RecordType::O2, RecordType::O4, RecordType::O5, RecordType::O6}) {
    link_.reads.push_back(ScriptedJvLink::Record(Full(type, "a")));
    if (type == RecordType::O2) link_.reads.push_back(ScriptedJvLink::Record(Rec("O3", "a")));
  }
  link_.reads.push_back(ScriptedJvLink::Record(Full(RecordType::O2, "b")));
  EXPECT_TRUE(Week(steps::ThisWeekOdds::kPairsAndTrio).empty());
  EXPECT_EQ(File(names::kO2ThisWeek), Full(RecordType::O2, "a") + Full(RecordType::O2, "b"));
  EXPECT_EQ(File(names::kO4ThisWeek), Full(RecordType::O4, "a"));
  EXPECT_EQ(File(names::kO5ThisWeek), Full(RecordType::O5, "a"));
  EXPECT_EQ(File(names::kO6ThisWeek), "earlier O6\r\n");  // the other button's file is left alone
  EXPECT_EQ(state_.OddsSource, 0);
  EXPECT_EQ(link_.calls.front(), "JVInit SA730215/SD918342/ZEDORADERIDEROZE/ver.2020.3.2");
  EXPECT_EQ(link_.calls[1], "JVOpen TOKURACETCOVRCOV 00000000000000 2");
  EXPECT_EQ(link_.calls.back(), "JVClose");
  EXPECT_EQ(host_.LastText(common::StatusSlot::kOddsText1), "オッズ取得完了");

  link_.calls.clear();
  link_.reads = {ScriptedJvLink::Record(Full(RecordType::O5, "c")), ScriptedJvLink::Record(Full(RecordType::O6, "c"))};
  EXPECT_TRUE(Week(steps::ThisWeekOdds::kTrifecta).empty());
  EXPECT_EQ(File(names::kO6ThisWeek), Full(RecordType::O6, "c"));
  EXPECT_EQ(File(names::kO5ThisWeek), Full(RecordType::O5, "a"));
  EXPECT_EQ(link_.calls.front(), "JVInit UNKNOWN");
  EXPECT_EQ(host_.LastText(common::StatusSlot::kOddsText1), "3連単オッズ取得完了");
  EXPECT_TRUE(host_.Messages().empty());
}

TEST_F(OddsDownloadTest, NothingToReadLeavesTheButtonsFilesEmpty) {
  ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kO2ThisWeek), "old\r\n").ok());
  link_.opens = {{0, 0, 0}};
  EXPECT_TRUE(Week(steps::ThisWeekOdds::kPairsAndTrio).empty());
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"該当するデータがありません。"});
  for (auto name : {names::kO2ThisWeek, names::kO4ThisWeek, names::kO5ThisWeek}) EXPECT_EQ(File(name), "") << name;
  EXPECT_EQ(File(names::kO6ThisWeek), "<missing>");
  EXPECT_EQ(host_.LastText(common::StatusSlot::kOddsText1), "オッズ取得完了");
}

TEST_F(OddsDownloadTest, OnlyMinus403IsABrokenFileToFetchAgain) {
  link_.reads = {ScriptedJvLink::Record(Full(RecordType::O2, "1"), "0001.jvd"), {-403, "", "0002.jvd"},
                 ScriptedJvLink::Record(Full(RecordType::O2, "2"), "0002.jvd"), {-402, "", "0003.jvd"},
                 ScriptedJvLink::Record(Full(RecordType::O2, "3"), "0003.jvd")};
  const common::StepFailures failures = Week(steps::ThisWeekOdds::kPairsAndTrio);
  // The read after -402 never comes.
  EXPECT_EQ(File(names::kO2ThisWeek), Full(RecordType::O2, "1") + Full(RecordType::O2, "2"));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"JVReadエラー。 RC=-402"});
  EXPECT_EQ(failures.items.size(), 1u);
  const std::vector<std::string> recovery = {"JVFiledelete 0002.jvd", "JVClose", "JVOpen TOKURACETCOVRCOV 00000000000000 2"};
  EXPECT_NE(std::search(link_.calls.begin(), link_.calls.end(), recovery.begin(), recovery.end()), link_.calls.end());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kOddsText1), "オッズ取得で失敗がありました。");
}

TEST_F(OddsDownloadTest, ACancelledDownloadReadsNothing) {
  link_.opens = {{0, 3, 2}};
  link_.statuses = {1};
  link_.reads = {ScriptedJvLink::Record(Full(RecordType::O6, "x"))};
  host_.cancel = true;
  Week(steps::ThisWeekOdds::kTrifecta);
  EXPECT_EQ(window_.DownloadCount, 2);
  EXPECT_EQ(window_.DialogResult, common::kDownloadCancelled);
  EXPECT_EQ(host_.ProgressTotals(), std::vector<std::string>{"2"});
  EXPECT_EQ(File(names::kO6ThisWeek), "");
  EXPECT_EQ(link_.calls.back(), "JVClose");
}

TEST_F(OddsDownloadTest, RealtimeVisitsTheLast97RacesFromTheHighestRecord) {
  const std::pair<int, std::vector<int>> cases[] = {{40, {40, 1}}, {150, {150, 54}}};
  for (const auto& [n, ends] : cases) {
    std::remove((app_ + std::string(names::kRaNew)).c_str());
    Races(n);
    link_.calls.clear();
    EXPECT_TRUE(steps::RunRealtimeOdds(state_, link_, host_).empty());
    const auto keys = RealtimeKeys();
    ASSERT_EQ(keys.size(), static_cast<size_t>(ends[0] - ends[1] + 1)) << n;
    EXPECT_EQ(keys.front(), RaceIdOf(ends[0])) << n;
    EXPECT_EQ(keys.back(), RaceIdOf(ends[1])) << n;
  }
  EXPECT_EQ(host_.LastText(common::StatusSlot::kRealtimeText1), "速報オッズ取得完了");

  // Without step ②'s race file the fetch is refused: no request, no file created or emptied.
  std::remove((app_ + std::string(names::kRaNew)).c_str());
  std::remove((app_ + std::string(names::kO2Realtime)).c_str());
  link_.calls.clear();
  RecordingHost refused;
  const common::StepFailures failures = steps::RunRealtimeOdds(state_, link_, refused);
  EXPECT_TRUE(failures.refused);
  EXPECT_EQ(link_.calls.size(), 0u);
  EXPECT_TRUE(refused.TextsOf(common::StatusSlot::kRealtimeText1).empty());
  ASSERT_EQ(refused.Messages().size(), 1u);
  EXPECT_NE(refused.Messages()[0].find("先に②構造・中止処理を実行して下さい。"), std::string::npos);
  EXPECT_EQ(File(names::kO2Realtime), "<missing>");
  EXPECT_EQ(File(names::kRaNew), "<missing>");
}

TEST_F(OddsDownloadTest, RealtimeKeepsOnlyRecordsAndNeverTheBufferAfterAnError) {
  Races(1);
  state_.OddsSource = 0;
  link_.reads = {ScriptedJvLink::Record(Full(RecordType::O1, "r")), ScriptedJvLink::Record(Full(RecordType::O2, "r")),
                 {-501, ""},  // the scripted link leaves the O2 record in the buffer
                 ScriptedJvLink::Record(Full(RecordType::O4, "r")), ScriptedJvLink::Record(Full(RecordType::O5, "r")),
                 ScriptedJvLink::Record(Full(RecordType::O6, "r")), ScriptedJvLink::Record(Rec("O3", "late"))};
  const common::StepFailures failures = steps::RunRealtimeOdds(state_, link_, host_);
  EXPECT_EQ(File(names::kO2Realtime), Full(RecordType::O2, "r"));
  EXPECT_EQ(File(names::kO4Realtime), Full(RecordType::O4, "r"));
  EXPECT_EQ(File(names::kO5Realtime), Full(RecordType::O5, "r"));
  EXPECT_EQ(File(names::kO6Realtime), Full(RecordType::O6, "r"));
  EXPECT_EQ(link_.reads.size(), 1u);  // six reads per race
  EXPECT_EQ(state_.OddsSource, 1);
  EXPECT_EQ(link_.calls, (std::vector<std::string>{"JVInit SA730215/SD918342/VELTRAN/ver.2020.3.2",
                                                   "JVRTOpen 0B30 " + RaceIdOf(1), "JVClose"}));
  ASSERT_EQ(failures.items.size(), 1u);
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"速報オッズ取得で次のレースの取得に失敗しました。\n速報オッズ（0B30）: JVReadエラー。RC=-501（1 レース: " + RaceIdOf(1) + "）"});
  const auto texts = host_.TextsOf(common::StatusSlot::kRealtimeText1);
  EXPECT_EQ(texts, (std::vector<std::string>{"速報オッズ取得を開始します。。。。。。", "速報オッズ取得で失敗がありました。"}));
}

TEST_F(OddsDownloadTest, AFileThatCannotBeWrittenEndsTheFetchNamingIt) {
  Races(3);
  ASSERT_EQ(::mkdir((app_ + std::string(names::kO4Realtime)).c_str(), 0755), 0);
  const common::StepFailures failures = steps::RunRealtimeOdds(state_, link_, host_);
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_NE(host_.Messages()[0].find("O4RIALTIME.dat"), std::string::npos);
  EXPECT_EQ(failures.items.size(), 1u);
  // The files are emptied once the first request opens; the fetch ends there.
  EXPECT_EQ(RealtimeKeys().size(), 1u);
  EXPECT_EQ(host_.LastText(common::StatusSlot::kRealtimeText1), "速報オッズ取得で失敗がありました。");

  host_.events.clear();
  ASSERT_EQ(::mkdir((app_ + std::string(names::kO5ThisWeek)).c_str(), 0755), 0);
  EXPECT_EQ(Week(steps::ThisWeekOdds::kPairsAndTrio).items.size(), 1u);
  EXPECT_NE(host_.Messages().at(0).find("O5THISWEEKN.dat"), std::string::npos);
  EXPECT_EQ(link_.calls.back(), "JVClose");
  EXPECT_EQ(host_.LastText(common::StatusSlot::kOddsText1), "オッズ取得で失敗がありました。");
}

TEST_F(OddsDownloadTest, AFullDiskLeavesWholeRecordsAndNoFinishedText) {
  const std::string record = Full(RecordType::O6, "x");
  link_.reads.assign(5, ScriptedJvLink::Record(record));
  common::StepFailures failures;
  {
    FileSizeLimit full(static_cast<rlim_t>(record.size() * 5 / 2));
    failures = Week(steps::ThisWeekOdds::kTrifecta);
  }
  EXPECT_EQ(failures.items.size(), 1u);
  EXPECT_EQ(File(names::kO6ThisWeek), record + record);
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_NE(host_.Messages()[0].find("O6THISWEEKN.dat"), std::string::npos);
  EXPECT_EQ(host_.TextsOf(common::StatusSlot::kOddsText1), std::vector<std::string>{"3連単オッズ取得で失敗がありました。"});
}

// This week's fetch leaves a damaged record out, as the realtime fetches do: kept, it would shift
// the odds file it goes to. It is named by its recording file and its place there; the records
// before and after it are kept and the button ends with its failed text.
TEST_F(OddsDownloadTest, ThisWeeksFetchLeavesADamagedRecordOutAndNamesIt) {
  const std::string sound = Full(RecordType::O2, "b");
  const std::pair<const char*, std::string> damages[] = {
      {"a byte taken out", std::string(sound).erase(sound.size() / 2, 1)},
      {"a byte put in", std::string(sound).insert(sound.size() / 2, "x")},
      {"CR LF lost at the same length", std::string(sound).erase(sound.size() / 2, 2) + "xx"},
      {"cut short", sound.substr(0, sound.size() / 2)},
  };
  for (const auto& [what, damaged] : damages) {
    host_.events.clear();
    link_.reads = {ScriptedJvLink::Record(Full(RecordType::O2, "a"), "0001.jvd"),
                   ScriptedJvLink::Record(damaged, "0001.jvd"), ScriptedJvLink::Record(Full(RecordType::O4, "c"), "0002.jvd")};
    const common::StepFailures failures = Week(steps::ThisWeekOdds::kPairsAndTrio);
    EXPECT_EQ(File(names::kO2ThisWeek), Full(RecordType::O2, "a")) << what;
    EXPECT_EQ(File(names::kO4ThisWeek), Full(RecordType::O4, "c")) << what;
    ASSERT_EQ(failures.items.size(), 1u) << what;
    EXPECT_TRUE(failures.items[0].IsCorruption()) << what;
    EXPECT_NE(failures.Texts()[0].find("TOKURACETCOVRCOV/0001.jvd の 2 件目のレコード"), std::string::npos)
        << what << ": " << failures.Texts()[0];
    ASSERT_EQ(host_.Messages().size(), 1u) << what;
    EXPECT_EQ(host_.Messages()[0].rfind("今週オッズ取得で壊れたレコードを取り込みませんでした。\n", 0), 0u) << what;
    EXPECT_EQ(host_.LastText(common::StatusSlot::kOddsText1), "オッズ取得で失敗がありました。") << what;
  }
}

}  // namespace
}  // namespace radadovur::testing
