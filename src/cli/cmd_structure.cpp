// radadovur-cli structure DIR [--cancel]: step ② (the structure processing) on the program folder
// DIR; with --cancel followed by the cancellation processing, as button ② does when the main
// window's cancellation option is selected.
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "cli/recording_folder.h"
#include "steps/cancellation.h"
#include "steps/gate.h"
#include "steps/structure.h"

namespace radadovur::cli {
namespace {

int RunStructure(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "structure", {"--cancel"}, {kRecordingsOption});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "structure", exit_code);
  if (!state) return exit_code;
  state->CancellationOption = parsed->Has("--cancel");
  ConsoleHost host;
  // One hold of the folder over ② and the cancellation after it: nothing runs between them.
  steps::FolderHold hold(*state, host, steps::kStructureStepName);
  if (!hold.held()) return ReportFailures(hold.failures(), &host);
  common::StepFailures failures = steps::RunStructureProcessing(*state, host);
  // A refused processing opens no structure window.
  if (!failures.refused) host.SetStatus(common::StatusSlot::kKouzoutaiText1, std::string(steps::kStructureWindowText));
  // The cancellation builds on a ② that finished; after a failed or refused one it stays due.
  if (state->CancellationOption && failures.empty()) {
    auto link = CommandJvLink(*state, *parsed);
    for (auto& f : steps::RunCancellationProcessing(*state, *link, host).items) failures.Add(std::move(f));
  }
  return ReportFailures(failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("structure", "structure DIR [--cancel] [--recordings RDIR]",
                      "② 並べ替え、重複の削除、ID の一覧、馬ごとの出走ファイルを作ります。\n"
                      "  --cancel           続けて中止処理を行います(主画面で「中止処理」を選んだときの②)。\n"
                      "  --recordings RDIR  中止処理で、この実行だけ JV-Link の記録フォルダとして RDIR を使います。",
                      RunStructure);

}  // namespace radadovur::cli
