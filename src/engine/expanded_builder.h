#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/status.h"
#include "common/step_host.h"
#include "engine/build_report.h"
#include "engine/ex_record.h"

// The builder of the expanded records' copied block: for each horse of the week, one record per
// record of its entry file, joining to each run the horse's master record, the run's race record
// and the jockey's master record. Every lookup goes through a table built once per build; where
// several rows share a key the last one in file order wins, as a full scan would have it.
namespace radadovur::engine {

// The horse's place among its dam's foals in the package's "HNSKOPTION1N.dat": the dam's records
// stand together, the first of them is foal "01", and no more than 21 records are looked at from
// there (whatever their dam). "00" when the dam or the foal is not found.
class FoalOrderIndex {
 public:
  // `hnsk` is the file's bytes; whole records only.
  explicit FoalOrderIndex(std::string hnsk);
  std::string FoalOrder(std::string_view dam_num, std::string_view ketto_num) const;

 private:
  std::string bytes_;
  size_t count_ = 0;
  std::unordered_map<std::string_view, size_t> first_;  // DamNum -> its first record, from 0
};

// The rows a run is joined with: a horse master record (UM), a stored jockey master record (KS)
// and a race record (RA); empty views where no row was found, whose fields are then written as
// spaces. `foal_order` belongs with the horse.
struct RunJoin {
  std::string_view horse;
  std::string foal_order;
  std::string_view jockey;
  std::string_view race;
};

// The copied block of one run's expanded record, from a record of zero bytes: entry fields,
// the joined rows' fields, spaces where the record keeps none, the entry's CR LF at the end.
ExRecord AssembleExRecord(std::string_view entry, const RunJoin& join);

// The race key of the lookup: VenueCode, Year, MonthDay and RaceNum of a record's RaceId.
std::string VenueRaceKey(std::string_view record);

// Builds the expanded-record file of every horse of `horses` (each file already emptied) from
// "UMTHISWEEKNNEW.dat", "KSTHISWEEKN.dat" followed by the package's "KS20200101NEW.dat",
// "RATHISWEEKNNEW.dat", the package's "HNSKOPTION1N.dat" and the horses' entry files. Text3
// names each horse master record as it is loaded, ProgressBar3 follows the loading and then the
// horses. A horse already failed in `report`, or whose entry file cannot be read, whose
// CreatedDate is no whole number where the stale rule reads it, or whose file cannot be written,
// keeps an empty file and is added to `report`; the build goes on with the next horse. A table
// file that cannot be read fails every horse. Before each horse the host is asked whether the
// user stopped the step (report.failures.stopped). Yields once after the last horse. With
// BuildOutput::kMemory the records go into `report.built` instead and no file is written.
void BuildExpandedStructure(const std::string& app_path, const std::vector<std::string>& horses,
                            common::StepHost& host, BuildReport& report, BuildOutput output = BuildOutput::kFiles);

}  // namespace radadovur::engine
