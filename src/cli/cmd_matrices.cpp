// radadovur-cli matrices DIR [--realtime]: the odds matrices under "KAIME" from this week's odds
// files ("オッズ処理") or, with --realtime, from the realtime ones ("Ⅳ　速報処理(一括）").
#include <cstdio>

#include "cli/cli.h"
#include "cli/console_host.h"
#include "steps/odds_matrices.h"

namespace radadovur::cli {
namespace {

int RunMatrices(const std::vector<std::string>& args) {
  std::vector<std::string> folder;
  bool realtime = false;
  for (const auto& a : args) {
    if (a == "--realtime") {
      realtime = true;
    } else {
      folder.push_back(a);
    }
  }
  auto state = ProgramFolderArgument(folder, "matrices");
  if (!state) return 2;
  state->OddsSource = realtime ? 1 : 0;
  ConsoleHost host;
  const store::OddsMatrixReport report = steps::RunOddsMatrices(*state, host);
  if (!report.failures.refused)
    std::printf("オッズレコード %lld 件、書いたマトリクスファイル %lld 個、飛ばした項目 %lld 件\n",
                static_cast<long long>(report.records), static_cast<long long>(report.files_written),
                static_cast<long long>(report.skipped_entries));
  return ReportFailures(report.failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("matrices", "matrices DIR [--realtime]", RunMatrices);

}  // namespace radadovur::cli
