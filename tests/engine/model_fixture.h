#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "engine/weight_model.h"
#include "support/temp_folder.h"

namespace radadovur::engine::testing {

// A program folder of its own for one test, with the package folder, removed afterwards.
class TempProgramFolder : public ::radadovur::testing::TempFolder {
 public:
  TempProgramFolder() : TempFolder("radadovur_engine") { std::filesystem::create_directories(app_path() + "OPTION1N"); }
  // Writes a file below the program folder, creating its folder.
  void Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(app_path() + relative).parent_path());
    ASSERT_TRUE(common::WriteFileAtomic(app_path() + relative, bytes).ok());
  }
};

// A TotalData text: the given counts of items 1.., the others 0.
inline std::string Totals(std::vector<std::string> counts) {
  counts.resize(kFactorItems, "0");
  std::string text;
  for (size_t i = 0; i < counts.size(); ++i) text += counts[i] + (i + 1 == counts.size() ? "\r\n" : ",");
  return text;
}

// One category of a hand-made model: its code as stored (quoted when it has blanks), the three
// weights as the files spell them, and the sample count.
struct FixtureCategory {
  int item;
  std::string code, agari, pace, soha, samples;
};

// Writes the model files of `surface` holding `categories` (items without any get 0 categories);
// the hurdle model gets only its whole-race weight file.
inline void WriteModel(const TempProgramFolder& folder, ModelSurface surface, const std::vector<FixtureCategory>& categories) {
  std::string total, codes, agari, pace, soha, samples;
  for (int i = 1; i <= kFactorItems; ++i) {
    int n = 0;
    for (const auto& c : categories) {
      if (c.item != i) continue;
      ++n;
      codes += "\"" + c.code + "\"\r\n";
      agari += c.agari + "\r\n";
      pace += c.pace + "\r\n";
      soha += c.soha + "\r\n";
      samples += c.samples + "\r\n";
    }
    total += std::to_string(n) + (i % 10 == 0 ? "\r\n" : ",");
  }
  folder.Write(ModelFileName(surface, ModelFile::kTotal), total);
  folder.Write(ModelFileName(surface, ModelFile::kCategory), codes);
  if (surface != ModelSurface::kHurdle) {
    folder.Write(ModelFileName(surface, ModelFile::kAgari), agari);
    folder.Write(ModelFileName(surface, ModelFile::kPace), pace);
  }
  folder.Write(ModelFileName(surface, ModelFile::kSoha), soha);
  folder.Write(ModelFileName(surface, ModelFile::kSamples), samples);
}

}  // namespace radadovur::engine::testing
