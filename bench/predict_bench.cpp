// Prediction benchmark: step ⑤ (this week's extracts, the emptied expanded-record files, the
// builder, the calculation) on a demo week after ① ② ④, phase by phase, against reading and
// writing the same bytes; then the 30 coders one by one on the coded runs, to name the slowest.
// Usage: predict_bench DIR [ROUNDS]   (DIR from `radadovur-cli demo DIR --size large`)
#include <cstdlib>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/names.h"
#include "common/run_state.h"
#include "common/text_file.h"
#include "engine/calculation_driver.h"
#include "engine/coder_context.h"
#include "engine/day_before.h"
#include "engine/expand_week.h"
#include "engine/expanded_builder.h"
#include "engine/factor_coders.h"
#include "engine/stats_extract.h"
#include "engine/stats_lookup.h"
#include "engine/week_files.h"
#include "engine/weight_model.h"
#include "jvlink/replay_jv_link.h"
#include "steps/download.h"
#include "steps/structure.h"
#include "support/recording_host.h"
#include "support/data_names.h"

namespace {

namespace fs = std::filesystem;
namespace engine = radadovur::engine;
namespace common = radadovur::common;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A step host that counts nothing and shows nothing.
class QuietHost : public radadovur::testing::RecordingHost {
 public:
  void SetProgress(ProgressSlot, int64_t) override {}
  void Yield() override {}
};

struct Phases {
  double extracts = 0, emptying = 0, builder = 0, driver = 0;
  double Total() const { return extracts + emptying + builder + driver; }
};

// Step ⑤ as ExpandThisWeek and the window run it, each phase timed.
bool RunPredict(const std::string& app, const engine::ReferenceModel& reference, Phases& t) {
  QuietHost host;
  engine::BuildReport report;
  auto start = Clock::now();
  std::vector<std::string> dams;
  if (!engine::ReadIdList(app + std::string(common::names::kDamNumList), engine::IdList::kDams, dams).ok()) std::abort();  // a bench without its input measures nothing
  if (!engine::ReadIdList(app + std::string(common::names::kKettoNumList), engine::IdList::kHorses, report.horses).ok()) std::abort();  // a bench without its input measures nothing
  bool ok = engine::WriteDamExtract(app, dams).ok() && engine::WriteHorseExtract(app, report.horses).ok();
  t.extracts = Seconds(start);
  start = Clock::now();
  engine::EmptyExpandedFiles(app, report.horses, host, report);
  t.emptying = Seconds(start);
  start = Clock::now();
  engine::BuildExpandedStructure(app, report.horses, host, report, engine::BuildOutput::kMemory);
  t.builder = Seconds(start);
  start = Clock::now();
  engine::StatsLookup stats(app);
  const auto calculation = engine::RunCalculation(app, report.horses, report.built, reference, stats, host);
  t.driver = Seconds(start);
  for (const auto& f : report.failures.Texts()) std::fprintf(stderr, "build: %s\n", f.c_str());
  for (const auto& f : calculation.failures.Texts()) std::fprintf(stderr, "calculation: %s\n", f.c_str());
  return ok && report.failures.empty() && calculation.failures.empty();
}

// The files step ⑤ reads, and how many bytes it writes (the extracts, and every expanded-record
// file once: the builder keeps the records in memory for the calculation, which writes them).
struct Traffic {
  std::vector<std::string> read;
  size_t read_bytes = 0, written_bytes = 0, written_files = 0;
};

Traffic TrafficOf(const std::string& app) {
  Traffic t;
  auto add_read = [&](const std::string& path) {
    if (!fs::is_regular_file(path)) return;
    t.read.push_back(path);
    t.read_bytes += fs::file_size(path);
  };
  for (std::string_view name : {common::names::kDamNumList, common::names::kKettoNumList, common::names::kUmNew,
                                common::names::kKsThisWeek, common::names::kRaNew})
    add_read(app + std::string(name));
  for (const char* name : {"HAHAUMA.dat", "KYOSOBA.dat", "KS20200101NEW.dat", "HNSKOPTION1N.dat", "STALLION.dat",
                           "KISHUSEISEI.dat", "CHOKYOSEISEI.dat", "HAHAUMATHISWEEK.dat", "KYOSOBATHISWEEK.dat"})
    add_read(app + std::string(common::names::kOptionFolder) + "/" + name);
  for (const auto& e : fs::directory_iterator(app + std::string(common::names::kUmagotoFolder))) add_read(e.path().string());
  for (const auto& e : fs::directory_iterator(app + std::string(common::names::kUmagotoExFolder))) {
    t.written_bytes += fs::file_size(e.path());
    ++t.written_files;
  }
  for (const char* name : {"HAHAUMATHISWEEK.dat", "KYOSOBATHISWEEK.dat"}) {
    t.written_bytes += fs::file_size(app + std::string(common::names::kOptionFolder) + "/" + name);
    ++t.written_files;
  }
  return t;
}

// Reads the files and writes as many bytes into as many files, each through a temporary file.
double ReadAndWrite(const Traffic& t, const std::string& scratch) {
  const auto start = Clock::now();
  std::string all;
  for (const auto& path : t.read) all += common::ReadWholeFile(path).value_or("");
  fs::create_directories(scratch);
  const size_t per_file = t.written_bytes / std::max<size_t>(1, t.written_files);
  for (size_t f = 0; f < t.written_files; ++f)
    if (!common::WriteFileAtomic(scratch + "/" + std::to_string(f % 2000), all.substr((f * per_file) % (all.size() - per_file), per_file)).ok()) std::abort();  // a bench without its input measures nothing
  return Seconds(start);
}

// Every coder over the last four runs of every horse, item by item, on the records as the
// calculation left them.
std::array<double, engine::kCoderCount + 1> CoderSeconds(const std::string& app, const std::vector<std::string>& horses,
                                                         const engine::ReferenceModel& reference, size_t& runs_coded) {
  std::array<double, engine::kCoderCount + 1> seconds{};
  engine::StatsLookup stats(app);
  runs_coded = 0;
  for (const std::string& id : horses) {
    const std::string bytes = common::ReadWholeFile(app + ::radadovur::testing::NameOf(engine::UmagotoExFileName, id)).value_or("");
    std::vector<engine::ExRecord> runs;
    for (size_t at = 0; at + engine::ex::kLength <= bytes.size(); at += engine::ex::kLength)
      runs.push_back(*engine::ExRecord::FromBytes(std::string_view(bytes).substr(at, engine::ex::kLength)));
    const int n = static_cast<int>(runs.size());
    for (int k = std::max(1, n - 3); k <= n; ++k) {
      const std::string_view track = runs[static_cast<size_t>(k - 1)].Text(engine::ex::TrackCode);
      if (track < "10" || track > "59") continue;
      ++runs_coded;
      engine::CoderContext context{runs, k, stats, reference};
      for (int item = 1; item <= engine::kCoderCount; ++item) {
        std::string code;
        const auto start = Clock::now();
        (void)engine::FactorCoders()[static_cast<size_t>(item)](context, code);
        seconds[static_cast<size_t>(item)] += Seconds(start);
      }
    }
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: predict_bench DIR [ROUNDS]\n");
    return 2;
  }
  common::RunState state = common::RunStateFor(argv[1]);
  const std::string app = state.AppPath;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

  // ① ② ④ once.
  {
    QuietHost host;
    radadovur::jvlink::ReplayJvLink link(app + "JVDATA");
    auto failures = radadovur::steps::RunThisWeekDownload(state, link, host, std::chrono::milliseconds(0));
    if (failures.empty()) failures = radadovur::steps::RunStructureProcessing(state, host);
    if (!failures.empty()) {
      std::fprintf(stderr, "①/② failed: %s\n", failures.Texts().front().c_str());
      return 1;
    }
    common::StepFailures damaged;
    if (const auto status = engine::FixPreviousDay(app, host, damaged); !status.ok() || !damaged.empty()) {
      std::fprintf(stderr, "④ failed: %s\n",
                   status.ok() ? damaged.Texts().front().c_str() : status.ToString().c_str());
      return 1;
    }
  }
  auto start = Clock::now();
  engine::ReferenceModel reference;
  std::string error;
  if (!engine::LoadReferenceModel(app, reference, &error)) {
    std::fprintf(stderr, "model: %s\n", error.c_str());
    return 1;
  }
  const double model_load = Seconds(start);

  std::vector<Phases> times;
  for (int r = 0; r < rounds; ++r) {
    Phases t;
    if (!RunPredict(app, reference, t)) return 1;
    times.push_back(t);
  }
  std::sort(times.begin(), times.end(), [](const Phases& a, const Phases& b) { return a.Total() < b.Total(); });
  const Phases t = times[times.size() / 2];
  const Traffic traffic = TrafficOf(app);
  const double io = ReadAndWrite(traffic, app + "bench-scratch");
  fs::remove_all(app + "bench-scratch");

  std::vector<std::string> horses;
  if (!engine::ReadIdList(app + std::string(common::names::kKettoNumList), engine::IdList::kHorses, horses).ok()) std::abort();  // a bench without its input measures nothing
  size_t runs_coded = 0;
  const auto coders = CoderSeconds(app, horses, reference, runs_coded);
  double coder_total = 0;
  int slowest = 1;
  for (int i = 1; i <= engine::kCoderCount; ++i) {
    coder_total += coders[static_cast<size_t>(i)];
    if (coders[static_cast<size_t>(i)] > coders[static_cast<size_t>(slowest)]) slowest = i;
  }

  const double total = t.Total();
  std::printf("horses %zu, runs coded %zu; read %.1f MB in %zu files, written %.1f MB in %zu files\n", horses.size(),
              runs_coded, static_cast<double>(traffic.read_bytes) / 1e6, traffic.read.size(),
              static_cast<double>(traffic.written_bytes) / 1e6, traffic.written_files);
  std::printf("reference model load (when the window opens): %.3f s\n", model_load);
  std::printf("step 5: %.3f s (median of %d)%s\n", total, rounds, total < 2.0 ? "" : "  ** over the 2 s goal **");
  for (const auto& [name, s] : {std::pair<const char*, double>{"extracts", t.extracts}, {"emptying", t.emptying},
                                {"builder", t.builder}, {"calculation", t.driver}})
    std::printf("  %-12s %.3f s  %5.1f %%\n", name, s, 100 * s / total);
  std::printf("read+write the same bytes: %.3f s; ratio step 5 / read+write: %.2f\n", io, total / io);
  std::printf("coders alone: %.3f s over %zu runs; slowest item %d: %.3f s (%.1f %% of the coders)%s\n", coder_total,
              runs_coded, slowest, coders[static_cast<size_t>(slowest)],
              100 * coders[static_cast<size_t>(slowest)] / coder_total,
              coders[static_cast<size_t>(slowest)] > coder_total / 3 ? "  <- dominates" : "");
  return 0;
}
