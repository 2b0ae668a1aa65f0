#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/status.h"
#include "engine/ex_record.h"

// What every factor coder works on, and the shape of a coder. The horse's expanded-record file
// is held in memory: runs[k - 1] is record k (record 1 the oldest run). The driver stores each
// code into the current run before it calls the next coder, so a coder sees the codes already
// stored for the run.
namespace radadovur::engine {

class StatsLookup;
struct ReferenceModel;

struct CoderContext {
  const std::vector<ExRecord>& runs;
  int current = 0;                   // the record number n of the run being coded (1-based)
  StatsLookup& stats;                // the statistics files of the package folder
  const ReferenceModel& reference;   // the model the prediction window loaded when it opened

  const ExRecord& Run(int k) const { return runs[static_cast<size_t>(k - 1)]; }
  const ExRecord& Current() const { return Run(current); }
};

// A coder: sets `code` (unpadded; the driver pads and cuts it to the item's width) and returns
// OK, or returns the failure that ends coding this horse (the whole number of a blank or
// non-numeric text, an invalid date, ...), naming the field and the run.
using Coder = common::Status (*)(const CoderContext& context, std::string& code);

}  // namespace radadovur::engine
