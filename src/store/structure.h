#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "store/record_block.h"

// The passes of the structure processing over the raw record files of the download: each sorts
// one file, keeps one record per key and writes the store's files. A failing file is added to
// `failures`. A pass whose input cannot be read (missing, or not whole sound records) writes
// nothing; each returns whether all its outputs were written, so that the passes reading them
// can be stopped.
namespace radadovur::store {

// "RATHISWEEKNNEW.dat" and "RATHISWEEKNNEWd.dat": the race records, one per race.
bool BuildRaceFiles(const std::string& app_path, common::StepFailures& failures);

// Runner records of category "1" leave the store here, in "SETHISWEEKN.dat" itself; `kept`
// receives the others and points into `raw`. False when the file could not be read or rewritten.
bool DropCategoryOne(const std::string& app_path, RecordBlock& raw, std::vector<std::string_view>& kept,
                     common::StepFailures& failures);

// "SETHISWEEKNNEW.dat" and "SETHISWEEKNNEWd.dat" from the runner records: one per runner.
bool BuildEntryFiles(const std::string& app_path, const std::vector<std::string_view>& entries,
                     common::StepFailures& failures);

// The horse file, the horse list and the dam list; `horse_records` receives the number of horse
// records read. A KettoNum that is not ten digits (or a DamNum neither ten digits nor blank)
// names no horse: it is left out of its list and reported.
bool BuildHorseFiles(const std::string& app_path, int64_t& horse_records, common::StepFailures& failures);

}  // namespace radadovur::store
