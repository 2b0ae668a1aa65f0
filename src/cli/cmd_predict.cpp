// radadovur-cli predict DIR: step ⑤ (extracts, expanded records, calculation) on the program
// folder DIR, with the model loaded first as the prediction window loads it when it opens.
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/console_host.h"
#include "engine/weight_model.h"
#include "steps/predict.h"

namespace radadovur::cli {
namespace {

int RunPredict(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "predict");
  if (!state) return 2;
  PredictConsoleHost host;
  engine::ReferenceModel model;
  if (common::Status status = steps::LoadPredictionModel(*state, model, host); !status.ok()) {
    common::StepFailures failures;
    failures.Add(std::move(status));
    return ReportFailures(failures, &host);
  }
  return ReportFailures(steps::RunPrediction(*state, model, host), &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("predict", "predict DIR", RunPredict);

}  // namespace radadovur::cli
