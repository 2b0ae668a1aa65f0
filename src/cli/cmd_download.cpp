// radadovur-cli download DIR: step ①, this week's race data, through the JV-Link stand-in.
#include "cli/cli.h"
#include "cli/console_host.h"
#include "jvlink/jvlink_settings.h"
#include "steps/download.h"

namespace radadovur::cli {
namespace {

int RunDownload(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "download");
  if (!state) return 2;
  auto link = jvlink::MakeReplayJvLink(state->AppPath);
  ConsoleHost host;
  return ReportFailures(steps::RunThisWeekDownload(*state, *link, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("download", "download DIR", RunDownload);

}  // namespace radadovur::cli
