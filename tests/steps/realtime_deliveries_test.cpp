// The realtime fetches on damaged deliveries: a record cut, with a byte put in or taken out,
// split by a line end or without its type tag is left out and named with its recording, the rest
// of the delivery is kept, and a realtime file that is damaged names the remedy that mends it.
#include <gtest/gtest.h>

#include <functional>

#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "steps/cancellation.h"
#include "steps/odds_download.h"
#include "steps/realtime_results.h"
#include "steps/realtime_results_fetch.h"
#include "steps/week_record.h"
#include "store/store_files.h"
#include "support/odds_record.h"
#include "support/record_builder.h"
#include "support/recording_host.h"
#include "support/scripted_jv_link.h"
#include "support/temp_folder.h"
#include "support/week_record.h"

namespace radadovur::testing {
namespace {

using jvdata::RecordType;
namespace names = common::names;

constexpr const char* kRaceId = "2024080305010101";

std::string RaceRecord() {
  const std::string id = kRaceId;
  return MakeRecord(RecordType::RA, {{jvdata::ra::DataCategory, "7"}, {jvdata::ra::Year, id.substr(0, 4)},
                                     {jvdata::ra::MonthDay, id.substr(4, 4)}, {jvdata::ra::VenueCode, id.substr(8, 2)},
                                     {jvdata::ra::Kaiji, id.substr(10, 2)}, {jvdata::ra::Nichiji, id.substr(12, 2)},
                                     {jvdata::ra::RaceNum, id.substr(14, 2)}});
}

// A damage done to a sound delivered record: what JV-Link then delivers in its place.
struct Damage {
  const char* what;
  std::function<std::vector<std::string>(const std::string& record)> make;
};

const Damage kDamages[] = {
    {"cut (the last record of a file cut short)", [](const std::string& r) { return std::vector{r.substr(0, r.size() / 2)}; }},
    {"a byte put in", [](std::string r) { return std::vector{r.insert(r.size() / 2, "x")}; }},
    {"a byte taken out", [](std::string r) { return std::vector{r.erase(r.size() / 2, 1)}; }},
    {"CR LF inside",
     [](const std::string& r) { return std::vector{r.substr(0, r.size() / 2) + "\r\n", r.substr(r.size() / 2)}; }},
    {"the tag lost", [](std::string r) { return std::vector{r.replace(0, 2, "  ")}; }},
    {"a byte moved to the end (same length)",
     [](std::string r) {
       r.erase(r.size() / 2, 1);
       return std::vector{r + "x"};
     }},
};

class RealtimeDeliveriesTest : public ::testing::Test {
 protected:
  // ② (and the cancellation) ran: the realtime odds and the cancellation read its files.
  void SetUp() override { MarkStepsFinished(app_, steps::WeekStep::kStructure); }
  std::string File(std::string_view name) { return common::ReadWholeFile(app_ + std::string(name)).value_or("<missing>"); }
  void Races(std::string_view name) {
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(name), RaceRecord()).ok());
  }
  // The damaged record's pieces, then `after`, each from `recording`.
  void Deliver(const Damage& damage, const std::string& record, const std::vector<ScriptedJvLink::Read>& after,
               const std::string& recording) {
    link_.reads.clear();
    for (const std::string& piece : damage.make(record)) link_.reads.push_back(ScriptedJvLink::Record(piece, recording));
    for (const auto& read : after) link_.reads.push_back(read);
  }
  // The first failure names the recording and the record's place in it.
  static void ExpectNamed(const common::StepFailures& failures, const std::string& recording, const Damage& damage) {
    ASSERT_FALSE(failures.empty()) << damage.what;
    const std::string text = failures.Texts().front();
    EXPECT_NE(text.find(recording + " の 1 件目のレコード"), std::string::npos) << damage.what << ": " << text;
    EXPECT_TRUE(failures.items.front().IsCorruption()) << damage.what;
  }

  TempFolder folder_{"rdv_realtime_deliveries"};
  std::string app_ = folder_.app_path();
  common::RunState state_ = common::RunStateFor(folder_.path());
  ScriptedJvLink link_;
  RecordingHost host_;
};

TEST_F(RealtimeDeliveriesTest, TheResultsFetchLeavesADamagedRecordOutAndKeepsTheRestOfTheDay) {
  Races(names::kRaNew);
  const std::string entry = MakeRecord(RecordType::SE, {{jvdata::se::Year, "2024"}, {jvdata::se::MonthDay, "0803"}});
  for (const Damage& damage : kDamages) {
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kRaRealtime), RaceRecord()).ok());  // an earlier fetch
    std::remove((app_ + std::string(names::kSeRealtime)).c_str());
    Deliver(damage, RaceRecord(), {ScriptedJvLink::Record(entry, "20240803.jvd"), {-203, ""}}, "20240803.jvd");
    common::StepFailures failures;
    EXPECT_TRUE(steps::FetchRealtimeResults(app_, link_, host_, failures).ok()) << damage.what;
    ExpectNamed(failures, "0B12/20240803.jvd", damage);
    EXPECT_EQ(File(names::kRaRealtime), RaceRecord()) << damage.what;
    EXPECT_EQ(File(names::kSeRealtime), entry) << damage.what;
  }
}

TEST_F(RealtimeDeliveriesTest, TheWinOddsFetchLeavesADamagedRecordOut) {
  Races(names::kRaThisWeek);
  std::string odds = MakeRecord(RecordType::O1, {});
  odds.replace(11, 16, kRaceId);
  const std::string recording = std::string(kRaceId) + ".jvd";
  for (const Damage& damage : kDamages) {
    Deliver(damage, odds, {ScriptedJvLink::Record(odds, recording), {-1, ""}}, recording);
    common::StepFailures failures;
    EXPECT_TRUE(steps::FetchRealtimeWinOdds(app_, link_, host_, failures).ok()) << damage.what;
    ExpectNamed(failures, "0B30/" + recording, damage);
    EXPECT_EQ(File(names::kO1Realtime), odds) << damage.what;
  }
}

TEST_F(RealtimeDeliveriesTest, TheRealtimeOddsLeaveADamagedRecordOutAndEndWithTheFailedText) {
  Races(names::kRaNew);
  const std::string quinella = OddsRecordBuilder(RecordType::O2, kRaceId).Build();
  const std::string exacta = OddsRecordBuilder(RecordType::O4, kRaceId).Build();
  const std::string recording = std::string(kRaceId) + ".jvd";
  for (const Damage& damage : kDamages) {
    host_.events.clear();
    Deliver(damage, quinella, {ScriptedJvLink::Record(exacta, recording), {-1, ""}}, recording);
    const common::StepFailures failures = steps::RunRealtimeOdds(state_, link_, host_);
    ExpectNamed(failures, "0B30/" + recording, damage);
    EXPECT_EQ(File(names::kO2Realtime), "") << damage.what;
    EXPECT_EQ(File(names::kO4Realtime), exacta) << damage.what;
    EXPECT_EQ(host_.LastText(common::StatusSlot::kRealtimeText1), "速報オッズ取得で失敗がありました。") << damage.what;
    // Not the whole delivery: the fetch is not finished, as the realtime results are not.
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(app_, record).ok());
    EXPECT_FALSE(record.Finished(steps::WeekStep::kRealtimeOdds)) << damage.what;
    ASSERT_EQ(host_.Messages().size(), 1u) << damage.what;  // the window shows it too
    EXPECT_NE(host_.Messages()[0].find("0B30/" + recording + " の 1 件目"), std::string::npos) << host_.Messages()[0];
  }
}

TEST_F(RealtimeDeliveriesTest, ADamagedRealtimeFileNamesTheStartUpAsItsRemedy) {
  Races(names::kRaNew);
  for (const store::StoreFile* file : {&store::kRaRealtime, &store::kSeRealtime}) {
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(names::kRaRealtime), RaceRecord()).ok());
    std::remove((app_ + std::string(names::kSeRealtime)).c_str());
    // One byte put in front: every record of the file is shifted.
    const std::string shifted = " " + (file == &store::kRaRealtime ? RaceRecord() : MakeRecord(RecordType::SE, {}));
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(file->name), shifted).ok());
    for (const std::string_view name : {names::kRaNewD, names::kSeNewD, names::kKettoNumList})
      ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(name), "").ok());
    host_.events.clear();
    const std::string entry = MakeRecord(RecordType::SE, {{jvdata::se::Year, "2024"}});
    link_.reads = {ScriptedJvLink::Record(RaceRecord()), ScriptedJvLink::Record(entry), {-203, ""}};
    const common::StepFailures failures = steps::RunCancellationProcessing(state_, link_, host_);
    ASSERT_EQ(failures.items.size(), 1u) << file->name;
    EXPECT_NE(failures.Texts()[0].find(std::string(file->name)), std::string::npos) << failures.Texts()[0];
    EXPECT_NE(failures.Texts()[0].find("radadovur-cli startup"), std::string::npos) << failures.Texts()[0];
    ASSERT_EQ(host_.Messages().size(), 1u);
    const std::string summary = host_.Messages()[0].substr(0, host_.Messages()[0].find("\n\n"));
    EXPECT_NE(summary.find("起動時の処理"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("①"), std::string::npos) << summary;  // redoing ① would not mend it
    EXPECT_EQ(File(file->name), shifted);
  }
}

}  // namespace
}  // namespace radadovur::testing
