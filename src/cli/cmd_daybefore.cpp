// radadovur-cli daybefore DIR: step ④ (the day-before state) on the program folder DIR.
#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "steps/day_before.h"

namespace radadovur::cli {
namespace {

int RunDaybefore(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "daybefore", {});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "daybefore", exit_code);
  if (!state) return exit_code;
  ConsoleHost host;
  return ReportFailures(steps::RunDayBefore(*state, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("daybefore", "daybefore DIR",
                      "④ 前日固定: 今週の出走とレースを前日の既定値(天候・馬場は晴・良、馬体重は前走)にします(②の後)。",
                      RunDaybefore);

}  // namespace radadovur::cli
