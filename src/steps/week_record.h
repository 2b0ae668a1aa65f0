#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "steps/week_steps.h"

// The week's record of steps ("STEPSTHISWEEKN.txt" in the program folder): which steps finished,
// for which download, and which horses failed in ⑤. A step reads from the steps before it only
// when the record says they finished for the current download; it marks itself and every step
// that reads its output as not finished before it changes anything, and itself finished when it
// ends without a failure that stops it. A folder without the record (made before it existed)
// reads as a download with nothing finished after it, and one without the record and without ①'s
// race file as a folder where ① never ran. A damaged record is named; only ① runs on it.
namespace radadovur::steps {

inline constexpr std::string_view kWeekRecordFile = "STEPSTHISWEEKN.txt";

struct StepMark {
  bool present = false;    // absent: not run since the steps before it changed
  bool finished = false;   // false: running, interrupted, failed, or made due again
  uint64_t download = 0;   // the download it ran for
};

struct WeekRecord {
  // ①'s identity of the current download; 0 is a download made before the record existed.
  uint64_t download = 0;
  std::array<StepMark, kWeekStepCount> steps{};
  // The horses that failed in ⑤'s last run, in its order.
  std::vector<std::string> failed_horses;

  StepMark& Of(WeekStep step) { return steps[static_cast<size_t>(step)]; }
  const StepMark& Of(WeekStep step) const { return steps[static_cast<size_t>(step)]; }
  // Finished for the current download.
  bool Finished(WeekStep step) const;
};

// The record as a folder without one has it: ① finished for download 0, nothing after it.
WeekRecord RecordBeforeAnyStep();

// The record's text, and its reading (every line checked; anything else is Corruption naming
// `path`, and `record` is then RecordBeforeAnyStep()).
std::string WeekRecordText(const WeekRecord& record);
common::Status ParseWeekRecord(std::string_view text, const std::string& path, WeekRecord& record);

// Reads the program folder's record: a missing one is RecordBeforeAnyStep() and OK (without ①'s
// race file too, ① has not run: nothing is marked); a damaged or unreadable one is
// RecordBeforeAnyStep() with the failure naming the file.
common::Status ReadWeekRecord(const std::string& app_path, WeekRecord& record);

// The steps `step` reads from, directly or through others, in the week's order. The cancellation
// is among them where it may have run; it counts only when it did (see StepsBeforeFinished).
std::vector<WeekStep> StepsBefore(WeekStep step);

// Before `step` changes anything: `step` marked not finished and every step that reads its output
// cleared; ① also takes the next download identity. `download` receives the identity the step
// runs for. The record is rewritten through a temporary file; a failure to write it is returned
// and the step must not go on.
// With `due`, that step (one reading `step`) is marked as due: the steps after it wait for it.
common::Status MarkStepStarted(const std::string& app_path, WeekStep step, uint64_t& download,
                               std::optional<WeekStep> due = std::nullopt);

// At the end of a run that wrote everything it should: `step` finished for `download`, the
// identity its start mark returned; for ⑤, `failed_horses` are its horses that failed. Written
// only while the record still holds the step's own start mark for that download; otherwise the
// folder changed under the step (a run that took no lock) and the failure says so.
common::Status MarkStepFinished(const std::string& app_path, WeekStep step, uint64_t download,
                                const std::vector<std::string>& failed_horses = {});

// The record's text before a step's start mark, to put back when the step changed nothing.
struct RecordBefore {
  bool read = false;     // it could be read (or there was none)
  bool existed = false;  // there was one
  std::string text;
};
common::Status ReadRecordBefore(const std::string& app_path, RecordBefore& before);
// Puts `before` back, when it could be read: the record as it was before the step, whose start
// mark is still there.
common::Status RestoreRecord(const std::string& app_path, WeekStep step, uint64_t download, const RecordBefore& before);

}  // namespace radadovur::steps
