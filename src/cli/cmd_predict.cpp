// radadovur-cli predict DIR: step ⑤ (extracts, expanded records, calculation) on the program
// folder DIR, with the model loaded first as the prediction window loads it when it opens.
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "engine/weight_model.h"
#include "steps/predict.h"

namespace radadovur::cli {
namespace {

int RunPredict(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "predict", {});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "predict", exit_code);
  if (!state) return exit_code;
  PredictConsoleHost host;
  engine::ReferenceModel model;
  if (common::Status status = steps::LoadPredictionModel(*state, model, host, steps::ModelLoadFailure::kUnpackAdvice); !status.ok()) {
    common::StepFailures failures;
    failures.Add(std::move(status));
    return ReportFailures(failures, &host);
  }
  return ReportFailures(steps::RunPrediction(*state, model, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("predict", "predict DIR",
                      "⑤ 計算: 予想因子ウエイトを読み、今週の統計の抜き出し、馬ごとの展開した記録、\n"
                      "コードと予想タイムの計算を行います(④の後)。",
                      RunPredict);

}  // namespace radadovur::cli
