// radadovur-cli structure DIR: step ② (the structure processing) on the program folder DIR.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/console_ui.h"
#include "common/app_path.h"
#include "store/structure.h"

namespace radadovur::cli {
namespace {

int RunStructure(const std::vector<std::string>& args) {
  const std::string app_path = ProgramFolderArgument(args, "structure");
  if (app_path.empty()) return 2;
  ConsoleUi ui;
  const StepFailures failures = store::RunStructureProcessing(app_path, ui);
  ui.SetText("KOUZOUTAIAZ.Text1", std::string(store::kStructureWindowText));
  return ReportFailures(failures);
}

}  // namespace

RADADOVUR_CLI_COMMAND("structure", "structure DIR", RunStructure);

}  // namespace radadovur::cli
