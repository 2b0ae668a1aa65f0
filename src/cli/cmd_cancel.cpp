// radadovur-cli cancel DIR: the cancellation processing alone, on the store as step ② left it.
#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "cli/recording_folder.h"
#include "steps/cancellation.h"

namespace radadovur::cli {
namespace {

int RunCancel(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "cancel", {}, {kRecordingsOption});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  const auto state = ProgramFolderArgument(parsed->operands, "cancel", exit_code);
  if (!state) return exit_code;
  auto link = CommandJvLink(*state, *parsed);
  ConsoleHost host;
  return ReportFailures(steps::RunCancellationProcessing(*state, *link, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("cancel", "cancel DIR [--recordings RDIR]",
                      "中止処理だけを、②の後のデータに行います: 最終開催日の速報結果(\"0B12\")を取り込み、\n"
                      "中止のレースと取消の馬、データ区分 \"1\" と \"9\" をデータから除きます。\n"
                      "  --recordings RDIR  この実行だけ、JV-Link の記録フォルダとして RDIR を使います。",
                      RunCancel);

}  // namespace radadovur::cli
