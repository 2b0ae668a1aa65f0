// Symbolic links put into the program folder by someone else: ② run again with the temporary
// names of its race store and of an entry file taken by links to a file outside writes neither
// through them, and a program folder that is itself a link, with a linked working folder, works
// as any other.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/text_file.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;

TEST(LinksWeek, NoStepWritesThroughALinkAndALinkedFolderWorks) {
  const std::string base = (fs::temp_directory_path() / ("rdv_links_" + std::to_string(::getpid()))).string() + "/";
  fs::remove_all(base);
  fs::create_directories(base + "elsewhere");
  const std::string real = base + "real/", app = base + "app/", victim = base + "victim";
  ::setenv("XDG_CONFIG_HOME", (base + "config").c_str(), 1);
  ASSERT_EQ(testing::RunCli("demo '" + real + "' --state friday").exit_code, 0);
  fs::create_directory_symlink(base + "real", base + "app");
  for (const std::string step : {"startup", "download", "structure"}) {
    const auto r = testing::RunCli(step + " '" + app + "'");
    ASSERT_EQ(r.exit_code, 0) << step << ":\n" << r.out;
  }
  const std::string store = *common::ReadWholeFile(real + "RATHISWEEKNNEW.dat");
  const auto horses = common::ReadQuotedValues(real + "KETTONUMTHISWEEKN.dat");
  ASSERT_FALSE(horses.empty());
  const std::string entry = "UMAGOTOTHISWEEKN/" + horses[0] + ".dat";
  const std::string entry_bytes = *common::ReadWholeFile(real + entry);

  // The entry files' folder moved elsewhere and linked back; links in the temporary names.
  fs::rename(real + "UMAGOTOTHISWEEKN", base + "elsewhere/UMAGOTOTHISWEEKN");
  fs::create_directory_symlink(base + "elsewhere/UMAGOTOTHISWEEKN", real + "UMAGOTOTHISWEEKN");
  ASSERT_TRUE(common::WriteFileAtomic(victim, "victim").ok());
  fs::create_symlink(victim, real + "RATHISWEEKNNEW.dat.new~");
  fs::create_symlink(victim, real + entry + ".new~");

  const auto again = testing::RunCli("structure '" + app + "'");
  EXPECT_EQ(again.exit_code, 0) << again.out;
  EXPECT_EQ(common::ReadWholeFile(victim), "victim");
  EXPECT_FALSE(fs::is_symlink(real + "RATHISWEEKNNEW.dat"));
  EXPECT_EQ(common::ReadWholeFile(real + "RATHISWEEKNNEW.dat"), store);
  EXPECT_FALSE(fs::exists(fs::symlink_status(real + "RATHISWEEKNNEW.dat.new~")));
  EXPECT_FALSE(fs::is_symlink(base + "elsewhere/" + entry));
  EXPECT_EQ(common::ReadWholeFile(base + "elsewhere/" + entry), entry_bytes);
  EXPECT_TRUE(fs::is_symlink(real + "UMAGOTOTHISWEEKN"));  // the linked folder stays and is used

  // The later steps on the linked folder.
  for (const std::string step : {"daybefore", "predict"}) {
    const auto r = testing::RunCli(step + " '" + app + "'");
    EXPECT_EQ(r.exit_code, 0) << step << ":\n" << r.out;
  }
  EXPECT_EQ(common::ReadWholeFile(victim), "victim");
  fs::remove_all(base);
}

}  // namespace
}  // namespace radadovur
