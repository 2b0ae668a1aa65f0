// libFuzzer target: the weight model's files, the factor views made from them, the statistics
// files the coders look records up in (and the check of their keys), and step ②'s horse and dam
// lists as steps ④ and ⑤ read them, over arbitrary bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/data_name.h"
#include "engine/stats_extract.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/week_files.h"
#include "engine/weight_model.h"
#include "factors/factor_view.h"
#include "fuzz_folder.h"

using namespace radadovur;

namespace {

void Model(FuzzedDataProvider& in) {
  const std::string& folder = fuzz::EmptyFuzzFolder();
  const engine::ModelSurface surface = engine::kModelSurfaces[in.ConsumeIntegralInRange<size_t>(0, 2)];
  for (const engine::ModelFile file : engine::kModelFiles)
    fuzz::PutFile(engine::ModelFileName(surface, file), in.ConsumeRandomLengthString());
  engine::SurfaceModel model;
  std::string error;
  if (engine::LoadSurfaceModel(folder, surface, engine::kModelAll, model, &error)) {
    const factors::FactorView view = factors::ViewOf(surface, model);
    (void)view;
    const std::string key = in.ConsumeRandomLengthString(16);
    for (int item = 0; item <= engine::kFactorItems + 1; ++item) {
      const int category = engine::FindCategory(model, item, key);
      if (category < 0) __builtin_trap();
    }
    std::string block = in.ConsumeBytesAsString(176);
    block.resize(176, ' ');
    (void)engine::CategoryIndices(model, engine::FactorCodesOf(block));
  } else if (error.empty()) {
    __builtin_trap();  // a failed load names its file
  }
  factors::FactorView view;
  (void)factors::LoadFactorView(folder, surface, view);
}

void Stats(FuzzedDataProvider& in) {
  static constexpr std::string_view kNames[] = {
      engine::stats_files::kStallion, engine::stats_files::kHahauma, engine::stats_files::kKyosoba,
      engine::stats_files::kKishuSeisei, engine::stats_files::kHnsk};
  const std::string_view name = kNames[in.ConsumeIntegralInRange<size_t>(0, std::size(kNames) - 1)];
  const engine::StatsFileKind* kind = engine::StatsFileByName(name);
  if (kind == nullptr) __builtin_trap();
  const std::string key = in.ConsumeRandomLengthString(12);
  const std::string bytes = in.ConsumeRemainingBytesAsString();
  for (const size_t width : {size_t{5}, size_t{10}, size_t{kind->length + 1}}) {
    const std::string extract = engine::ExtractRecords(bytes, kind->length, width, {key, key});
    if (extract.size() % kind->length != 0) __builtin_trap();
  }
  const common::Status keys = engine::CheckStatsKeys("F", bytes, *kind);
  if (!keys.ok() && !keys.IsCorruption()) __builtin_trap();
  engine::StatsLookup lookup(fuzz::FuzzFolder());
  lookup.Provide(name, bytes);
  for (const size_t width : {size_t{5}, size_t{10}}) {
    const auto record = lookup.Find(name, kind->length, width, key);
    if (!record) continue;
    if (record->size() != kind->length) __builtin_trap();
    for (const jvdata::FieldSpec& spec : kind->fields) {
      const double value = engine::ColumnValue(*record, spec.field);
      (void)engine::RatioFigure(value);
      (void)engine::LogFigure(value);
    }
  }
}

// Every id taken from a list that passes is a KettoNum (or, in the dam list, ten blanks).
void IdLists(FuzzedDataProvider& in) {
  const std::string& folder = fuzz::EmptyFuzzFolder();
  const bool dams = in.ConsumeBool();
  fuzz::PutFile("LIST.dat", in.ConsumeRemainingBytesAsString());
  std::vector<std::string> ids;
  const common::Status status =
      engine::ReadIdList(folder + "LIST.dat", dams ? engine::IdList::kDams : engine::IdList::kHorses, ids);
  if (!status.ok() && !ids.empty()) __builtin_trap();
  for (const std::string& id : ids) {
    if (!common::IsDataName(common::DataName::kKettoNum, id) && !(dams && id == "          ")) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: Model(in); break;
    case 1: Stats(in); break;
    default: IdLists(in); break;
  }
  return 0;
}
