// The weight model files of a surface: reading them value by value, the failures that keep a
// model from being used, and how a run's factor codes find their categories.
#include "engine/weight_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/model_fixture.h"

namespace radadovur::engine {
namespace {

using testing::FixtureCategory;
using testing::Totals;
using testing::TempProgramFolder;
using testing::WriteModel;

// Item 1 years, a duplicated item-7 code, item 8 with a four-wide code and its two-character
// twin, item 2 codes for the venue fallback.
const std::vector<FixtureCategory> kTurf = {
    {1, "2023     ", "61.5", "60.25", "60.9", "5000"},
    {1, "2024     ", "61.75", "60.5", "61.1", "4000"},
    {2, "71317      ", "0.1", "0.1", "0.1", "10"},
    {2, "61317      ", "0.2", "0.2", "0.2", "10"},
    {2, "61318      ", "0.3", "0.3", "0.3", "10"},
    {2, "61317      ", "0.4", "0.4", "0.4", "10"},
    {7, "13   ", "0.05", "0.05", "0.05", "300"},
    {7, "13   ", "5", "5", "5", "7"},
    {8, "55", "1", "1", "1", "1"},
    {8, "55  ", "2", "2", "2", "2"},
};

class WeightModelTest : public ::testing::Test {
 protected:
  SurfaceModel Load(ModelSurface surface = ModelSurface::kTurf, unsigned parts = kModelAll) {
    SurfaceModel m;
    std::string error;
    EXPECT_TRUE(LoadSurfaceModel(folder_.app_path(), surface, parts, m, &error)) << error;
    return m;
  }
  TempProgramFolder folder_;
};

TEST_F(WeightModelTest, FindsTheFirstCodeEqualAtFullWidthAndFallsBackForItem2Only) {
  WriteModel(folder_, ModelSurface::kTurf, kTurf);
  const SurfaceModel m = Load();
  struct Case {
    int item;
    std::string key;
    int expected;
  } cases[] = {
      {1, "2024     ", 2},
      {1, "2024", 0},          // trailing blanks are part of the code
      {7, "13   ", 1},         // listed twice: the lower index
      {8, "55  ", 2},          // four wide, not the two-character code
      {8, "55", 1},
      {3, "", 0},              // an item without categories
      {3, "A1D      ", 0},
      {2, "61318      ", 3},   // exact match
      {2, "51317      ", 2},   // "6" + "1317": the first code starting so
      {2, "91318xxxxxx", 3},
      {2, "51319      ", 0},   // no code for the fallback either
      {2, "51317", 2},         // the fallback reads only characters 2 to 5
      {7, "63   ", 0},         // no fallback outside item 2
      {0, "2024     ", 0},
      {31, "2024     ", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FindCategory(m, c.item, c.key), c.expected) << c.item << " [" << c.key << "]";
}

TEST_F(WeightModelTest, CategoryIndicesCutTheThirtyCodesAtTheirWidths) {
  WriteModel(folder_, ModelSurface::kTurf, kTurf);
  const SurfaceModel m = Load(ModelSurface::kTurf, kModelForIndexing);
  std::string block(ex::kFactorBlockWidth, ' ');
  block.replace(static_cast<size_t>(FactorCodeOffset(1)), 4, "2023");
  block.replace(static_cast<size_t>(FactorCodeOffset(2)), 5, "51317");
  block.replace(static_cast<size_t>(FactorCodeOffset(7)), 2, "13");
  block.replace(static_cast<size_t>(FactorCodeOffset(8)), 2, "55");
  const auto codes = FactorCodesOf(block);
  EXPECT_EQ(codes[8], "55  ");
  EXPECT_EQ(codes[30].size(), 4u);
  const auto indices = CategoryIndices(m, codes);
  EXPECT_EQ(indices[1], 1);
  EXPECT_EQ(indices[2], 2);
  EXPECT_EQ(indices[7], 1);
  EXPECT_EQ(indices[8], 2);
  for (int i : {3, 4, 9, 30}) EXPECT_EQ(indices[static_cast<size_t>(i)], 0) << i;
}

TEST_F(WeightModelTest, ReadsValuesAsTheFilesSpellThem) {
  // Values split by commas and line ends; quoted codes verbatim (blanks and commas included),
  // unquoted ones without the blanks around them.
  folder_.Write("OPTION1N/QA1SibaTotalData201801N2024.dat", Totals({"3"}));
  folder_.Write("OPTION1N/SibaItemCategory201801N2024.dat", "\"20 24 ,x\",  2023  \r\n\"\"\r\n");
  folder_.Write("OPTION1N/QA1SibaAgariWeightData201801N2024.dat", "0.1,62.6\r\n-1e-3\r\n");
  folder_.Write("OPTION1N/QA1SibaPaceWeightData201801N2024.dat", "+20.5, 16777217 ,3.4028234e38\r\n");
  folder_.Write("OPTION1N/QA1SibaSohaWeightData201801N2024.dat", "1,2,3\r\n");
  folder_.Write("OPTION1N/SibaItemCategoryCount201801N2024.dat", "0\r\n2147483647\r\n-5\r\n");
  const SurfaceModel m = Load();
  EXPECT_EQ(m.category_total[1], 3);
  EXPECT_EQ(m.CategoryCode(1, 1), "20 24 ,x");
  EXPECT_EQ(m.CategoryCode(1, 2), "2023");
  EXPECT_EQ(m.CategoryCode(1, 3), "");
  EXPECT_EQ(m.CategoryCode(1, 0), "");
  // Straight to single precision, correctly rounded.
  EXPECT_EQ(m.AgariWeight(1, 1), 0.1f);
  EXPECT_EQ(m.AgariWeight(1, 2), 62.6f);
  EXPECT_EQ(m.AgariWeight(1, 3), -0.001f);
  EXPECT_EQ(m.PaceWeight(1, 1), 20.5f);
  EXPECT_EQ(m.PaceWeight(1, 2), 16777216.0f);
  EXPECT_EQ(m.PaceWeight(1, 3), 3.4028235e38f);
  EXPECT_EQ(m.SohaWeight(1, 3), 3.0f);
  EXPECT_EQ(m.CategorySamples(1, 2), 2147483647);
  EXPECT_EQ(m.CategorySamples(1, 3), -5);
  EXPECT_EQ(m.AgariWeight(1, 0), 0.0f);
  EXPECT_EQ(m.AgariWeight(1, 4), 0.0f);
}

TEST_F(WeightModelTest, TheHurdleModelReadsItsWholeRaceWeightsThreeTimes) {
  WriteModel(folder_, ModelSurface::kHurdle,
             {{1, "2024     ", "", "", "53.8", "900"}, {22, "3500 ", "", "", "-0.6", "40"}});
  const SurfaceModel m = Load(ModelSurface::kHurdle);
  for (int item : {1, 22}) {
    EXPECT_EQ(m.AgariWeight(item, 1), m.SohaWeight(item, 1));
    EXPECT_EQ(m.PaceWeight(item, 1), m.SohaWeight(item, 1));
  }
  EXPECT_EQ(m.SohaWeight(22, 1), -0.6f);
  EXPECT_EQ(ModelFileName(ModelSurface::kHurdle, ModelFile::kAgari), "OPTION1N/QA1ShogSohaWeightData201801N2024.dat");
}

TEST_F(WeightModelTest, FindsAPackageUnpackedWithOtherCaseButNamesFilesAsTheProgramDoes) {
  WriteModel(folder_, ModelSurface::kDirt, {{1, "2024     ", "58", "60", "59", "1"}});
  // The folder and every file in lower case.
  namespace fs = std::filesystem;
  const fs::path to = fs::path(folder_.app_path()) / "option1n";
  fs::rename(fs::path(folder_.app_path()) / "OPTION1N", to);
  std::vector<fs::path> files(fs::directory_iterator(to), fs::directory_iterator{});
  for (const fs::path& file : files) {
    std::string name = file.filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    fs::rename(file, to / name);
  }
  const SurfaceModel m = Load(ModelSurface::kDirt);
  EXPECT_EQ(m.SohaWeight(1, 1), 59.0f);
  EXPECT_EQ(ModelFileByName("qa1dirtsohaweightdata201801n2024.DAT"), std::pair(ModelSurface::kDirt, ModelFile::kSoha));
  EXPECT_EQ(ModelFileByName("QA1ShogSohaWeightData201801N2024.dat"), std::pair(ModelSurface::kHurdle, ModelFile::kSoha));
  EXPECT_EQ(ModelFileByName("KYOSOBA.dat"), std::nullopt);
}

TEST_F(WeightModelTest, AFailedLoadNamesTheFileAndLeavesTheModelAsItWas) {
  const std::string total = ModelFileName(ModelSurface::kTurf, ModelFile::kTotal);
  const std::string soha = ModelFileName(ModelSurface::kTurf, ModelFile::kSoha);
  struct Case {
    const char* what;
    std::string file, bytes;  // replaces one file of the good model
    std::string expected_file, expected_text;
  } cases[] = {
      {"missing", soha, "", "QA1SibaSohaWeightData201801N2024.dat", "ファイルがないか、読めません"},
      {"short", soha, "61,61,0,0,0,0,0,0,0\r\n", "QA1SibaSohaWeightData201801N2024.dat", "値が 9 個しかありません"},
      {"too many categories", total, Totals({"6001"}), "QA1SibaTotalData201801N2024.dat", "区分数 6001 が"},
      {"negative count", total, Totals({"-1"}), "QA1SibaTotalData201801N2024.dat", "区分数 -1 が"},
      {"not a weight", soha, "61,x6,0,0,0,0,0,0,0,0\r\n", "QA1SibaSohaWeightData201801N2024.dat", "1 行目が壊れています: 値「x6」が数値ではありません"},
      {"values past the counts", soha, "61,6,0,0,0,0,0,0,0,0\r\n1\r\n", "QA1SibaSohaWeightData201801N2024.dat",
       "値が 11 個あります（10 個のはずです。2 行目から余分です）"},
      {"not a count", total, Totals({"2", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                     "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "z"}),
       "QA1SibaTotalData201801N2024.dat", "1 行目が壊れています: 値「z」が整数ではありません"},
  };
  for (const auto& c : cases) {
    WriteModel(folder_, ModelSurface::kTurf, kTurf);
    if (c.bytes.empty()) std::filesystem::remove(folder_.app_path() + c.file);
    else folder_.Write(c.file, c.bytes);
    SurfaceModel m;
    m.category_total[5] = 77;  // what the caller had stays
    std::string error;
    EXPECT_FALSE(LoadSurfaceModel(folder_.app_path(), ModelSurface::kTurf, kModelAll, m, &error)) << c.what;
    EXPECT_NE(error.find(c.expected_file), std::string::npos) << c.what << ": " << error;
    EXPECT_NE(error.find(c.expected_text), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(m.category_total[5], 77) << c.what;
    EXPECT_EQ(m.category_total[1], 0) << c.what;
  }
  // The indexing pass does not read the weights, so a broken weight file does not stop it.
  WriteModel(folder_, ModelSurface::kTurf, kTurf);
  folder_.Write(soha, "x");
  SurfaceModel m;
  EXPECT_TRUE(LoadSurfaceModel(folder_.app_path(), ModelSurface::kTurf, kModelForIndexing, m, nullptr));
}

// One damaged line of a sound package: the load is refused with the file and the line named,
// and the model the caller had stays. A line of the fixture's files holds one value (the
// totals ten), so damage to one value's bytes shows in that line.
TEST_F(WeightModelTest, ADamagedLineRefusesThePackageNamingFileAndLine) {
  const std::string total = ModelFileName(ModelSurface::kTurf, ModelFile::kTotal);
  const std::string codes = ModelFileName(ModelSurface::kTurf, ModelFile::kCategory);
  const std::string agari = ModelFileName(ModelSurface::kTurf, ModelFile::kAgari);
  const std::string samples = ModelFileName(ModelSurface::kTurf, ModelFile::kSamples);
  // Replaces `from` at its first place after the start of line `line` (from 1) by `to`.
  const auto edit = [](std::string bytes, int line, const std::string& from, const std::string& to) {
    size_t at = 0;
    for (int l = 1; l < line; ++l) at = bytes.find('\n', at) + 1;
    at = bytes.find(from, at);
    EXPECT_NE(at, std::string::npos) << from;
    return bytes.replace(at, from.size(), to);
  };
  struct Case {
    const char* what;
    std::string file;
    std::function<std::string(const std::string&)> damage;
    std::string expected;  // after the file's name
  } cases[] = {
      {"code: cut last line", codes, [](const std::string& b) { return b.substr(0, b.size() - 4); },
       " の 10 行目が壊れています: 行末がありません（行が途中で切れています）"},
      {"code: byte in", codes, [&](const std::string& b) { return edit(b, 2, "2024", "20x24"); },
       " の 2 行目が壊れています: 項目 1 のコード「20x24     」が 9 文字より長くなっています"},
      {"code: byte out (closing quote)", codes, [&](const std::string& b) { return edit(b, 3, "  \"\r", "  \r"); },
       " の 3 行目が壊れています: 1 番目の項目の引用符が閉じていません"},
      {"code: CR LF inside", codes, [&](const std::string& b) { return edit(b, 1, "2023", "20\r\n23"); },
       " の 1 行目が壊れています: 1 番目の項目の引用符が閉じていません"},
      {"code: opening quote lost", codes, [&](const std::string& b) { return edit(b, 4, "\"6", "6"); },
       " の 4 行目が壊れています: 1 番目の項目に対になっていない引用符があります"},
      {"code: NUL inside", codes, [&](const std::string& b) { return edit(b, 5, "1318", std::string("1\0""18", 4)); },
       " の 5 行目が壊れています: 制御文字 \\x00 があります"},
      {"weight: cut last line", agari, [](const std::string& b) { return b.substr(0, b.size() - 2); },
       " の 10 行目が壊れています: 行末がありません（行が途中で切れています）"},
      {"weight: byte in", agari, [&](const std::string& b) { return edit(b, 2, "61.75", "61.7x5"); },
       " の 2 行目が壊れています: 値「61.7x5」が数値ではありません"},
      {"weight: byte out (line feed)", agari, [&](const std::string& b) { return edit(b, 1, "\r\n", "\r"); },
       " の 1 行目が壊れています: 行の途中に CR があります"},
      {"weight: CR LF inside", agari, [&](const std::string& b) { return edit(b, 2, "61.75", "61.\r\n75"); },
       ": 値が 11 個あります（10 個のはずです。11 行目から余分です）"},
      {"weight: quoted, quote lost", agari, [&](const std::string& b) { return edit(b, 7, "0.05", "0.05\""); },
       " の 7 行目が壊れています: 1 番目の項目に対になっていない引用符があります"},
      {"count: byte in", samples, [&](const std::string& b) { return edit(b, 7, "300", "3 00"); },
       " の 7 行目が壊れています: 値「3 00」が整数ではありません"},
      {"count: 300 digits", samples, [&](const std::string& b) { return edit(b, 7, "300", std::string(300, '9')); },
       " の 7 行目が壊れています: 値「" + std::string(300, '9') + "」が大きすぎます"},
      {"total: CR LF inside", total, [&](const std::string& b) { return edit(b, 1, "2,", "2\r\n,"); },
       " の 2 行目が壊れています: 値「」が整数ではありません"},
      {"total: byte in", total, [&](const std::string& b) { return edit(b, 1, ",4,", ",4.,"); },
       " の 1 行目が壊れています: 値「4.」が整数ではありません"},
      {"total: cut last line", total, [](const std::string& b) { return b.substr(0, b.size() - 1); },
       " の 3 行目が壊れています: 行末がありません（行が途中で切れています）"},
  };
  for (const auto& c : cases) {
    WriteModel(folder_, ModelSurface::kTurf, kTurf);
    const std::string sound = common::ReadWholeFile(folder_.app_path() + c.file).value();
    folder_.Write(c.file, c.damage(sound));
    SurfaceModel m;
    m.category_total[5] = 77;  // what the caller had stays
    std::string error;
    EXPECT_FALSE(LoadSurfaceModel(folder_.app_path(), ModelSurface::kTurf, kModelAll, m, &error)) << c.what;
    EXPECT_EQ(error, folder_.app_path() + c.file + c.expected) << c.what;
    EXPECT_EQ(m.category_total[5], 77) << c.what;
  }
}

TEST_F(WeightModelTest, AReferenceModelIsAllThreeSurfacesOrNone) {
  WriteModel(folder_, ModelSurface::kTurf, {{1, "2024     ", "63", "60", "61", "1"}});
  WriteModel(folder_, ModelSurface::kDirt, {{1, "2024     ", "58", "60", "59", "1"}});
  ReferenceModel model;
  std::string error;
  EXPECT_FALSE(LoadReferenceModel(folder_.app_path(), model, &error));
  EXPECT_NE(error.find("QA1ShogTotalData201801N2024.dat"), std::string::npos) << error;
  EXPECT_EQ(model.turf.category_total[1], 0);
  WriteModel(folder_, ModelSurface::kHurdle, {{1, "2024     ", "", "", "53.5", "1"}});
  ASSERT_TRUE(LoadReferenceModel(folder_.app_path(), model, &error)) << error;
  EXPECT_EQ(model.Of(ModelSurface::kTurf).AgariWeight(1, 1), 63.0f);
  EXPECT_EQ(model.Of(ModelSurface::kDirt).PaceWeight(1, 1), 60.0f);
  EXPECT_EQ(model.Of(ModelSurface::kHurdle).PaceWeight(1, 1), 53.5f);
}

TEST(SurfaceChoice, ByTrackCodeTextForTheDriverAndByValueForTheReferenceSums) {
  using S = ModelSurface;
  struct Case {
    const char* track;
    std::optional<S> expected;
  } cases[] = {{"10", S::kTurf},   {"17", S::kTurf},   {"22", S::kTurf},   {"23", S::kDirt},  {"29", S::kDirt},
               {"50", S::kHurdle}, {"54", S::kHurdle}, {"59", S::kHurdle}, {"09", std::nullopt}, {"31", std::nullopt},
               {"49", std::nullopt}, {"60", std::nullopt}, {"1", std::nullopt}, {"  ", std::nullopt}, {"100", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(SurfaceOfTrackCode(c.track), c.expected) << c.track;
  struct ByValue {
    int64_t value;
    S expected;
  } values[] = {{0, S::kTurf}, {22, S::kTurf}, {24, S::kDirt}, {27, S::kDirt}, {35, S::kDirt}, {49, S::kDirt},
                {51, S::kHurdle}, {-1, S::kHurdle}};
  for (const auto& v : values) EXPECT_EQ(ReferenceSurfaceOf(v.value), v.expected) << v.value;
}

}  // namespace
}  // namespace radadovur::engine
