#include "demo/package_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/convert.h"
#include "demo/prng.h"

namespace radadovur::demo {
namespace {

using engine::ModelSurface;

enum Speed { kAgari, kPace, kSoha };

uint64_t HashOf(ModelSurface surface, int item, const std::string& code, uint64_t salt) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : code) h = (h ^ c) * 1099511628211ull;
  return Mix64(h ^ Mix64((static_cast<uint64_t>(surface) << 40) ^ (static_cast<uint64_t>(item) << 8) ^ salt));
}

// -0.1 .. 0.1: what an item that the demo world does not reward still picks up from the data.
double Noise(ModelSurface surface, int item, const std::string& code, Speed speed) {
  return static_cast<double>(static_cast<int>(HashOf(surface, item, code, 10 + speed) % 6001) - 3000) / 30000.0;
}

double Lookup(const std::array<double, 4>& table, int index) { return table[static_cast<size_t>(std::clamp(index, 0, 3))]; }

// Item 12: the age curve of one speed. A horse gains quickly to its prime, then loses a little
// each year; the last-three-furlong speed peaks first and fades soonest, the pace speed matures
// last, fillies and mares peak earlier and fade faster, hurdlers mature later still.
double AgeCurve(ModelSurface s, const std::string& code, Speed speed) {
  if (code.size() < 2) return 0;
  const int m = static_cast<int>(common::TextValue(code.substr(1)));
  const double months = m <= 42 ? m : 3.0 * (m - 29) + 1;  // classes from 43 hold three months
  const bool hurdle = s == ModelSurface::kHurdle;
  const char sex = code[0];
  struct Shape {
    double gain, peak, fade;  // speed gained from the youngest class, the prime in months, loss per year after it
  };
  Shape shape = hurdle ? Shape{0.9, 66, 0.20}
                       : std::array<Shape, 3>{Shape{1.1, 46, 0.36}, Shape{1.5, 56, 0.22}, Shape{1.3, 51, 0.28}}[speed];
  if (sex == '2') shape = {shape.gain * 0.9, shape.peak - 6, shape.fade * 1.5};
  if (sex == '3') shape = {shape.gain, shape.peak + 4, shape.fade * 0.8};
  const double from = hurdle ? 40 : 27;
  const double rise = shape.gain * (1 - std::exp(-(std::min(months, shape.peak) - from) / 8.0)) -
                      shape.gain * (1 - std::exp(-(shape.peak - from) / 8.0));
  return rise - shape.fade * std::max(0.0, months - shape.peak) / 12.0;
}
// A code after its first character (a going or an age digit); empty for an empty code.
std::string AfterFirst(const std::string& code) { return code.empty() ? std::string() : code.substr(1); }

// Weight of a category toward one speed.
double WeightOf(ModelSurface s, int item, const std::string& code, Speed speed) {
  const bool turf = s == ModelSurface::kTurf, dirt = s == ModelSurface::kDirt;
  const double value = common::TextValue(code);
  switch (item) {
    case 1: {  // the year carries the level of the speed
      const double base = turf ? std::array<double, 3>{63.5, 60.5, 61.0}[speed]
                          : dirt ? std::array<double, 3>{58.0, 60.0, 59.0}[speed]
                                 : 52.0;
      return base + 0.05 * (value - 2018);
    }
    case 22: {  // distance: longer is slower
      if (!turf && !dirt) return code == "2800" ? 0.4 : code == "2900" ? 0.2 : code == "3500" ? -0.6 : -1.3;
      const double km = (value - (turf ? 1600 : 1400)) / 1000;
      const std::array<double, 3> per_km = turf ? std::array<double, 3>{-1.0, -2.8, -2.4} : std::array<double, 3>{-1.2, -3.4, -3.0};
      return per_km[speed] * km;
    }
    case 16: {  // going digit, then the sire's figure on that going
      const int going = code[0] - '1';
      const double g = turf ? Lookup({0, -0.6, -1.3, -2.0}, going)
                       : dirt ? Lookup({0, 0.4, 0.7, 0.9}, going)
                              : Lookup({0, -0.4, -0.8, -1.2}, going);
      return g + 0.02 * common::TextValue(AfterFirst(code));
    }
    case 8:  // the horse's own place rate
      return std::array<double, 3>{0.36, 0.24, 0.30}[speed] * (value - 8);
    case 5:  // prize money won so far
      return code == "00" ? -0.5 : 0.03 * (value - 45);
    case 30:  // prize money per run; a one-digit code is the run number of a horse without any
      return code.size() == 1 || value < 20 ? -0.6 : 0.12 * (value - 40);
    case 21: {  // class of the race; an ordinary hurdle race is below the graded ones
      if (code.empty()) return 0.0;  // a run whose class field is blank: no class at all
      const char grade = code.back();
      if (!turf && !dirt && grade == ' ') return -0.4;
      switch (grade) {
        case 'A': case 'F': return 1.4;
        case 'B': case 'G': return 1.2;
        case 'C': case 'H': return 1.0;
        case 'L': return 0.8;
        case 'E': return 0.5;
        default: return 0.0;
      }
    }
    case 12:
      return AgeCurve(s, code, speed);
    case 7:
    case 19:  // rider's and trainer's place rates
      return code == "110" ? 0.4 : 0.05 * (value - 13);
    default:
      return Noise(s, item, code, speed);
  }
}

float Rounded(double w) {
  const double r = std::round(w * 10000) / 10000;
  return static_cast<float>(r == 0 ? 0.0 : r);
}

std::string Padded(const std::string& code, int width) {
  std::string s = code.substr(0, static_cast<size_t>(width));
  s.resize(static_cast<size_t>(width), ' ');
  return s;
}

std::string WeightText(float w) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", static_cast<double>(w));
  return buf;
}

}  // namespace

ItemCategoryTable DemoModelCategories(ModelSurface s, const ItemCodeLists& codes) {
  ItemCategoryTable table;
  for (int i = 1; i <= engine::kFactorItems; ++i) {
    auto& list = table[static_cast<size_t>(i)];
    for (const std::string& code : codes[static_cast<size_t>(i)]) {
      ModelCategory c;
      c.code = code;
      c.agari = Rounded(WeightOf(s, i, code, kAgari));
      c.pace = Rounded(WeightOf(s, i, code, kPace));
      c.soha = Rounded(WeightOf(s, i, code, kSoha));
      c.samples = static_cast<int32_t>((i == 1 ? 8000 : 20) + HashOf(s, i, code, 3) % (i == 1 ? 4000 : 2500));
      if (s == ModelSurface::kHurdle) c.agari = c.pace = c.soha;
      if (i == 9 && code == "060") {
        c.agari = c.pace = c.soha = 20.0f;
        c.samples = 1;
      }
      if (i == 26 && code == "0057") {
        c.agari = c.soha = 20.5f;
        c.pace = s == ModelSurface::kHurdle ? 20.5f : -20.0f;
        c.samples = 2;
      }
      list.push_back(c);
    }
  }
  // Next year's category: no runs behind it yet.
  table[1].push_back({"2025", 0, 0, 0, 0});
  // A code listed twice: the first one is the category.
  for (const ModelCategory& c : table[7])
    if (c.code == "13") {
      ModelCategory again = c;
      again.agari = again.pace = again.soha = 5.0f;
      again.samples = 7;
      table[7].push_back(again);
      break;
    }
  return table;
}

std::vector<DemoFile> ModelFilesOf(ModelSurface s, const ItemCategoryTable& table) {
  using engine::ModelFile;
  std::string total, codes, agari, pace, soha, samples;
  for (int i = 1; i <= engine::kFactorItems; ++i) {
    const auto& list = table[static_cast<size_t>(i)];
    total += std::to_string(list.size()) + "\r\n";
    for (const ModelCategory& c : list) {
      codes += "\"" + Padded(c.code, engine::FactorCodeWidth(i)) + "\"\r\n";
      agari += WeightText(c.agari) + "\r\n";
      pace += WeightText(c.pace) + "\r\n";
      soha += WeightText(c.soha) + "\r\n";
      samples += std::to_string(c.samples) + "\r\n";
    }
  }
  std::vector<DemoFile> files = {{engine::ModelFileName(s, ModelFile::kTotal), std::move(total)},
                                 {engine::ModelFileName(s, ModelFile::kCategory), std::move(codes)}};
  if (s != ModelSurface::kHurdle) {
    files.push_back({engine::ModelFileName(s, ModelFile::kAgari), std::move(agari)});
    files.push_back({engine::ModelFileName(s, ModelFile::kPace), std::move(pace)});
  }
  files.push_back({engine::ModelFileName(s, ModelFile::kSoha), std::move(soha)});
  files.push_back({engine::ModelFileName(s, ModelFile::kSamples), std::move(samples)});
  return files;
}

}  // namespace radadovur::demo
