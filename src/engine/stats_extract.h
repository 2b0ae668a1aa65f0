#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// This week's extracts of the package's dam and horse statistics ("HAHAUMATHISWEEK.dat",
// "KYOSOBATHISWEEK.dat"): the records whose key is one of this week's ids, in the source's order.
namespace radadovur::engine {

// The records of `source` (whole records only) whose first `key_width` characters equal one of
// `ids`, in source order; a record whose key is listed twice is written twice. One pass over the
// source with a table of the ids.
std::string ExtractRecords(std::string_view source, size_t record_length, size_t key_width,
                           const std::vector<std::string>& ids);

// Rewrites the extract `extract_name` in the package folder from `source_name` there. A missing
// source gives an empty extract. A source that cannot be read also leaves the extract empty (never
// last week's records) and is returned as the failure, as is an extract that cannot be written;
// such an extract is removed, so that its old records are never read as this week's.
common::Status WriteStatsExtract(const std::string& app_path, std::string_view source_name,
                                 std::string_view extract_name, size_t record_length, size_t key_width,
                                 const std::vector<std::string>& ids);

// The two extracts of step ⑤.
common::Status WriteDamExtract(const std::string& app_path, const std::vector<std::string>& dam_ids);
common::Status WriteHorseExtract(const std::string& app_path, const std::vector<std::string>& horse_ids);

}  // namespace radadovur::engine
