#include "engine/coder_support.h"
#include "engine/factor_items_11_20.h"
#include "engine/layout_ex.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"

// Items 13, 16, 19 and 20: figures of the sire and the trainer from the statistics files.
namespace radadovur::engine {
namespace {

using common::Status;

// The sire's record in STALLION.dat; nullopt for a sire number that names nothing or is not in
// the file (the item's fallback).
std::optional<std::string> SireRecord(const CoderContext& context) {
  const std::string_view sire = context.Current().Text(ex::SireNum);
  if (IsNullKey(sire)) return std::nullopt;
  return context.stats.Find(stats_files::kStallion, stallion_stats::kLength, stallion_stats::kKeyWidth, sire);
}

}  // namespace

common::Status CodeKishuArningFactor(const CoderContext& context, std::string& code) {
  code = "00";
  const auto record = SireRecord(context);
  if (!record) return common::Status::OK();
  const double x = ColumnValue(*record, Column(stallion_stats::B, 3));
  if (x == 0) return common::Status::OK();
  int64_t figure = 0;
  RADADOVUR_RETURN_IF_ERROR(LogFigureOf(context, context.current, "STALLION.dat B3", x, figure));
  code = NumberCode(figure);
  return common::Status::OK();
}

common::Status CodeTenkoBabaFactor(const CoderContext& context, std::string& code) {
  code = "10";
  const auto record = SireRecord(context);
  if (!record) return common::Status::OK();
  int64_t track = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, track));
  const ModelSurface band = ReferenceSurfaceOf(track);
  const ExRecord& run = context.Current();
  const std::string_view going = run.Text(band == ModelSurface::kDirt ? ex::DirtBabaCode : ex::TurfBabaCode);
  uint32_t g = 0;  // 0 for "0" and "1", then 1 .. 3 for "2" .. "4"
  if (going == "0" || going == "1") {
    g = 0;
  } else if (going == "2" || going == "3" || going == "4") {
    g = static_cast<uint32_t>(going[0] - '1');
  } else {
    return common::Status::OK();
  }
  // Columns C8 .. C11 for turf, C12 .. C15 for dirt, C16 .. C19 for the rest.
  const uint32_t first = band == ModelSurface::kTurf ? 8 : band == ModelSurface::kDirt ? 12 : 16;
  const double value = ColumnValue(*record, Column(stallion_stats::C, first + g));
  code = (g == 0 ? std::string("1") : std::string(going)) + NumberCode(RatioFigure(value));
  return common::Status::OK();
}

common::Status CodeTrainerFactor(const CoderContext& context, std::string& code) {
  code = "10";
  const std::string_view trainer = context.Current().Text(ex::TrainerCode);
  if (IsNullKey(trainer)) return common::Status::OK();
  const auto record =
      context.stats.Find(stats_files::kChokyoSeisei, seisei_stats::kLength, seisei_stats::kKeyWidth, trainer);
  if (!record) return common::Status::OK();
  int64_t track = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, track));
  const ModelSurface band = ReferenceSurfaceOf(track);
  const uint32_t column = band == ModelSurface::kTurf ? 5 : band == ModelSurface::kDirt ? 6 : 7;
  code = "1" + NumberCode(RatioFigure(ColumnValue(*record, Column(seisei_stats::A, column))));
  int64_t whole = 0;
  RADADOVUR_RETURN_IF_ERROR(WholeNumberOfText(context, context.current, "調教師コード " + code, code, whole));
  if (whole > 110) code = "110";
  return common::Status::OK();
}

common::Status CodeFatherArningFactor(const CoderContext& context, std::string& code) {
  code = "0";
  const auto record = SireRecord(context);
  if (!record) return common::Status::OK();
  int64_t track = 0;
  RADADOVUR_RETURN_IF_ERROR(TrackNumberOf(context, context.current, track));
  const bool flat = track >= 0 && track <= 29;
  const double divisor = ColumnValue(*record, Column(stallion_stats::A, flat ? 5 : 6));
  const double dividend = ColumnValue(*record, Column(stallion_stats::B, flat ? 1 : 2));
  if (divisor == 0) return common::Status::OK();
  const double ratio = dividend / divisor;
  if (ratio == 0) return common::Status::OK();
  int64_t figure = 0;
  RADADOVUR_RETURN_IF_ERROR(LogFigureOf(context, context.current, "父の1走あたりの賞金", ratio, figure));
  if (figure >= 1 && figure <= 24) figure = 25;
  if (figure > 46) figure = 46;
  code = NumberCode(figure);
  return common::Status::OK();
}

}  // namespace radadovur::engine
