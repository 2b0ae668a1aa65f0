// radadovur-cli viewer on the Monday demo week after ①, ②, the odds, their matrices, ④, ⑤ and ⑥.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "common/text_file.h"
#include "jvdata/race_key.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;

TEST(ViewerCommand, PrintsARaceOfTheDemoWeek) {
  const fs::path dir = fs::temp_directory_path() / ("rdv_viewer_cli_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const std::string d = "'" + dir.string() + "'";
  ASSERT_EQ(testing::RunCli("demo " + d + " --state monday").exit_code, 0);
  for (const std::string step : {"startup", "download", "structure", "odds", "matrices", "daybefore", "predict", "results"})
    ASSERT_EQ(testing::RunCli(step + " " + d).exit_code, 0) << step;
  const auto keys = common::ReadQuotedValues(dir.string() + "/RACETHISWEEKN.dat");
  ASSERT_FALSE(keys.empty());

  const testing::CliResult shown = testing::RunCli("viewer " + d + " " + keys[0]);
  EXPECT_EQ(shown.exit_code, 0) << shown.out;
  EXPECT_NE(shown.out.find("[Text1] "), std::string::npos);
  // The week's first race has no name (full-width blanks): the race type follows the key.
  EXPECT_NE(shown.out.find(keys[0] + "サラ系"), std::string::npos) << shown.out;
  // The race's spread of predicted speeds as the results pass computes it, not the table's "SD".
  EXPECT_TRUE(std::regex_search(shown.out, std::regex("\\[Text1\\] [^\\n]*m SD=[ 0-9][0-9] "))) << shown.out;
  EXPECT_NE(shown.out.find("{緑}\n[HAITOGrid1]\n0\t券種\t当り目\t配当(円)\t人気"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("\n1\t単勝\t"), std::string::npos);
  EXPECT_NE(shown.out.find("[RACEDETAILGrid1]\n0\t" + keys[0]), std::string::npos);
  EXPECT_NE(shown.out.find("[SANTANGrid4]\n0\t３連単\t買い目\t第1順Odds"), std::string::npos);
  // Choosing the race rewrote the race list file with the store's few race-card records.
  EXPECT_LT(common::ReadQuotedValues(dir.string() + "/RACETHISWEEKN.dat").size(), keys.size());

  EXPECT_EQ(testing::RunCli("viewer " + d).exit_code, 2);

  // After ⑥ a key it did not list is not a reason to run ⑥ again: the viewer says which it is.
  // The realtime results bring the race record that calls a race off.
  ASSERT_EQ(testing::RunCli("realtime-results " + d).exit_code, 0);
  std::string called_off;
  for (const auto& entry : fs::directory_iterator(dir / "JVDATA" / "0B12"))
    for (const std::string& line : common::SplitLines(*common::ReadWholeFile(entry.path().string())))
      if (line.rfind("RA9", 0) == 0) called_off = jvdata::RaceKey(line);
  ASSERT_EQ(called_off.size(), 12u);
  const struct {
    std::string key, expected;
  } unlisted[] = {{"209901010101", "レース 209901010101 は今週のレースの一覧にありません。"},
                  {called_off, "レース " + called_off + " は中止になったため、⑥予想・結果の対象ではありません。"}};
  for (const auto& c : unlisted) {
    const testing::CliResult refused = testing::RunCli("viewer " + d + " " + c.key);
    EXPECT_EQ(refused.exit_code, 1) << refused.out;
    EXPECT_NE(refused.out.find(c.expected), std::string::npos) << refused.out;
    EXPECT_EQ(refused.out.find("先に⑥"), std::string::npos) << refused.out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace radadovur
