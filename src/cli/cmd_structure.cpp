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
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: radadovur-cli structure DIR\n");
    return 2;
  }
  SetAppPath(args[0]);
  ConsoleUi ui;
  const StepFailures failures = store::RunStructureProcessing(GetAppPath(), ui);
  ui.SetText("KOUZOUTAIAZ.Text1", std::string(store::kStructureWindowText));
  return ReportFailures(failures);
}

}  // namespace

RADADOVUR_CLI_COMMAND("structure", "structure DIR", RunStructure);

}  // namespace radadovur::cli
