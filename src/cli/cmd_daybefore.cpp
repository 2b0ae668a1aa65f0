// radadovur-cli daybefore DIR: step ④ (the day-before state) on the program folder DIR.
#include "cli/cli.h"
#include "cli/console_host.h"
#include "steps/day_before.h"

namespace radadovur::cli {
namespace {

int RunDaybefore(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "daybefore");
  if (!state) return 2;
  ConsoleHost host;
  return ReportFailures(steps::RunDayBefore(*state, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("daybefore", "daybefore DIR", RunDaybefore);

}  // namespace radadovur::cli
