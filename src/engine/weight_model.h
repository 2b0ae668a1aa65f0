#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/factor_items.h"

// The weight model of one surface: per factor item its categories (codes), their sample counts
// and their weights toward the last-600 m, pace and whole-race speeds, read from the text files
// of the model package; and how a run's factor codes find their categories.
namespace radadovur::engine {

inline constexpr int kMaxFactorCategories = 6000;

enum class ModelSurface { kTurf, kDirt, kHurdle };
inline constexpr std::array<ModelSurface, 3> kModelSurfaces = {ModelSurface::kTurf, ModelSurface::kDirt,
                                                               ModelSurface::kHurdle};

// "Siba", "Dirt", "Shog".
std::string_view SurfaceName(ModelSurface surface);

enum class ModelFile { kTotal, kCategory, kAgari, kPace, kSoha, kSamples };
// In the order they are read.
inline constexpr std::array<ModelFile, 6> kModelFiles = {ModelFile::kTotal, ModelFile::kCategory, ModelFile::kAgari,
                                                         ModelFile::kPace,  ModelFile::kSoha,     ModelFile::kSamples};

// The file's name below the program folder, e.g. "OPTION1N/QA1SibaTotalData201801N2024.dat".
// The hurdle model has only its whole-race weight file: its last-600 m and pace weights are
// read from that file too.
std::string ModelFileName(ModelSurface surface, ModelFile file);

// The surface and file of a model file's own name (without its folder), whatever its case.
std::optional<std::pair<ModelSurface, ModelFile>> ModelFileByName(std::string_view file_name);

// The surface of a run by its 2-character TrackCode, as the calculation driver chooses it:
// "10".."22" turf, "23".."29" dirt, "50".."59" hurdle, anything else none.
std::optional<ModelSurface> SurfaceOfTrackCode(std::string_view track_code);
// The surface by the TrackCode's numeric value, as the model reference sums choose it:
// 0..22 turf, 23..49 dirt, anything else hurdle.
ModelSurface ReferenceSurfaceOf(int64_t track_value);

struct SurfaceModel {
  // Per item 1..30 (index 0 unused); each vector has CategoryTotal(i) + 1 entries where that
  // part was loaded, category 0 holding an empty code, weight 0 and count 0.
  std::array<int, kFactorItems + 1> category_total{};
  std::array<std::vector<std::string>, kFactorItems + 1> category_code;
  std::array<std::vector<float>, kFactorItems + 1> agari_weight, pace_weight, soha_weight;
  std::array<std::vector<int32_t>, kFactorItems + 1> category_samples;

  // Out-of-range items or categories (and parts not loaded) read as empty / 0.
  std::string_view CategoryCode(int item, int category) const;
  float AgariWeight(int item, int category) const { return At(agari_weight, item, category); }
  float PaceWeight(int item, int category) const { return At(pace_weight, item, category); }
  float SohaWeight(int item, int category) const { return At(soha_weight, item, category); }
  int32_t CategorySamples(int item, int category) const { return At(category_samples, item, category); }

 private:
  template <typename T>
  static T At(const std::array<std::vector<T>, kFactorItems + 1>& table, int item, int category) {
    if (item < 1 || item > kFactorItems || category < 0) return T{};
    const auto& v = table[static_cast<size_t>(item)];
    return static_cast<size_t>(category) < v.size() ? v[static_cast<size_t>(category)] : T{};
  }
};

// What a caller needs of a model: the category counts and codes always; then the last-600 m
// and pace weights, the whole-race weights, the sample counts.
enum ModelParts : unsigned {
  kModelCategories = 0,
  kModelAgariPace = 1,
  kModelSoha = 2,
  kModelSamples = 4,
  kModelForIndexing = kModelCategories,
  kModelForReference = kModelAgariPace,
  kModelAll = kModelAgariPace | kModelSoha | kModelSamples,
};

// Reads the surface's model files below `app_path` (folder and file names found whatever their
// case), in the order TotalData, ItemCategory, Agari, Pace, Soha, ItemCategoryCount. Each file
// is checked line by line first (every line ends in CR LF, the last one too; no empty line, no
// control byte; a quoted value closes on its own line and only a comma follows it; a bare one
// holds no quote) and then read value by value (commas and line ends separate values; a quoted
// value is taken verbatim without its quotes, a bare one without blanks around it). A missing
// file, a damaged line, a count that is not digits, a weight that is not a decimal number, a
// category code longer than its item's factor code, a CategoryTotal outside 0..6000, and a
// file holding fewer or more values than its layout asks for fail the load with a message (in
// Japanese) naming the file and, where there is one, the line; `model` is then left untouched.
bool LoadSurfaceModel(const std::string& app_path, ModelSurface surface, unsigned parts, SurfaceModel& model,
                      std::string* error);

// Category of `key` in item i: the first code equal to the key (same length, same bytes); for
// item 2 when none is equal, the first code whose first five characters equal "6" followed by
// characters 2 to 5 of the key; otherwise 0.
int FindCategory(const SurfaceModel& model, int item, std::string_view key);

// The 30 factor codes at their full widths, cut from the 176-character factor-code block of an
// expanded record.
std::array<std::string_view, kFactorItems + 1> FactorCodesOf(std::string_view block);

// The category of each item's code (index 0 unused).
std::array<int, kFactorItems + 1> CategoryIndices(const SurfaceModel& model,
                                                  const std::array<std::string_view, kFactorItems + 1>& codes);

// The three surfaces as the prediction window loads them when it opens.
struct ReferenceModel {
  SurfaceModel turf, dirt, hurdle;
  const SurfaceModel& Of(ModelSurface surface) const;
};

// Loads turf, dirt and hurdle in that order, every file of each (so that a damaged package is
// refused before anything is calculated); on a failure `model` is left untouched and `error`
// names the file and line.
bool LoadReferenceModel(const std::string& app_path, ReferenceModel& model, std::string* error);

}  // namespace radadovur::engine
