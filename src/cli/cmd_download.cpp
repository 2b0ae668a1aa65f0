// radadovur-cli download DIR: step ①, this week's race data, through the JV-Link stand-in.
#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "cli/recording_folder.h"
#include "steps/download.h"

namespace radadovur::cli {
namespace {

int RunDownload(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "download", {}, {kRecordingsOption});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "download", exit_code);
  if (!state) return exit_code;
  auto link = CommandJvLink(*state, *parsed);
  ConsoleHost host;
  return ReportFailures(steps::RunThisWeekDownload(*state, *link, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("download", "download DIR [--recordings RDIR]",
                      "① 今週のレースデータを JV-Link から取り込みます。\n"
                      "  --recordings RDIR  この実行だけ、JV-Link の記録フォルダとして RDIR を使います\n"
                      "                     (指定がなければ JV-Link の設定のフォルダ、なければ DIR/JVDATA)。",
                      RunDownload);

}  // namespace radadovur::cli
