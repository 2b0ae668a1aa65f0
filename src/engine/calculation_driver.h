#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "common/status.h"
#include "common/step_host.h"
#include "engine/ex_record.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"

// The last stage of step ⑤: horse by horse, three passes over the horse's expanded records.
// Pass 1 codes the observed speeds and the 30 factor items of the last four runs, pass 2 finds
// every run's categories in its surface's model, pass 3 predicts every run's speeds.
namespace radadovur::engine {

// The weight models the driver predicts from: each surface read whole from the package's files
// at most once per calculation, when the first run on it needs it, with item 1's gaps filled.
class WorkingModels {
 public:
  explicit WorkingModels(std::string app_path) : app_path_(std::move(app_path)) {}
  // The surface's model, or the failure to read it (kept, so every horse on it reports it).
  common::Status Get(ModelSurface surface, const SurfaceModel*& model);

 private:
  struct Slot {
    bool tried = false;
    SurfaceModel model;
    common::Status status;
  };
  std::string app_path_;
  Slot slots_[3];
};

// Pass 1 alone: the observed speeds and the 30 factor codes of the horse's last four runs (a run
// that fails the date, venue or track filter gets blanks), in place. `host` receives ProgressBar4.
common::Status CodeLastRuns(std::vector<ExRecord>& runs, const ReferenceModel& reference, StatsLookup& stats,
                            common::StepHost& host);

// Codes, indexes and predicts the runs of one horse in place (runs[k - 1] is record k). On a
// failure the runs keep what was complete, the failing run the fields set before the failure,
// and the rest is left as it was. `host` receives ProgressBar4 and the yields after passes 1
// and 2.
common::Status CalculateHorse(std::vector<ExRecord>& runs, const ReferenceModel& reference, StatsLookup& stats,
                              WorkingModels& models, common::StepHost& host);

struct CalculationReport {
  int horses = 0;                         // horses walked
  std::vector<std::string> failed_horses;  // the KettoNums of the failed horses, in list order
  common::StepFailures failures;          // one per failed horse, naming it and the reason
};

// Runs the calculation over every horse of `horse_ids` (KettoNums, in list order), reading and
// rewriting "UMAGOTOEXTHISWEEKN/<id>EX.dat" below `app_path` (through a temporary file, never
// half written; bytes after the last whole record stay). The working models are read from the
// package at most once per call; `reference` is the model the prediction window loaded when it
// opened, read by the coders. A horse that fails is written with what was complete and named in
// the report; the run goes on with the next horse. A stop the user asks for ends the walk before
// the next horse (failures.stopped). ProgressBar3 shows Int(k × 100 / count) after horse k; the
// caller shows both bars from 0 beforehand.
CalculationReport RunCalculation(const std::string& app_path, const std::vector<std::string>& horse_ids,
                                 const ReferenceModel& reference, StatsLookup& stats, common::StepHost& host);

// The same over the records the builder kept in memory (BuildOutput::kMemory): `built` maps a
// KettoNum to its expanded records and is consumed; each horse's file is written once. A horse
// without records in `built` keeps its file as it is (emptied by the builder's step).
CalculationReport RunCalculation(const std::string& app_path, const std::vector<std::string>& horse_ids,
                                 std::unordered_map<std::string, std::string>& built, const ReferenceModel& reference,
                                 StatsLookup& stats, common::StepHost& host);

}  // namespace radadovur::engine
