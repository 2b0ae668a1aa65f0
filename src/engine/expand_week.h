#pragma once
#include <string>
#include <vector>

#include "common/step_host.h"
#include "engine/build_report.h"

// Step ⑤ up to the calculation: this week's statistics extracts, the emptied expanded-record
// files and the builder.
namespace radadovur::engine {

// Empties the expanded-record file of every horse of `horses`, creating the folder when it is
// missing. A file that cannot be emptied (or an id that names no file) fails that horse: its old
// records must not pass for this week's. Moves ProgressBar3 as the ids are counted.
void EmptyExpandedFiles(const std::string& app_path, const std::vector<std::string>& horses,
                        common::StepHost& host, BuildReport& report);

// ProgressBar3 and ProgressBar4 from 0 of 100; CheckPredictionInputs; the dam list and
// "HAHAUMATHISWEEK.dat"; the horse list, every listed horse's expanded-record file emptied, and
// "KYOSOBATHISWEEK.dat"; ProgressBar3 back to 0; then BuildExpandedStructure. A list that cannot
// be read counts as empty and is reported. A damaged input stops the step before anything is
// written, an extract that cannot be written before the builder (report.stopped); after any
// other failure, which goes into the report, the step goes on.
// With BuildOutput::kMemory the built records stay in the report for the calculation.
BuildReport ExpandThisWeek(const std::string& app_path, common::StepHost& host,
                           BuildOutput output = BuildOutput::kFiles);

}  // namespace radadovur::engine
