// Step ⑥ on the demo weeks after ① ② ④ ⑤ through the command line: the race list files, a runner
// file and a ticket-folder file per listed race written afresh, the progress texts, and a failing
// step reported as such.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "jvdata/race_key.h"
#include "results/runner_record.h"
#include "store/record_block.h"
#include "store/store_files.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;
namespace names = common::names;

// Every record of a store file.
std::vector<std::string> ReadAll(const std::string& app_path, const store::StoreFile& file) {
  store::RecordBlock block;
  EXPECT_TRUE(store::ReadRecordBlock(app_path, file, block).ok()) << file.name;
  std::vector<std::string> records;
  for (size_t i = 0; i < block.count(); ++i) records.emplace_back(block.Record(i));
  return records;
}

// The lines of a command's output that start with `label`, without it.
std::vector<std::string> Printed(const std::string& out, const std::string& label) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(label, 0) == 0) lines.push_back(line.substr(label.size()));
  return lines;
}

class ResultsWeekTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("rdv_results_week_" + std::to_string(::getpid()) + "_" + GetParam())).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    Run("demo '" + dir_ + "' --state " + GetParam());
    for (const char* step : {"startup", "download", "structure", "daybefore", "predict"})
      Run(std::string(step) + " '" + dir_ + "'");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Run(const std::string& args) {
    const auto r = RunCli(args);
    ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
  }
  std::vector<std::string> Lines(std::string_view name) {
    const auto bytes = common::ReadWholeFile(dir_ + std::string(name));
    EXPECT_TRUE(bytes) << name;
    return bytes ? common::SplitLines(*bytes) : std::vector<std::string>{};
  }
  std::string dir_;
};

TEST_P(ResultsWeekTest, ListsTheWeeksRacesWithTheirFilesAndProgressTexts) {
  const bool monday = GetParam() == "monday";
  // The races the list must hold: the payouts once the results are final, else the race records
  // not yet final.
  const auto races = ReadAll(dir_, store::kRaNew);
  ASSERT_FALSE(races.empty());
  ASSERT_EQ(jvdata::ra::DataCategory.Of(races.back()) == "7", monday);
  std::vector<std::string> keys;
  if (monday) {
    for (const auto& p : ReadAll(dir_, store::kHrThisWeek)) keys.push_back(jvdata::RaceKey(p));
  } else {
    for (const auto& r : races) {
      const auto category = jvdata::ra::DataCategory.Of(r);
      if (category >= "2" && category <= "6") keys.push_back(jvdata::RaceKey(r));
    }
  }
  ASSERT_GT(keys.size(), 20u);
  // Stale runner and ticket-folder files of an earlier pass are written afresh.
  fs::create_directories(dir_ + "RACE");
  fs::create_directories(dir_ + "KAIME");
  { std::ofstream(dir_ + "RACE/" + keys[0] + ".dat") << "stale"; }
  { std::ofstream(dir_ + "KAIME/" + keys[0] + ".dat") << "stale"; }

  const auto r = RunCli("results '" + dir_ + "'");
  ASSERT_EQ(r.exit_code, 0) << r.out;

  std::vector<std::string> quoted;
  for (const auto& k : keys) quoted.push_back("\"" + k + "\"");
  EXPECT_EQ(Lines("RACETHISWEEKN.dat"), quoted);
  // One race id and one detail line per listed race, in the race file's order.
  const auto ids = Lines("SOKUDO/RACEID.txt");
  const auto details = Lines("RACETHISWEEKNSYOSAI.dat");
  ASSERT_EQ(ids.size(), keys.size());
  ASSERT_EQ(details.size(), keys.size());
  std::multiset<std::string> id_keys, detail_keys;
  for (const auto& id : ids) id_keys.insert(id.substr(0, 10) + id.substr(14, 2));
  for (const auto& d : details) detail_keys.insert(d.substr(1, 12));
  EXPECT_EQ(id_keys, std::multiset<std::string>(keys.begin(), keys.end()));
  EXPECT_EQ(detail_keys, id_keys);
  for (const auto& k : keys) {
    const auto runners = common::ReadWholeFile(dir_ + "RACE/" + k + ".dat");
    ASSERT_TRUE(runners) << k;
    EXPECT_FALSE(runners->empty()) << k;
    EXPECT_EQ(runners->size() % results::rr::kLength, 0u) << k;
    const auto kaime = common::ReadWholeFile(dir_ + "KAIME/" + k + ".dat");
    ASSERT_TRUE(kaime) << k;
    EXPECT_TRUE(kaime->starts_with("\"" + k + "\",1,")) << k;  // the runner lines, not the stale text
  }

  // The list box items end in their race's key after 10 spaces (payouts) or 9 (race records).
  const auto items = Printed(r.out, "[YOSOKEKKATHISWEEKNAZ.List1] ");
  ASSERT_EQ(items.size(), keys.size());
  const std::string spaces(monday ? 10 : 9, ' ');
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_TRUE(items[i].ends_with("R" + spaces + keys[i])) << items[i];

  // Text5: the start text, one progress text per race, the end text.
  const auto text5 = Printed(r.out, "[Text5] ");
  ASSERT_EQ(text5.size(), keys.size() + 2);
  EXPECT_EQ(text5.front(), "予想･結果を開始しました。しばらくお待ちください。。数分かかります。");
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(text5[i + 1].substr(0, 8), keys[i].substr(0, 8));
    EXPECT_TRUE(text5[i + 1].ends_with(keys[i].substr(10, 2) + "R予想中")) << text5[i + 1];
  }
  EXPECT_EQ(text5.back(), "予想･結果終了");
}

// A step that fails is skipped; the pass still lists the races, and says how many steps failed.
TEST_P(ResultsWeekTest, AFailingStepEndsWithItsCountAndANonZeroExit) {
  fs::remove(dir_ + std::string(names::kCodeTableFile));
  const auto r = RunCli("results '" + dir_ + "'");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  const auto text5 = Printed(r.out, "[Text5] ");
  ASSERT_FALSE(text5.empty());
  EXPECT_EQ(text5.back(), "予想･結果は終わりましたが、1件の処理に失敗しました");
  // The failure list, printed once.
  EXPECT_EQ(r.out.find("失敗 1 件"), r.out.rfind("失敗 1 件")) << r.out;
  EXPECT_NE(r.out.find("失敗 1 件"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("CodeTable.csv"), std::string::npos);
  EXPECT_FALSE(Lines("RACETHISWEEKN.dat").empty());
}

INSTANTIATE_TEST_SUITE_P(DemoWeeks, ResultsWeekTest, ::testing::Values("friday", "monday"));

}  // namespace
}  // namespace radadovur
