#pragma once
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/status.h"

// What step ⑤'s first half leaves for the step to say at its end: the week's horses, the horses
// whose expanded-record file stays empty because something failed for them, and the horses whose
// last record the stale rule dropped.
namespace radadovur::engine {

// Where the builder puts a horse's expanded records: into its file, or into BuildReport::built
// for the calculation, which then writes each file once.
enum class BuildOutput { kFiles, kMemory };

struct BuildReport {
  // HorseIdList: the KettoNums of "KETTONUMTHISWEEKN.dat" in file order.
  std::vector<std::string> horses;
  // Horses whose expanded-record file is left empty by a failure, in list order, each once.
  std::vector<std::string> failed_horses;
  // Horses whose last record (this week's entry) was older than the run before it and was
  // dropped: later steps would rank such a horse by a past run.
  std::vector<std::string> stale_dropped;
  // When the builder keeps its records in memory: the expanded records of every horse built with
  // at least one record, by KettoNum, for the calculation to write; the files stay emptied.
  std::unordered_map<std::string, std::string> built;
  // The step stops before the calculation: a shared input is damaged or an extract could not
  // be written, and nothing of this week's can be calculated.
  bool stopped = false;
  // Every failure with its reason, in the order met.
  common::StepFailures failures;

  // A failure of no single horse (a list or a shared table that could not be read): the week's
  // run is not whole even when the step goes on.
  bool failed_outside_horses = false;

  // Records a failure; with a horse, that horse is failed too.
  void Fail(common::Status why) {
    failed_outside_horses = failed_outside_horses || !why.ok();
    failures.Add(std::move(why));
  }
  void FailHorse(const std::string& id, common::Status why) {
    if (failed_.insert(id).second) failed_horses.push_back(id);
    failures.Add(std::move(why));
  }
  bool HasFailed(const std::string& id) const { return failed_.count(id) > 0; }

 private:
  std::unordered_set<std::string> failed_;
};

}  // namespace radadovur::engine
