// Results pass benchmark: runs the whole results pass (step ⑥) on a demo folder and compares the
// time with writing the same bytes to the same number of files.
// Usage: results_bench DIR [ROUNDS] [--writers]
//   (DIR: a demo folder through startup, download, structure, daybefore and predict)
//
// The pass runs with its own stages (runner files, runner figures and ranking, tickets, bet lists,
// rate tables); the eleven writers of later subsystems write nothing, or with --writers the
// documents, formation documents, exports and web pages as step ⑥ plugs them in.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "median.h"
#include "common/run_state.h"
#include "common/text_file.h"
#include "results/results_pass.h"
#include "results/runner_hooks.h"
#include "results/ticket_stages.h"
#include "steps/results.h"
#include "support/recording_host.h"

namespace {

using radadovur::bench::Median;

namespace fs = std::filesystem;
namespace results = radadovur::results;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// User-mode CPU seconds of the process so far: the program's own work, without the file system's.
double UserSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec) + static_cast<double>(usage.ru_utime.tv_usec) / 1e6;
}

struct Written {
  std::vector<std::pair<std::string, std::string>> files;  // name below the program folder, bytes
  int64_t bytes = 0;
};

// Every file below the program folder written since `since` (the recordings and package excluded).
Written WrittenSince(const std::string& app_path, fs::file_time_type since) {
  Written written;
  for (const auto& e : fs::recursive_directory_iterator(app_path)) {
    if (!e.is_regular_file() || e.last_write_time() < since) continue;
    const std::string name = fs::relative(e.path(), app_path).string();
    if (name.rfind("JVDATA", 0) == 0 || name.rfind("OPTION1N", 0) == 0 || name.rfind("bench-", 0) == 0) continue;
    auto bytes = radadovur::common::ReadWholeFile(e.path().string());
    if (!bytes) continue;
    written.bytes += static_cast<int64_t>(bytes->size());
    written.files.emplace_back(name, std::move(*bytes));
  }
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: results_bench DIR [ROUNDS]\n");
    return 2;
  }
  const std::string app_path = std::string(argv[1]) + "/";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const bool with_writers = argc > 3 && std::string(argv[3]) == "--writers";
  const std::string scratch = app_path + "bench-results/";

  // Each stage's share of the pass.
  double figures_and_pairs = 0, bet_lists = 0, rate_tables = 0;
  auto timed = [](double& total, results::PassStage stage) -> results::PassStage {
    return [&total, stage](const std::string& app, results::ResultsWindowState& s, radadovur::common::StepFailures& f) {
      const auto start = Clock::now();
      stage(app, s, f);
      total += Seconds(start);
    };
  };
  results::RaceStepHooks hooks = results::RunnerHooks();
  hooks.RunnerFiguresAndPairs = timed(figures_and_pairs, [](const std::string& app, results::ResultsWindowState& s,
                                                            radadovur::common::StepFailures& failures) {
    results::RunnerFiguresAndRanking(app, s, failures);
    results::PairTicketsStage(app, s, failures);
  });
  hooks.BetListsAndSortFiles = timed(bet_lists, results::BetListsAndSortFilesStage);
  hooks.RateTables = timed(rate_tables, results::RateTablesStage);

  std::vector<double> pass_times, write_times, user_times;
  Written written;
  int races = 0, final_results = 0;
  size_t failures = 0;
  for (int r = 0; r < rounds; ++r) {
    figures_and_pairs = bet_lists = rate_tables = 0;
    ::sync();  // the files of the run before on disk, as the floor's
    const auto since = fs::file_time_type::clock::now() - std::chrono::milliseconds(5);
    radadovur::testing::RecordingHost host;
    results::NoRaceWriters no_writers;
    radadovur::steps::ResultsPassParts parts = radadovur::steps::AssembleResultsPassParts();
    results::RaceWriters& writers = with_writers ? *parts.writers : static_cast<results::RaceWriters&>(no_writers);
    results::ResultsWindowState state;
    const double user_before = UserSeconds();
    auto start = Clock::now();
    const auto outcome = results::RunResultsPass(radadovur::common::RunStateFor(argv[1]), host, hooks, writers, state);
    pass_times.push_back(Seconds(start));
    user_times.push_back(UserSeconds() - user_before);
    races = state.RaceCount;
    final_results = state.ResultsFinal;
    failures = outcome.failures.items.size();
    if (r == 0 && failures > 0) std::fprintf(stderr, "first failure: %s\n", outcome.failures.Texts().front().c_str());

    // The floor: the same files' bytes, already in memory, written the same way over files that
    // exist (as the pass finds its files from the run before; replacing costs more than creating).
    written = WrittenSince(app_path, since);
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    auto write_all = [&] {
      int n = 0;
      for (const auto& [name, bytes] : written.files)
        if (!radadovur::common::WriteFileAtomic(scratch + std::to_string(n++) + ".out", bytes).ok()) std::abort();  // a bench without its input measures nothing
    };
    write_all();
    ::sync();
    start = Clock::now();
    write_all();
    write_times.push_back(Seconds(start));
  }
  fs::remove_all(scratch);

  const double pass = Median(pass_times), write = Median(write_times);
  std::printf("races %d (results final %d), failures %zu, writers %s\n", races, final_results, failures,
              with_writers ? "all" : "none");
  std::printf("last round: figures and pairs %.3f s, bet lists %.3f s, rate tables %.3f s, the rest %.3f s\n",
              figures_and_pairs, bet_lists, rate_tables, pass_times.back() - figures_and_pairs - bet_lists - rate_tables);
  std::printf("files written %zu, %lld bytes\n", written.files.size(), static_cast<long long>(written.bytes));
  std::printf("pass CPU in user mode %.3f s\n", Median(user_times));
  std::printf("pass %.3f s, writing the same bytes %.3f s, ratio %.2f (median of %d)\n", pass, write,
              write > 0 ? pass / write : 0.0, rounds);
  return 0;
}
