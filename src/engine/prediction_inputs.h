#pragma once
#include <string>

#include "common/status.h"

// The shared files step ⑤ reads, checked before the step writes anything: the week's horse,
// jockey and race files and the package's statistics files and jockey master.
namespace radadovur::engine {

// One failure per file that exists but cannot be read (a folder, a FIFO or a device in its
// place, no permission) or is not whole records of its layout, naming the file. A missing file
// passes: it holds no records.
common::StepFailures CheckPredictionInputs(const std::string& app_path);

}  // namespace radadovur::engine
