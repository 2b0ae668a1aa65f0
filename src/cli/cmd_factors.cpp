// radadovur-cli factors DIR turf|dirt|hurdle ITEM: factor item ITEM's grid (1..30) as the
// surface's factor weight window shows it, one row a line, cells separated by tabs, then the
// tab's explanatory text; item 12 also lists its age charts.
#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "common/convert.h"
#include "common/run_state.h"
#include "factors/factor_view.h"

namespace radadovur::cli {
namespace {

void PrintGrid(const factors::Grid& grid) {
  for (int r = 0; r < grid.rows; ++r) {
    std::string line;
    for (int c = 0; c < grid.columns; ++c) line += (c ? "\t" : "") + grid.Cell(r, c);
    std::printf("%s\n", line.c_str());
  }
}

void PrintChart(const factors::AgeChart& chart) {
  std::printf("%s\n", chart.name.c_str());
  std::string header = "月齢";
  for (const auto& s : chart.series) header += "\t" + s.label;
  std::printf("%s\n", header.c_str());
  for (size_t r = 0; r < chart.row_labels.size(); ++r) {
    std::string line = chart.row_labels[r];
    for (const auto& s : chart.series) line += "\t" + common::NumberText(s.values[r]);
    std::printf("%s\n", line.c_str());
  }
}

int RunFactors(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "factors", {});
  if (!parsed) return kUsageExit;
  const std::vector<std::string>& operands = parsed->operands;
  if (operands.size() == 3) {
    const auto surface = factors::SurfaceByWord(operands[1]);
    const auto item = common::WholeNumber(operands[2]);
    if (!surface) return UsageError("factors", "馬場は turf、dirt、hurdle のどれかです。");
    if (!item || *item < 1 || *item > factors::kFactorItems || operands[2].find('.') != std::string::npos)
      return UsageError("factors", "ITEM は 1 から 30 までの数です。");
  }
  int exit_code = 0;
  const auto folder = ProgramFolderArgument(operands, "factors", exit_code, 3);
  if (!folder) return exit_code;
  const common::RunState& state = *folder;
  const auto surface = factors::SurfaceByWord(operands[1]);
  const auto item = common::WholeNumber(operands[2]);
  factors::FactorView view;
  if (const common::Status loaded = factors::LoadFactorView(state.AppPath, *surface, view); !loaded.ok()) {
    std::fprintf(stderr, "失敗: %s\n", loaded.ToString().c_str());
    return 1;
  }
  const int k = static_cast<int>(*item);
  const factors::ItemTab& tab = factors::ItemTabs()[static_cast<size_t>(k)];
  std::printf("%s\n", std::string(tab.caption[factors::WindowIndex(*surface)]).c_str());
  PrintGrid(view.items[static_cast<size_t>(k)]);
  if (k == factors::kAgeItem) {
    PrintChart(view.male);
    PrintChart(view.female);
  }
  const std::string text(factors::ExplanationText(*surface, k));
  if (!text.empty()) std::printf("%s\n", text.c_str());
  return 0;
}

}  // namespace

RADADOVUR_CLI_COMMAND("factors", "factors DIR turf|dirt|hurdle ITEM",
                      "因子ウエイトの窓が示す、馬場(芝 turf、ダート dirt、障害 hurdle)の因子 ITEM (1 から 30)の表と\n"
                      "その説明(12 は月齢の曲線も)を表示します。",
                      RunFactors);

}  // namespace radadovur::cli
