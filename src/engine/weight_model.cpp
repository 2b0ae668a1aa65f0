#include "engine/weight_model.h"

#include <charconv>

#include "common/convert.h"
#include "common/line_items.h"
#include "common/names.h"
#include "common/text_file.h"
#include "common/package_path.h"

namespace radadovur::engine {
namespace {

// One model file, checked line by line as it is opened (line ends, quotes, no control byte,
// no empty line; see common::ForEachLine) and then read value by value; every value knows its
// line, so a failure names the file and the line.
class ValueFile {
 public:
  ValueFile(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {}

  bool Open(std::string* error) {
    const common::Status status = common::ForEachLine(
        name_, text_, common::LineRules{},
        [&](const common::TextLine& line, const std::vector<std::string_view>& items, const std::vector<bool>&) {
          for (std::string_view item : items) values_.push_back({item, line.number});
          return common::Status::OK();
        });
    if (status.ok()) return true;
    if (error) *error = status.ToString();
    return false;
  }

  bool Text(std::string& value, std::string* error) {
    if (read_ < values_.size()) {
      value.assign(values_[read_++].text);
      return true;
    }
    return FailFile("値が " + std::to_string(values_.size()) + " 個しかありません（もっと必要です）", error);
  }
  // A category code no wider than the factor code it is compared with: a longer one can never
  // be found and is a damaged line.
  bool Code(int item, std::string& value, std::string* error) {
    if (!Text(value, error)) return false;
    if (value.size() > static_cast<size_t>(FactorCodeWidth(item)))
      return Fail("項目 " + std::to_string(item) + " のコード「" + common::Shown(value) + "」が " +
                      std::to_string(FactorCodeWidth(item)) + " 文字より長くなっています",
                  error);
    return true;
  }
  // An optional sign and digits.
  bool Whole(int64_t& value, std::string* error) {
    std::string text;
    if (!Text(text, error)) return false;
    std::string_view t = text;
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || end != t.data() + t.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
      return Fail("値「" + common::Shown(text) + "」が整数ではありません", error);
    if (ec != std::errc()) return Fail("値「" + common::Shown(text) + "」が大きすぎます", error);
    return true;
  }
  // A decimal number straight to single precision, correctly rounded.
  bool Single(float& value, std::string* error) {
    std::string text;
    if (!Text(text, error)) return false;
    std::string_view t = text;
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (!common::IsDecimalNumber(text)) return Fail("値「" + common::Shown(text) + "」が数値ではありません", error);
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size())
      return Fail("値「" + common::Shown(text) + "」が単精度の範囲を超えています", error);
    return true;
  }
  // Every value read: a file holding more than its layout asks for has values out of place.
  bool Finish(std::string* error) const {
    if (read_ == values_.size()) return true;
    return FailFile("値が " + std::to_string(values_.size()) + " 個あります（" + std::to_string(read_) +
                        " 個のはずです。" + std::to_string(values_[read_].line) + " 行目から余分です）",
                    error);
  }
  // A failure of the value just read, at its line.
  bool Fail(const std::string& what, std::string* error) const {
    const size_t line = read_ == 0 ? 0 : values_[read_ - 1].line;
    if (error) *error = common::LineFailure(name_, line, what).ToString();
    return false;
  }

 private:
  bool FailFile(const std::string& what, std::string* error) const {
    if (error) *error = name_ + ": " + what;
    return false;
  }
  struct Value {
    std::string_view text;  // into text_
    size_t line;
  };
  std::string name_;
  std::string text_;
  std::vector<Value> values_;
  size_t read_ = 0;
};

bool OpenValues(const std::string& app_path, ModelSurface surface, ModelFile file, std::optional<ValueFile>& out,
                std::string* error) {
  const std::string path = common::ResolvePackagePath(app_path, ModelFileName(surface, file));
  auto text = common::ReadWholeFile(path);
  if (!text) {
    if (error) *error = common::Shown(path) + ": ファイルがないか、読めません";
    return false;
  }
  out.emplace(path, std::move(*text));
  return out->Open(error);
}

// One value per category of every item, in item order.
template <typename T, typename ReadFn>
bool ReadTable(ValueFile& file, const SurfaceModel& m, std::array<std::vector<T>, kFactorItems + 1>& table,
               ReadFn read, std::string* error) {
  for (int i = 1; i <= kFactorItems; ++i) {
    auto& v = table[static_cast<size_t>(i)];
    v.assign(static_cast<size_t>(m.category_total[static_cast<size_t>(i)]) + 1, T{});
    for (size_t j = 1; j < v.size(); ++j)
      if (!read(file, i, v[j], error)) return false;
  }
  return file.Finish(error);
}

bool ReadWeights(const std::string& app_path, ModelSurface surface, ModelFile file, SurfaceModel& m,
                 std::array<std::vector<float>, kFactorItems + 1>& table, std::string* error) {
  std::optional<ValueFile> values;
  if (!OpenValues(app_path, surface, file, values, error)) return false;
  return ReadTable(*values, m, table, [](ValueFile& f, int, float& w, std::string* e) { return f.Single(w, e); }, error);
}

}  // namespace

std::string_view SurfaceName(ModelSurface surface) {
  switch (surface) {
    case ModelSurface::kTurf: return "Siba";
    case ModelSurface::kDirt: return "Dirt";
    case ModelSurface::kHurdle: return "Shog";
  }
  return "";
}

std::string ModelFileName(ModelSurface surface, ModelFile file) {
  const std::string s(SurfaceName(surface));
  const std::string folder = std::string(common::names::kOptionFolder) + "/";
  if (surface == ModelSurface::kHurdle && (file == ModelFile::kAgari || file == ModelFile::kPace))
    file = ModelFile::kSoha;
  switch (file) {
    case ModelFile::kTotal: return folder + "QA1" + s + "TotalData201801N2024.dat";
    case ModelFile::kCategory: return folder + s + "ItemCategory201801N2024.dat";
    case ModelFile::kAgari: return folder + "QA1" + s + "AgariWeightData201801N2024.dat";
    case ModelFile::kPace: return folder + "QA1" + s + "PaceWeightData201801N2024.dat";
    case ModelFile::kSoha: return folder + "QA1" + s + "SohaWeightData201801N2024.dat";
    case ModelFile::kSamples: return folder + s + "ItemCategoryCount201801N2024.dat";
  }
  return "";
}

std::optional<std::pair<ModelSurface, ModelFile>> ModelFileByName(std::string_view file_name) {
  for (ModelSurface s : kModelSurfaces)
    for (ModelFile f : kModelFiles) {
      if (s == ModelSurface::kHurdle && (f == ModelFile::kAgari || f == ModelFile::kPace)) continue;
      const std::string name = ModelFileName(s, f);
      if (common::SameIgnoringCase(std::string_view(name).substr(name.rfind('/') + 1), file_name)) return std::pair{s, f};
    }
  return std::nullopt;
}

std::optional<ModelSurface> SurfaceOfTrackCode(std::string_view t) {
  if (t.size() != 2) return std::nullopt;
  if (t >= "10" && t <= "22") return ModelSurface::kTurf;
  if (t >= "23" && t <= "29") return ModelSurface::kDirt;
  if (t >= "50" && t <= "59") return ModelSurface::kHurdle;
  return std::nullopt;
}

ModelSurface ReferenceSurfaceOf(int64_t v) {
  if (v >= 0 && v <= 22) return ModelSurface::kTurf;
  if (v >= 23 && v <= 49) return ModelSurface::kDirt;
  return ModelSurface::kHurdle;
}

std::string_view SurfaceModel::CategoryCode(int item, int category) const {
  if (item < 1 || item > kFactorItems || category < 0) return {};
  const auto& v = category_code[static_cast<size_t>(item)];
  return static_cast<size_t>(category) < v.size() ? std::string_view(v[static_cast<size_t>(category)]) : std::string_view();
}

bool LoadSurfaceModel(const std::string& app_path, ModelSurface surface, unsigned parts, SurfaceModel& model,
                      std::string* error) {
  SurfaceModel m;
  std::optional<ValueFile> values;
  if (!OpenValues(app_path, surface, ModelFile::kTotal, values, error)) return false;
  for (int i = 1; i <= kFactorItems; ++i) {
    int64_t total = 0;
    if (!values->Whole(total, error)) return false;
    if (total < 0 || total > kMaxFactorCategories)
      return values->Fail("項目 " + std::to_string(i) + " の区分数 " + std::to_string(total) + " が 0〜" +
                              std::to_string(kMaxFactorCategories) + " の範囲にありません",
                          error);
    m.category_total[static_cast<size_t>(i)] = static_cast<int>(total);
  }
  if (!values->Finish(error)) return false;
  if (!OpenValues(app_path, surface, ModelFile::kCategory, values, error)) return false;
  if (!ReadTable(*values, m, m.category_code, [](ValueFile& f, int item, std::string& c, std::string* e) { return f.Code(item, c, e); },
                 error))
    return false;
  if ((parts & kModelAgariPace) && (!ReadWeights(app_path, surface, ModelFile::kAgari, m, m.agari_weight, error) ||
                                    !ReadWeights(app_path, surface, ModelFile::kPace, m, m.pace_weight, error)))
    return false;
  if ((parts & kModelSoha) && !ReadWeights(app_path, surface, ModelFile::kSoha, m, m.soha_weight, error)) return false;
  if (parts & kModelSamples) {
    if (!OpenValues(app_path, surface, ModelFile::kSamples, values, error)) return false;
    auto read = [](ValueFile& f, int, int32_t& n, std::string* e) {
      int64_t v = 0;
      if (!f.Whole(v, e)) return false;
      if (v < INT32_MIN || v > INT32_MAX) return f.Fail("出走数 " + std::to_string(v) + " が範囲を超えています", e);
      n = static_cast<int32_t>(v);
      return true;
    };
    if (!ReadTable(*values, m, m.category_samples, read, error)) return false;
  }
  model = std::move(m);
  return true;
}

int FindCategory(const SurfaceModel& model, int item, std::string_view key) {
  if (item < 1 || item > kFactorItems) return 0;
  const int total = model.category_total[static_cast<size_t>(item)];
  for (int j = 1; j <= total; ++j)
    if (model.CategoryCode(item, j) == key) return j;
  if (item == 2) {
    // Characters 2 to 5 of the key (blanks where the key is shorter) after a "6".
    std::string fallback = "6" + std::string(key.substr(std::min<size_t>(1, key.size()), 4));
    fallback.resize(5, ' ');
    for (int j = 1; j <= total; ++j)
      if (model.CategoryCode(item, j).substr(0, 5) == fallback) return j;
  }
  return 0;
}

std::array<std::string_view, kFactorItems + 1> FactorCodesOf(std::string_view block) {
  std::array<std::string_view, kFactorItems + 1> codes{};
  for (int i = 1; i <= kFactorItems; ++i) {
    const size_t at = static_cast<size_t>(FactorCodeOffset(i));
    if (at < block.size()) codes[static_cast<size_t>(i)] = block.substr(at, static_cast<size_t>(FactorCodeWidth(i)));
  }
  return codes;
}

std::array<int, kFactorItems + 1> CategoryIndices(const SurfaceModel& model,
                                                  const std::array<std::string_view, kFactorItems + 1>& codes) {
  std::array<int, kFactorItems + 1> indices{};
  for (int i = 1; i <= kFactorItems; ++i) indices[static_cast<size_t>(i)] = FindCategory(model, i, codes[static_cast<size_t>(i)]);
  return indices;
}

const SurfaceModel& ReferenceModel::Of(ModelSurface surface) const {
  switch (surface) {
    case ModelSurface::kTurf: return turf;
    case ModelSurface::kDirt: return dirt;
    case ModelSurface::kHurdle: break;
  }
  return hurdle;
}

bool LoadReferenceModel(const std::string& app_path, ReferenceModel& model, std::string* error) {
  ReferenceModel m;
  // Every file of the package is read and checked, not only the parts the reference sums use:
  // the calculation loads the others run by run, after step ⑤ has begun to write.
  if (!LoadSurfaceModel(app_path, ModelSurface::kTurf, kModelAll, m.turf, error) ||
      !LoadSurfaceModel(app_path, ModelSurface::kDirt, kModelAll, m.dirt, error) ||
      !LoadSurfaceModel(app_path, ModelSurface::kHurdle, kModelAll, m.hurdle, error))
    return false;
  model = std::move(m);
  return true;
}

}  // namespace radadovur::engine
