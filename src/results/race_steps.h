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

// Called by a stage that works through every race at once (the runner files) between two
// races, so that the window repaints while it runs (the step host's Yield).
using BetweenRaces = std::function<void()>;
using AllRacesStage = std::function<void(const std::string& app_path, ResultsWindowState& state,
                                         common::StepFailures& failures, const BetweenRaces& between_races)>;

struct RaceStepHooks {
  // Before the race loop and the race table's load: every race's entries into its runner file.
  AllRacesStage PutEntries;
  // Before the race loop, after the race table's load: every runner's runs into its runner record.
  AllRacesStage CopyRuns;
  // Per race, first: runner figures and reliability marks, ranking and the runner files of the
  // ticket folder, then the pairs (scores, sorting, the pair sort file).
  PassStage RunnerFiguresAndPairs;
  // Per race, after its progress text: the bet lists and the remaining sort files.
  PassStage BetListsAndSortFiles;
  // Per race, after its writers, with the results final: the day's rates and its two rate tables.
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
  // For a race that gets nothing written: removes the files of that race alone that the writers
  // wrote in an earlier pass (the files of a meeting day leave the race out by themselves).
  virtual common::Status RemoveRaceFiles(const std::string& /*app_path*/, std::string_view /*race_key*/,
                                         ResultsWindowState& /*state*/) {
    return {};
  }
};

// The writers in their calling order, with the documents or files they write as the failure
// list names them.
struct RaceWriterCall {
  std::string_view name;
  std::string_view written;
  common::Status (RaceWriters::*write)(const std::string&, ResultsWindowState&);
};
inline constexpr std::array<RaceWriterCall, 11> kRaceWriterOrder = {{
    {"WriteShutsubahyoDocument", "出馬表（SHUTSUBAHYO）", &RaceWriters::WriteShutsubahyoDocument},
    {"WriteLupDocuments", "予想結果文書（TEKICHU …lup.txt）", &RaceWriters::WriteLupDocuments},
    {"WritePcDocuments", "フォーメーション文書（TEKICHU …lupPC.txt）", &RaceWriters::WritePcDocuments},
    {"WriteTwiDocument", "的中速報（TEKICHU …twi.txt）", &RaceWriters::WriteTwiDocument},
    {"WriteTanfukuCsv", "単複CSV（TANFUKU）", &RaceWriters::WriteTanfukuCsv},
    {"WriteTanfuku2Csv", "単複CSV（TANFUKU2）", &RaceWriters::WriteTanfuku2Csv},
    {"WriteTanshoCsv", "単勝買い目CSV（TANSHO）", &RaceWriters::WriteTanshoCsv},
    {"WriteYosouPage", "予想ページ（furlong_gate_yosou）", &RaceWriters::WriteYosouPage},
    {"WriteWpBlocks", "ブロックエディタ用ページ（furlong_gate_wp）", &RaceWriters::WriteWpBlocks},
    {"WritePdfPage", "印刷用ページ（furlong_gate_wp …_pdf.txt）", &RaceWriters::WritePdfPage},
    {"WriteSokudoDayCsv", "速度ファイル（SOKUDO）", &RaceWriters::WriteSokudoDayCsv},
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
