// libFuzzer target: the odds matrices and the realtime results' patches of the runner files over
// arbitrary bytes: one odds record into each kind's matrix, whole odds text files through the
// matrix build, and realtime runner and win odds records onto a runner file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/data_name.h"
#include "common/names.h"
#include "jvdata/odds_entry.h"
#include "results/realtime_patch.h"
#include "results/runner_record.h"
#include "store/odds_matrix.h"
#include "fuzz_folder.h"

using namespace radadovur;

namespace {

void Matrices(FuzzedDataProvider& in) {
  const std::string record = in.ConsumeRandomLengthString();
  for (const store::OddsPass& pass : store::kOddsPasses) {
    store::OddsMatrix matrix(jvdata::odds::HorsesOf(*pass.family));
    if (store::FillOddsMatrix(pass, record, matrix) < 0) __builtin_trap();
    if (matrix.Text().size() < matrix.Lines() * 3) __builtin_trap();  // a value and CR LF on every line
    (void)store::OddsMatrixFileName(pass, record);
  }
  const std::string& folder = fuzz::EmptyFuzzFolder();
  const int source = in.ConsumeIntegralInRange<int>(0, 1);
  for (const store::OddsPass& pass : store::kOddsPasses)
    fuzz::PutFile(source == 0 ? pass.this_week_file : pass.realtime_file, in.ConsumeRandomLengthString());
  fuzz::PutFile("KAIME/.keep", "");
  (void)store::BuildOddsMatrices(folder, source);
}

void Patches(FuzzedDataProvider& in) {
  std::string runner = results::rr::EmptyRecord();
  const std::string entry = in.ConsumeRandomLengthString(600);
  results::PutRealtimeEntry(entry, runner);
  const std::string win = in.ConsumeRandomLengthString(1000);
  results::PutRealtimeWinOdds(win, in.ConsumeIntegralInRange<uint32_t>(0, 27), runner);
  if (runner.size() != results::rr::kLength) __builtin_trap();  // fixed-width fields only

  const std::string& folder = fuzz::EmptyFuzzFolder();
  const std::string key = in.ConsumeBytesAsString(12);
  const std::string runners = in.ConsumeRandomLengthString(3 * results::rr::kLength);
  if (common::IsDataName(common::DataName::kRaceKey, key)) fuzz::PutFile("RACE/" + key + ".dat", runners);
  fuzz::PutFile(common::names::kSeRealtime, in.ConsumeRandomLengthString());
  fuzz::PutFile(common::names::kO1Realtime, in.ConsumeRemainingBytesAsString());
  common::StepFailures failures;
  (void)results::PatchRunnerFilesFromRealtime(folder, failures);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool())
    Matrices(in);
  else
    Patches(in);
  return 0;
}
