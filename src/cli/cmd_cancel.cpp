// radadovur-cli cancel DIR: the cancellation processing alone, on the store as step ② left it.
#include "cli/cli.h"
#include "cli/console_host.h"
#include "jvlink/jvlink_settings.h"
#include "steps/cancellation.h"

namespace radadovur::cli {
namespace {

int RunCancel(const std::vector<std::string>& args) {
  const auto state = ProgramFolderArgument(args, "cancel");
  if (!state) return 2;
  auto link = jvlink::MakeReplayJvLink(state->AppPath);
  ConsoleHost host;
  return ReportFailures(steps::RunCancellationProcessing(*state, *link, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("cancel", "cancel DIR", RunCancel);

}  // namespace radadovur::cli
