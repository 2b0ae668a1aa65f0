#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/coder_context.h"
#include "engine/factor_items_21_30.h"
#include "engine/layout_ex.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"

namespace radadovur::engine {
namespace {

constexpr const char* kFails = "fails";

// A field of run `run` (1 = the oldest) set to `value`; run 0 stands for the run being coded.
struct Set {
  int run;
  jvdata::Field field;
  const char* value;
};

struct Case {
  const char* name;
  int n;  // the run being coded; the horse has n runs
  std::vector<Set> sets;
  const char* code;  // or kFails
};

// One horse's runs: a turf mile of a horse with a sire and a record in this week's extract,
// normal runs, no times yet worth noting.
ExRecord DefaultRun() {
  ExRecord r;
  const Set defaults[] = {
      {0, ex::Year, "2024"},          {0, ex::MonthDay, "0601"},      {0, ex::VenueCode, "05"},
      {0, ex::Kaiji, "03"},           {0, ex::Nichiji, "08"},         {0, ex::RaceNum, "11"},
      {0, ex::GradeCode, "A"},        {0, ex::TrackCode, "17"},       {0, ex::Kyori, "1600"},
      {0, ex::Umaban, "07"},          {0, ex::HorseSymbolCode, "00"}, {0, ex::BirthDate, "20200415"},
      {0, ex::AbnormalityCode, "0"},  {0, ex::ArrivalOrder, "01"},    {0, ex::TimeDiff, "0000"},
      {0, ex::TorokuTosu, "16"},      {0, ex::SireNum, "1111111111"}, {0, ex::KettoNum, "2020100001"},
      {0, ex::Last3F, "345"},         {0, ex::FactorCode1, "TURF"},
  };
  for (const Set& s : defaults) r.SetText(s.field, s.value);
  return r;
}

std::string Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// A stallion record: key and the C columns given (C k, value).
std::string StallionRecord(const std::string& key, std::vector<std::pair<uint32_t, const char*>> c) {
  std::string r(stallion_stats::kLength, ' ');
  r.replace(0, 10, key);
  for (const auto& [k, v] : c) r.replace(Column(stallion_stats::C, k).offset, 6, Padded(v, 6));
  r.replace(400, 2, "\r\n");
  return r;
}

// A horse record of this week's extract: key, A3, A4, B1, B2.
std::string KyosobaRecord(const std::string& key, const char* a3, const char* a4, const char* b1, const char* b2) {
  std::string r(kyosoba_stats::kLength, ' ');
  r.replace(0, 10, key);
  r.replace(Column(kyosoba_stats::A, 3).offset, 6, Padded(a3, 6));
  r.replace(Column(kyosoba_stats::A, 4).offset, 6, Padded(a4, 6));
  r.replace(Column(kyosoba_stats::B, 1).offset, 9, Padded(b1, 9));
  r.replace(Column(kyosoba_stats::B, 2).offset, 9, Padded(b2, 9));
  r.replace(226, 2, "\r\n");
  return r;
}

// Item 1 codes with their last-600 m weights, one list per surface.
void AddCategories(SurfaceModel& model, std::vector<std::pair<const char*, float>> categories) {
  model.category_code[1] = {""};
  model.agari_weight[1] = {0.0f};
  model.pace_weight[1] = {0.0f};
  for (const auto& [code, weight] : categories) {
    model.category_code[1].push_back(Padded(code, ex::kFactorCode[1].width));
    model.agari_weight[1].push_back(weight);
    model.pace_weight[1].push_back(-weight);  // never the one item 29 reads
  }
  model.category_total[1] = static_cast<int>(categories.size());
}

class FactorItems21To30 : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("radadovur_items21_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "OPTION1N");
    Write("STALLION.dat",
          StallionRecord("1111111111", {{20, "12000"}, {21, "40000"}, {22, "0"}, {23, "4000"}, {24, "0"},
                                        {25, "90000"}, {7, "8000"}}) +
              StallionRecord("1111111111", {{20, "99999"}}));  // a later record of the same sire is never seen
    Write("KYOSOBATHISWEEK.dat", KyosobaRecord("2020100001", "2", "2", "10000", "3") +
                                     KyosobaRecord("2020100002", "0", "0", "500", "500") +
                                     KyosobaRecord("2020100003", "1", "1", "1", "999999999") +
                                     KyosobaRecord("2020100004", "3", "1", "-6", "1"));
    // Last-600 m references: a turf mile of 62.6 km/h against these.
    AddCategories(reference_.turf, {{"TURF", 60.5f}, {"SLOW", 80.0f}, {"LOW0", 72.0f}, {"TOP15", 57.0f},
                                    {"OVER", 56.9f}, {"UNDER", 73.0f}});
    AddCategories(reference_.dirt, {{"TURF", 58.0f}});
    AddCategories(reference_.hurdle, {{"TURF", 50.0f}});
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / "OPTION1N" / name, std::ios::binary) << bytes;
  }

  // Codes run c.n of a horse of c.n runs with `coder`; checks the code or the failure.
  void Check(Coder coder, const Case& c, const char* item) {
    std::vector<ExRecord> runs(static_cast<size_t>(c.n), DefaultRun());
    for (const Set& s : c.sets) runs[static_cast<size_t>((s.run == 0 ? c.n : s.run) - 1)].SetText(s.field, s.value);
    StatsLookup stats(dir_.string() + "/");
    const CoderContext context{runs, c.n, stats, reference_};
    std::string code = "(untouched)";
    const common::Status status = coder(context, code);
    if (std::string(c.code) == kFails) {
      EXPECT_FALSE(status.ok()) << item << " " << c.name << ": " << code;
    } else {
      EXPECT_TRUE(status.ok()) << item << " " << c.name << ": " << status.ToString();
      EXPECT_EQ(code, c.code) << item << " " << c.name;
    }
  }
  void CheckAll(Coder coder, const char* item, const std::vector<Case>& cases) {
    for (const Case& c : cases) Check(coder, c, item);
  }

  std::filesystem::path dir_;
  ReferenceModel reference_;
};

TEST_F(FactorItems21To30, RaceNumberWithGradeOnTheFlat) {
  CheckAll(CodeRaceNoFactor, "21",
           {{"turf", 1, {}, "11A"},
            {"dirt 24", 1, {{0, ex::TrackCode, "24"}}, "11A"},
            {"blank grade", 1, {{0, ex::GradeCode, " "}}, "11 "},
            {"dirt 25: grade alone", 1, {{0, ex::TrackCode, "25"}}, "A"},
            {"hurdle", 1, {{0, ex::TrackCode, "54"}}, "A"},
            {"track not a number", 1, {{0, ex::TrackCode, "1X"}}, kFails}});
}

TEST_F(FactorItems21To30, DistanceBandedOverHurdles) {
  CheckAll(CodeZenzensoChakusaFactor, "22",
           {{"turf as stored", 1, {}, "1600"},
            {"dirt 29 as stored, even blank", 1, {{0, ex::TrackCode, "29"}, {0, ex::Kyori, "    "}}, "    "},
            {"hurdle 2800", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "2800"}}, "2800"},
            {"hurdle 2801", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "2801"}}, "2900"},
            {"hurdle 2999", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "2999"}}, "2900"},
            {"hurdle 3000", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "3000"}}, "3500"},
            {"hurdle 3500", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "3500"}}, "3500"},
            {"hurdle 3501", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "3501"}}, "4000"},
            {"track 30 bands too", 1, {{0, ex::TrackCode, "30"}, {0, ex::Kyori, "1200"}}, "2800"},
            {"hurdle blank distance", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "    "}}, kFails}});
}

TEST_F(FactorItems21To30, SireFigureForTheDistanceBand) {
  CheckAll(CodeFatherFukushorituFactor, "23",
           {{"turf up to 1600: C20 12000", 1, {}, "13"},
            {"turf 1601: C21 40000 gives 210", 1, {{0, ex::Kyori, "1601"}}, "29"},
            {"turf 2200", 1, {{0, ex::Kyori, "2200"}}, "29"},
            {"turf 2201: zero figure", 1, {{0, ex::Kyori, "2201"}}, "10"},
            {"dirt 1600: C23 4000", 1, {{0, ex::TrackCode, "23"}}, "11"},
            {"dirt 49 2000: zero", 1, {{0, ex::TrackCode, "49"}, {0, ex::Kyori, "2000"}}, "10"},
            {"dirt 2400: C25 90000 gives 322", 1, {{0, ex::TrackCode, "26"}, {0, ex::Kyori, "2400"}}, "39"},
            {"hurdle short: C7", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "1000"}}, "12"},
            {"hurdle long: C7, band 1", 1, {{0, ex::TrackCode, "54"}, {0, ex::Kyori, "3900"}}, "12"},
            {"sire not in the file", 1, {{0, ex::SireNum, "2222222222"}}, "10"},
            {"zero sire", 1, {{0, ex::SireNum, "0000000000"}, {0, ex::Kyori, "    "}}, "10"},
            {"blank sire", 1, {{0, ex::SireNum, "          "}}, "10"},
            {"blank distance", 1, {{0, ex::Kyori, "    "}}, kFails}});
}

TEST_F(FactorItems21To30, HorseNumberLimitedOverHurdles) {
  CheckAll(CodeUmabanFactor, "24",
           {{"turf", 1, {}, "071"},
            {"dirt 24", 1, {{0, ex::TrackCode, "24"}, {0, ex::Umaban, "16"}}, "161"},
            {"dirt 26, 16", 1, {{0, ex::TrackCode, "26"}, {0, ex::Umaban, "16"}}, "14"},
            {"dirt 26, 14", 1, {{0, ex::TrackCode, "26"}, {0, ex::Umaban, "14"}}, "14"},
            {"hurdle, 07", 1, {{0, ex::TrackCode, "54"}}, "07"},
            {"hurdle, blank", 1, {{0, ex::TrackCode, "54"}, {0, ex::Umaban, "  "}}, kFails}});
}

TEST_F(FactorItems21To30, SymbolOrMonthOfBirth) {
  CheckAll(CodeUmakigoTukiFactor, "25",
           {{"born in April", 1, {}, "041"},
            {"born in December", 1, {{0, ex::BirthDate, "20191201"}}, "121"},
            {"symbol", 1, {{0, ex::HorseSymbolCode, "03"}}, "03"}});
}

TEST_F(FactorItems21To30, MarginInTheEarlierRun) {
  auto diff = [](const char* t) { return std::vector<Set>{{1, ex::TimeDiff, t}}; };
  CheckAll(CodeZensoTimediffFactor, "26",
           {{"first run", 1, {{1, ex::TimeDiff, "-005"}}, "0099"},
            {"0000", 2, diff("0000"), "0099"},
            {"blank", 2, diff("    "), "0099"},
            {"+999", 2, diff("+999"), "0099"},
            {"-999", 2, diff("-999"), "0099"},
            {"9999", 2, diff("9999"), "0099"},
            {"-000", 2, diff("-000"), "0001"},
            {"-001", 2, diff("-001"), "0002"},
            {"-002", 2, diff("-002"), "0003"},
            {"-003", 2, diff("-003"), "0004"},
            {"-004", 2, diff("-004"), "0004"},
            {"-005", 2, diff("-005"), "0005"},
            {"-009", 2, diff("-009"), "0005"},
            {"-010", 2, diff("-010"), "0006"},
            {"-998", 2, diff("-998"), "0006"},
            {"-01A by text order", 2, diff("-01A"), "0006"},
            {"-00A by text order", 2, diff("-00A"), "0099"},
            {"+000 second", 2, {{1, ex::TimeDiff, "+000"}, {1, ex::ArrivalOrder, "02"}, {1, ex::MarginCode, "H  "}},
             "+H  "},
            {"+000 third", 2, {{1, ex::TimeDiff, "+000"}, {1, ex::ArrivalOrder, "03"}, {1, ex::MarginCode, "H  "}},
             "0007"},
            {"+001", 2, diff("+001"), "0008"},
            {"+029", 2, diff("+029"), "0036"},
            {"+050", 2, diff("+050"), "0057"},
            {"+051", 2, diff("+051"), "0099"},
            {"+02A", 2, diff("+02A"), "0099"},
            {"+03A: a number is due", 2, diff("+03A"), kFails},
            {"+04 : the number of its last two", 2, diff("+04 "), "0011"},
            {"+05 ", 2, diff("+05 "), "0012"},
            {"+04.", 2, diff("+04."), "0011"},
            {"after an abnormal run", 3, {{1, ex::TimeDiff, "+001"}, {2, ex::AbnormalityCode, "1"}}, "0008"}});
}

TEST_F(FactorItems21To30, MeetingAndDay) { CheckAll(CodeNichijiFactor, "27", {{"as stored", 1, {}, "0308"}}); }

TEST_F(FactorItems21To30, RegisteredRunnersComparedAsText) {
  auto runners = [](const char* track, const char* tosu) {
    return std::vector<Set>{{0, ex::TrackCode, track}, {0, ex::TorokuTosu, tosu}};
  };
  CheckAll(CodeShussoTosuFactor, "28",
           {{"flat 16", 1, runners("17", "16"), "16"},
            {"flat 05", 1, runners("29", "05"), "08"},
            {"flat 09", 1, runners("00", "09"), "09"},
            {"flat blank", 1, runners("17", "  "), "  "},
            {"hurdle 16", 1, runners("54", "16"), "14"},
            {"hurdle 14", 1, runners("54", "14"), "14"},
            {"hurdle 09", 1, runners("54", "09"), "09"},
            {"hurdle 08", 1, runners("54", "08"), "08"},
            {"track 30 as hurdle", 1, runners("30", "16"), "14"},
            {"blank track as hurdle", 1, runners("  ", "15"), "14"}});
}

// The default earlier run: a turf mile with Last3F 34.5 s, 62.6 km/h.
TEST_F(FactorItems21To30, EarlierLastFurlongsAgainstTheModel) {
  auto ref = [](const char* code) { return std::vector<Set>{{1, ex::FactorCode1, code}}; };
  CheckAll(CodeLapFactor, "29",
           {{"first run", 1, {}, "10"},
            {"62 against 60.5", 2, {}, "12"},
            {"0 at the bottom", 2, ref("LOW0"), "0"},
            {"15 at the top", 2, ref("TOP15"), "15"},
            {"16 gives 10", 2, ref("OVER"), "10"},
            {"-1 gives 10", 2, ref("UNDER"), "10"},
            {"far below the model", 2, ref("SLOW"), "10"},
            {"code not in the model weighs 0", 2, ref("NONE"), "10"},
            {"earlier run on dirt uses the dirt sum", 2, {{1, ex::TrackCode, "24"}}, "14"},
            {"earlier hurdle run: one furlong, 52.2 km/h", 2, {{1, ex::TrackCode, "54"}, {1, ex::Last3F, "138"}},
             "12"},
            {"the surface of the current run plays no part", 2, {{0, ex::TrackCode, "24"}}, "12"},
            {"no last-600 m time", 2, {{1, ex::Last3F, "   "}}, "10"},
            {"skips an abnormal run", 3, {{2, ex::AbnormalityCode, "1"}, {2, ex::Last3F, "   "}}, "12"},
            {"earlier track not a number", 2, {{1, ex::TrackCode, "  "}}, kFails},
            {"earlier time not a number", 2, {{1, ex::Last3F, "3x5"}}, kFails}});
}

TEST_F(FactorItems21To30, OwnEarningsPerRun) {
  auto horse = [](const char* ketto, const char* track = "17") {
    return std::vector<Set>{{0, ex::KettoNum, ketto}, {0, ex::TrackCode, track}};
  };
  CheckAll(CodeBanusiArningFactor, "30",
           {{"ratio 5000", 1, {}, "36"},
            {"dirt 49 reads the flat columns", 1, horse("2020100001", "49"), "36"},
            {"hurdle ratio 1.5: 01 becomes 19", 1, horse("2020100001", "54"), "19"},
            {"zero divisor, 5th run", 5, horse("2020100002"), "5"},
            {"zero divisor, 19th run", 19, horse("2020100002"), "19"},
            {"zero divisor, 25th run", 25, horse("2020100002"), "19"},
            {"hurdle zero divisor, 5th run stays", 5, horse("2020100002", "54"), "5"},
            {"hurdle zero divisor, 2nd run: 19", 2, horse("2020100002", "54"), "19"},
            {"ratio 1: log figure 0 gives 00, then the run", 3, horse("2020100003"), "3"},
            {"hurdle ratio 999999999: 89 becomes 53", 1, horse("2020100003", "54"), "53"},
            {"not in the extract", 1, horse("2020100009"), "10"},
            {"zero horse", 1, horse("0000000000"), "10"},
            {"blank horse", 1, horse("          "), "10"},
            {"negative ratio: no logarithm", 1, horse("2020100004"), kFails}});
}

TEST_F(FactorItems21To30, FailureNamesTheEarlierRun) {
  std::vector<ExRecord> runs(3, DefaultRun());
  runs[1].SetText(ex::TrackCode, "X1");
  StatsLookup stats(dir_.string() + "/");
  const CoderContext context{runs, 3, stats, reference_};
  std::string code;
  const common::Status status = CodeLapFactor(context, code);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find("過去走 2"), std::string::npos) << status.ToString();
}

}  // namespace
}  // namespace radadovur::engine
