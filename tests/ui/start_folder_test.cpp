// The program folder `radadovur DIR` names, checked at start before the main window opens.
#include "ui/start_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "common/text_file.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "ui/qt_japanese.h"

namespace radadovur::ui {
namespace {

namespace fs = std::filesystem;

// ProgramFolderUsable, with the box it shows read, pictured as `shot` and closed by a timer (""
// when none showed).
bool Usable(const std::string& given, std::string& shown, const char* shot) {
  shown.clear();
  testing::AnswerNextBox(QMessageBox::NoButton, shown, shot);
  const bool usable = ProgramFolderUsable(given);
  QCoreApplication::processEvents();  // the timer, when no box took it
  return usable;
}

// A folder that does not exist is said at start in the command line's words, and nothing is made
// in its place; a file given as the folder is refused, named; a folder starts the program.
TEST(StartFolder, AMissingFolderIsSaidAtStartAndNothingIsMade) {
  testing::QtApp();
  const testing::QtJapanese japanese;
  testing::TempFolder temp("rdv_start_folder");
  const std::string missing = temp.path() + "/no/such/folder";
  const std::string file = temp.path() + "/afile";
  ASSERT_TRUE(common::WriteFileAtomic(file, "x").ok());
  std::string shown;

  EXPECT_FALSE(Usable(missing, shown, "StartFolderMissing"));
  EXPECT_EQ(shown, "プログラムのフォルダ「" + missing + "」がありません。フォルダの名前を確かめて下さい。");
  EXPECT_FALSE(fs::exists(temp.path() + "/no"));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);

  EXPECT_FALSE(Usable(file, shown, "StartFolderFile"));
  EXPECT_EQ(shown, "プログラムのフォルダ「" + file + "」はフォルダではありません。フォルダの名前を確かめて下さい。");

  EXPECT_TRUE(Usable(temp.path(), shown, "StartFolderUnexpected"));
  EXPECT_EQ(shown, "");
}

}  // namespace
}  // namespace radadovur::ui
