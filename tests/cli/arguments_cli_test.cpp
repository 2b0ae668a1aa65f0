// radadovur-cli's arguments: help on standard output, wrong arguments with the usage (exit 2), a
// program folder that is not there (exit 1, before any step runs), the start-up's refusals and
// the recording folder each JV-Link step reads.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "jvlink/jvlink_settings.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;

struct ArgumentCase {
  std::string args;  // "DIR" stands for an existing empty folder
  int exit_code;
  std::string expected;
  bool stdout_only;  // help goes to standard output, refusals to standard error
};

TEST(CliArguments, HelpWrongArgumentsAndUnknownCommands) {
  testing::TempFolder dir("rdv_cli_args");
  const std::string d = "'" + dir.path() + "'";
  const ArgumentCase cases[] = {
      {"--help", 0, "  radadovur-cli structure DIR [--cancel] [--recordings RDIR]\n", true},
      {"-h", 0, "  radadovur-cli matrices DIR [--realtime]\n", true},
      {"download --help", 0, "使い方: radadovur-cli download DIR [--recordings RDIR]\n", true},
      {"cancel -h", 0, "使い方: radadovur-cli cancel DIR [--recordings RDIR]\n", true},
      {"odds --help", 0, "--recordings RDIR", true},
      {"matrices --help", 0, "  --realtime", true},
      {"structure DIR --cancel --help", 0, "  --cancel", true},
      {"demo --help", 0, "--state friday|monday", true},
      {"viewer -h", 0, "使い方: radadovur-cli viewer DIR RACEKEY\n", true},
      {"", 2, "使い方: radadovur-cli COMMAND ARGS...", false},
      {"bogus", 2, "「bogus」というコマンドはありません", false},
      {"download", 2, "プログラムのフォルダを指定して下さい。\n使い方: radadovur-cli download DIR [--recordings RDIR]", false},
      {"odds DIR --realtime", 2, "「--realtime」は odds では使えないオプションです", false},
      {"matrices DIR --cancel", 2, "「--cancel」は matrices では使えないオプションです", false},
      {"daybefore DIR extra", 2, "「extra」は余分な引数です", false},
      {"download DIR --recordings", 2, "オプション「--recordings」の後に値がありません", false},
      {"viewer DIR 2024", 2, "RACEKEY は 12 文字です", false},
      {"viewer DIR", 2, "引数が足りません", false},
      {"factors DIR grass 1", 2, "馬場は turf、dirt、hurdle のどれかです", false},
      {"factors DIR turf 31", 2, "ITEM は 1 から 30 までの数です", false},
      {"dump", 2, "使い方: radadovur-cli dump FILE", false},
      // An empty folder would be the root folder; an unknown option before the folder is no folder.
      {"daybefore ''", 2, "プログラムのフォルダを指定して下さい。", false},
      {"download DIR --recordings ''", 2, "オプション「--recordings」の後に値がありません", false},
      {"download DIR --recordings=", 2, "オプション「--recordings」の後に値がありません", false},
      {"daybefore -x", 2, "「-x」は daybefore では使えないオプションです", false},
      {"daybefore -x DIR", 2, "「-x」は daybefore では使えないオプションです", false},
      // An option given twice: which one was meant is not known.
      {"download DIR --recordings a --recordings b", 2, "オプション「--recordings」が二度指定されています", false},
      {"download DIR --recordings=a --recordings b", 2, "オプション「--recordings」が二度指定されています", false},
      {"structure DIR --cancel --cancel", 2, "オプション「--cancel」が二度指定されています", false},
      {"structure DIR --cancel=yes", 2, "オプション「--cancel」は値を取りません", false},
      // The demo's values: the option and the values it takes are named.
      {"demo DIR --state sunday", 2, "--state の値「sunday」は使えません。friday か monday を指定して下さい。", false},
      {"demo DIR --size huge", 2, "--size の値「huge」は使えません。normal か large を指定して下さい。", false},
      {"demo DIR --seed 1x", 2, "--seed の値「1x」は使えません。0 以上の整数", false},
      {"demo DIR --week 5", 2, "--week の値「5」は使えません。1 から 4 までの数を指定して下さい。", false},
      {"demo DIR --week 2 --week 3", 2, "オプション「--week」が二度指定されています", false},
  };
  for (const ArgumentCase& c : cases) {
    std::string args = c.args;
    if (const size_t at = args.find("DIR"); at != std::string::npos) args.replace(at, 3, d);
    const testing::CliResult run = c.stdout_only ? testing::RunCliStdout(args) : testing::RunCli(args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.expected), std::string::npos) << c.args << "\n" << run.out;
  }
  // Nothing ran in the folder.
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

// Every command on a program folder first checks it: a mistyped folder (or a file) is named and
// fails the run before any step reports success on it.
TEST(CliArguments, EveryStepRefusesAMissingProgramFolder) {
  testing::TempFolder dir("rdv_cli_folder");
  std::ofstream(dir.path() + "/file") << "x";
  for (const std::string& folder : {dir.path() + "/no/such/folder", dir.path() + "/file"}) {
    for (const std::string command :
         {"startup", "download", "structure", "structure --cancel", "cancel", "daybefore", "predict", "odds",
          "matrices", "matrices --realtime", "realtime-odds", "results", "realtime-results", "history", "hits",
          "viewer %s 202408030101", "factors %s turf 1"}) {
      std::string args = command;
      if (const size_t at = args.find("%s"); at != std::string::npos)
        args.replace(at, 2, "'" + folder + "'");
      else
        args.insert(args.find(' ') == std::string::npos ? args.size() : args.find(' '), " '" + folder + "'");
      const testing::CliResult run = testing::RunCli(args);
      EXPECT_EQ(run.exit_code, 1) << args << "\n" << run.out;
      // A file is told as such, not as missing.
      const std::string why = folder.ends_with("/file") ? "」はフォルダではありません" : "」がありません";
      EXPECT_NE(run.out.find("プログラムのフォルダ「" + folder + why), std::string::npos) << args << "\n" << run.out;
      EXPECT_EQ(run.out.find("[Text"), std::string::npos) << args << "\n" << run.out;
    }
  }
  EXPECT_FALSE(fs::exists(dir.path() + "/no"));
}

// The start-up makes its working folders only in what looks like a program folder, and fails,
// naming the folder to unpack into, while the model package is missing.
TEST(CliArguments, StartupOnlyInAProgramFolderAndNeedsTheModelPackage) {
  testing::TempFolder home("rdv_cli_startup");
  const std::string other = home.path() + "/home";
  fs::create_directories(other + "/Documents");
  testing::CliResult run = testing::RunCli("startup '" + other + "'");
  EXPECT_EQ(run.exit_code, 1) << run.out;
  EXPECT_NE(run.out.find("フォルダ「" + other + "」はプログラムのフォルダではないようです"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(other + "/KAIME"));

  for (const std::string& sub : {std::string(), std::string("/option1n"), std::string("/JVDATA")}) {
    const std::string folder = home.path() + "/program" + std::to_string(sub.size());
    fs::create_directories(folder + sub);
    run = testing::RunCli("startup '" + folder + "'");
    EXPECT_EQ(run.exit_code, 1) << sub << "\n" << run.out;
    EXPECT_NE(run.out.find("フォルダ「" + folder + "/OPTION1N」に展開して"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("自己解凍EXE"), std::string::npos) << run.out;
    EXPECT_TRUE(fs::is_directory(folder + "/KAIME")) << sub;
  }
}

// Each JV-Link step says which recording folder it replays: --recordings, else the folder the
// settings name for this program folder, else the program folder's JVDATA. A folder saved for
// another program folder is not followed.
TEST(CliArguments, JvLinkStepsPrintTheRecordingFolderTheyRead) {
  testing::TempFolder root("rdv_cli_recordings");
  const std::string monday = root.path() + "/monday", friday = root.path() + "/friday";
  fs::create_directories(monday + "/JVDATA");
  fs::create_directories(friday + "/JVDATA");
  const char* old = getenv("XDG_CONFIG_HOME");
  const std::string saved_xdg = old ? old : "";
  setenv("XDG_CONFIG_HOME", (root.path() + "/config").c_str(), 1);
  ASSERT_TRUE(jvlink::SaveRecordingFolderSetting(jvlink::DefaultJvLinkSettingsFile(), monday, root.path() + "/rec").ok());

  // (`structure --cancel` names it when the cancellation starts, after a ② that ran.)
  for (const std::string step : {"download", "odds", "realtime-odds", "cancel", "realtime-results"}) {
    std::string args = step;
    args.insert(args.find(' ') == std::string::npos ? args.size() : args.find(' '), " '" + friday + "'");
    testing::CliResult run = testing::RunCli(args);
    EXPECT_NE(run.out.find("[JV-Link] 記録フォルダ: " + friday + "/JVDATA（プログラムのフォルダの JVDATA）"),
              std::string::npos)
        << args << "\n" << run.out;
    EXPECT_EQ(run.out.find(root.path() + "/rec"), std::string::npos) << args << "\n" << run.out;
  }
  testing::CliResult run = testing::RunCli("download '" + monday + "'");
  EXPECT_NE(run.out.find("[JV-Link] 記録フォルダ: " + root.path() + "/rec（JV-Link の設定）"), std::string::npos) << run.out;
  for (const std::string option : {" --recordings '", " '--recordings="}) {
    run = testing::RunCli("download '" + monday + "'" + option + friday + "/JVDATA'");
    EXPECT_NE(run.out.find("[JV-Link] 記録フォルダ: " + friday + "/JVDATA（--recordings の指定）"), std::string::npos) << run.out;
  }
  // A step without JV-Link names none.
  EXPECT_EQ(testing::RunCli("daybefore '" + friday + "'").out.find("[JV-Link]"), std::string::npos);

  old ? setenv("XDG_CONFIG_HOME", saved_xdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace radadovur
