// The demo week's odds through the command line: the odds files hold exactly the delivered
// records of their types, and every race's matrices match its last odds record.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_odds.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

using testing::RunCli;
namespace names = common::names;

struct Kind {
  const jvdata::odds::Family* family;
  std::string_view week_file, realtime_file;
  const char* suffix;
};
const Kind kKinds[] = {{&jvdata::odds::kQuinella, names::kO2ThisWeek, names::kO2Realtime, "UMARENODDS.dat"},
                       {&jvdata::odds::kExacta, names::kO4ThisWeek, names::kO4Realtime, "UMATANODDS.dat"},
                       {&jvdata::odds::kTrio, names::kO5ThisWeek, names::kO5Realtime, "SANRENODDS.dat"},
                       {&jvdata::odds::kTrifecta, names::kO6ThisWeek, names::kO6Realtime, "SANRENTANODDS.dat"}};

// The records of every recording file of a dataspec folder, in file-name order.
std::vector<std::string> Recorded(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(folder)) files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  std::vector<std::string> records;
  for (const auto& f : files)
    for (auto& line : common::SplitLines(*common::ReadWholeFile(f))) records.push_back(line + "\r\n");
  return records;
}

// The matrix file a record should give, worked out cell by cell on its own.
std::vector<std::string> ExpectedMatrix(const jvdata::odds::Family& f, const std::string& record) {
  const bool triple = f.comb_width == 6;
  std::vector<std::string> cells(triple ? 6859 : 361, "0");
  for (uint32_t i = 0; i < f.entries; ++i) {
    const std::string comb = f.Combination().Str(record, i), odds = f.Odds().Str(record, i);
    size_t line = std::stoul(comb.substr(0, 2)) * 19 + std::stoul(comb.substr(2, 2));
    if (triple) line = line * 19 + std::stoul(comb.substr(4, 2));
    if (jvdata::odds::IsNoOdds(odds)) continue;
    const long tenths = std::stol(odds);
    cells[line] = std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
  }
  return cells;
}

class OddsWeekTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (std::filesystem::temp_directory_path() / ("rdv_odds_week_" + std::to_string(::getpid()))).string() + "/";
    std::filesystem::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    Run("demo '" + dir_ + "' --state monday");
    for (const char* step : {"startup", "download", "structure"}) Run(std::string(step) + " '" + dir_ + "'");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Run(const std::string& args) {
    const auto r = RunCli(args);
    ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
  }
  // Every race of an odds file has its matrix from the file's last record of that race.
  void ExpectMatrices(const Kind& kind, std::string_view odds_file, size_t races) {
    std::map<std::string, std::string> last;  // by RaceKey
    for (auto& line : common::SplitLines(*common::ReadWholeFile(dir_ + std::string(odds_file))))
      last[line.substr(11, 8) + line.substr(19, 2) + line.substr(25, 2)] = line;
    EXPECT_EQ(last.size(), races) << odds_file;
    for (const auto& [key, record] : last) {
      const auto bytes = common::ReadWholeFile(dir_ + "KAIME/" + key + kind.suffix);
      ASSERT_TRUE(bytes) << key << kind.suffix;
      ASSERT_EQ(common::SplitLines(*bytes), ExpectedMatrix(*kind.family, record)) << key << kind.suffix;
    }
  }
  std::string dir_;
};

TEST_F(OddsWeekTest, OddsFilesHoldTheirRecordsAndMatricesMatchTheLastRecordOfEachRace) {
  Run("odds '" + dir_ + "'");
  const auto week = Recorded(dir_ + "JVDATA/TOKURACETCOVRCOV");
  for (const Kind& kind : kKinds) {
    std::string expected;
    for (const auto& r : week)
      if (r.compare(0, 2, kind.family->spec) == 0) expected += r;
    EXPECT_EQ(*common::ReadWholeFile(dir_ + std::string(kind.week_file)), expected) << kind.week_file;
  }
  // One race comes twice, and its later record differs.
  const auto o2 = common::SplitLines(*common::ReadWholeFile(dir_ + std::string(names::kO2ThisWeek)));
  EXPECT_EQ(o2.size(), 73u);
  std::map<std::string, std::vector<std::string>> by_race;
  for (const auto& line : o2) by_race[line.substr(11, 16)].push_back(line);
  const auto twice = std::find_if(by_race.begin(), by_race.end(), [](const auto& r) { return r.second.size() == 2; });
  ASSERT_NE(twice, by_race.end());
  EXPECT_NE(twice->second[0].substr(40, 2000), twice->second[1].substr(40, 2000));

  Run("matrices '" + dir_ + "'");
  for (const Kind& kind : kKinds) ExpectMatrices(kind, kind.week_file, 72);

  Run("realtime-odds '" + dir_ + "'");
  Run("matrices '" + dir_ + "' --realtime");
  for (const Kind& kind : kKinds) {
    // Every line is a delivered realtime record of the kind.
    const auto realtime = Recorded(dir_ + "JVDATA/0B30");
    for (auto& line : common::SplitLines(*common::ReadWholeFile(dir_ + std::string(kind.realtime_file)))) {
      EXPECT_EQ(line.substr(0, 2), kind.family->spec);
      EXPECT_NE(std::find(realtime.begin(), realtime.end(), line + "\r\n"), realtime.end());
    }
    ExpectMatrices(kind, kind.realtime_file, 72);
  }
}

}  // namespace
}  // namespace radadovur
