#include "support/qt_app.h"
#include "ui/jvlink/jvlink_settings_window.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "support/recording_fixture.h"

namespace radadovur::testing {
namespace {

class JvLinkSettingsWindowTest : public RecordingFixture {
 protected:
  void SetUp() override {
    RecordingFixture::SetUp();
    QtApp();
    const char* old = getenv("XDG_CONFIG_HOME");
    had_xdg_ = old != nullptr;
    if (old) old_xdg_ = old;
    setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
  }
  void TearDown() override {
    had_xdg_ ? setenv("XDG_CONFIG_HOME", old_xdg_.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    RecordingFixture::TearDown();
  }
  std::string SettingsFile() const { return root_ + "/config/radadovur-jvlink/recordings"; }

  bool had_xdg_ = false;
  std::string old_xdg_;
};

TEST_F(JvLinkSettingsWindowTest, OkSavesTheFolderAndCancelDoesNot) {
  ASSERT_EQ(jvlink::DefaultJvLinkSettingsFile(), SettingsFile());
  ui::JvLinkSettingsWindow window(jvlink::DefaultJvLinkSettingsFile(), root_ + "/", folder_);
  EXPECT_EQ(window.objectName(), "JVLinkSettings");
  auto* edit = window.findChild<QLineEdit*>("FolderEdit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text().toStdString(), folder_);
  for (const char* name : {"FolderLabel", "HintLabel", "BrowseButton", "OkButton", "CancelButton"})
    EXPECT_NE(window.findChild<QWidget*>(name), nullptr) << name;

  window.show();
  EXPECT_TRUE(testing::SaveScreenshot(window, "JVLinkSettings"));

  std::filesystem::create_directories(root_ + "/週の記録");
  edit->setText(QString::fromStdString(root_ + "/週の記録"));
  window.findChild<QPushButton*>("OkButton")->click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(window.result_code(), 0);
  EXPECT_EQ(jvlink::LoadRecordingFolderSetting(SettingsFile(), root_ + "/"), root_ + "/週の記録");

  ui::JvLinkSettingsWindow again(SettingsFile(), root_ + "/", root_ + "/週の記録");
  again.findChild<QLineEdit*>("FolderEdit")->setText("/somewhere/else");
  again.findChild<QPushButton*>("CancelButton")->click();
  EXPECT_EQ(again.result(), QDialog::Rejected);
  EXPECT_EQ(jvlink::LoadRecordingFolderSetting(SettingsFile(), root_ + "/"), root_ + "/週の記録");
}

TEST_F(JvLinkSettingsWindowTest, FailedSaveGivesMinusOne) {
  Write("blocker", "x");
  ui::JvLinkSettingsWindow window(folder_ + "/blocker/radadovur-jvlink/recordings", root_ + "/", folder_);
  window.findChild<QPushButton*>("OkButton")->click();
  EXPECT_EQ(window.result_code(), -1);
}

// A folder that does not exist is refused with a message naming it; the dialog stays open and
// nothing is saved.
TEST_F(JvLinkSettingsWindowTest, MissingFolderIsRefusedWithAMessage) {
  ui::JvLinkSettingsWindow window(SettingsFile(), root_ + "/", folder_);
  window.show();
  const std::string missing = root_ + "/ない";
  window.findChild<QLineEdit*>("FolderEdit")->setText(QString::fromStdString(missing));
  QString shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = box->text();
    box->accept();
  });
  window.findChild<QPushButton*>("OkButton")->click();
  EXPECT_TRUE(shown.contains(QString::fromStdString(missing))) << shown.toStdString();
  EXPECT_TRUE(window.isVisible());
  EXPECT_NE(window.result(), QDialog::Accepted);
  EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

// JVSetUIProperties of a window's instance shows the dialog; its OK applies to the next request.
TEST_F(JvLinkSettingsWindowTest, InstalledDialogServesJvSetUiProperties) {
  auto link = jvlink::MakeReplayJvLink(root_ + "/", SettingsFile());
  ui::InstallJvLinkSettingsDialog(*link, nullptr, root_ + "/", SettingsFile());
  const std::string chosen = root_ + "/chosen";
  std::filesystem::create_directories(chosen);
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(modal->objectName(), "JVLinkSettings");
    modal->findChild<QLineEdit*>("FolderEdit")->setText(QString::fromStdString(chosen));
    modal->findChild<QPushButton*>("OkButton")->click();
  });
  EXPECT_EQ(link->JVSetUIProperties(), 0);
  EXPECT_EQ(link->recording_folder(), chosen);
}

}  // namespace
}  // namespace radadovur::testing
