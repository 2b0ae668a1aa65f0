// The status texts of the steps as the user reads them: written out here, not taken from the
// code's constants, so that a changed text fails.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;

TEST(StatusTexts, TheStepsShowTheirTextsAsTheyStand) {
  const fs::path dir = fs::temp_directory_path() / ("rdv_status_texts_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const std::string d = "'" + dir.string() + "'";
  ASSERT_EQ(testing::RunCli("demo " + d + " --state monday").exit_code, 0);
  for (const std::string step : {"startup", "download"}) ASSERT_EQ(testing::RunCli(step + " " + d).exit_code, 0) << step;
  const std::string structure = testing::RunCli("structure " + d + " --cancel").out;
  ASSERT_EQ(testing::RunCli("daybefore " + d).exit_code, 0);
  const std::string predict = testing::RunCli("predict " + d).out;

  const struct {
    const std::string& shown;
    const char* line;
  } cases[] = {
      {structure, "[Text4] 構造体処理を開始しました。しばらくお待ちください。。。。。。。\n"},
      // The structure window's note for a run with the cancellation option selected.
      {structure, "[KOUZOUTAIAZ.Text1] 中止処理を選択した場合、中止処理終了が出ますので暫くお待ち下さい。\n"},
      {structure, "[CHUSIRIALTIME.Text1] 中止処理中。。\n"},
      {predict, "[VELTRANEXPDTHISWEEKNAZ.Text3] 計算を開始しました。標準で約10分かります。。。。。。\n"},
  };
  for (const auto& c : cases) EXPECT_NE(c.shown.find(c.line), std::string::npos) << c.line << "\n" << c.shown;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace radadovur
