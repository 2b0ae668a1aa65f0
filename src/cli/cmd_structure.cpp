// radadovur-cli structure DIR: step ② (the structure processing) on the program folder DIR.
#include <string>

#include "cli/cli.h"
#include "cli/console_host.h"
#include "steps/structure.h"

namespace radadovur::cli {
namespace {

int RunStructure(const std::vector<std::string>& args) {
  const auto state = ProgramFolderArgument(args, "structure");
  if (!state) return 2;
  ConsoleHost host;
  const common::StepFailures failures = steps::RunStructureProcessing(*state, host);
  host.SetStatus(common::StatusSlot::kKouzoutaiText1, std::string(steps::kStructureWindowText));
  return ReportFailures(failures);
}

}  // namespace

RADADOVUR_CLI_COMMAND("structure", "structure DIR", RunStructure);

}  // namespace radadovur::cli
