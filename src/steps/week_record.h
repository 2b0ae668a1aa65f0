#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// The week's record of steps ("STEPSTHISWEEKN.txt" in the program folder): which steps finished,
// for which download, and which horses failed in ⑤. A step reads from the steps before it only
// when the record says they finished for the current download; it marks itself and every step
// that reads its output as not finished before it changes anything, and itself finished when it
// ends without a failure that stops it. A folder without the record (made before it existed)
// reads as a download with nothing finished after it; so does a damaged record, which is named.
namespace radadovur::steps {

inline constexpr std::string_view kWeekRecordFile = "STEPSTHISWEEKN.txt";

// The steps the record keeps, in the week's order.
enum class WeekStep {
  kDownload,         // ①
  kStructure,        // ②
  kCancellation,     // the cancellation processing after ②, when it is chosen
  kDayBefore,        // ④
  kPredict,          // ⑤
  kResults,          // ⑥
  kRealtimeOdds,     // the realtime odds (after ②)
  kRealtimeResults,  // the realtime results (after ⑥)
};
inline constexpr size_t kWeekStepCount = 8;

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

// Reads the program folder's record: a missing one is RecordBeforeAnyStep() and OK; a damaged or
// unreadable one is that too, with the failure naming the file.
common::Status ReadWeekRecord(const std::string& app_path, WeekRecord& record);

// The steps `step` reads from, directly or through others, in the week's order. The cancellation
// is among them where it may have run; it counts only when it did (see StepsBeforeFinished).
std::vector<WeekStep> StepsBefore(WeekStep step);

// Before `step` changes anything: `step` marked not finished and every step that reads its output
// cleared; ① also takes the next download identity. The record is rewritten through a temporary
// file; a failure to write it is returned and the step must not go on.
common::Status MarkStepStarted(const std::string& app_path, WeekStep step);

// At the end of a run without a failure that stops it: `step` finished for the current download;
// for ⑤, `failed_horses` are its horses that failed.
common::Status MarkStepFinished(const std::string& app_path, WeekStep step,
                                const std::vector<std::string>& failed_horses = {});

}  // namespace radadovur::steps
