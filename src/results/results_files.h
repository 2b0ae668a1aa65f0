#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "store/record_block.h"
#include "store/store_files.h"

// Files of the results pass, relative to the program folder.
namespace radadovur::results {

inline constexpr std::string_view kRaceIdFile = "SOKUDO/RACEID.txt";
inline constexpr std::string_view kRaceListFile = "RACETHISWEEKN.dat";
inline constexpr std::string_view kRaceDetailFile = "RACETHISWEEKNSYOSAI.dat";

// "<folder><RaceKey><suffix>", a file of one race. The key comes from records, so a key that is
// not 12 digits gives a failure naming it and no name: nothing may be opened under it.
common::Status RaceFileName(std::string_view folder, std::string_view race_key, std::string_view suffix,
                            std::string& name);

// A race's runner file "RACE/<RaceKey>.dat" and its ticket-folder file "KAIME/<RaceKey>.dat".
inline common::Status RaceRunnerFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("RACE/", race_key, ".dat", name);
}
inline common::Status KaimeFileName(std::string_view race_key, std::string& name) {
  return RaceFileName("KAIME/", race_key, ".dat", name);
}

inline constexpr size_t kRaceRunnerRecordLength = 24022;

// Every record of a store file; a file that is not there has none (the pass runs before the
// first download too), a damaged one fails whole.
common::Status ReadStoreRecords(const std::string& app_path, const store::StoreFile& file, store::RecordBlock& block);

// Rewrites a file of the program folder with `bytes`, through a temporary file renamed over it.
common::Status WriteWholeFile(const std::string& app_path, std::string_view name, std::string_view bytes);
// Makes a file of the program folder empty, creating it when missing. Nothing can be left half
// written, so the file is truncated in place (the pass empties thousands of them).
common::Status MakeEmptyFile(const std::string& app_path, std::string_view name);

}  // namespace radadovur::results
