#include "steps/results.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace radadovur {
namespace {

// Without its program folder the pass creates nothing (no list files, no folder) and says why.
TEST(ResultsStep, MissingProgramFolderIsOneFailureAndNothingIsWritten) {
  testing::TempFolder base("rdv_results_step_");
  const std::string missing = base.path() + "/gone/";
  testing::RecordingHost host;
  auto state = std::make_unique<results::ResultsWindowState>();
  const auto outcome = steps::RunResultsStep(common::RunStateFor(missing), host, *state);
  ASSERT_EQ(outcome.failures.items.size(), 1u);
  EXPECT_TRUE(outcome.failures.items[0].IsNotFound()) << outcome.failures.items[0].ToString();
  EXPECT_TRUE(outcome.List1Items.empty());
  EXPECT_EQ(host.Messages(), std::vector<std::string>{outcome.failures.items[0].ToString()});
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(results::ResultsEndText(outcome.failures), "予想･結果は終わりましたが、1件の処理に失敗しました");
}

}  // namespace
}  // namespace radadovur
