#include "results/results_pass.h"

#include <filesystem>

#include "common/names.h"
#include "results/results_files.h"
#include "results_fixture.h"
#include "support/data_names.h"

namespace radadovur::results {
namespace {

using common::Status;
using testing::PayoutRec;
using testing::RaceRec;
using testing::RaceSpec;
using testing::Text5;

// Race `number` at 中山 on 2024-09-22.
std::string Race(const std::string& number, const std::string& category = "2") {
  RaceSpec spec;
  spec.race = number;
  spec.category = category;
  return RaceRec(spec);
}

// Writers that log their calls ("<name> <RaceIndex>") into the host's event list, fail where told
// and may act on the state.
class LoggingWriters : public RaceWriters {
 public:
  explicit LoggingWriters(testing::RecordingHost& host) : host_(host) {}
  std::string fail_writer;
  int fail_race = 0;
  std::function<void(std::string_view, ResultsWindowState&)> act = [](std::string_view, ResultsWindowState&) {};

#define LOGGED(name) \
  common::Status name(const std::string&, ResultsWindowState& state) override { return Call(#name, state); }
  LOGGED(WriteShutsubahyoDocument)
  LOGGED(WriteLupDocuments)
  LOGGED(WritePcDocuments)
  LOGGED(WriteTwiDocument)
  LOGGED(WriteTanfukuCsv)
  LOGGED(WriteTanfuku2Csv)
  LOGGED(WriteTanshoCsv)
  LOGGED(WriteYosouPage)
  LOGGED(WriteWpBlocks)
  LOGGED(WritePdfPage)
  LOGGED(WriteSokudoDayCsv)
#undef LOGGED

 private:
  common::Status Call(std::string_view name, ResultsWindowState& state) {
    testing::LogCall(host_, std::string(name) + " " + std::to_string(state.RaceIndex));
    act(name, state);
    if (name == fail_writer && state.RaceIndex == fail_race) return common::Status::IoError("TEKICHU/x.txt", "cannot write TEKICHU/x.txt");
    return {};
  }
  testing::RecordingHost& host_;
};

class ResultsPassTest : public testing::ResultsFolder {
 protected:
  void SetUp() override {
    ResultsFolder::SetUp();
    Put("JRACODE/CodeTable.csv", testing::SmallCodeTable());
  }
  // Hooks that log their stage and RaceIndex: "8" the runner files, "13" the figures and pairs
  // (with the runner count), "15" the bet lists, "17" the rate tables.
  RaceStepHooks LoggingHooks() {
    auto& host = host_;
    RaceStepHooks hooks;
    // The stages over every race let the window repaint between races: one race's worth here.
    hooks.PutEntries = [&host](const std::string&, ResultsWindowState&, common::StepFailures&,
                               const BetweenRaces& between_races) {
      testing::LogCall(host, "8 entries");
      between_races();
    };
    hooks.CopyRuns = [&host](const std::string&, ResultsWindowState& s, common::StepFailures&,
                             const BetweenRaces& between_races) {
      testing::LogCall(host, "8 runs " + std::to_string(s.RaceTable.size()));
      between_races();
    };
    hooks.RunnerFiguresAndPairs = [&host](const std::string&, ResultsWindowState& s, common::StepFailures&) {
      testing::LogCall(host, "13 " + std::to_string(s.RaceIndex) + " n=" + std::to_string(s.RunnerCount));
    };
    hooks.BetListsAndSortFiles = [&host](const std::string&, ResultsWindowState& s, common::StepFailures&) {
      testing::LogCall(host, "15 " + std::to_string(s.RaceIndex));
    };
    hooks.RateTables = [&host](const std::string&, ResultsWindowState& s, common::StepFailures&) {
      testing::LogCall(host, "17 " + std::to_string(s.RaceIndex));
    };
    return hooks;
  }
  ResultsPassOutcome Run(const RaceStepHooks& hooks) {
    return RunResultsPass(common::RunStateFor(dir_), host_, hooks, writers_, state_);
  }
  std::vector<std::string> WriterCalls(int race) const {
    std::vector<std::string> calls;
    for (const auto& w : kRaceWriterOrder) calls.push_back(std::string(w.name) + " " + std::to_string(race));
    return calls;
  }

  testing::RecordingHost host_;
  LoggingWriters writers_{host_};
  ResultsWindowState state_;
};

TEST_F(ResultsPassTest, ResultsModeRunsTheStepsOfARaceInOrder) {
  // The last race record decides: final.
  PutRecords(std::string(common::names::kRaNew), {Race("01"), Race("11", "7")});
  PutRecords(std::string(common::names::kHrThisWeek), {PayoutRec("20240922", "06", "11")});
  Put("KAIME/202409220611.dat", "old tickets");
  auto hooks = LoggingHooks();
  auto log_entries = hooks.PutEntries;
  hooks.PutEntries = [&](const std::string& app, ResultsWindowState& s, common::StepFailures& f,
                         const BetweenRaces& between_races) {
    log_entries(app, s, f, between_races);
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, "202409220611"), std::string(kRaceRunnerRecordLength, '\0'));
  };

  const auto outcome = Run(hooks);
  EXPECT_TRUE(outcome.failures.empty()) << outcome.failures.Texts().front();
  EXPECT_EQ(state_.ResultsFinal, 1);
  EXPECT_EQ(outcome.List1Items, (std::vector<std::string>{"2024年09月22日06中山04回04日11R" + std::string(10, ' ') +
                                                          "202409220611"}));
  // Yields: before the steps that read the week's files, after the race list, between the races
  // of the runner-file stages (one race here), and once per race before its progress text.
  std::vector<std::string> expected = {"yield", "yield", "8 entries", "yield", "8 runs 2", "yield", "13 1 n=1", "yield",
                                       Text5("20240922中山11R予想中"), "15 1"};
  for (const auto& call : WriterCalls(1)) expected.push_back(call);
  expected.push_back("17 1");
  EXPECT_EQ(testing::Timeline(host_), expected);
  EXPECT_EQ(Text("KAIME/202409220611.dat"), "");
  EXPECT_EQ(state_.CurrentPayoutRecord, PayoutRec("20240922", "06", "11"));
  EXPECT_EQ(ResultsEndText(outcome.failures), "予想･結果終了");
}

// A race without runner records is left out of every document and page; the failure list says
// so on the race's line, and the pass goes on.
TEST_F(ResultsPassTest, BeforeTheResultsTheRateTablesWaitAndMissingPayoutsAreNoFault) {
  PutRecords(std::string(common::names::kRaNew), {Race("01"), Race("02")});
  auto hooks = LoggingHooks();
  auto log_entries = hooks.PutEntries;
  // The entry pass gives race 01 two runners.
  hooks.PutEntries = [&](const std::string& app, ResultsWindowState& s, common::StepFailures& f,
                         const BetweenRaces& between_races) {
    log_entries(app, s, f, between_races);
    Put(::radadovur::testing::NameOf(RaceRunnerFileName, "202409220601"), std::string(2 * kRaceRunnerRecordLength, '\0'));
  };

  const auto outcome = Run(hooks);
  EXPECT_EQ(outcome.failures.Texts(),
            (std::vector<std::string>{"出走馬 レース202409220602: 出走馬のレコードがありません。このレースは文書とページに載せません"}));
  EXPECT_EQ(state_.ResultsFinal, 0);
  std::vector<std::string> steps;
  for (const auto& e : testing::Timeline(host_))
    if (e.rfind("1", 0) == 0) steps.push_back(e);
  EXPECT_EQ(steps, (std::vector<std::string>{"13 1 n=2", "15 1", "13 2 n=0", "15 2"}));
  EXPECT_EQ(state_.CurrentPayoutRecord, "");
  EXPECT_EQ(state_.RaceIndex, 2);
}

TEST_F(ResultsPassTest, TalliesRestartAtEachMeetingDaysFirstRace) {
  PutRecords(std::string(common::names::kRaNew), {Race("11", "7")});
  // Saturday's races 01 to 03, then Sunday's 01 and 02 at the same racecourse.
  PutRecords(std::string(common::names::kHrThisWeek),
             {PayoutRec("20240921", "06", "01", "04", "03"), PayoutRec("20240921", "06", "02", "04", "03"),
              PayoutRec("20240921", "06", "03", "04", "03"), PayoutRec("20240922", "06", "01", "04", "04"),
              PayoutRec("20240922", "06", "02", "04", "04")});
  // Every race hits: the tier check and the formation check count it.
  writers_.act = [](std::string_view name, ResultsWindowState& s) {
    if (name == "WriteLupDocuments") {
      s.TierTally[kTierUmaren].Hits[0] += 1;
      s.TierTally[kTierUmaren].PayTotal[0] += 250;
    }
    if (name == "WritePcDocuments") {
      s.PcTally[kPcTansho1].HitRaces += 1;
      s.PcTally[kPcTansho1].HitText = "03";
      s.PcPoints[0].Points = 6;
      s.PcPoints[0].PointsTotal += 6;
    }
  };
  std::vector<std::string> seen;
  RaceStepHooks hooks;
  hooks.PutEntries = [&](const std::string&, ResultsWindowState&, common::StepFailures&, const BetweenRaces&) {
    for (const char* key : {"202409210601", "202409210602", "202409210603", "202409220601", "202409220602"})
      Put(::radadovur::testing::NameOf(RaceRunnerFileName, key), std::string(kRaceRunnerRecordLength, '\0'));
  };
  hooks.RateTables = [&seen](const std::string&, ResultsWindowState& s, common::StepFailures&) {
    const bool rate_kept = s.TierRate[kTierUmaren].HitRate[0].has_value() && s.PcTally[kPcTansho1].HitRate.has_value();
    seen.push_back(std::to_string(s.TierTally[kTierUmaren].Hits[0]) + " " +
                   std::to_string(s.TierTally[kTierUmaren].PayTotal[0]) + " " +
                   std::to_string(s.PcTally[kPcTansho1].HitRaces) + " " + std::to_string(s.PcPoints[0].PointsTotal) +
                   (rate_kept ? " rates" : ""));
    s.TierRate[kTierUmaren].HitRate[0] = 100.0;
    s.PcTally[kPcTansho1].HitRate = 100.0;
  };

  const auto outcome = Run(hooks);
  EXPECT_TRUE(outcome.failures.empty()) << outcome.failures.Texts().front();
  EXPECT_EQ(seen, (std::vector<std::string>{"1 250 1 6", "2 500 2 12 rates", "3 750 3 18 rates", "1 250 1 6 rates",
                                            "2 500 2 12 rates"}));
}

TEST_F(ResultsPassTest, FailuresAreNamedByStepAndRaceAndThePassGoesOn) {
  std::filesystem::remove(app_ + "JRACODE/CodeTable.csv");
  PutRecords(std::string(common::names::kRaNew), {Race("01"), Race("02")});
  auto hooks = LoggingHooks();
  hooks.RunnerFiguresAndPairs = [](const std::string&, ResultsWindowState& s, common::StepFailures& f) {
    if (s.RaceIndex == 1) f.Add(common::Status::InvalidArgument("SpeedToTimeText", "speed 0"));
  };
  writers_.fail_writer = "WriteLupDocuments";
  writers_.fail_race = 2;
  hooks.PutEntries = [&](const std::string&, ResultsWindowState&, common::StepFailures&, const BetweenRaces&) {
    for (const char* key : {"202409220601", "202409220602"})
      Put(::radadovur::testing::NameOf(RaceRunnerFileName, key), std::string(kRaceRunnerRecordLength, '\0'));
  };

  const auto outcome = Run(hooks);
  const auto texts = outcome.failures.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts[0].find("コード表: コード表"), std::string::npos) << texts[0];
  EXPECT_EQ(texts[1], "予想順位と組合せ レース202409220601: speed 0");
  // The failing writer is named by the document it writes.
  EXPECT_EQ(texts[2], "予想結果文書（TEKICHU …lup.txt） レース202409220602: cannot write TEKICHU/x.txt");
  EXPECT_TRUE(outcome.failures.items[2].IsIoError());
  EXPECT_EQ(ResultsEndText(outcome.failures), "予想･結果は終わりましたが、3件の処理に失敗しました");

  // The missing table was shown at once; the progress texts then carry no racecourse name.
  const auto log = testing::Timeline(host_);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "yield");
  EXPECT_EQ(log[1].rfind("message:コード表", 0), 0u) << log[1];
  const auto second_text = std::find(log.begin(), log.end(), Text5("2024092202R予想中"));
  ASSERT_NE(second_text, log.end());
  // The writers after the failing one ran for that race too.
  EXPECT_NE(std::find(second_text, log.end(), "WriteSokudoDayCsv 2"), log.end());
}

// The closing text counts the failures as the list does: the passes left out because of them
// are listed apart and are not failures of their own.
TEST(ResultsEndTextTest, CountsTheFailuresWithoutThePassesLeftOut) {
  common::StepFailures failures;
  const auto cause = common::Status::IoError("RACE/202408030101.dat", "cannot write");
  failures.Add(cause);
  failures.Add(common::Status::SkippedBecause(cause, "KAIME"));
  failures.Add(common::Status::SkippedBecause(cause, "SHUTSUBAHYO"));
  EXPECT_EQ(ResultsEndText(failures), "予想･結果は終わりましたが、1件の処理に失敗しました");
}

}  // namespace
}  // namespace radadovur::results
