// Race ids from the delivered records become file names in step ⑥: an id that is no race key
// fails its race, named, and nothing is opened, created or truncated under it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/names.h"
#include "results/results_fixture.h"
#include "steps/results.h"
#include "support/week_record.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;

struct RaceIdParts {
  std::string year, month_day, venue, race;
  std::string Key() const { return year + month_day + venue + race; }
};

// Ids that once led out of the program folder or cut a path, and a plain race beside them.
const RaceIdParts kHostile[] = {
    {"../.", "./vi", "ct", "im"},                       // RACE/../../victim.dat
    {"2024", std::string("08\0" "3", 4), "05", "01"},  // a NUL cuts the path
    {"2024", "0803", "05", " 1"},                      // a blank
    {"2024", "0803", "..", "/v"},                      // a separator
    {"./vi", "ctim", "./", ".."},
};
const RaceIdParts kPlain = {"2024", "0803", "05", "02"};

class ResultsNamesTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    // The program folder two levels down, so that a name leading out of it still lands here.
    for (const char* folder : {"RACE", "KAIME", "SOKUDO", "JRACODE", "TEKICHU", "SHUTSUBAHYO", "TANFUKU", "TANFUKU2",
                               "TANSHO", "UMAREN", "WIDE", "UMATAN", "SANRENPUKU", "SANRENTAN"})
      fs::create_directories(app_ + folder);
    ASSERT_TRUE(common::WriteFileAtomic(app_ + "JRACODE/CodeTable.csv", testing::SmallCodeTable()).ok());
    testing::MarkStepsFinished(app_, steps::WeekStep::kPredict);
  }
  void PutRecords(std::string_view name, const std::vector<std::string>& records) const {
    std::string bytes;
    for (const std::string& r : records) bytes += r;
    ASSERT_TRUE(common::WriteFileAtomic(app_ + std::string(name), bytes).ok());
  }
  std::vector<std::string> FilesOutsideTheProgramFolder() const {
    std::vector<std::string> outside;
    for (const auto& e : fs::recursive_directory_iterator(tmp_.path()))
      if (!e.is_directory() && e.path().string().rfind(app_, 0) != 0) outside.push_back(e.path().string());
    return outside;
  }

  testing::TempFolder tmp_{"rdv_results_names"};
  const std::string app_ = tmp_.path() + "/in/program/";
};

// Monday lists the races from the payout records, Friday from the race records.
TEST_P(ResultsNamesTest, ARaceIdThatIsNoRaceKeyFailsItsRaceAndNamesNoFile) {
  const bool final = GetParam();
  std::vector<std::string> races, payouts;
  std::vector<RaceIdParts> listed(std::begin(kHostile), std::end(kHostile));
  listed.push_back(kPlain);
  for (const RaceIdParts& id : listed) {
    testing::RaceSpec spec;
    spec.date = id.year + id.month_day;
    spec.venue = id.venue;
    spec.race = id.race;
    spec.category = final ? "7" : "2";
    races.push_back(testing::RaceRec(spec));
    payouts.push_back(testing::PayoutRec(id.year + id.month_day, id.venue, id.race));
  }
  PutRecords(common::names::kRaNew, races);
  PutRecords(common::names::kSeNew, {});  // step ② has run: no runner entered
  if (final) PutRecords(common::names::kHrThisWeek, payouts);

  testing::RecordingHost host;
  auto state = std::make_unique<results::ResultsWindowState>();
  const auto outcome = steps::RunResultsStep(common::RunStateFor(app_), host, *state);

  const std::vector<std::string> texts = outcome.failures.Texts();
  for (const RaceIdParts& id : kHostile) {
    const std::string shown = "\"" + common::Shown(id.Key()) + "\"";
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(shown) != std::string::npos; }))
        << shown;
  }
  for (const std::string& text : texts) {
    EXPECT_EQ(text.find('\0'), std::string::npos) << common::Shown(text);
    EXPECT_EQ(text.find("Is a directory"), std::string::npos) << text;
  }
  EXPECT_EQ(FilesOutsideTheProgramFolder(), std::vector<std::string>{});
  // The plain race beside them has its files.
  EXPECT_TRUE(fs::exists(app_ + "RACE/" + kPlain.Key() + ".dat"));
  EXPECT_TRUE(fs::exists(app_ + "KAIME/" + kPlain.Key() + ".dat"));
  EXPECT_NE(results::ResultsEndText(outcome.failures), "予想･結果終了");
}

INSTANTIATE_TEST_SUITE_P(MondayAndFriday, ResultsNamesTest, ::testing::Values(true, false));

}  // namespace
}  // namespace radadovur
