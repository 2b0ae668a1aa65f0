// radadovur-cli startup DIR: the program's start-up on folder DIR (working folders, model-package
// check, realtime files, reminder), its status texts and messages printed. Only a folder that
// looks like a program folder gets the working folders; a missing model package fails the run.
#include <cstdio>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "common/file_date.h"
#include "steps/startup.h"

namespace radadovur::cli {
namespace {

int RunStartupCommand(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "startup", {});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  const auto state = ProgramFolderArgument(parsed->operands, "startup", exit_code);
  if (!state) return exit_code;
  if (!steps::LooksLikeProgramFolder(state->AppPath)) {
    std::fprintf(stderr,
                 "radadovur-cli startup: フォルダ「%s」はプログラムのフォルダではないようです(OPTION1N も JVDATA もなく、"
                 "空でもありません)。作業フォルダは作りませんでした。フォルダの名前を確かめて下さい。\n",
                 common::Shown(parsed->operands[0]).c_str());
    return kFailedExit;
  }
  ConsoleHost host;
  return ReportFailures(
      steps::RunStartup(*state, common::LocalToday(), host, steps::PackageMissing::kUnpackIntoFailure), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("startup", "startup DIR",
                      "起動時の処理: 作業フォルダを作り、予想因子ウエイト(OPTION1N)を確かめ、前回の速報のファイルを消します。\n"
                      "DIR は OPTION1N か JVDATA のあるフォルダ、または空のフォルダです。",
                      RunStartupCommand);

}  // namespace radadovur::cli
