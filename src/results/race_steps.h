#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "results/results_window_state.h"

// What the results pass calls besides its own steps: the procedures of its later stages (runner
// files, runner figures, tickets, bet lists, rate tables) and the eleven per-race writers of the
// documents, the formation strategy and the exports. All work on the window state.
namespace radadovur::results {

// A stage of the pass: adds each item it could not do to `failures` and goes on. An empty
// function is a stage not built yet and is passed over.
using PassStage = std::function<void(const std::string& app_path, ResultsWindowState& state,
                                     common::StepFailures& failures)>;

// Called by a stage that works through every race at once (step 8) between two races, so that
// the window repaints while it runs (the step host's Yield).
using BetweenRaces = std::function<void()>;
using AllRacesStage = std::function<void(const std::string& app_path, ResultsWindowState& state,
                                         common::StepFailures& failures, const BetweenRaces& between_races)>;

struct RaceStepHooks {
  // Step 8, before the race table is loaded: every race's entries into its runner file.
  AllRacesStage PutEntries;
  // Step 8, after the race table is loaded: every runner's runs into its runner record.
  AllRacesStage CopyRuns;
  // Step 13, per race: runner figures and reliability marks, ranking and the runner files of the
  // ticket folder, then the pairs (scores, sorting, the pair sort file).
  PassStage RunnerFiguresAndPairs;
  // Step 15, per race: the bet lists and the remaining sort files.
  PassStage BetListsAndSortFiles;
  // Step 17, per race once the results are final: the day's rates and its two rate tables.
  PassStage RateTables;
};

// The per-race writers, called in this order. Each takes all it needs from the state and
// returns the failure at which it stopped.
class RaceWriters {
 public:
  virtual ~RaceWriters() = default;
  virtual common::Status WriteShutsubahyoDocument(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteLupDocuments(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WritePcDocuments(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteTwiDocument(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteTanfukuCsv(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteTanfuku2Csv(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteTanshoCsv(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteYosouPage(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteWpBlocks(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WritePdfPage(const std::string& app_path, ResultsWindowState& state) = 0;
  virtual common::Status WriteSokudoDayCsv(const std::string& app_path, ResultsWindowState& state) = 0;
};

// The writers in their calling order, with their names for the failure list.
struct RaceWriterCall {
  std::string_view name;
  common::Status (RaceWriters::*write)(const std::string&, ResultsWindowState&);
};
inline constexpr std::array<RaceWriterCall, 11> kRaceWriterOrder = {{
    {"WriteShutsubahyoDocument", &RaceWriters::WriteShutsubahyoDocument},
    {"WriteLupDocuments", &RaceWriters::WriteLupDocuments},
    {"WritePcDocuments", &RaceWriters::WritePcDocuments},
    {"WriteTwiDocument", &RaceWriters::WriteTwiDocument},
    {"WriteTanfukuCsv", &RaceWriters::WriteTanfukuCsv},
    {"WriteTanfuku2Csv", &RaceWriters::WriteTanfuku2Csv},
    {"WriteTanshoCsv", &RaceWriters::WriteTanshoCsv},
    {"WriteYosouPage", &RaceWriters::WriteYosouPage},
    {"WriteWpBlocks", &RaceWriters::WriteWpBlocks},
    {"WritePdfPage", &RaceWriters::WritePdfPage},
    {"WriteSokudoDayCsv", &RaceWriters::WriteSokudoDayCsv},
}};

// Writers whose subsystems are not there yet: each writes nothing.
class NoRaceWriters final : public RaceWriters {
 public:
  common::Status WriteShutsubahyoDocument(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteLupDocuments(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WritePcDocuments(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTwiDocument(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTanfukuCsv(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTanfuku2Csv(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteTanshoCsv(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteYosouPage(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteWpBlocks(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WritePdfPage(const std::string&, ResultsWindowState&) override { return {}; }
  common::Status WriteSokudoDayCsv(const std::string&, ResultsWindowState&) override { return {}; }
};

}  // namespace radadovur::results
