// radadovur-cli realtime-odds DIR: the realtime menu's "Ⅱ　速報オッズ情報" ("0B30" for the last
// races of the sorted race file), through the JV-Link stand-in.
#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "cli/recording_folder.h"
#include "steps/odds_download.h"

namespace radadovur::cli {
namespace {

int RunRealtimeOddsCommand(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "realtime-odds", {}, {kRecordingsOption});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "realtime-odds", exit_code);
  if (!state) return exit_code;
  auto link = CommandJvLink(*state, *parsed);
  ConsoleHost host;
  return ReportFailures(steps::RunRealtimeOdds(*state, *link, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("realtime-odds", "realtime-odds DIR [--recordings RDIR]",
                      "速報メニューの「Ⅱ　速報オッズ情報」: レースのファイルの最後の 97 レースの速報オッズ(\"0B30\")を\n"
                      "取り込みます(②の後)。\n"
                      "  --recordings RDIR  この実行だけ、JV-Link の記録フォルダとして RDIR を使います。",
                      RunRealtimeOddsCommand);

}  // namespace radadovur::cli
