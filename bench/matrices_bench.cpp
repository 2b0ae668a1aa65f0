// Odds matrix benchmark: builds the matrices of a demo folder's week (after `radadovur-cli odds
// DIR`) and compares the time with writing the same bytes to the same number of files.
// Usage: matrices_bench DIR [ROUNDS]   (DIR: a demo folder through startup, download, structure, odds)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "median.h"
#include "common/text_file.h"
#include "store/odds_matrix.h"

namespace {

using radadovur::bench::Median;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: matrices_bench DIR [ROUNDS]\n");
    return 2;
  }
  const std::string app_path = std::string(argv[1]) + "/";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string scratch = app_path + "bench-matrices/";
  std::filesystem::create_directories(scratch);

  std::vector<double> build_times, write_times;
  radadovur::store::OddsMatrixReport report;
  int64_t bytes = 0;
  for (int r = 0; r < rounds; ++r) {
    auto start = Clock::now();
    report = radadovur::store::BuildOddsMatrices(app_path, 0);
    build_times.push_back(Seconds(start));

    // The floor: the same files' bytes, already in memory, written the same way.
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& e : std::filesystem::directory_iterator(app_path + "KAIME"))
      if (e.path().filename().string().find("ODDS.dat") != std::string::npos)
        files.emplace_back(e.path().filename().string(), *radadovur::common::ReadWholeFile(e.path().string()));
    bytes = 0;
    start = Clock::now();
    for (const auto& [name, text] : files) {
      if (!radadovur::common::WriteFileAtomic(scratch + name, text).ok()) std::abort();  // a bench without its input measures nothing
      bytes += static_cast<int64_t>(text.size());
    }
    write_times.push_back(Seconds(start));
  }
  std::filesystem::remove_all(scratch);
  if (!report.failures.empty() || report.files_written == 0) {
    std::fprintf(stderr, "no matrices written (run `radadovur-cli odds DIR` first)\n");
    return 1;
  }
  const double build = Median(build_times), write = Median(write_times);
  std::printf("odds records %lld, matrix files %lld, %lld bytes\n", static_cast<long long>(report.records),
              static_cast<long long>(report.files_written), static_cast<long long>(bytes));
  std::printf("matrices %.3f s, writing the same bytes %.3f s, ratio %.2f (median of %d)\n", build, write,
              write > 0 ? build / write : 0.0, rounds);
  return 0;
}
