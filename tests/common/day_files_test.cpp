#include "common/day_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "support/temp_folder.h"
#include "support/data_names.h"

namespace radadovur::common {
namespace {

class DayFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_.path() + "/TEKICHU"); }
  std::string Day(const char* key) const { return ::radadovur::testing::NameOf(DayFilePath, app_, "TEKICHU/", key, "lupRCM.txt"); }
  std::string Read(const std::string& path) const { return ReadWholeFile(path).value_or("<missing>"); }

  radadovur::testing::TempFolder folder_{"rdv_dayfiles"};
  std::string app_ = folder_.app_path();
};

TEST_F(DayFilesTest, PathJoinsWithoutSeparators) {
  EXPECT_EQ(::radadovur::testing::NameOf(DayFilePath, "/p/", "TEKICHU/", "20240601050308", "lup.txt"), "/p/TEKICHU/20240601050308lup.txt");
}

TEST_F(DayFilesTest, FirstBlockOfAPassReplacesTheFileLaterOnesAppend) {
  const std::string a = Day("20240601050308");
  ASSERT_TRUE(WriteFileAtomic(a, "from an earlier pass\r\n").ok());

  DayFiles pass;
  EXPECT_TRUE(pass.Starts(a));
  ASSERT_TRUE(pass.Write(a, "DY\r\nR1\r\n").ok());
  EXPECT_FALSE(pass.Starts(a));
  ASSERT_TRUE(pass.Write(a, "R2\r\n").ok());
  EXPECT_EQ(Read(a), "DY\r\nR1\r\nR2\r\n");

  // A new pass starts the day afresh.
  DayFiles next;
  EXPECT_TRUE(next.Starts(a));
  ASSERT_TRUE(next.Write(a, "DY\r\n").ok());
  EXPECT_EQ(Read(a), "DY\r\n");
}

TEST_F(DayFilesTest, ADayThatComesBackInThePassIsAppendedTo) {
  const std::string a = Day("20240601050308");
  const std::string b = Day("20240601090308");
  DayFiles pass;
  ASSERT_TRUE(pass.Write(a, "A1\r\n").ok());
  ASSERT_TRUE(pass.Write(b, "B1\r\n").ok());
  EXPECT_FALSE(pass.Starts(a));
  ASSERT_TRUE(pass.Write(a, "A2\r\n").ok());
  EXPECT_EQ(Read(a), "A1\r\nA2\r\n");
  EXPECT_EQ(Read(b), "B1\r\n");
}

// Writes fail while a directory stands where the temporary file goes.
TEST_F(DayFilesTest, AFailedWriteLeavesTheFileAsItWasAndUnstarted) {
  const std::string a = Day("20240601050308");
  const std::filesystem::path blocker = a + ".new~";
  ASSERT_TRUE(WriteFileAtomic(a, "earlier\r\n").ok());
  DayFiles pass;
  std::filesystem::create_directory(blocker);
  const Status failed = pass.Write(a, "DY\r\n");
  EXPECT_TRUE(failed.IsIoError()) << failed.ToString();
  EXPECT_TRUE(pass.Starts(a));
  EXPECT_EQ(Read(a), "earlier\r\n");

  std::filesystem::remove(blocker);
  ASSERT_TRUE(pass.Write(a, "DY\r\n").ok());
  ASSERT_TRUE(pass.Write(a, "R1\r\n").ok());
  std::filesystem::create_directory(blocker);
  EXPECT_FALSE(pass.Write(a, "R2\r\n").ok());
  EXPECT_FALSE(pass.Starts(a));
  EXPECT_EQ(Read(a), "DY\r\nR1\r\n");
}

TEST_F(DayFilesTest, AStartedFileThatCannotBeReadBackIsNotReplaced) {
  const std::string a = Day("20240601050308");
  DayFiles pass;
  ASSERT_TRUE(pass.Write(a, "DY\r\n").ok());
  std::filesystem::remove(a);
  std::filesystem::create_directory(a);  // something that is no file stands in its place
  EXPECT_TRUE(pass.Write(a, "R2\r\n").IsIoError());
  EXPECT_TRUE(std::filesystem::is_directory(a));
}

}  // namespace
}  // namespace radadovur::common
