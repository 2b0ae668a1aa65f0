#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_file.h"
#include "steps/week_record.h"

namespace radadovur::testing {

// A record whose steps up to `last` finished for the current download, as a folder where they ran
// in the week's order (the cancellation did not run): for fixtures that put those steps' files in
// place by hand.
inline void MarkStepsFinished(const std::string& app_path, steps::WeekStep last) {
  steps::WeekRecord record = steps::RecordBeforeAnyStep();
  for (steps::WeekStep s : steps::StepsBefore(last))
    if (s != steps::WeekStep::kCancellation) record.Of(s) = steps::StepMark{true, true, record.download};
  record.Of(last) = steps::StepMark{true, true, record.download};
  ASSERT_TRUE(common::WriteFileAtomic(app_path + std::string(steps::kWeekRecordFile), steps::WeekRecordText(record)).ok());
}

// A step's start and finished marks, as a run alone on the folder writes them.
inline common::Status StartStep(const std::string& app_path, steps::WeekStep step) {
  uint64_t download = 0;
  return steps::MarkStepStarted(app_path, step, download);
}
inline common::Status FinishStep(const std::string& app_path, steps::WeekStep step,
                                 const std::vector<std::string>& failed_horses = {}) {
  steps::WeekRecord record;
  (void)steps::ReadWeekRecord(app_path, record);
  return steps::MarkStepFinished(app_path, step, record.download, failed_horses);
}

}  // namespace radadovur::testing
