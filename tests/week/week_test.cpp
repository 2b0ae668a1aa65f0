// The demo week through every step of the command line: what the store holds afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "store/store_files.h"
#include "store/store_keys.h"
#include "support/run_cli.h"
#include "support/data_names.h"

namespace radadovur {
namespace {

using testing::RunCli;

// Year and MonthDay of a runner record: the date of its race.
std::string RaceDate(std::string_view record) {
  return jvdata::se::Year.Str(record) + jvdata::se::MonthDay.Str(record);
}

std::vector<std::string> ReadAll(const std::string& path, size_t length) {
  std::vector<std::string> records;
  common::RecordFile f;
  if (!f.Open(path, length)) return records;
  std::string r;
  for (int64_t n = 1; n <= f.Count(); ++n)
    if (f.Read(n, r)) records.push_back(r);
  return records;
}

class WeekTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    dir_ = (std::filesystem::temp_directory_path() / ("rdv_week_" + std::to_string(::getpid()) + "_" + GetParam())).string() + "/";
    std::filesystem::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);  // no stand-in settings of the user
    for (const std::string step : {"demo", "startup", "download", "structure"}) {
      const std::string args = step == "demo" ? "demo '" + dir_ + "' --state " + GetParam() : step + " '" + dir_ + "'";
      const auto r = RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << step << ":\n" << r.out;
      outputs_[step] = r.out;
    }
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
  std::map<std::string, std::string> outputs_;
};

TEST_P(WeekTest, StoreHoldsOneRecordPerKeyAndEveryHorseItsRuns) {
  const auto races = ReadAll(dir_ + std::string(common::names::kRaNew), jvdata::ra::kLength);
  ASSERT_FALSE(races.empty());
  for (size_t i = 1; i < races.size(); ++i) EXPECT_LT(store::RaceSortKey(races[i - 1]), store::RaceSortKey(races[i])) << i;
  EXPECT_EQ(*common::ReadWholeFile(dir_ + std::string(common::names::kRaNew)), *common::ReadWholeFile(dir_ + std::string(common::names::kRaNewD)));

  const auto entries = ReadAll(dir_ + std::string(common::names::kSeNew), jvdata::se::kLength);
  ASSERT_FALSE(entries.empty());
  for (size_t i = 1; i < entries.size(); ++i) EXPECT_LT(store::EntrySortKey(entries[i - 1]), store::EntrySortKey(entries[i])) << i;
  EXPECT_EQ(*common::ReadWholeFile(dir_ + std::string(common::names::kSeNew)), *common::ReadWholeFile(dir_ + std::string(common::names::kSeNewD)));
  for (const auto& e : entries) EXPECT_NE(jvdata::se::DataCategory.Of(e), "1");

  // The horse list: every distinct KettoNum of the horse records once, ascending, quoted, CR LF.
  std::set<std::string> horses;
  for (const auto& h : ReadAll(dir_ + std::string(common::names::kUmThisWeek), jvdata::um::kLength)) horses.insert(jvdata::um::KettoNum.Str(h));
  const auto list = common::ReadQuotedValues(dir_ + std::string(common::names::kKettoNumList));
  EXPECT_EQ(std::vector<std::string>(horses.begin(), horses.end()), list);
  std::string expected_bytes;
  for (const auto& k : list) expected_bytes += common::QuotedLine(k);
  EXPECT_EQ(*common::ReadWholeFile(dir_ + std::string(common::names::kKettoNumList)), expected_bytes);

  // Every listed horse has its entry file, in date order, with no run twice.
  size_t with_runs = 0;
  for (const auto& k : list) {
    const std::string path = dir_ + ::radadovur::testing::NameOf(store::UmagotoFileName, k);
    ASSERT_TRUE(common::FileExists(path)) << k;
    const auto runs = ReadAll(path, jvdata::se::kLength);
    std::set<std::string> seen;
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(jvdata::se::KettoNum.Str(runs[i]), k);
      EXPECT_TRUE(seen.insert(store::HorseRunKey(runs[i]).substr(8)).second) << k << " run " << i + 1 << " twice";
      if (i > 0) {
        EXPECT_LE(RaceDate(runs[i - 1]), RaceDate(runs[i])) << k;
      }
    }
    with_runs += runs.empty() ? 0 : 1;
  }
  EXPECT_GT(with_runs, list.size() / 2);

  const std::string last_category = jvdata::ra::DataCategory.Str(races.back());
  if (GetParam() == "monday")
    EXPECT_EQ(last_category, "7");
  else
    EXPECT_NE(last_category, "7");
}

INSTANTIATE_TEST_SUITE_P(States, WeekTest, ::testing::Values("friday", "monday"));

}  // namespace
}  // namespace radadovur
