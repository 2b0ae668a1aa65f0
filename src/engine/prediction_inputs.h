#pragma once
#include <string>

#include "common/status.h"

// The shared files step ⑤ reads, checked before the step writes anything: the week's horse,
// jockey and race files, the horse and dam lists, and the package's statistics files and jockey
// master.
namespace radadovur::engine {

// One failure per file that exists but cannot be read (a folder, a FIFO or a device in its
// place, no permission), is not whole records of its layout or holds a record whose key is not
// the digits its layout says, or (the lists) holds a damaged line, naming the file (and the
// record or line). A missing file passes: it holds no records.
common::StepFailures CheckPredictionInputs(const std::string& app_path);

}  // namespace radadovur::engine
