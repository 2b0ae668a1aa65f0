#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "common/step_host.h"

// The per-horse entry files "UMAGOTOTHISWEEKN/<KettoNum>.dat": each horse's runs, past runs and
// this week's entry, rebuilt from "SETHISWEEKNNEW.dat" for every horse of "KETTONUMTHISWEEKN.dat".
namespace radadovur::store {

// One horse's runs while its entry file is built, in file order.
class HorseRuns {
 public:
  // Merges a runner record by HorseRunKey: it replaces the stored version of the same run when
  // its CreatedDate is not older; a version older than the stored one is dropped (the run would
  // otherwise stand twice); a run not yet stored is appended.
  void Merge(std::string_view record);

  size_t size() const { return runs_.size(); }
  std::string_view Record(size_t i) const { return runs_[i].record; }
  // The entry file's bytes: the records back to back.
  std::string Bytes() const;

 private:
  struct Run {
    std::string_view record;
    std::string run;  // HorseRunKey characters 9..30: which run of which horse
    double created;   // its CreatedDate as a number
  };
  std::vector<Run> runs_;
};

// Re-creates the entry file of every KettoNum of "KETTONUMTHISWEEKN.dat" (a horse without
// runner records gets an empty file) and fills it from "SETHISWEEKNNEW.dat" in that file's
// order. Runners of horses not in the list go into no file. Each file is written once, through a
// temporary file; the window yields once per horse. Failures are added to `failures`.
void RebuildUmagotoFiles(const std::string& app_path, common::StepHost& host, common::StepFailures& failures);

}  // namespace radadovur::store
