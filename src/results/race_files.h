#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/code_table.h"

// The files of one race that the results pass writes in its own folders: the runner file, the
// ticket-folder files (the figures, the rankings and the four ticket sort files) and the six bet
// lists. The odds matrices of the ticket folder are not the pass's and are not among them.
namespace radadovur::results {

// Removes every one of them that is there, for a race that gets nothing written: a file of an
// earlier pass would go on showing the race as it was then. A missing file is no failure.
void RemoveRaceFiles(const std::string& app_path, std::string_view race_key, const CodeTable& table,
                     common::StepFailures& failures);

}  // namespace radadovur::results
