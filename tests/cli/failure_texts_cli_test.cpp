// What the command line tells a user whose step could not run or did not finish: a refusal once
// (one summary line on standard error, not the list again), the remedy that fits the cause, the
// command to run rather than a window's button, never a temporary file; Ctrl-C says the step was
// stopped.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "support/record_builder.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

extern char** environ;

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// The lines of `out` that begin with `start`.
std::vector<std::string> LinesStarting(const std::string& out, const std::string& start) {
  std::vector<std::string> found;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with(start)) found.push_back(line);
  return found;
}

class FailureTextsCli : public ::testing::Test {
 protected:
  testing::CliResult Run(const std::string& command, const std::string& more = "") {
    testing::CliResult r = testing::RunCli(command + " '" + dir_ + "'" + more);
    printed_ += r.out;
    return r;
  }
  void File(const std::string& name, const std::string& bytes = "x") {
    fs::create_directories(fs::path(dir_ + name).parent_path());
    std::ofstream(dir_ + name) << bytes;
  }

  testing::TempFolder folder_{"rdv_cli_texts"};
  std::string dir_ = folder_.path() + "/";
  std::string printed_;  // every run's output, for the scans at the end
};

// A refusal is told once on standard output (the message names the step to run first, the start-up
// as a command) and at most once as a summary on standard error, not file by file. (The command
// that stands for an odds window's button: ConsoleHost's tests.)
TEST_F(FailureTextsCli, RefusalsAreToldOnceAndNameTheCommand) {
  struct Case {
    std::string step;
    std::vector<std::string> said;
    std::vector<std::string> not_said;
    size_t summaries;  // a single missing file, told whole by the message, is not repeated
  } cases[] = {
      {"structure", {"①今週開催取得"}, {}, 1},
      {"matrices --realtime", {"①今週開催取得"}, {"速報情報(一括）", "Ⅱ　速報オッズ情報"}, 0},
      {"history", {"startup"}, {"RACEIDYMDLKN"}, 0},
      {"hits", {"startup"}, {"ATARILIST"}, 0},
  };
  File("OPTION1N/KYOSOBA.dat");
  for (const Case& c : cases) {
    const size_t space = c.step.find(' ');
    const auto r = Run(c.step.substr(0, space), space == std::string::npos ? "" : c.step.substr(space));
    EXPECT_EQ(r.exit_code, 1) << c.step << "\n" << r.out;
    for (const std::string& s : c.said) EXPECT_THAT(r.out, HasSubstr(s)) << c.step;
    for (const std::string& s : c.not_said) EXPECT_THAT(r.out, Not(HasSubstr(s))) << c.step;
    EXPECT_EQ(LinesStarting(r.out, "失敗: ").size(), c.summaries) << c.step << "\n" << r.out;
  }
}

// Texts that fit the cause: the start-up with a file where a working folder belongs says so
// (not that the folder is there already), ⑤ without the model package says where it goes and
// how to get one, the download and ② do not send the user to a self-extracting program.
TEST_F(FailureTextsCli, TextsFitTheCause) {
  File("OPTION1N/KYOSOBA.dat");
  File("KAIME");
  auto r = Run("startup");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_THAT(r.out, HasSubstr(dir_ + "KAIME を作れません（同じ名前でフォルダでないものがあります）"));
  EXPECT_THAT(r.out, Not(HasSubstr("すでにあります")));

  fs::remove_all(dir_ + "OPTION1N");
  r = Run("predict");
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_THAT(r.out, HasSubstr("フォルダ「" + dir_ + "OPTION1N」に展開して"));
  EXPECT_THAT(r.out, HasSubstr("radadovur-cli demo"));
  EXPECT_THAT(r.out, Not(HasSubstr("このウィンドウ")));

  // ② shows it once it runs: on the store of a ① (here an empty one, of a folder older than the
  // week's record).
  File("RATHISWEEKN.dat", "");
  File("SETHISWEEKN.dat", "");
  for (const char* step : {"structure", "download"}) {
    r = Run(step);
    EXPECT_THAT(r.out, HasSubstr("OPTION1N")) << step;
    for (const char* window_only : {"自己解凍", "タスクバー", "OKをクリック"})
      EXPECT_THAT(r.out, Not(HasSubstr(window_only))) << step << "\n" << r.out;
  }
  EXPECT_THAT(printed_, Not(HasSubstr("~"))) << printed_;
}

// The week's record of steps is text, not records, though its first line begins like a race
// record.
TEST_F(FailureTextsCli, DumpSaysTheWeeksRecordIsNoRecordFile) {
  File("STEPSTHISWEEKN.txt", "RADADOVUR STEPS 1\r\ndownload 1 finished\r\nend\r\n");
  const auto r = testing::RunCli("dump '" + dir_ + "STEPSTHISWEEKN.txt'");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_THAT(r.out, HasSubstr("はレコードのファイルではありません"));
  EXPECT_THAT(r.out, Not(HasSubstr("RA record")));
}

// Ctrl-C while a command runs: one line says it was stopped, is not finished and can be run
// again, and the command ends as an interrupt does (the shell's status 130). The command is held
// at a known point: its output pipe is full and nobody reads it.
TEST_F(FailureTextsCli, CtrlCSaysTheStepWasStopped) {
  const std::string ra = testing::MakeRecord(jvdata::RecordType::RA, {});
  std::string many;
  for (int n = 0; n < 600; ++n) many += ra;  // some 2 MB printed, far more than a pipe holds
  File("RATHISWEEKN.dat", many);

  int out[2], err[2];
  ASSERT_EQ(::pipe(out), 0);
  ASSERT_EQ(::pipe(err), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, err[0]);
  const std::string cli = RADADOVUR_CLI, file = dir_ + "RATHISWEEKN.dat";
  char* argv[] = {const_cast<char*>(cli.c_str()), const_cast<char*>("dump"), const_cast<char*>(file.c_str()), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  ::close(err[1]);
  // The first bytes show the command running (the handler is set before anything is printed);
  // what follows is far more than the pipe holds, so it waits there until it is interrupted.
  char first = 0;
  ASSERT_EQ(::read(out[0], &first, 1), 1);
  ASSERT_EQ(::kill(pid, SIGINT), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  std::string said;
  char buf[4096];
  for (ssize_t n; (n = ::read(err[0], buf, sizeof buf)) > 0;) said.append(buf, static_cast<size_t>(n));
  ::close(out[0]);
  ::close(err[0]);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGINT);
  EXPECT_EQ(said, "radadovur-cli dump: 中止しました。この処理は終わっていません（もう一度実行できます）。\n");
}

}  // namespace
}  // namespace radadovur
