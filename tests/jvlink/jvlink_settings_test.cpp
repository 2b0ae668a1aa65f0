#include "jvlink/jvlink_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/recording_fixture.h"

namespace radadovur::testing {
namespace {

class JvLinkSettingsTest : public RecordingFixture {
 protected:
  std::string SettingsFile() const { return root_ + "/config/radadovur-jvlink/recordings"; }
};

TEST_F(JvLinkSettingsTest, DefaultIsJvdataInTheProgramFolder) {
  EXPECT_EQ(jvlink::RecordingFolderFromSettings("/opt/radadovur/", SettingsFile()), "/opt/radadovur/JVDATA");
  EXPECT_EQ(jvlink::RecordingFolderFromSettings("/opt/radadovur/", ""), "/opt/radadovur/JVDATA");
}

TEST_F(JvLinkSettingsTest, SavedFolderIsUsedAndEmptyMeansDefault) {
  const common::Status saved = jvlink::SaveRecordingFolderSetting(SettingsFile(), "/opt/radadovur/", "/data/レース記録");
  ASSERT_TRUE(saved.ok()) << saved.ToString();
  EXPECT_EQ(jvlink::LoadRecordingFolderSetting(SettingsFile(), "/opt/radadovur/"), "/data/レース記録");
  EXPECT_EQ(jvlink::RecordingFolderFromSettings("/opt/radadovur/", SettingsFile()), "/data/レース記録");

  ASSERT_TRUE(jvlink::SaveRecordingFolderSetting(SettingsFile(), "/opt/radadovur", "").ok());
  EXPECT_EQ(jvlink::RecordingFolderFromSettings("/opt/radadovur/", SettingsFile()), "/opt/radadovur/JVDATA");

  EXPECT_FALSE(jvlink::SaveRecordingFolderSetting(SettingsFile(), "/opt/radadovur/", "two\nlines").ok());
  EXPECT_FALSE(jvlink::SaveRecordingFolderSetting(SettingsFile(), "/opt/radadovur/", "a\ttab").ok());
  EXPECT_FALSE(jvlink::SaveRecordingFolderSetting("", "/opt/radadovur/", "/x").ok());
  Write("blocker", "a file where the settings folder should be");
  EXPECT_FALSE(
      jvlink::SaveRecordingFolderSetting(folder_ + "/blocker/radadovur-jvlink/recordings", "/opt/radadovur/", "/x").ok());
}

// A folder chosen for one program folder is not replayed into another one (a Friday week's
// download must not fetch a Monday folder's payouts); the same folder named another way
// ("week", "./week/", its absolute path) finds its line.
TEST_F(JvLinkSettingsTest, SavedFolderBelongsToItsProgramFolder) {
  ASSERT_TRUE(jvlink::SaveRecordingFolderSetting(SettingsFile(), root_ + "/monday/", "/rec/monday").ok());
  ASSERT_TRUE(jvlink::SaveRecordingFolderSetting(SettingsFile(), root_ + "/other", "/rec/other").ok());
  EXPECT_EQ(jvlink::RecordingFolderFromSettings(root_ + "/friday/", SettingsFile()), root_ + "/friday/JVDATA");
  EXPECT_EQ(jvlink::RecordingFolderFromSettings(root_ + "/monday/", SettingsFile()), "/rec/monday");
  EXPECT_EQ(jvlink::RecordingFolderFromSettings(root_ + "/./monday//", SettingsFile()), "/rec/monday");
  // Changing one program folder's choice keeps the others'.
  ASSERT_TRUE(jvlink::SaveRecordingFolderSetting(SettingsFile(), root_ + "/monday", "/rec/monday2").ok());
  EXPECT_EQ(jvlink::RecordingFolderFromSettings(root_ + "/other/", SettingsFile()), "/rec/other");
  EXPECT_EQ(jvlink::RecordingFolderFromSettings(root_ + "/monday/", SettingsFile()), "/rec/monday2");
  // A settings file of the old form (one folder for every program folder) names none.
  Write("old/recordings", "/rec/everywhere\n");
  EXPECT_EQ(jvlink::LoadRecordingFolderSetting(folder_ + "/old/recordings", root_ + "/monday/"), std::nullopt);
}

TEST_F(JvLinkSettingsTest, SettingsFileFollowsXdgConfigHomeThenHome) {
  const char* old_xdg = getenv("XDG_CONFIG_HOME");
  const char* old_home = getenv("HOME");
  const std::string saved_xdg = old_xdg ? old_xdg : "";
  const std::string saved_home = old_home ? old_home : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(jvlink::DefaultJvLinkSettingsFile(), "/cfg/radadovur-jvlink/recordings");
  setenv("XDG_CONFIG_HOME", "", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(jvlink::DefaultJvLinkSettingsFile(), "/home/u/.config/radadovur-jvlink/recordings");
  old_xdg ? setenv("XDG_CONFIG_HOME", saved_xdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  old_home ? setenv("HOME", saved_home.c_str(), 1) : unsetenv("HOME");
}

// A window's instance follows the settings, so a change made in any settings dialog applies
// to the next request; an explicit folder ignores them.
TEST_F(JvLinkSettingsTest, WindowInstancesFollowTheSettings) {
  Write("TOKURACETCVNRCVN/0001.jvd", Rec(jvdata::RecordType::RA, "a"));
  auto link = jvlink::MakeReplayJvLink(root_ + "/", SettingsFile());
  EXPECT_EQ(link->recording_folder(), root_ + "/JVDATA");
  int32_t read_count = 0, download_count = 0;
  std::string stamp;
  EXPECT_EQ(link->JVOpen("TOKURACETCVNRCVN", "00000000000000", 2, read_count, download_count, stamp), 0);
  EXPECT_EQ(read_count, 1);

  ASSERT_TRUE(jvlink::SaveRecordingFolderSetting(SettingsFile(), root_ + "/", root_ + "/other").ok());
  EXPECT_EQ(link->recording_folder(), root_ + "/other");
  EXPECT_EQ(link->JVOpen("TOKURACETCVNRCVN", "00000000000000", 2, read_count, download_count, stamp),
            jvlink::jvreplay::kNoRecordingFolder);

  jvlink::ReplayJvLink pinned(folder_);
  EXPECT_EQ(pinned.recording_folder(), folder_);
}

}  // namespace
}  // namespace radadovur::testing
