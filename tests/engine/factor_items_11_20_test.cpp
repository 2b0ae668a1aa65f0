#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/factor_items_11_20.h"
#include "engine/layout_ex.h"
#include "engine/reference_sums.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "model_fixture.h"

namespace radadovur::engine {
namespace {

constexpr const char* kFails = "fails";

struct Set {
  jvdata::Field field;
  std::string value;
};

// A run as the builder leaves it: blanks everywhere, a normal finish, then the given fields.
ExRecord MakeRun(const std::string& date, const std::string& venue, const std::string& track, std::vector<Set> fields = {}) {
  ExRecord r = *ExRecord::FromBytes(std::string(ex::kLength, ' '));
  r.SetText(ex::Year, date.substr(0, 4));
  r.SetText(ex::MonthDay, date.substr(4));
  r.SetText(ex::VenueCode, venue);
  r.SetText(ex::TrackCode, track);
  r.SetText(ex::AbnormalityCode, "0");
  for (const auto& f : fields) r.SetText(f.field, f.value);
  return r;
}

// A horse's runs, oldest first, with the statistics of `app_path` and a reference model.
struct Horse {
  Horse() = default;
  explicit Horse(std::vector<ExRecord> r) : runs(std::move(r)) {}

  std::vector<ExRecord> runs;
  std::string app_path = "/nonexistent/";
  ReferenceModel reference;

  // The code of run n, or "fails" when the coder fails.
  std::string Code(Coder coder, int n) {
    StatsLookup stats(app_path);
    const CoderContext context{runs, n, stats, reference};
    std::string code = "unset";
    const auto status = coder(context, code);
    return status.ok() ? code : kFails;
  }
};

TEST(FactorItems11To20, BodyWeight) {
  const struct {
    const char* weight;
    const char* code;
  } cases[] = {{"408", "50"}, {"416", "52"}, {"470", "58"}, {"568", "70"}, {"600", "70"},
               {"000", "50"}, {"   ", "50"}, {"350", "50"}};
  for (const auto& c : cases) {
    Horse h({MakeRun("20240106", "05", "17", {{ex::Bataijuu, c.weight}})});
    EXPECT_EQ(h.Code(CodeBataijuuFactor, 1), c.code) << c.weight;
  }
}

TEST(FactorItems11To20, AgeInMonthsBySex) {
  const struct {
    const char* birth;
    const char* race;
    const char* track;
    const char* sex;
    const char* code;
  } cases[] = {
      {"20210101", "20240106", "17", "1", "137"},  // 1100 days: 37 months
      {"20210101", "20230620", "24", "3", "334"},  // 30 months, other sex: 330 joins 334
      {"20210101", "20230620", "54", "2", "240"},  // a hurdle runner younger than 40 months
      {"20210101", "20220824", "10", "1", "127"},  // 600 days: at least 27 on the flat
      {"20210101", "20240629", "10", "1", "143"},  // 1275 days: the first group of three months
      {"20210101", "20290320", "10", "4", "359"},  // 3000 days: at most 90, group 59
      {"20210101", "20230620", "24", "3", "334"},
      {"20230230", "20240106", "17", "1", kFails},  // no such birth date
      {"        ", "20240106", "17", "1", kFails},
      {"20210101", "20241301", "17", "1", kFails},  // no such race date
      {"20210101", "20240106", "  ", "1", kFails},
  };
  for (const auto& c : cases) {
    Horse h({MakeRun(c.race, "05", c.track, {{ex::BirthDate, c.birth}, {ex::SexCode, c.sex}})});
    EXPECT_EQ(h.Code(CodeBareiFactor, 1), c.code) << c.birth << " " << c.race;
  }
}

TEST(FactorItems11To20, IntervalInWeeks) {
  struct Past {
    const char* date;
    const char* venue;
    const char* abnormality;
  };
  const struct {
    const char* name;
    std::vector<Past> runs;  // the last one is the run coded
    const char* code;
  } cases[] = {
      {"first run", {{"20240106", "05", "0"}}, "21020"},
      {"second run five weeks on", {{"20240106", "05", "0"}, {"20240210", "05", "0"}}, "21050"},
      {"three days apart", {{"20240106", "05", "0"}, {"20240109", "05", "0"}}, "21020"},
      // Third run: two weeks after run 2, which came a year after run 1; V stays 2.
      {"third run after a year's rest",
       {{"20230101", "05", "0"}, {"20240106", "05", "0"}, {"20240120", "05", "0"}},
       "21310"},
      {"same venue, two weeks after a 30-week rest",
       {{"20230101", "06", "0"}, {"20230601", "06", "0"}, {"20231228", "05", "0"}, {"20240111", "05", "0"}},
       "11300"},
      {"60 weeks at another venue",
       {{"20230101", "06", "0"}, {"20230601", "06", "0"}, {"20231228", "05", "0"}, {"20250221", "06", "0"}},
       "21520"},
      {"40 weeks: the 27-week band",
       {{"20230101", "06", "0"}, {"20230601", "06", "0"}, {"20231228", "05", "0"}, {"20241003", "05", "0"}},
       "11270"},
      // Run 3 abnormal: measured from run 2, d = 0, so the mark comes from c (run 1 to run 2).
      {"after an abnormal run, the rest before run n - 2",
       {{"20220101", "06", "0"}, {"20230301", "06", "0"}, {"20230308", "05", "1"}, {"20230308", "06", "0"}},
       "11350"},
      {"three weeks, half a year before run n - 2",
       {{"20220101", "06", "0"}, {"20220716", "06", "0"}, {"20220730", "05", "0"}, {"20220820", "05", "0"}},
       "11380"},
      {"an invalid date of an earlier run",
       {{"20220231", "06", "0"}, {"20220716", "06", "0"}, {"20220730", "05", "0"}, {"20220820", "05", "0"}},
       kFails},
  };
  for (const auto& c : cases) {
    Horse h;
    for (const auto& p : c.runs) h.runs.push_back(MakeRun(p.date, p.venue, "17", {{ex::AbnormalityCode, p.abnormality}}));
    EXPECT_EQ(h.Code(CodeRaceKankakuFactor, static_cast<int>(h.runs.size())), c.code) << c.name;
  }
}

TEST(FactorItems11To20, OddsOfTheEarlierRun) {
  const struct {
    const char* odds;
    const char* code;
  } cases[] = {{"0000", "10"}, {"    ", "10"}, {"0010", "10"}, {"0035", "15"}, {"0999", "29"}, {"-005", "10"}};
  for (const auto& c : cases) {
    Horse h({MakeRun("20240106", "05", "17", {{ex::WinOdds, c.odds}}), MakeRun("20240203", "05", "17")});
    EXPECT_EQ(h.Code(CodeZenzenOzzFactor, 2), c.code) << c.odds;
  }
  // The first run, and a run after an abnormal one (measured from the run before that).
  Horse h({MakeRun("20240106", "05", "17", {{ex::WinOdds, "0035"}}),
           MakeRun("20240203", "05", "17", {{ex::WinOdds, "0999"}, {ex::AbnormalityCode, "1"}}),
           MakeRun("20240302", "05", "17")});
  EXPECT_EQ(h.Code(CodeZenzenOzzFactor, 1), "10");
  EXPECT_EQ(h.Code(CodeZenzenOzzFactor, 3), "15");
}

TEST(FactorItems11To20, JockeyAgeAndApprenticeClass) {
  const struct {
    const char* year;
    const char* birth;
    const char* apprentice;
    const char* code;
  } cases[] = {{"2024", "19900101", "0", "0330"}, {"2024", "        ", "3", "0203"},
               {"2024", "20040101", "0", "0200"}, {"2024", "20030101", "1", "0231"},
               {"2024", "19880101", "0", "0380"}, {"2024", "19830101", "0", "0430"},
               {"2024", "19A00101", "0", kFails}, {"    ", "19900101", "0", kFails}};
  for (const auto& c : cases) {
    Horse h({MakeRun(std::string(c.year) + "0106", "05", "17",
                 {{ex::KishuBirthDate, c.birth}, {ex::ApprenticeCode, c.apprentice}})});
    EXPECT_EQ(h.Code(CodeKishuNenreiFactor, 1), c.code) << c.birth;
  }
}

// Item 17: a flat run of 1600 m in 1:34.5 with the last 600 m in 35.0 has an observed pace of
// 60.50 km/h.
class PaceAgainstTheModel : public ::testing::Test {
 protected:
  Horse HorseWithEarlierRun(const char* track, const char* last3f, float turf_pace, float dirt_pace) {
    Horse h({MakeRun("20240106", "05", track, {{ex::Kyori, "1600"}, {ex::RunTime, "1345"}, {ex::Last3F, last3f}}),
             MakeRun("20240203", "05", "17")});
    h.runs[0].SetFactorCode(1, "2024");
    h.runs[1].SetFactorCode(1, "2099");  // the current run's codes must play no part
    AddPace(h.reference.turf, turf_pace);
    AddPace(h.reference.dirt, dirt_pace);
    return h;
  }
  static void AddPace(SurfaceModel& m, float pace) {
    m.category_total[1] = 1;
    m.category_code[1] = {"", "2024     "};
    m.agari_weight[1] = {0, 0};
    m.pace_weight[1] = {0, pace};
  }
};

TEST_F(PaceAgainstTheModel, Codes) {
  const struct {
    const char* name;
    const char* track;
    const char* last3f;
    float turf, dirt;
    const char* code;
  } cases[] = {
      {"turf run, 5 km/h over the model", "17", "350", 55.9f, 0, "15"},
      {"dirt earlier run uses the dirt model: 18 is out of range", "24", "350", 0, 52.3f, "10"},
      {"dirt earlier run within range", "24", "350", 99.0f, 58.0f, "12"},
      {"10 km/h under the model", "17", "350", 70.0f, 0, "0"},
      {"11 km/h under the model", "17", "350", 71.0f, 0, "10"},
      {"6 km/h over", "17", "350", 54.0f, 0, "10"},
      {"no last 600 m time", "17", "   ", 60.0f, 0, "10"},
      {"earlier track not a number", "1X", "350", 60.0f, 0, kFails},
  };
  for (const auto& c : cases) {
    Horse h = HorseWithEarlierRun(c.track, c.last3f, c.turf, c.dirt);
    EXPECT_EQ(h.Code(CodeChoArningFactor, 2), c.code) << c.name;
  }
  Horse first = HorseWithEarlierRun("17", "350", 60.0f, 0);
  EXPECT_EQ(first.Code(CodeChoArningFactor, 1), "10");
}

// The statistics items read STALLION.dat and CHOKYOSEISEI.dat of a program folder of the test's own.
class StatisticsItems : public ::testing::Test {
 protected:
  void SetUp() override { horse_.app_path = folder_.app_path(); }

  // A record of `length` bytes: `key` first, then each column's value.
  static std::string Record(size_t length, const std::string& key, const std::vector<Set>& columns) {
    std::string r(length, ' ');
    r.replace(0, key.size(), key);
    for (const auto& c : columns) r.replace(c.field.offset, c.value.size(), c.value);
    r.replace(length - 2, 2, "\r\n");
    return r;
  }
  void WriteStallion(const std::vector<Set>& columns) {
    folder_.Write("OPTION1N/STALLION.dat", Record(stallion_stats::kLength, "1111111111", {}) +
                                               Record(stallion_stats::kLength, "2222222222", columns));
  }
  void WriteTrainer(const std::vector<Set>& columns) {
    folder_.Write("OPTION1N/CHOKYOSEISEI.dat", Record(seisei_stats::kLength, "01234", columns));
  }
  std::string Code(Coder coder, const std::string& track, std::vector<Set> fields) {
    horse_.runs = {MakeRun("20240106", "05", track, std::move(fields))};
    return horse_.Code(coder, 1);
  }
  static jvdata::Field C(uint32_t k) { return Column(stallion_stats::C, k); }

  testing::TempProgramFolder folder_;
  Horse horse_;
};

TEST_F(StatisticsItems, SireFigure) {
  WriteStallion({{Column(stallion_stats::B, 3), "2500000"}});
  EXPECT_EQ(Code(CodeKishuArningFactor, "17", {{ex::SireNum, "2222222222"}}), "63");
  EXPECT_EQ(Code(CodeKishuArningFactor, "54", {{ex::SireNum, "2222222222"}}), "63");  // whatever the track
  EXPECT_EQ(Code(CodeKishuArningFactor, "17", {{ex::SireNum, "1111111111"}}), "00");  // B3 of 0
  EXPECT_EQ(Code(CodeKishuArningFactor, "17", {{ex::SireNum, "3333333333"}}), "00");  // no record
  EXPECT_EQ(Code(CodeKishuArningFactor, "17", {{ex::SireNum, "0000000000"}}), "00");
  WriteStallion({{Column(stallion_stats::B, 3), "-1"}});
  EXPECT_EQ(Code(CodeKishuArningFactor, "17", {{ex::SireNum, "2222222222"}}), kFails);
}

TEST_F(StatisticsItems, GoingWithTheSiresFigureForIt) {
  WriteStallion({{C(8), "12000"}, {C(10), "40000"}, {C(13), "8000"}, {C(15), "3999"}, {C(19), "4000"}});
  const struct {
    const char* track;
    const char* turf;
    const char* dirt;
    const char* code;
  } cases[] = {
      {"17", "1", "4", "13"},   // turf: the turf going, C8
      {"00", "0", "4", "13"},   // going "0" counts as "1"
      {"22", "3", "1", "310"},  // C10
      {"24", "4", "2", "22"},   // dirt: the dirt going, C13
      {"49", "1", "4", "40"},   // C15
      {"54", "4", "1", "41"},   // hurdle: the turf going, C19
      {"17", "5", "1", "10"},
      {"17", " ", "1", "10"},
      {"1X", "1", "1", kFails},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Code(CodeTenkoBabaFactor, c.track,
                   {{ex::SireNum, "2222222222"}, {ex::TurfBabaCode, c.turf}, {ex::DirtBabaCode, c.dirt}}),
              c.code)
        << c.track << " " << c.turf << " " << c.dirt;
  EXPECT_EQ(Code(CodeTenkoBabaFactor, "17", {{ex::SireNum, "          "}, {ex::TurfBabaCode, "1"}}), "10");
  EXPECT_EQ(Code(CodeTenkoBabaFactor, "17", {{ex::SireNum, "3333333333"}, {ex::TurfBabaCode, "1"}}), "10");
}

TEST_F(StatisticsItems, TrainerFigure) {
  WriteTrainer({{Column(seisei_stats::A, 5), "12000"}, {Column(seisei_stats::A, 6), "40000"},
                {Column(seisei_stats::A, 7), "44000"}});
  const struct {
    const char* track;
    const char* trainer;
    const char* code;
  } cases[] = {
      {"17", "01234", "13"}, {"24", "01234", "110"}, {"49", "01234", "110"}, {"54", "01234", "110"},
      {"17", "00000", "10"}, {"17", "     ", "10"},  {"17", "09999", "10"},  {"  ", "01234", kFails},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Code(CodeTrainerFactor, c.track, {{ex::TrainerCode, c.trainer}}), c.code) << c.track << c.trainer;
  WriteTrainer({{Column(seisei_stats::A, 7), "44000"}});
  EXPECT_EQ(Code(CodeTrainerFactor, "54", {{ex::TrainerCode, "01234"}}), "110");  // 111 above 110
  WriteTrainer({{Column(seisei_stats::A, 5), "-4000"}});
  EXPECT_EQ(Code(CodeTrainerFactor, "17", {{ex::TrainerCode, "01234"}}), kFails);  // "1-1" is no number
}

TEST_F(StatisticsItems, SiresEarningsPerRun) {
  const struct {
    const char* name;
    const char* track;
    std::vector<Set> columns;
    const char* code;
  } cases[] = {
      {"ratio 10000", "17", {{Column(stallion_stats::A, 5), "10"}, {Column(stallion_stats::B, 1), "100000"}}, "40"},
      {"ratio 100 joins 25", "29", {{Column(stallion_stats::A, 5), "10"}, {Column(stallion_stats::B, 1), "1000"}}, "25"},
      {"ratio 1", "17", {{Column(stallion_stats::A, 5), "10"}, {Column(stallion_stats::B, 1), "10"}}, "0"},
      {"ratio below 1 stays negative", "17", {{Column(stallion_stats::A, 5), "10"}, {Column(stallion_stats::B, 1), "5"}}, "-4"},
      {"above 46", "17", {{Column(stallion_stats::A, 5), "1"}, {Column(stallion_stats::B, 1), "100000"}}, "46"},
      {"no runs", "17", {{Column(stallion_stats::B, 1), "100000"}}, "0"},
      {"no earnings", "17", {{Column(stallion_stats::A, 5), "10"}}, "0"},
      {"beyond 29: A6 and B2", "54",
       {{Column(stallion_stats::A, 5), "10"}, {Column(stallion_stats::B, 1), "100000"},
        {Column(stallion_stats::A, 6), "10"}, {Column(stallion_stats::B, 2), "3000"}}, "25"},  // ratio 300: 24
      {"negative earnings", "17", {{Column(stallion_stats::A, 5), "10"}, {Column(stallion_stats::B, 1), "-5"}}, kFails},
  };
  for (const auto& c : cases) {
    WriteStallion(c.columns);
    EXPECT_EQ(Code(CodeFatherArningFactor, c.track, {{ex::SireNum, "2222222222"}}), c.code) << c.name;
  }
  EXPECT_EQ(Code(CodeFatherArningFactor, "17", {{ex::SireNum, "0000000000"}}), "0");
  EXPECT_EQ(Code(CodeFatherArningFactor, "17", {{ex::SireNum, "3333333333"}}), "0");
}

}  // namespace
}  // namespace radadovur::engine
