// Buttons ① and ② (with and without the cancellation option) of the main window on the demo
// week: the same store as the command line.
#include "ui/main/workflow_steps.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <filesystem>

#include "ui/main/main_window.h"
#include "ui/quiet_main_window.h"
#include "common/names.h"
#include "common/text_file.h"
#include "jvlink/replay_jv_link.h"
#include "store/store_files.h"
#include "support/qt_app.h"
#include "support/folder_snapshot.h"
#include "support/held_run.h"
#include "support/run_cli.h"
#include "support/data_names.h"

namespace radadovur::ui {
namespace {

using RecordingWindow = testing::QuietMainWindow;

TEST(WorkflowSteps, ButtonsOneAndTwoBuildTheSameStoreAsTheCommandLine) {
  testing::QtApp();
  const auto base = std::filesystem::temp_directory_path() / ("rdv_steps_" + std::to_string(::getpid()));
  std::filesystem::remove_all(base);
  const std::string window_dir = (base / "window").string() + "/";
  const std::string cli_dir = (base / "cli").string() + "/";
  ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  for (const auto& dir : {window_dir, cli_dir})
    ASSERT_EQ(testing::RunCli("demo '" + dir + "' --state monday").exit_code, 0);
  for (const std::string step : {"startup", "download", "structure"})
    ASSERT_EQ(testing::RunCli(step + " '" + cli_dir + "'").exit_code, 0) << step;

  jvlink::ReplayJvLink link(window_dir + "JVDATA");
  RecordingWindow window(window_dir, link);
  ConnectWorkflowSteps(window);
  window.Load(std::chrono::year_month_day{std::chrono::year(2024), std::chrono::month(8), std::chrono::day(5)});
  window.findChild<QAbstractButton*>("Command2")->click();  // the progress dialog closes by itself
  EXPECT_EQ(window.findChild<QLineEdit*>("Text1")->text().toStdString(), "今週開催取得終了");
  EXPECT_EQ(window.State().DownloadCount, 11);
  window.findChild<QAbstractButton*>("Command4")->click();
  EXPECT_EQ(window.findChild<QLineEdit*>("Text4")->text().toStdString(), "構造体処理終了  1030");
  EXPECT_TRUE(window.messages.empty()) << window.messages.front();

  for (std::string_view name : {common::names::kRaThisWeek, common::names::kSeThisWeek, common::names::kKsThisWeek, common::names::kRaNew,
                                common::names::kSeNew, common::names::kUmNew, common::names::kKettoNumList, common::names::kDamNumList}) {
    const auto from_window = common::ReadWholeFile(window_dir + std::string(name));
    ASSERT_TRUE(from_window) << name;
    EXPECT_EQ(*from_window, *common::ReadWholeFile(cli_dir + std::string(name))) << name;
  }
  const std::string first_horse = common::ReadQuotedValues(cli_dir + std::string(common::names::kKettoNumList)).front();
  EXPECT_EQ(*common::ReadWholeFile(window_dir + ::radadovur::testing::NameOf(store::UmagotoFileName, first_horse)),
            *common::ReadWholeFile(cli_dir + ::radadovur::testing::NameOf(store::UmagotoFileName, first_horse)));

  // With Option1, ② is followed by the cancellation window, as structure --cancel.
  ASSERT_EQ(testing::RunCli("structure '" + cli_dir + "' --cancel").exit_code, 0);
  window.findChild<QAbstractButton*>("Option1")->click();
  window.findChild<QAbstractButton*>("Command4")->click();
  QWidget* cancellation = window.findChild<QWidget*>("CHUSIRIALTIME");
  ASSERT_NE(cancellation, nullptr);
  EXPECT_TRUE(cancellation->isVisible());
  EXPECT_EQ(cancellation->findChild<QLineEdit*>("Text1")->text().toStdString(),
            "中止処理終了コマンドボタンはソフトを完全に終了する時まではクリックしないで下さい。");
  EXPECT_TRUE(window.messages.empty()) << window.messages.front();
  for (std::string_view name : {common::names::kRaNew, common::names::kRaNewD, common::names::kSeNew, common::names::kSeNewD,
                                common::names::kRaRealtime, common::names::kSeRealtime, common::names::kHrRealtime}) {
    EXPECT_EQ(*common::ReadWholeFile(window_dir + std::string(name)), *common::ReadWholeFile(cli_dir + std::string(name))) << name;
  }
  for (const auto& horse : common::ReadQuotedValues(cli_dir + std::string(common::names::kKettoNumList)))
    ASSERT_EQ(*common::ReadWholeFile(window_dir + ::radadovur::testing::NameOf(store::UmagotoFileName, horse)),
              *common::ReadWholeFile(cli_dir + ::radadovur::testing::NameOf(store::UmagotoFileName, horse)))
        << horse;
  std::filesystem::remove_all(base);
}

// The odds buttons on the demo week after ② give the command line's odds files and matrices.
// A step refused because a step before it has not run changes nothing and opens no window of its
// own: its message says what to run first.
TEST(WorkflowSteps, RefusedStepsOpenNoWindowOfTheirOwn) {
  testing::QtApp();
  const auto base = std::filesystem::temp_directory_path() / ("rdv_refused_" + std::to_string(::getpid()));
  std::filesystem::remove_all(base);
  const std::string dir = (base / "week").string() + "/";
  ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  ASSERT_EQ(testing::RunCli("demo '" + dir + "' --state monday").exit_code, 0);
  ASSERT_EQ(testing::RunCli("startup '" + dir + "'").exit_code, 0);
  jvlink::ReplayJvLink link(dir + "JVDATA");
  RecordingWindow window(dir, link);
  ConnectWorkflowSteps(window);
  const auto windows_named = [&](const char* name) {
    int n = 0;
    for (QWidget* w : window.findChildren<QWidget*>(name))
      if (w->isWindow()) ++n;
    return n;
  };

  window.findChild<QAbstractButton*>("Option1")->click();
  window.findChild<QAbstractButton*>("Command4")->click();  // ② before ①
  // One message for one click: a refused ② starts no cancellation, which would refuse too.
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].find("先に①今週開催取得を実行して下さい。"), std::string::npos) << window.messages[0];
  EXPECT_EQ(windows_named("KOUZOUTAIAZ"), 0);
  EXPECT_EQ(windows_named("CHUSIRIALTIME"), 0);
  EXPECT_EQ(window.findChild<QLineEdit*>("Text4")->text().toStdString().find("構造体処理終了"), std::string::npos);

  // ⑥ on a folder where ① never ran sends the user to ①, the earliest step.
  window.findChild<QAbstractButton*>("Command8")->click();
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_NE(window.messages[1].find("先に①今週開催取得を実行して下さい。"), std::string::npos) << window.messages[1];
  EXPECT_EQ(windows_named("YOSOKEKKATHISWEEKNAZ"), 0);
  EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text().toStdString(), "予想･結果は行いませんでした。");
  EXPECT_FALSE(std::filesystem::exists(dir + "RATHISWEEKNNEW.dat"));

  std::filesystem::remove_all(base);
}

// A button while a command-line step runs on the folder: refused at once with the busy message,
// no window of its own; the command line's step then finishes as it would alone.
TEST(WorkflowSteps, AButtonWhileACommandLineStepRunsIsRefused) {
  testing::QtApp();
  const auto base = std::filesystem::temp_directory_path() / ("rdv_busy_ui_" + std::to_string(::getpid()));
  std::filesystem::remove_all(base);
  const std::string dir = (base / "week").string() + "/";
  const std::string alone = (base / "alone").string() + "/";
  ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  ASSERT_EQ(testing::RunCli("demo '" + dir + "' --state monday").exit_code, 0);
  for (const std::string step : {"startup", "download"}) ASSERT_EQ(testing::RunCli(step + " '" + dir + "'").exit_code, 0);
  std::filesystem::copy(dir, alone, std::filesystem::copy_options::recursive);
  jvlink::ReplayJvLink link(dir + "JVDATA");
  RecordingWindow window(dir, link);
  ConnectWorkflowSteps(window);

  testing::HeldRun structure((base / "hold.fifo").string(), "structure '" + dir + "'");
  const auto before = testing::Snapshot(dir);
  window.findChild<QAbstractButton*>("Option1")->click();
  for (const char* button : {"Command4", "Command8", "Command2"}) {  // ② (with the cancellation), ⑥, ①
    window.messages.clear();
    window.findChild<QAbstractButton*>(button)->click();
    ASSERT_EQ(window.messages.size(), 1u) << button;
    EXPECT_NE(window.messages[0].find("では別の処理が実行中です（コマンドラインの「構造体処理」"), std::string::npos)
        << window.messages[0];
  }
  for (const char* name : {"KOUZOUTAIAZ", "CHUSIRIALTIME", "YOSOKEKKATHISWEEKNAZ"})
    EXPECT_EQ(window.findChild<QWidget*>(name), nullptr) << name;
  EXPECT_EQ(testing::Snapshot(dir), before);
  const auto finished = structure.Release();
  EXPECT_EQ(finished.exit_code, 0) << finished.out;

  ASSERT_EQ(testing::RunCli("structure '" + alone + "'").exit_code, 0);
  EXPECT_EQ(testing::Snapshot(dir), testing::Snapshot(alone));
  std::filesystem::remove_all(base);
}

TEST(WorkflowSteps, OddsWindowsWriteWhatTheCommandLineWrites) {
  testing::QtApp();
  const auto base = std::filesystem::temp_directory_path() / ("rdv_odds_steps_" + std::to_string(::getpid()));
  std::filesystem::remove_all(base);
  const std::string window_dir = (base / "window").string() + "/";
  const std::string cli_dir = (base / "cli").string() + "/";
  ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  for (const auto& dir : {window_dir, cli_dir}) {
    ASSERT_EQ(testing::RunCli("demo '" + dir + "' --state monday").exit_code, 0);
    for (const std::string step : {"startup", "download", "structure"})
      ASSERT_EQ(testing::RunCli(step + " '" + dir + "'").exit_code, 0) << step;
  }
  ASSERT_EQ(testing::RunCli("odds '" + cli_dir + "'").exit_code, 0);
  ASSERT_EQ(testing::RunCli("matrices '" + cli_dir + "'").exit_code, 0);

  jvlink::ReplayJvLink link(window_dir + "JVDATA");
  RecordingWindow window(window_dir, link);
  ConnectWorkflowSteps(window);
  window.Load(std::chrono::year_month_day{std::chrono::year(2024), std::chrono::month(8), std::chrono::day(5)});
  window.findChild<QAbstractButton*>("Command3")->click();
  auto* odds = window.findChild<QWidget*>("VLTFOTHISWEEKNAZ");
  ASSERT_TRUE(odds);
  odds->findChild<QAbstractButton*>("Command2")->click();  // the window's progress dialog closes by itself
  odds->findChild<QAbstractButton*>("Command3")->click();
  EXPECT_EQ(odds->findChild<QLineEdit*>("Text1")->text().toStdString(), "3連単オッズ取得完了");
  window.findChild<QAbstractButton*>("Command7")->click();
  EXPECT_EQ(window.findChild<QLineEdit*>("Text2")->text().toStdString(), "今週のオッズ処理終了");
  EXPECT_TRUE(window.findChild<QWidget*>("VELTRANODDSN"));
  EXPECT_TRUE(window.messages.empty()) << window.messages.front();
  for (std::string_view name : {common::names::kO2ThisWeek, common::names::kO4ThisWeek, common::names::kO5ThisWeek,
                                common::names::kO6ThisWeek})
    EXPECT_EQ(*common::ReadWholeFile(window_dir + std::string(name)), *common::ReadWholeFile(cli_dir + std::string(name)))
        << name;
  size_t matrices = 0;
  for (const auto& e : std::filesystem::directory_iterator(cli_dir + "KAIME")) {
    const std::string name = e.path().filename().string();
    EXPECT_EQ(common::ReadWholeFile(window_dir + "KAIME/" + name), common::ReadWholeFile(e.path().string())) << name;
    ++matrices;
  }
  EXPECT_EQ(matrices, 288u);

  // The realtime menu's odds, then "Ⅳ　速報処理(一括）".
  window.findChild<QAbstractButton*>("Command12")->click();
  auto* menu = window.findChild<QWidget*>("VLTP2RIALTIME");
  ASSERT_TRUE(menu);
  menu->findChild<QAbstractButton*>("Command1")->click();
  EXPECT_GT(std::filesystem::file_size(window_dir + std::string(common::names::kO6Realtime)), 0u);
  window.findChild<QWidget*>("VELTRANODDSN")->close();
  window.findChild<QAbstractButton*>("Command13")->click();
  EXPECT_EQ(window.findChild<QLineEdit*>("Text3")->text().toStdString(), "速報オッズ処理終了");
  EXPECT_EQ(window.State().OddsSource, 1);
  EXPECT_TRUE(window.messages.empty()) << window.messages.front();
  std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace radadovur::ui
