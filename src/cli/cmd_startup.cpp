// radadovur-cli startup DIR: the program's start-up on folder DIR (working folders, model-package
// check, realtime files, reminder), its status texts and messages printed.
#include "cli/cli.h"
#include "cli/console_host.h"
#include "common/file_date.h"
#include "steps/startup.h"

namespace radadovur::cli {
namespace {

int RunStartupCommand(const std::vector<std::string>& args) {
  const auto state = ProgramFolderArgument(args, "startup");
  if (!state) return 2;
  ConsoleHost host;
  return ReportFailures(steps::RunStartup(*state, common::LocalToday(), host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("startup", "startup DIR", RunStartupCommand);

}  // namespace radadovur::cli
