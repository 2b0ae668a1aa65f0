// radadovur-cli matrices DIR [--realtime]: the odds matrices under "KAIME" from this week's odds
// files ("オッズ処理") or, with --realtime, from the realtime ones ("Ⅳ　速報処理(一括）").
#include <cstdio>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "steps/odds_matrices.h"

namespace radadovur::cli {
namespace {

int RunMatrices(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "matrices", {"--realtime"});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "matrices", exit_code);
  if (!state) return exit_code;
  state->OddsSource = parsed->Has("--realtime") ? 1 : 0;
  ConsoleHost host;
  const store::OddsMatrixReport report = steps::RunOddsMatrices(*state, host);
  // The text of the button that builds them: Command7 (this week's) or Command13 (realtime).
  host.SetStatus(state->OddsSource == 1 ? common::StatusSlot::kMainText3 : common::StatusSlot::kMainText2,
                 steps::OddsMatricesEndText(state->OddsSource, report.failures));
  if (!report.failures.refused)
    std::printf("オッズレコード %lld 件、書いたマトリクスファイル %lld 個、飛ばした項目 %lld 件\n",
                static_cast<long long>(report.records), static_cast<long long>(report.files_written),
                static_cast<long long>(report.skipped_entries));
  return ReportFailures(report.failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("matrices", "matrices DIR [--realtime]",
                      "オッズ処理: 今週のオッズ(odds の後)から KAIME の下にオッズの表を作ります。\n"
                      "  --realtime  速報オッズ(realtime-odds の後)から作ります(「Ⅳ　速報処理(一括）」)。",
                      RunMatrices);

}  // namespace radadovur::cli
