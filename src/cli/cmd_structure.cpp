// radadovur-cli structure DIR [--cancel]: step ② (the structure processing) on the program folder
// DIR; with --cancel followed by the cancellation processing, as button ② does when the main
// window's cancellation option is selected.
#include <string>

#include "cli/cli.h"
#include "cli/console_host.h"
#include "jvlink/jvlink_settings.h"
#include "steps/cancellation.h"
#include "steps/structure.h"

namespace radadovur::cli {
namespace {

int RunStructure(const std::vector<std::string>& args) {
  std::vector<std::string> folder;
  bool cancel = false;
  for (const auto& a : args) {
    if (a == "--cancel")
      cancel = true;
    else
      folder.push_back(a);
  }
  auto state = ProgramFolderArgument(folder, "structure");
  if (!state) return 2;
  state->CancellationOption = cancel;
  ConsoleHost host;
  common::StepFailures failures = steps::RunStructureProcessing(*state, host);
  host.SetStatus(common::StatusSlot::kKouzoutaiText1, std::string(steps::kStructureWindowText));
  if (state->CancellationOption) {
    auto link = jvlink::MakeReplayJvLink(state->AppPath);
    for (auto& f : steps::RunCancellationProcessing(*state, *link, host).items) failures.Add(std::move(f));
  }
  return ReportFailures(failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("structure", "structure DIR [--cancel]", RunStructure);

}  // namespace radadovur::cli
