#include <gtest/gtest.h>

#include <filesystem>

#include "export/web_fixture.h"
#include "steps/results.h"
#include "support/temp_folder.h"

namespace radadovur {
namespace {

// Step ⑥'s writers include the race page, the block-editor mark-up and the printable page.
TEST(ResultsStep, WritesTheWebPagesOfARace) {
  testing::TempFolder folder("rdv_results_web_");
  std::filesystem::create_directories(folder.path() + "/furlong_gate_yosou");
  std::filesystem::create_directories(folder.path() + "/furlong_gate_wp");
  exports::web_fixture::Race race;
  steps::ResultsPassParts parts = steps::AssembleResultsPassParts();
  for (const auto& call : results::kRaceWriterOrder)
    if (call.name == "WriteYosouPage" || call.name == "WriteWpBlocks" || call.name == "WritePdfPage") {
      EXPECT_TRUE(((*parts.writers).*call.write)(folder.app_path(), race.s).ok()) << call.name;
    }
  EXPECT_TRUE(std::filesystem::exists(folder.path() + "/furlong_gate_yosou/20240921_nakayama_r11.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder.path() + "/furlong_gate_wp/20240921-nakayama.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder.path() + "/furlong_gate_wp/20240921_nakayama_pdf.txt"));
}

}  // namespace
}  // namespace radadovur
