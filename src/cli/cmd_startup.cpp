// radadovur-cli startup DIR: the program's start-up on folder DIR (working folders, model-package
// check, realtime files, reminder), its status texts and messages printed.
#include <cstdio>
#include <string>

#include "common/file_date.h"
#include "app/startup.h"
#include "cli/cli.h"
#include "cli/console_ui.h"
#include "common/app_path.h"

namespace radadovur::cli {
namespace {

int RunStartupCommand(const std::vector<std::string>& args) {
  const std::string app_path = ProgramFolderArgument(args, "startup");
  if (app_path.empty()) return 2;
  ConsoleUi ui;
  StepFailures failures;
  RunStartup(app_path, LocalToday(), ui, failures);
  return ReportFailures(failures);
}

}  // namespace

RADADOVUR_CLI_COMMAND("startup", "startup DIR", RunStartupCommand);

}  // namespace radadovur::cli
