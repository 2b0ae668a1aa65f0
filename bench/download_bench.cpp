// Download benchmark: replays the week's recordings of a demo folder through step ① and compares
// the time with reading the same recording files alone (and copying their bytes to one file).
// Usage: download_bench DIR [ROUNDS]   (DIR from `radadovur-cli demo DIR --size large`)
#include <cstdlib>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/run_state.h"
#include "common/text_file.h"
#include "jvlink/replay_jv_link.h"
#include "steps/download.h"
#include "support/recording_host.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Reads every recording file and writes its bytes to one scratch file: the floor for a download
// that stores what it reads.
double CopyRecordings(const std::string& folder, const std::string& scratch, size_t& bytes, size_t& records) {
  const auto start = Clock::now();
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(folder)) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::string all;
  records = 0;
  for (const auto& f : files) {
    auto text = radadovur::common::ReadWholeFile(f.string());
    if (!text) continue;
    records += static_cast<size_t>(std::count(text->begin(), text->end(), '\n'));
    all += *text;
  }
  if (!radadovur::common::WriteFileAtomic(scratch, all).ok()) std::abort();  // a bench without its input measures nothing
  bytes = all.size();
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: download_bench DIR [ROUNDS]\n");
    return 2;
  }
  radadovur::common::RunState state = radadovur::common::RunStateFor(argv[1]);
  const std::string app_path = state.AppPath;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string recordings = app_path + "JVDATA/TOKURACETCVNRCVN";
  const std::string scratch = app_path + "bench-copy.tmp";

  std::vector<double> copy_times, download_times;
  size_t bytes = 0, records = 0;
  for (int r = 0; r < rounds; ++r) {
    copy_times.push_back(CopyRecordings(recordings, scratch, bytes, records));
    radadovur::testing::RecordingHost host;
    radadovur::jvlink::ReplayJvLink link(app_path + "JVDATA");
    const auto start = Clock::now();
    const auto failures = radadovur::steps::RunThisWeekDownload(state, link, host, std::chrono::milliseconds(0));
    download_times.push_back(Seconds(start));
    for (const auto& message : host.Messages()) std::fprintf(stderr, "message: %s\n", message.c_str());
    if (!failures.empty()) {
      std::fprintf(stderr, "download failed: %s\n", failures.Texts().front().c_str());
      return 1;
    }
  }
  std::filesystem::remove(scratch);
  std::sort(copy_times.begin(), copy_times.end());
  std::sort(download_times.begin(), download_times.end());
  const double copy = copy_times[copy_times.size() / 2];
  const double download = download_times[download_times.size() / 2];
  std::printf("recordings: %zu records, %.1f MB\n", records, static_cast<double>(bytes) / 1e6);
  std::printf("read+copy recordings: %.3f s (median of %d)\n", copy, rounds);
  std::printf("download step:        %.3f s (median of %d), %.0f records/s\n", download, rounds,
              static_cast<double>(records) / download);
  std::printf("ratio download / copy: %.2f\n", download / copy);
  return 0;
}
