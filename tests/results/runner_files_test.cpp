#include "results/runner_files.h"

#include <filesystem>
#include <functional>
#include <set>

#include <gmock/gmock.h>

#include "common/names.h"
#include "engine/layout_ex.h"
#include "jvdata/layout_se.h"
#include "results/results_files.h"
#include "results/runner_record.h"
#include "results_fixture.h"
#include "support/data_names.h"

namespace radadovur::results {
namespace {

namespace ex = engine::ex;
namespace se = jvdata::se;

constexpr const char* kKey = "202409220611";

std::string Entry(const std::string& race, const std::string& umaban, const std::string& ketto, const std::string& name) {
  return testing::MakeRecord(jvdata::RecordType::SE,
                             {{se::Year, "2024"}, {se::MonthDay, "0922"}, {se::VenueCode, "06"}, {se::Kaiji, "04"},
                              {se::Nichiji, "04"}, {se::RaceNum, race}, {se::Wakuban, umaban.substr(1)},
                              {se::Umaban, umaban}, {se::KettoNum, ketto}, {se::HorseName, name}});
}

// Run k of a horse (k = 1 oldest): its MonthDay and the reals carry k, so a copy shows which run it is.
engine::ExRecord PastRun(int k, const std::string& track = "17") {
  engine::ExRecord r = *engine::ExRecord::FromBytes(std::string(ex::kLength, ' '));
  const std::string two = std::to_string(100 + k % 100).substr(1);
  r.SetText(ex::Year, k >= 70 ? "2024" : "2023");
  r.SetText(ex::MonthDay, std::to_string(1000 + k));
  r.SetText(ex::VenueCode, "06");
  r.SetText(ex::RaceNum, two);
  r.SetText(ex::Umaban, two);
  r.SetText(ex::TrackCode, track);
  r.SetText(ex::LineEnd, "\r\n");
  r.SetText(ex::TenkoCode, "1");
  r.SetText(ex::TurfBabaCode, "1");
  r.SetText(ex::DirtBabaCode, "2");
  r.SetText(ex::BirthDate, "20210315");
  r.SetText(ex::BreederName, std::string(70, 'B') + "XY");
  for (uint32_t s = 6; s <= 10; ++s) r.SetText(ex::SpeedCodes, "000000" + std::to_string(s), s);
  for (uint32_t i = 0; i < 24; ++i) r.SetReal(ex::AgariFW, i, static_cast<float>(k) + 0.25f);
  for (uint32_t i = 0; i < 20; ++i) r.SetReal(ex::SpeedResults, i, static_cast<float>(k) + 0.5f);
  r.SetReal(ex::AgariFW, 24, 99.0f);  // beyond the 24 copied
  return r;
}

class RunnerFilesTest : public testing::ResultsFolder {
 protected:
  void SetUp() override {
    ResultsFolder::SetUp();
    std::filesystem::create_directory(app_ + std::string(common::names::kUmagotoExFolder));
    Put("JRACODE/CodeTable.csv", testing::SmallCodeTable());
    ASSERT_TRUE(LoadCodeTable(app_, state_.CodeTable).ok());
    state_.RaceCount = 1;
    state_.RaceKeyList = {"", kKey};
    state_.RaceTable.resize(2);
    state_.RaceTable[1][kColWeatherGoing] = "from the race record";
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, kKey), "");
  }
  void PutRuns(const std::string& ketto, int count, const std::string& track = "17") {
    std::string bytes;
    for (int k = 1; k <= count; ++k) {
      engine::ExRecord run = PastRun(k, track);
      if (k == count) {  // the newest is this week's race, as step ⑤ makes it
        run.SetText(ex::Year, "2024");
        run.SetText(ex::MonthDay, "0922");
        run.SetText(ex::RaceNum, "11");
      }
      bytes += run.bytes();
    }
    Put(::radadovur::testing::NameOf(engine::UmagotoExFileName, ketto), bytes);
  }
  std::string RunnerFile() const { return *common::ReadWholeFile(app_ + ::radadovur::testing::NameOf(RaceRunnerFileName, kKey)); }
  std::string Record(const std::string& file, int horse) const {
    return file.substr(static_cast<size_t>(horse - 1) * rr::kLength, rr::kLength);
  }

  ResultsWindowState state_;
  common::StepFailures failures_;
};

TEST_F(RunnerFilesTest, EntriesGoToTheirHorseNumbersAndRunsAreCopiedNewestFirst) {
  PutRecords(std::string(common::names::kSeNew),
             {Entry("11", "01", "2021100001", "ONE"), Entry("10", "02", "2021100009", "OTHER RACE"),
              Entry("11", "02", "2021100002", "EARLIER"), Entry("11", "02", "2021100002", "TWO"),
              Entry("11", "04", "2021100004", "FOUR"), Entry("11", "0x", "2021100005", "BAD NUMBER")});
  PutRuns("2021100001", 70);
  PutRuns("2021100002", 3, "24");
  PutRuns("2021100004", 1, "24");

  int yields = 0;  // the window repaints between the races of a large week
  const BetweenRaces between_races = [&yields] { ++yields; };
  PutEntries(app_, state_, failures_, between_races);
  ASSERT_EQ(failures_.items.size(), 1u);
  EXPECT_NE(failures_.Texts()[0].find("2021100005"), std::string::npos) << failures_.Texts()[0];
  EXPECT_EQ(yields, 4);  // before the entries of races 11, 10 and 11 again, after the one file written
  CopyRuns(app_, state_, failures_, between_races);
  EXPECT_EQ(failures_.items.size(), 1u) << failures_.Texts().back();
  EXPECT_EQ(yields, 5);

  const std::string file = RunnerFile();
  ASSERT_EQ(file.size(), 4 * rr::kLength);  // the highest horse number

  // Horse 1: 70 runs, the 65 newest copied (run 70 in entry 0 down to run 6 in entry 64).
  const std::string one = Record(file, 1);
  EXPECT_EQ(rr::MonthDay.Str(one, 0), "0922");
  EXPECT_EQ(rr::MonthDay.Str(one, 1), "1069");
  EXPECT_EQ(rr::MonthDay.Str(one, 64), "1006");
  EXPECT_EQ(rr::Real(one, rr::RunSpeedResults, 6, 0), 70.5f);
  EXPECT_EQ(rr::Real(one, rr::RunSpeedResults, 19, 64), 6.5f);
  EXPECT_EQ(rr::Real(one, rr::RunAgariFW, 23, 1), 69.25f);
  EXPECT_EQ(rr::RunAgariFW.Of(one, 0, 65), std::string(4, '\0'));  // entries 65..69 are never filled
  EXPECT_EQ(rr::HorseName.Str(one).substr(0, 4), "ONE ");
  EXPECT_EQ(rr::RunnerAge.Str(one), "03");
  EXPECT_EQ(rr::BreederName.Str(one), std::string(70, 'B'));
  EXPECT_EQ(rr::RunnerSampleCounts.Str(one, 0) + rr::RunnerSampleCounts.Str(one, 1) + rr::RunnerSampleCounts.Str(one, 4),
            "000000600000080000007");
  EXPECT_EQ(rr::DamSireName.Str(one), std::string(36, '\0'));
  EXPECT_EQ(rr::SpeedAdjust.Str(one), std::string(4, '\0'));
  EXPECT_EQ(rr::LineEnd.Str(one), "\r\n");

  // Horse 2: the later of its two entries, three runs, zero bytes after them.
  const std::string two = Record(file, 2);
  EXPECT_EQ(rr::HorseName.Str(two).substr(0, 4), "TWO ");
  EXPECT_EQ(rr::MonthDay.Str(two, 2), "1001");
  EXPECT_EQ(rr::Year.Str(two, 3), std::string(4, '\0'));
  EXPECT_EQ(rr::RunSpeedResults.Of(two, 0, 3), std::string(4, '\0'));
  EXPECT_EQ(rr::RunnerAge.Str(two), "03");  // 2024 + 100 - 2021

  // Horse 3 has no entry: zero bytes, no runs of another horse.
  EXPECT_EQ(Record(file, 3), rr::EmptyRecord());
  // Horse 4: this week's run only.
  EXPECT_EQ(rr::MonthDay.Str(Record(file, 4), 0), "0922");
  EXPECT_EQ(rr::Year.Str(Record(file, 4), 1), std::string(4, '\0'));

  // The weather and going come from the last runner with records (horse 4, dirt: its dirt going).
  EXPECT_EQ(common::DecodeCp932Lossy(state_.RaceTable[1][kColWeatherGoing]), "晴稍重");

  // A second run over the same inputs writes the same bytes.
  Put(::radadovur::testing::NameOf(RaceRunnerFileName, kKey), "");
  PutEntries(app_, state_, failures_);
  CopyRuns(app_, state_, failures_);
  EXPECT_EQ(RunnerFile(), file);
}

// A runner whose runs cannot be trusted would leave its row blank or take another race's runs,
// and the race would be ranked and published so: the race gets no runner file, is marked for the
// later steps to pass over, and is named once with the horse and the remedy.
TEST_F(RunnerFilesTest, ARaceWithARunnerItCannotTrustGetsNoRunnerFile) {
  const std::string ex_two = ::radadovur::testing::NameOf(engine::UmagotoExFileName, "2021100002");
  struct Case {
    const char* what;
    std::function<void()> damage;
    bool failed_in_predict = false;
  };
  const Case cases[] = {
      {"one byte short", [&] { std::string runs = *common::ReadWholeFile(app_ + ex_two); runs.pop_back(); Put(ex_two, runs); }},
      {"one byte moved inside", [&] {
         std::string runs = *common::ReadWholeFile(app_ + ex_two);
         runs.erase(10, 1);
         runs.insert(runs.size() - 2, " ");  // same length, the line end of the last record shifted
         Put(ex_two, runs);
       }},
      {"missing", [&] { std::filesystem::remove(app_ + ex_two); }},
      {"empty", [&] { Put(ex_two, ""); }},
      {"an earlier week's", [&] { PutRuns("2021100002", 2); std::string runs = *common::ReadWholeFile(app_ + ex_two); Put(ex_two, runs.substr(0, ex::kLength)); }},
      {"failed in ⑤", [] {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutRecords(std::string(common::names::kSeNew),
               {Entry("11", "01", "2021100001", "ONE"), Entry("11", "02", "2021100002", "TWO")});
    PutRuns("2021100001", 3);
    PutRuns("2021100002", 3);
    c.damage();
    state_.PredictFailedHorses.clear();
    if (c.failed_in_predict) state_.PredictFailedHorses.insert("2021100002");
    common::StepFailures failures;
    PutEntries(app_, state_, failures);
    ASSERT_TRUE(failures.empty()) << failures.Texts()[0];
    CopyRuns(app_, state_, failures);
    // A horse ⑤ failed was named by ⑤: its race is left out without a failure of this pass.
    const std::vector<std::string> named = c.failed_in_predict ? state_.PredictLeftOutRaces : failures.Texts();
    EXPECT_EQ(failures.items.size(), c.failed_in_predict ? 0u : 1u) << ::testing::PrintToString(failures.Texts());
    ASSERT_EQ(named.size(), 1u) << ::testing::PrintToString(named);
    EXPECT_THAT(named[0], ::testing::HasSubstr(kKey));
    EXPECT_THAT(named[0], ::testing::HasSubstr("2021100002"));
    EXPECT_THAT(named[0], ::testing::HasSubstr("⑤計算をやり直して下さい"));
    EXPECT_THAT(named[0], ::testing::Not(::testing::HasSubstr("2021100001")));
    EXPECT_FALSE(Exists(::radadovur::testing::NameOf(RaceRunnerFileName, kKey)));
    EXPECT_EQ(state_.UntrustedRaces, std::set<std::string>{kKey});
    EXPECT_EQ(state_.RaceTable[1][kColWeatherGoing], "from the race record");
    EXPECT_TRUE(c.what != std::string("missing") || !Exists(ex_two));  // nothing made for it
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, kKey), "");
  }
  // Sound again: the race is trusted and written.
  PutRuns("2021100002", 3);
  state_.PredictFailedHorses.clear();
  common::StepFailures failures;
  PutEntries(app_, state_, failures);
  CopyRuns(app_, state_, failures);
  EXPECT_TRUE(failures.empty()) << failures.Texts()[0];
  EXPECT_TRUE(state_.UntrustedRaces.empty());
  EXPECT_EQ(rr::MonthDay.Str(Record(RunnerFile(), 2), 0), "0922");
}

// A shifted runner file would give each horse another's runs: the race fails and keeps its bytes.
TEST_F(RunnerFilesTest, AShiftedRunnerFileFailsItsRace) {
  PutRecords(std::string(common::names::kSeNew),
             {Entry("11", "01", "2021100001", "ONE"), Entry("11", "02", "2021100002", "TWO")});
  PutRuns("2021100001", 3);
  PutRuns("2021100002", 3);
  PutEntries(app_, state_, failures_);
  CopyRuns(app_, state_, failures_);
  ASSERT_TRUE(failures_.empty()) << failures_.Texts()[0];
  const std::string runner_file = ::radadovur::testing::NameOf(RaceRunnerFileName, kKey);
  const std::string shifted = " " + RunnerFile();
  Put(runner_file, shifted);
  common::StepFailures again;
  CopyRuns(app_, state_, again);
  ASSERT_EQ(again.items.size(), 1u);
  EXPECT_NE(again.Texts()[0].find(runner_file), std::string::npos) << again.Texts()[0];
  EXPECT_EQ(RunnerFile(), shifted);
}

// Damage that keeps a file's length passes a check of the length alone: each record's own line end
// is what tells that the bytes are shifted.
TEST_F(RunnerFilesTest, DamageThatKeepsTheLengthFailsTheHorseOrRaceToo) {
  struct Damage {
    const char* what;
    size_t record_length;
    std::function<void(std::string&)> make;
  };
  // One byte of the first record moved into the second: the first record's end is shifted.
  auto moved = [](size_t length) {
    return [length](std::string& bytes) {
      const char byte = bytes[10];
      bytes.erase(10, 1);
      bytes.insert(length + 10, 1, byte);
    };
  };
  const Damage damages[] = {
      {"a byte moved inside the expanded records", ex::kLength, moved(ex::kLength)},
      {"a byte moved inside the runner file", rr::kLength, moved(rr::kLength)},
      {"the line end of the last runner overwritten", rr::kLength,
       [](std::string& bytes) { bytes.replace(bytes.size() - 2, 2, "  "); }},
  };
  PutRecords(std::string(common::names::kSeNew),
             {Entry("11", "01", "2021100001", "ONE"), Entry("11", "02", "2021100002", "TWO")});
  const std::string ex_file = ::radadovur::testing::NameOf(engine::UmagotoExFileName, "2021100002");
  const std::string runner_file = ::radadovur::testing::NameOf(RaceRunnerFileName, kKey);
  for (const Damage& damage : damages) {
    PutRuns("2021100001", 3);
    PutRuns("2021100002", 3);
    common::StepFailures failures;
    PutEntries(app_, state_, failures);
    ASSERT_TRUE(failures.empty()) << failures.Texts()[0];
    const std::string& name = damage.record_length == ex::kLength ? ex_file : runner_file;
    std::string bytes = *common::ReadWholeFile(app_ + name);
    const size_t length = bytes.size();
    damage.make(bytes);
    ASSERT_EQ(bytes.size(), length) << damage.what;
    Put(name, bytes);

    CopyRuns(app_, state_, failures);
    EXPECT_EQ(failures.items.size(), 1u) << damage.what;
    if (failures.items.size() != 1u) continue;
    EXPECT_TRUE(failures.items[0].IsCorruption()) << damage.what;
    EXPECT_NE(failures.Texts()[0].find(name), std::string::npos) << damage.what << ": " << failures.Texts()[0];
    if (name == runner_file) {
      EXPECT_TRUE(RunnerFile() == bytes) << damage.what;  // the race keeps its bytes
    } else {
      // A horse it cannot trust takes its race out: no runner file is left to be read as whole.
      EXPECT_FALSE(std::filesystem::exists(app_ + runner_file)) << damage.what;
    }
  }
}

TEST_F(RunnerFilesTest, TheGoingFollowsTheTrack) {
  for (const auto& [track, going] : std::vector<std::pair<std::string, std::string>>{
           {"10", "晴良"}, {"22", "晴良"}, {"24", "晴稍重"}, {"49", "晴稍重"}, {"55", "晴良"}}) {
    std::string runner = rr::EmptyRecord();
    rr::Put(runner, rr::TrackCode, track, 0);
    rr::Put(runner, rr::TenkoCode, "1", 0);
    rr::Put(runner, rr::TurfBabaCode, "1", 0);
    rr::Put(runner, rr::DirtBabaCode, "2", 0);
    EXPECT_EQ(common::DecodeCp932Lossy(WeatherGoingText(runner, state_.CodeTable)), going) << track;
  }
}

TEST(RunnerAgeText, LastTwoDigitsOfTheYearsSinceBirth) {
  EXPECT_EQ(RunnerAgeText("2024", "20210315"), "03");
  EXPECT_EQ(RunnerAgeText("2024", "20140101"), "10");
  EXPECT_EQ(RunnerAgeText("2024", "    0101"), std::nullopt);
}

}  // namespace
}  // namespace radadovur::results
