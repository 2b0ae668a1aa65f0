// The Monday demo week through ② with the cancellation processing: what the store holds, that a
// second run changes nothing, and that a kill at any moment leaves every store file whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "store/store_files.h"
#include "store/store_keys.h"
#include "support/run_cli.h"
#include "support/data_names.h"

extern char** environ;

namespace radadovur {
namespace {

namespace fs = std::filesystem;
namespace names = common::names;
using testing::RunCli;

std::vector<std::string> Records(const std::string& bytes, size_t length) {
  std::vector<std::string> records;
  for (size_t at = 0; at + length <= bytes.size(); at += length) records.push_back(bytes.substr(at, length));
  return records;
}
std::vector<std::string> ReadRecords(const std::string& path, size_t length) {
  return Records(common::ReadWholeFile(path).value_or(""), length);
}

// Every file of the folder below the recordings, by relative name.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    const std::string rel = fs::relative(e.path(), dir).string();
    if (e.is_regular_file() && rel.rfind("JVDATA", 0) != 0 && rel.rfind("config", 0) != 0)
      files[rel] = *common::ReadWholeFile(e.path().string());
  }
  return files;
}

bool IsRealtimeFile(const std::string& name) { return name.find("RIALTIME") != std::string::npos; }

class CancelWeek : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = (fs::temp_directory_path() / ("rdv_cancel_week_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
    for (const std::string& args : {"demo '" + dir_ + "' --state monday", "startup '" + dir_ + "'", "download '" + dir_ + "'",
                                   "structure '" + dir_ + "' --cancel"}) {
      const auto r = RunCli(args);
      ASSERT_EQ(r.exit_code, 0) << args << ":\n" << r.out;
      out_ = r.out;
    }
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  static std::string dir_;
  static std::string out_;
};
std::string CancelWeek::dir_;
std::string CancelWeek::out_;

TEST_F(CancelWeek, CancelledRaceAndScratchedRunnersLeaveTheStore) {
  EXPECT_NE(out_.find("[CHUSIRIALTIME.Text1] 中止処理終了"), std::string::npos) << out_;
  // What the realtime recordings call off.
  std::set<std::string> cancelled_races, cancelled_entries;
  for (const auto& e : fs::directory_iterator(dir_ + "JVDATA/0B12")) {
    const std::string bytes = *common::ReadWholeFile(e.path().string());
    for (size_t at = 0; at + 2 < bytes.size();) {
      const std::string spec = bytes.substr(at, 2);
      const size_t length = spec == "RA" ? jvdata::ra::kLength : spec == "SE" ? jvdata::se::kLength : spec == "HR" ? jvdata::hr::kLength : 0;
      const size_t end = length ? at + length : bytes.find('\n', at) + 1;
      const std::string record = bytes.substr(at, end - at);
      if (record[2] == '9' && spec == "RA") cancelled_races.insert(store::CancelRaceKey(record));
      if (record[2] == '9' && spec == "SE") cancelled_entries.insert(store::CancelEntryKey(record));
      at = end;
    }
  }
  ASSERT_EQ(cancelled_races.size(), 1u);
  const std::string race = *cancelled_races.begin();
  size_t scratched = 0;
  for (const auto& e : cancelled_entries) scratched += e.substr(0, 12) == race ? 0 : 1;
  ASSERT_EQ(scratched, 2u);  // one runner in each of two races

  // Before the cancellation the race stood under categories "1" and "2".
  std::string categories;
  for (const auto& r : ReadRecords(dir_ + std::string(names::kRaThisWeek), jvdata::ra::kLength))
    if (store::CancelRaceKey(r) == race) categories += jvdata::ra::DataCategory.Str(r);
  EXPECT_EQ(categories, "12");

  const auto races = ReadRecords(dir_ + std::string(names::kRaNew), jvdata::ra::kLength);
  ASSERT_GT(races.size(), 100u);
  for (const auto& r : races) {
    EXPECT_NE(store::CancelRaceKey(r), race);
    EXPECT_NE(jvdata::ra::DataCategory.Str(r), "1");
    EXPECT_NE(jvdata::ra::DataCategory.Str(r), "9");
  }
  const auto entries = ReadRecords(dir_ + std::string(names::kSeNew), jvdata::se::kLength);
  ASSERT_GT(entries.size(), 1000u);
  std::set<std::string> scratched_horses;
  for (const auto& r : ReadRecords(dir_ + std::string(names::kSeNewD), jvdata::se::kLength))
    if (jvdata::se::DataCategory.Str(r) == "9" && store::CancelRaceKey(r) != race) scratched_horses.insert(jvdata::se::KettoNum.Str(r));
  ASSERT_EQ(scratched_horses.size(), 2u);
  for (const auto& r : entries) {
    EXPECT_EQ(cancelled_entries.count(store::CancelEntryKey(r)), 0u) << jvdata::se::KettoNum.Str(r);
    EXPECT_NE(store::CancelRaceKey(r), race);
    EXPECT_NE(jvdata::se::DataCategory.Str(r), "1");
    EXPECT_NE(jvdata::se::DataCategory.Str(r), "9");
  }
  // The scratched horses' entry files keep their past runs but not this week's.
  for (const std::string& scratched_horse : scratched_horses) {
    const auto runs = ReadRecords(dir_ + ::radadovur::testing::NameOf(store::UmagotoFileName, scratched_horse), jvdata::se::kLength);
    EXPECT_TRUE(common::FileExists(dir_ + ::radadovur::testing::NameOf(store::UmagotoFileName, scratched_horse))) << scratched_horse;
    for (const auto& r : runs) EXPECT_EQ(cancelled_entries.count(store::CancelEntryKey(r)), 0u) << scratched_horse;
  }
}

TEST_F(CancelWeek, ASecondRunGivesTheSameStore) {
  const auto before = Snapshot(dir_);
  for (const std::string& args : {"structure '" + dir_ + "' --cancel", "cancel '" + dir_ + "'"}) {
    const auto r = RunCli(args);
    ASSERT_EQ(r.exit_code, 0) << r.out;
    const auto after = Snapshot(dir_);
    ASSERT_EQ(after.size(), before.size()) << args;
    for (const auto& [name, bytes] : before) {
      // The realtime files keep every fetch of the program's run (start-up empties them).
      if (IsRealtimeFile(name)) continue;
      EXPECT_TRUE(after.at(name) == bytes) << args << ": " << name;
    }
  }
}

// Kills the cancellation processing at moments spread over its run; every store file must then
// be whole: as the finished processing leaves it or as it was before (a realtime file: its
// earlier records, maybe followed by some of the fetch's).
TEST_F(CancelWeek, AKillAtAnyMomentLeavesEveryStoreFileWhole) {
  // The store as ② alone leaves it, and as the cancellation leaves it.
  ASSERT_EQ(RunCli("structure '" + dir_ + "'").exit_code, 0);
  const auto old_files = Snapshot(dir_);
  ASSERT_EQ(RunCli("cancel '" + dir_ + "'").exit_code, 0);
  const auto new_files = Snapshot(dir_);

  ASSERT_EQ(RunCli("structure '" + dir_ + "'").exit_code, 0);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunCli("cancel '" + dir_ + "'").exit_code, 0);
  const auto full = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

  const std::string cli = RADADOVUR_CLI;
  int killed = 0;
  for (int k = 0; k < 16; ++k) {
    ASSERT_EQ(RunCli("structure '" + dir_ + "'").exit_code, 0);
    const std::string folder = dir_;
    char* argv[] = {const_cast<char*>(cli.c_str()), const_cast<char*>("cancel"), const_cast<char*>(folder.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    std::this_thread::sleep_for(full * k / 16);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    killed += WIFSIGNALED(status) ? 1 : 0;

    for (const auto& [name, bytes] : Snapshot(dir_)) {
      if (name.size() > 5 && name.substr(name.size() - 5) == ".new~") continue;  // an unfinished new file
      if (name == "STEPSTHISWEEKN.txt") continue;  // the week's record: the cancellation not finished
      if (name == "STEPSTHISWEEKN.lock") continue;  // the killed run's description, and no lock
      if (IsRealtimeFile(name)) {
        const size_t length = name == "HRRIALTIME.dat" ? jvdata::hr::kLength
                              : name == "SERIALTIME.dat" ? jvdata::se::kLength
                                                         : jvdata::ra::kLength;
        EXPECT_EQ(bytes.size() % length, 0u) << "kill " << k << ": " << name;
        continue;
      }
      const bool is_old = old_files.count(name) && old_files.at(name) == bytes;
      const bool is_new = new_files.count(name) && new_files.at(name) == bytes;
      EXPECT_TRUE(is_old || is_new) << "kill " << k << ": " << name << " is neither as before nor as after";
    }
  }
  EXPECT_GT(killed, 4);
  // And the next run finishes the job.
  ASSERT_EQ(RunCli("cancel '" + dir_ + "'").exit_code, 0);
  const auto finished = Snapshot(dir_);
  for (const auto& [name, bytes] : new_files) {
    if (!IsRealtimeFile(name)) {
      EXPECT_TRUE(finished.at(name) == bytes) << name;
    }
  }
}

}  // namespace
}  // namespace radadovur
