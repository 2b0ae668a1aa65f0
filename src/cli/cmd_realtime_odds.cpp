// radadovur-cli realtime-odds DIR: the realtime menu's "Ⅱ　速報オッズ情報" ("0B30" for the last
// races of the sorted race file), through the JV-Link stand-in.
#include "cli/cli.h"
#include "cli/console_host.h"
#include "jvlink/jvlink_settings.h"
#include "steps/odds_download.h"

namespace radadovur::cli {
namespace {

int RunRealtimeOddsCommand(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "realtime-odds");
  if (!state) return 2;
  auto link = jvlink::MakeReplayJvLink(state->AppPath);
  ConsoleHost host;
  return ReportFailures(steps::RunRealtimeOdds(*state, *link, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("realtime-odds", "realtime-odds DIR", RunRealtimeOddsCommand);

}  // namespace radadovur::cli
