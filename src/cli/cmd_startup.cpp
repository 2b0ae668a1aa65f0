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
  if (args.size() != 1 || args[0].empty()) {
    std::fprintf(stderr, "usage: radadovur-cli startup DIR\n");
    return 2;
  }
  SetAppPath(args[0]);
  ConsoleUi ui;
  StepFailures failures;
  RunStartup(GetAppPath(), LocalToday(), ui, failures);
  return ReportFailures(failures);
}

}  // namespace

RADADOVUR_CLI_COMMAND("startup", "startup DIR", RunStartupCommand);

}  // namespace radadovur::cli
