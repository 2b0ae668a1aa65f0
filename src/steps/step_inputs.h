#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "common/step_host.h"
#include "steps/week_record.h"

// What a step needs from the steps before it: that the week's record shows them finished for the
// current download, and their files. A step looks before it changes anything; when a step before
// it has not finished or one of its files is missing it refuses with one message that names the
// earliest such step (and the missing files), and its finished text is never shown. A file that
// exists, even empty, is the step's to read.
namespace radadovur::steps {

// The producers of the week's steps, as the table has them.
inline constexpr const ProducerStep& kDownloadStep = RowOf(WeekStep::kDownload).producer;
inline constexpr const ProducerStep& kStructureStep = RowOf(WeekStep::kStructure).producer;
inline constexpr const ProducerStep& kCancellationStep = RowOf(WeekStep::kCancellation).producer;
inline constexpr const ProducerStep& kDayBeforeStep = RowOf(WeekStep::kDayBefore).producer;
inline constexpr const ProducerStep& kPredictStep = RowOf(WeekStep::kPredict).producer;
inline constexpr const ProducerStep& kResultsStep = RowOf(WeekStep::kResults).producer;

// The missing inputs of the earliest step that has not finished or whose files are missing.
class MissingInputs {
 public:
  explicit MissingInputs(std::string app_path) : app_path_(std::move(app_path)) {}

  // Notes `name` (relative to the program folder) as missing when no file is there.
  void Need(std::string_view name, const ProducerStep& producer);
  // Notes files of `producer` as missing (for inputs that exist but are another week's).
  void Missing(std::vector<std::string> names, size_t more, const ProducerStep& producer);
  // Notes `producer` as not finished for the current download; `why` names the week's record
  // (and its damage, when that is the reason).
  void NotFinished(const ProducerStep& producer, common::Status why);

  bool empty() const { return producer_ == nullptr; }
  const std::string& app_path() const { return app_path_; }

  // "<files>がありません。先に<button>を実行して下さい。<step>は行いませんでした。" and the names;
  // for a step not finished "<button>が終わった記録がありません（…）。先に<button>を…".
  std::string Text(std::string_view step) const;

  // When something is missing: the message, each missing file in `failures`, `failures.refused`;
  // true. False when nothing is missing.
  bool Refuse(std::string_view step, common::StepHost& host, common::StepFailures& failures) const;

 private:
  std::string app_path_;
  const ProducerStep* producer_ = nullptr;
  std::vector<std::string> names_;
  std::vector<common::Status> why_;
  size_t more_ = 0;
  bool not_finished_ = false;
};

// Every step that `step` reads from (and, with `itself`, `step` too) and that the week's record
// does not show finished for the current download (the cancellation only when it ran since ② or
// is due). A damaged or unreadable record names itself and the step to run first, ①.
void NeedFinished(MissingInputs& missing, WeekStep step, bool itself = false);

// Everything `step` needs besides the steps before it: the table's files, the payouts of ① for ④
// once the results are final, ⑥'s inputs, the realtime results' files of ⑥.
void NeedStepInputs(MissingInputs& missing, WeekStep step);

// Step ⑥'s inputs: the store of step ②, the payouts of step ① once the results are final, and
// this week's expanded records of step ⑤ (missing when no runner of a listed race has them).
void NeedResultsInputs(MissingInputs& missing);

// The files the results pass leaves for the race viewer and the realtime results: the race
// details, and the race's runner file when `race_key` is given.
void NeedResultsOutputs(MissingInputs& missing, std::string_view race_key = {});

}  // namespace radadovur::steps
