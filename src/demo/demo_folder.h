#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_world.h"

// The demo program folder: the JV-Link recordings of one generated week (under "JVDATA"), the
// code table and the model package (weight model and statistics files). The same options give the
// same bytes.
namespace radadovur::demo {

struct DemoSummary {
  int race_days = 0, races = 0, runners = 0, horses = 0, jockeys = 0;
  int past_races = 0, past_runs = 0, corrections = 0;
  std::map<std::string, int> records;  // delivered records of "TOKURACETCVNRCVN" per type
  std::map<std::string, int> odds_records;  // of "TOKURACETCOVRCOV"
  int files = 0;
  int64_t bytes = 0;
  std::string Text() const;  // a few lines for the command line
};

// The recording folder and its four dataspec folders, below the program folder.
inline constexpr const char* kRecordingFolder = "JVDATA";
inline constexpr const char* kWeekDataspec = "TOKURACETCVNRCVN";
inline constexpr const char* kOddsDataspec = "TOKURACETCOVRCOV";
inline constexpr const char* kRealtimeOdds = "0B30";
inline constexpr const char* kRealtimeResults = "0B12";

// Every file of the demo folder for the world, and the summary.
std::vector<DemoFile> BuildDemoFiles(const World& world, DemoSummary* summary);

// Writes the folder `dir` when it is missing, empty or an earlier demo's (demo/demo_marker.h),
// and refuses any other: every file goes through a temporary file, the model files get a fixed
// date, and the recordings an earlier demo wrote that this week does not are removed; nothing
// else in the folder is touched. A later week (`options.week` > 1) needs the demo folder of the
// week before it and leaves its code table and model package as they are.
bool WriteDemoFolder(const std::string& dir, const WeekOptions& options, DemoSummary* summary, std::string* error);

}  // namespace radadovur::demo
