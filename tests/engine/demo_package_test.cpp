// The demo week's model package: the engine loads it, its edge cases are there, its weights give
// plausible speeds, its statistics cover the week and favour the better horses, and start-up
// reports it present and dated.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <numeric>

#include "common/file_date.h"
#include "common/run_state.h"
#include "demo/demo_folder.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"
#include "steps/model_package.h"
#include "steps/startup.h"
#include "support/demo_cache.h"
#include "support/recording_host.h"

namespace radadovur::engine {
namespace {

namespace fs = std::filesystem;

class DemoPackageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string((fs::temp_directory_path() / ("radadovur_demo_package_" + std::to_string(::getpid()))).string() + "/");
    // The command's default week, the one `options_` describe, copied from this build's shared weeks.
    ASSERT_TRUE(testing::DemoWeekFromCache(*dir_, ""));
    world_ = new demo::World(demo::GenerateWorld(options_));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
    delete world_;
  }
  static SurfaceModel Load(ModelSurface s) {
    SurfaceModel m;
    std::string error;
    EXPECT_TRUE(LoadSurfaceModel(*dir_, s, kModelAll, m, &error)) << error;
    return m;
  }

  static inline const demo::WeekOptions options_{};
  static inline std::string* dir_ = nullptr;
  static inline demo::World* world_ = nullptr;
};

TEST_F(DemoPackageTest, TheReferenceModelAndEveryWholeSurfaceLoad) {
  ReferenceModel reference;
  std::string error;
  ASSERT_TRUE(LoadReferenceModel(*dir_, reference, &error)) << error;
  for (ModelSurface s : kModelSurfaces) {
    EXPECT_GT(reference.Of(s).category_total[1], 0);
    const SurfaceModel m = Load(s);
    for (int i = 1; i <= kFactorItems; ++i) {
      EXPECT_GT(m.category_total[static_cast<size_t>(i)], 0) << SurfaceName(s) << " item " << i;
      const auto width = static_cast<size_t>(FactorCodeWidth(i));
      for (int j = 1; j <= m.category_total[static_cast<size_t>(i)]; ++j)
        ASSERT_EQ(m.CategoryCode(i, j).size(), width) << SurfaceName(s) << " item " << i << " category " << j;
    }
  }
  const SurfaceModel hurdle = Load(ModelSurface::kHurdle);
  for (int j = 1; j <= hurdle.category_total[22]; ++j) {
    EXPECT_EQ(hurdle.AgariWeight(22, j), hurdle.SohaWeight(22, j));
    EXPECT_EQ(hurdle.PaceWeight(22, j), hurdle.SohaWeight(22, j));
  }
}

TEST_F(DemoPackageTest, TheModelHoldsItsDeliberateEdgeCases) {
  for (ModelSurface s : kModelSurfaces) {
    const SurfaceModel m = Load(s);
    const int next_year = FindCategory(m, 1, "2025     ");
    ASSERT_GT(next_year, 1) << SurfaceName(s);
    EXPECT_EQ(m.CategorySamples(1, next_year), 0);
    const int runs60 = FindCategory(m, 9, "060");
    ASSERT_GT(runs60, 0);
    EXPECT_EQ(m.SohaWeight(9, runs60), 20.0f);
    const int margin = FindCategory(m, 26, "0057");
    ASSERT_GT(margin, 0);
    EXPECT_EQ(m.SohaWeight(26, margin), 20.5f);
    EXPECT_EQ(m.AgariWeight(26, margin), 20.5f);
    EXPECT_EQ(m.PaceWeight(26, margin), s == ModelSurface::kHurdle ? 20.5f : -20.0f);
    int listed = 0, last = 0;
    for (int j = 1; j <= m.category_total[7]; ++j)
      if (m.CategoryCode(7, j) == "13   ") ++listed, last = j;
    EXPECT_EQ(listed, 2);
    EXPECT_LT(FindCategory(m, 7, "13   "), last);
  }
}

// Item 1 and the distance, plus each other item's average weight: the speed of a typical run.
TEST_F(DemoPackageTest, WeightsGivePlausibleWholeRaceSpeeds) {
  for (ModelSurface s : kModelSurfaces) {
    const SurfaceModel m = Load(s);
    double others = 0;
    for (int i = 2; i <= kFactorItems; ++i) {
      if (i == 22) continue;
      double sum = 0;
      int n = 0;
      for (int j = 1; j <= m.category_total[static_cast<size_t>(i)]; ++j)
        if (std::abs(m.SohaWeight(i, j)) <= 20) sum += m.SohaWeight(i, j), ++n;
      others += n ? sum / n : 0;
    }
    const double year = m.SohaWeight(1, FindCategory(m, 1, "2024     "));
    const double low = s == ModelSurface::kHurdle ? 50 : 55, high = s == ModelSurface::kHurdle ? 55 : 65;
    for (int j = 1; j <= m.category_total[22]; ++j) {
      const double speed = year + m.SohaWeight(22, j) + others;
      EXPECT_GE(speed, low) << SurfaceName(s) << " " << m.CategoryCode(22, j);
      EXPECT_LE(speed, high) << SurfaceName(s) << " " << m.CategoryCode(22, j);
    }
  }
}

TEST_F(DemoPackageTest, StatisticsCoverEveryHorseDamSireJockeyAndTrainerOfTheWeek) {
  StatsLookup lookup(*dir_);
  const demo::World& w = *world_;
  for (const demo::Horse& h : w.horses) {
    EXPECT_TRUE(lookup.Find(stats_files::kKyosobaThisWeek, kyosoba_stats::kLength, 10, h.ketto)) << h.ketto;
    const std::string& dam = w.dams[static_cast<size_t>(h.dam)].self.num;
    EXPECT_TRUE(lookup.Find(stats_files::kHahaumaThisWeek, stallion_stats::kLength, 10, dam)) << dam;
    const std::string& sire = w.sires[static_cast<size_t>(h.sire)].self.num;
    EXPECT_TRUE(lookup.Find(stats_files::kStallion, stallion_stats::kLength, 10, sire)) << sire;
    const std::string& trainer = w.trainers[static_cast<size_t>(h.trainer)].code;
    EXPECT_TRUE(lookup.Find(stats_files::kChokyoSeisei, seisei_stats::kLength, 5, trainer)) << trainer;
    EXPECT_TRUE(lookup.Find(stats_files::kHnsk, hnsk::kLength, 10, dam)) << dam;
  }
  for (const demo::Jockey& j : w.jockeys) {
    EXPECT_TRUE(lookup.Find(stats_files::kKishuSeisei, seisei_stats::kLength, 5, j.code)) << j.code;
    EXPECT_TRUE(lookup.Find(stats_files::kJockeyMaster, 4161, 16, "KS2" + std::string("20240729") + j.code)) << j.code;
  }
  // The extracts are the week's part of bigger files.
  EXPECT_LT(fs::file_size(*dir_ + "OPTION1N/KYOSOBATHISWEEK.dat"), fs::file_size(*dir_ + "OPTION1N/KYOSOBA.dat"));
  EXPECT_LT(fs::file_size(*dir_ + "OPTION1N/HAHAUMATHISWEEK.dat"), fs::file_size(*dir_ + "OPTION1N/HAHAUMA.dat"));
}

TEST_F(DemoPackageTest, BetterHorsesHaveBetterFigures) {
  StatsLookup lookup(*dir_);
  // Place-rate figure (item 8) and earnings per run (item 30) of the weakest and strongest
  // quarter of the horses with a few flat runs.
  double rate[2] = {0, 0}, earnings[2] = {0, 0};
  int n[2] = {0, 0};
  for (const demo::Horse& h : world_->horses) {
    if (h.ability > 0.25 && h.ability < 0.75) continue;
    const auto r = lookup.Find(stats_files::kKyosobaThisWeek, kyosoba_stats::kLength, 10, h.ketto);
    ASSERT_TRUE(r);
    const double runs = ColumnValue(*r, Column(kyosoba_stats::A, 3));
    if (runs < 3) continue;
    const int k = h.ability >= 0.75 ? 1 : 0;
    rate[k] += static_cast<double>(RatioFigure(ColumnValue(*r, Column(kyosoba_stats::A, 1))));
    earnings[k] += static_cast<double>(LogFigure(ColumnValue(*r, Column(kyosoba_stats::B, 1)) / runs).value_or(0));
    ++n[k];
  }
  ASSERT_GT(n[0], 20);
  ASSERT_GT(n[1], 20);
  EXPECT_GT(rate[1] / n[1], rate[0] / n[0] + 1);
  EXPECT_GT(earnings[1] / n[1], earnings[0] / n[0] + 1);
}

TEST_F(DemoPackageTest, StartupReportsThePackagePresentAndDated) {
  ::radadovur::testing::RecordingHost host;
  const common::StepFailures failures = steps::RunStartup(
      common::RunStateFor(*dir_), std::chrono::year_month_day{std::chrono::year(2024), std::chrono::month(8), std::chrono::day(2)},
      host);
  EXPECT_TRUE(failures.empty()) << failures.Texts()[0];
  const auto date = common::FileDateTimeText(*dir_ + "OPTION1N/KYOSOBA.dat");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->substr(0, 10), "2024/07/29");
  EXPECT_EQ(host.LastText(common::StatusSlot::kMainLabel1), steps::PackagePresentCaption(*date));
  EXPECT_TRUE(host.Messages().empty());
}

}  // namespace
}  // namespace radadovur::engine
