// Step ⑥ on the Monday demo week when one runner's expanded records cannot be trusted (its file
// one byte short, missing, or the horse failed in ⑤): that race gets no file at all, every other
// race's files keep the bytes of a clean run, and the race is named once with the horse and the
// remedy.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "common/run_state.h"
#include "common/text_file.h"
#include "results/runner_record.h"
#include "steps/results.h"
#include "support/recording_host.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
namespace rr = results::rr;
using Files = std::map<std::string, std::string>;
using ::testing::HasSubstr;

// The folders step ⑥ writes into, and those of them whose files hold a whole meeting day (or
// week): they change with any race left out.
constexpr const char* kOutputFolders[] = {"RACE",      "KAIME",      "TEKICHU",   "SHUTSUBAHYO",        "TANFUKU",
                                          "TANFUKU2",  "TANSHO",     "SOKUDO",    "UMAREN",             "WIDE",
                                          "UMATAN",    "SANRENPUKU", "SANRENTAN", "furlong_gate_yosou", "furlong_gate_wp",
                                          "furlong_gate_pdf", "."};
const std::set<std::string> kDayFolders = {"TEKICHU", "SHUTSUBAHYO", "TANFUKU", "TANFUKU2", "SOKUDO", "furlong_gate_wp",
                                           "furlong_gate_pdf", "."};
// The folders that hold one file per race.
constexpr const char* kOneFilePerRace[] = {"RACE",   "TANSHO",     "UMAREN",    "WIDE",
                                           "UMATAN", "SANRENPUKU", "SANRENTAN", "furlong_gate_yosou"};

std::string FolderOf(const std::string& name) { return name.substr(0, name.find('/')); }

class UntrustedHorseWeek : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = (fs::temp_directory_path() / ("rdv_untrusted_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    for (const std::string step : {"demo", "startup", "download", "structure", "daybefore", "predict"}) {
      const std::string args = step == "demo"        ? "demo '" + dir_ + "' --state monday"
                               : step == "structure" ? "structure '" + dir_ + "' --cancel"
                                                     : step + " '" + dir_ + "'";
      const auto r = testing::RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
    }
    before_ = new Files(Outputs());
    const auto clean = testing::RunCli("results '" + dir_ + "'");
    ASSERT_EQ(clean.exit_code, 0) << clean.out;
    clean_ = new Files(Outputs());
    // A race in the middle of the week and its first runner.
    std::vector<std::string> keys;
    for (const auto& [name, bytes] : *clean_)
      if (FolderOf(name) == "RACE") keys.push_back(name.substr(5, 12));
    ASSERT_GE(keys.size(), 3u);
    race_ = new std::string(keys[keys.size() / 2]);
    const std::string runners = clean_->at("RACE/" + *race_ + ".dat");
    ASSERT_GE(runners.size(), rr::kLength);
    horse_ = new std::string(rr::KettoNum.Str(runners.substr(0, rr::kLength), 0));
    ASSERT_EQ(horse_->size(), 10u);
  }
  static void TearDownTestSuite() {
    fs::remove_all(dir_);
    delete before_;
    delete clean_;
    delete race_;
    delete horse_;
  }
  void SetUp() override {
    ASSERT_NE(horse_, nullptr);
    Restore();
  }

  static Files Outputs() {
    Files files;
    for (const char* folder : kOutputFolders) {
      if (!fs::is_directory(dir_ + folder)) continue;
      for (const auto& e : fs::directory_iterator(dir_ + folder))
        if (e.is_regular_file())
          files[std::string(folder) + "/" + e.path().filename().string()] =
              common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
    }
    return files;
  }
  // The folder as ⑤ left it: what ⑥ made is removed, what it changed put back.
  static void Restore() {
    for (const auto& [name, bytes] : Outputs()) {
      const auto was = before_->find(name);
      if (was == before_->end()) {
        fs::remove(dir_ + name);
      } else if (was->second != bytes) {
        ASSERT_TRUE(common::WriteFileAtomic(dir_ + name, was->second).ok()) << name;
      }
    }
  }
  static std::string ExFile() { return dir_ + "UMAGOTOEXTHISWEEKN/" + *horse_ + "EX.dat"; }

  // Every file the race had in the clean run is gone, no other file is new, and every file of
  // another race has the clean run's bytes; only files of whole days may differ.
  static void ExpectOnlyTheRaceLeftOut() {
    const Files now = Outputs();
    std::map<std::string, int> missing_in;
    for (const auto& [name, bytes] : *clean_) {
      const auto found = now.find(name);
      if (found == now.end()) {
        ++missing_in[FolderOf(name)];
        if (FolderOf(name) == "KAIME" || FolderOf(name) == "RACE") {
          EXPECT_THAT(name, HasSubstr(*race_));
        }
      } else if (!kDayFolders.count(FolderOf(name))) {
        EXPECT_TRUE(found->second == bytes) << name << " differs from a clean run";
      }
    }
    for (const auto& [name, bytes] : now) EXPECT_TRUE(clean_->count(name)) << name << " is new";
    for (const char* folder : kOneFilePerRace) EXPECT_EQ(missing_in[folder], 1) << folder;
    for (const auto& [name, bytes] : now) {
      if (FolderOf(name) == "KAIME") {
        EXPECT_THAT(name, ::testing::Not(HasSubstr(*race_)));
      }
    }
  }
  // The pass in-process, told which horses ⑤ failed; the failures whose text names the remedy.
  static std::vector<std::string> RunPass(const std::set<std::string>& failed_in_predict) {
    testing::RecordingHost host;
    auto state = std::make_unique<results::ResultsWindowState>();
    const auto outcome = steps::RunResultsStep(common::RunStateFor(dir_), host, *state, failed_in_predict);
    std::vector<std::string> named;
    for (const std::string& text : outcome.failures.Texts())
      if (text.find("⑤計算をやり直して下さい") != std::string::npos) named.push_back(text);
    EXPECT_EQ(named.size(), outcome.failures.items.size()) << "only the race is named";
    return named;
  }
  void ExpectNamedOnce(const std::vector<std::string>& named) {
    ASSERT_EQ(named.size(), 1u);
    EXPECT_THAT(named[0], HasSubstr(*race_));
    EXPECT_THAT(named[0], HasSubstr(*horse_));
  }

  static std::string dir_;
  static Files* before_;
  static Files* clean_;
  static std::string* race_;
  static std::string* horse_;
};

std::string UntrustedHorseWeek::dir_;
Files* UntrustedHorseWeek::before_ = nullptr;
Files* UntrustedHorseWeek::clean_ = nullptr;
std::string* UntrustedHorseWeek::race_ = nullptr;
std::string* UntrustedHorseWeek::horse_ = nullptr;

TEST_F(UntrustedHorseWeek, ARaceWithAHorseItCannotTrustGetsNothing) {
  const std::string sound = *common::ReadWholeFile(ExFile());
  struct Case {
    const char* what;
    std::function<void()> damage;
    bool failed_in_predict;
  };
  const Case cases[] = {
      {"expanded records one byte short", [&] { ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound.substr(0, sound.size() - 1)).ok()); }, false},
      {"expanded records missing", [&] { fs::remove(ExFile()); }, false},
      {"expanded records empty", [&] { ASSERT_TRUE(common::WriteFileAtomic(ExFile(), "").ok()); }, false},
      {"the horse failed in ⑤", [] {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restore();
    c.damage();
    ExpectNamedOnce(RunPass(c.failed_in_predict ? std::set<std::string>{*horse_} : std::set<std::string>{}));
    ExpectOnlyTheRaceLeftOut();
    ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound).ok());
  }
  // The command line says so and fails.
  Restore();
  ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound.substr(0, sound.size() - 1)).ok());
  const auto r = testing::RunCli("results '" + dir_ + "'");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_THAT(r.out, HasSubstr(*horse_));
  EXPECT_THAT(r.out, HasSubstr("⑤計算をやり直して下さい"));
  EXPECT_THAT(r.out, ::testing::Not(HasSubstr("予想･結果終了")));
  ASSERT_TRUE(common::WriteFileAtomic(ExFile(), sound).ok());
}

// With every horse sound and none failed in ⑤, the pass writes the clean run's bytes again.
TEST_F(UntrustedHorseWeek, ASoundWeekIsWrittenWhole) {
  EXPECT_TRUE(RunPass({}).empty());
  const Files now = Outputs();
  for (const auto& [name, bytes] : *clean_) EXPECT_TRUE(now.count(name) && now.at(name) == bytes) << name;
}

}  // namespace
}  // namespace radadovur
