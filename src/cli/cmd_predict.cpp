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

// While the builder reads the horse records it writes a counter text into Text3 for each one;
// the command line prints only the last of such a run of texts, when the next text comes.
class PredictConsoleHost : public ConsoleHost {
 public:
  ~PredictConsoleHost() override { Flush(); }
  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    if (slot == common::StatusSlot::kPredictText3 && !text.empty() && text[0] >= '0' && text[0] <= '9') {
      held_ = text;
      holding_ = true;
      return;
    }
    Flush();
    ConsoleHost::SetStatus(slot, text);
  }
  void Message(const std::string& text) override {
    Flush();
    ConsoleHost::Message(text);
  }
  void FailureMessage(const common::FailureReport& report) override {
    Flush();
    ConsoleHost::FailureMessage(report);
  }

 private:
  void Flush() {
    if (holding_) ConsoleHost::SetStatus(common::StatusSlot::kPredictText3, held_);
    held_.clear();
    holding_ = false;
  }
  // A plain string and a flag: GCC 12 warns (wrongly) about an optional string here.
  std::string held_;
  bool holding_ = false;
};

int RunPredict(const std::vector<std::string>& args) {
  auto state = ProgramFolderArgument(args, "predict");
  if (!state) return 2;
  PredictConsoleHost host;
  engine::ReferenceModel model;
  if (common::Status status = steps::LoadPredictionModel(*state, model, host); !status.ok()) {
    common::StepFailures failures;
    failures.Add(std::move(status));
    return ReportFailures(failures);
  }
  return ReportFailures(steps::RunPrediction(*state, model, host));
}

}  // namespace

RADADOVUR_CLI_COMMAND("predict", "predict DIR", RunPredict);

}  // namespace radadovur::cli
