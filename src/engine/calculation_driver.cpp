#include "engine/calculation_driver.h"

#include "common/convert.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "engine/coder_support.h"
#include "engine/factor_coders.h"
#include "engine/layout_ex.h"
#include "engine/observed_speeds.h"
#include "engine/predicted_speeds.h"
#include "engine/week_files.h"

namespace radadovur::engine {
namespace {

using common::ProgressSlot;
using common::Status;

constexpr int64_t kFirstCodedDate = 20110101;

// The same failure with `prefix` before its text.
common::Status Prefixed(const common::Status& status, const std::string& prefix) {
  return status.WithDetail(prefix + status.ToString());
}

std::string RunPrefix(int run) { return "過去走 " + std::to_string(run) + ": "; }

bool AtTenVenues(const ExRecord& run) {
  const std::string_view venue = run.Text(ex::VenueCode);
  return venue >= "01" && venue <= "10";
}

// The observed speeds and the 30 factor codes of a run that is not coded: spaces.
void BlankCodes(ExRecord& run) {
  for (uint32_t k = ex::kObservedAgariCode; k <= ex::kObservedSohaCode; ++k) run.SetText(ex::SpeedCodes, "", k);
  for (int item = 1; item <= ex::kFactorItems; ++item) run.SetFactorCode(item, "");
}

using ObservedSpeed = std::optional<std::string> (*)(const ExRecord&, std::string*);

common::Status CodeRun(std::vector<ExRecord>& runs, CoderContext& context) {
  ExRecord& run = runs[static_cast<size_t>(context.current - 1)];
  static constexpr std::pair<ObservedSpeed, const char*> kObserved[] = {
      {ObservedAgariSpeed, "上がり3Fの実速度"},
      {ObservedPaceSpeed, "ペースの実速度"},
      {ObservedSohaSpeed, "走破の実速度"}};
  for (uint32_t k = 0; k < 3; ++k) {
    std::string error;
    const auto code = kObserved[k].first(run, &error);
    if (!code) return CoderFailure(context, context.current, kObserved[k].second, error);
    run.SetText(ex::SpeedCodes, *code, ex::kObservedAgariCode + k);
  }
  const auto& coders = FactorCoders();
  for (int item = 1; item <= ex::kFactorItems; ++item) {
    std::string code;
    const common::Status status = coders[static_cast<size_t>(item)](context, code);
    if (!status.ok()) return Prefixed(status, "因子 " + std::to_string(item) + ": ");
    run.SetFactorCode(item, code);
  }
  return common::Status::OK();
}

// Pass 1: the last four runs.
common::Status CodeRuns(std::vector<ExRecord>& runs, CoderContext& context, common::StepHost& host) {
  const int n = static_cast<int>(runs.size());
  for (int current = n <= 3 ? 1 : n - 3; current <= n; ++current) {
    context.current = current;
    ExRecord& run = runs[static_cast<size_t>(current - 1)];
    std::string date(run.Text(ex::Year));
    date += run.Text(ex::MonthDay);
    int64_t date_number = 0;
    RADADOVUR_RETURN_IF_ERROR(WholeNumberOfText(context, current, "レース日付", date, date_number));
    if (date_number < kFirstCodedDate) {
      BlankCodes(run);
      continue;
    }
    const std::string_view track = run.Text(ex::TrackCode);
    if (!AtTenVenues(run) || track < "10" || track > "59") {
      BlankCodes(run);
    } else {
      RADADOVUR_RETURN_IF_ERROR(CodeRun(runs, context));
    }
    host.SetProgress(common::ProgressSlot::kPredictProgressBar4, current * 100 / n);
  }
  return common::Status::OK();
}

// Pass 2: every run's category indices in its surface's model.
common::Status IndexRuns(std::vector<ExRecord>& runs, WorkingModels& models) {
  for (size_t k = 0; k < runs.size(); ++k) {
    ExRecord& run = runs[k];
    const auto surface = SurfaceOfTrackCode(run.Text(ex::TrackCode));
    if (!AtTenVenues(run) || !surface) {
      for (uint32_t i = 1; i <= ex::kFactorItems; ++i) run.SetText(ex::FactorCategoryIndex, "", i);
      continue;
    }
    const SurfaceModel* model = nullptr;
    const common::Status status = models.Get(*surface, model);
    if (!status.ok()) return Prefixed(status, RunPrefix(static_cast<int>(k + 1)));
    const auto block = std::string_view(run.bytes()).substr(ex::FactorCode1.offset, ex::kFactorBlockWidth);
    const auto indices = CategoryIndices(*model, FactorCodesOf(block));
    for (uint32_t i = 1; i <= ex::kFactorItems; ++i) run.SetText(ex::FactorCategoryIndex, std::to_string(indices[i]), i);
  }
  return common::Status::OK();
}

// Pass 3: every run's predicted speeds.
common::Status PredictRuns(std::vector<ExRecord>& runs, WorkingModels& models) {
  for (size_t k = 0; k < runs.size(); ++k) {
    ExRecord& run = runs[k];
    const auto surface = SurfaceOfTrackCode(run.Text(ex::TrackCode));
    if (!AtTenVenues(run) || !surface) {
      for (uint32_t e = ex::kSampleCounts; e < ex::kSampleCounts + 5; ++e) run.SetText(ex::SpeedCodes, "", e);
      for (uint32_t i = 1; i <= ex::kFactorItems; ++i) {
        run.SetReal(ex::AgariFW, i, 0.0f);
        run.SetReal(ex::PaceFW, i, 0.0f);
        run.SetReal(ex::SohaFW, i, 0.0f);
      }
      continue;
    }
    const SurfaceModel* model = nullptr;
    common::Status status = models.Get(*surface, model);
    if (status.ok()) status = PredictSpeeds(run, *model);
    if (!status.ok()) return Prefixed(status, RunPrefix(static_cast<int>(k + 1)));
  }
  return common::Status::OK();
}

}  // namespace

common::Status WorkingModels::Get(ModelSurface surface, const SurfaceModel*& model) {
  Slot& slot = slots_[static_cast<int>(surface)];
  if (!slot.tried) {
    slot.tried = true;
    std::string error;
    if (LoadSurfaceModel(app_path_, surface, kModelAll, slot.model, &error)) {
      FillItemOneGaps(slot.model);
    } else {
      slot.status = common::Status::Corruption(std::string(SurfaceName(surface)), error);
    }
  }
  model = &slot.model;
  return slot.status;
}

common::Status CodeLastRuns(std::vector<ExRecord>& runs, const ReferenceModel& reference, StatsLookup& stats,
                            common::StepHost& host) {
  if (runs.empty()) return common::Status::OK();
  CoderContext context{runs, 0, stats, reference};
  return CodeRuns(runs, context, host);
}

common::Status CalculateHorse(std::vector<ExRecord>& runs, const ReferenceModel& reference, StatsLookup& stats,
                      WorkingModels& models, common::StepHost& host) {
  if (runs.empty()) return common::Status::OK();
  RADADOVUR_RETURN_IF_ERROR(CodeLastRuns(runs, reference, stats, host));
  host.Yield();
  RADADOVUR_RETURN_IF_ERROR(IndexRuns(runs, models));
  host.Yield();
  return PredictRuns(runs, models);
}

namespace {

// One horse of the calculation from its expanded records `bytes` (as its file holds them): the
// runs calculated and the file written once, with whatever was complete on a failure. A horse
// without a whole record has nothing to do and its file is left as it is.
common::Status CalculateAndWrite(const std::string& path, const std::string& bytes, const ReferenceModel& reference,
                                 StatsLookup& stats, WorkingModels& models, common::StepHost& host) {
  if (bytes.size() < ex::kLength) return common::Status::OK();
  const size_t n = bytes.size() / ex::kLength;
  std::vector<ExRecord> runs;
  runs.reserve(n);
  for (size_t r = 0; r < n; ++r)
    runs.push_back(*ExRecord::FromBytes(std::string_view(bytes).substr(r * ex::kLength, ex::kLength)));
  common::Status status = CalculateHorse(runs, reference, stats, models, host);
  // Whatever was complete is kept, also when the horse failed part way.
  std::string out;
  out.reserve(bytes.size());
  for (const ExRecord& run : runs) out += run.bytes();
  out.append(bytes, n * ex::kLength, std::string::npos);
  if (const common::Status write = ReplaceFile(path, out); !write.ok())
    status = status.ok() ? write : Prefixed(status, write.ToString() + "; ");
  return status;
}

// The walk over the horses, the records of each from `records_of`.
template <typename RecordsOf>
CalculationReport CalculateHorses(const std::string& app_path, const std::vector<std::string>& horse_ids,
                                  RecordsOf records_of, const ReferenceModel& reference, StatsLookup& stats,
                                  common::StepHost& host) {
  CalculationReport report;
  WorkingModels models(app_path);
  // Nothing rewrites the statistics extracts while the horses are calculated.
  const StatsLookupHold hold(stats);
  const int64_t count = static_cast<int64_t>(horse_ids.size());
  std::string bytes;
  for (int64_t k = 1; k <= count; ++k) {
    // Stopped between two horses: every file written so far is whole, the rest stay as they were.
    if (host.CancelRequested()) {
      report.failures.stopped = true;
      break;
    }
    const std::string& id = horse_ids[static_cast<size_t>(k - 1)];
    std::string name;
    common::Status status = UmagotoExFileName(id, name);
    const std::string path = app_path + name;
    if (status.ok()) status = records_of(id, path, bytes);
    if (status.ok()) status = CalculateAndWrite(path, bytes, reference, stats, models, host);
    ++report.horses;
    if (!status.ok()) {
      report.failed_horses.push_back(id);
      report.failures.Add(Prefixed(status, common::Shown(id) + ": "));
    }
    host.Yield();
    host.SetProgress(common::ProgressSlot::kPredictProgressBar3, k * 100 / count);
  }
  return report;
}

}  // namespace

CalculationReport RunCalculation(const std::string& app_path, const std::vector<std::string>& horse_ids,
                                 const ReferenceModel& reference, StatsLookup& stats, common::StepHost& host) {
  auto read = [](const std::string&, const std::string& path, std::string& bytes) {
    return ReadRecordFileBytes(path, ex::kLength, bytes);  // a horse without a file has nothing to do
  };
  return CalculateHorses(app_path, horse_ids, read, reference, stats, host);
}

CalculationReport RunCalculation(const std::string& app_path, const std::vector<std::string>& horse_ids,
                                 std::unordered_map<std::string, std::string>& built, const ReferenceModel& reference,
                                 StatsLookup& stats, common::StepHost& host) {
  auto take = [&built](const std::string& id, const std::string&, std::string& bytes) {
    bytes.clear();
    if (auto it = built.find(id); it != built.end()) {
      bytes = std::move(it->second);
      built.erase(it);
    }
    return common::Status::OK();
  };
  return CalculateHorses(app_path, horse_ids, take, reference, stats, host);
}

}  // namespace radadovur::engine
