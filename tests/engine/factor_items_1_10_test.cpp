#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/coder_support.h"
#include "engine/factor_coders.h"
#include "engine/factor_items_1_10.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "engine/weight_model.h"
#include "engine_fixture.h"

namespace radadovur::engine {
namespace {

using testing::Run;
using testing::Set;
using testing::TempProgramFolder;

// A run every case starts from: 2024-05-12 at venue 05, turf track 17, 1600 m.
std::vector<Set> BaseRun() {
  return {{ex::DataCategory, "7"},    {ex::Year, "2024"},       {ex::MonthDay, "0512"},  {ex::VenueCode, "05"},
          {ex::RaceNum, "11"},        {ex::TrackCode, "17"},    {ex::WeekdayCode, "1"},  {ex::Wakuban, "3"},
          {ex::Umaban, "07"},         {ex::Kyori, "1600"},      {ex::GradeCode, "C"},    {ex::AbnormalityCode, "0"},
          {ex::Honshokin, "00000000"}, {ex::SexCode, "1"},      {ex::Futanjuryou, "550"}, {ex::Bataijuu, "470"},
          {ex::RaceSymbolCode, "N2 "}, {ex::ConditionCode, "701", 4}, {ex::KettoNum, "2020100001"},
          {ex::KishuCode, "01001"}};
}

ExRecord MakeRun(const std::vector<Set>& overrides) {
  ExRecord r = Run({});
  for (const auto& list : {BaseRun(), overrides})
    for (const Set& s : list) r.SetText(s.field, s.value, s.i);
  return r;
}

std::string StatsRecord(size_t length, std::string key, std::vector<std::pair<jvdata::Field, std::string>> columns) {
  std::string r(length, ' ');
  r.replace(0, key.size(), key);
  for (const auto& [f, v] : columns) r.replace(f.offset, v.size(), v);
  r.replace(length - 2, 2, "\r\n");
  return r;
}

class FactorItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("OPTION1N/KISHUSEISEI.dat",
                   StatsRecord(seisei_stats::kLength, "01001",
                               {{Column(seisei_stats::A, 5), "012000"},
                                {Column(seisei_stats::A, 6), "060000"},
                                {Column(seisei_stats::A, 7), "004000"}}));
    folder_.Write("OPTION1N/KYOSOBATHISWEEK.dat",
                   StatsRecord(kyosoba_stats::kLength, "2020100001",
                               {{Column(kyosoba_stats::A, 1), "041000"}, {Column(kyosoba_stats::C, 7), "008000"}}));
  }

  // Codes the last of `runs` with `coder`; nullopt on a failure (whose text must name a run).
  std::optional<std::string> Code(Coder coder, const std::vector<ExRecord>& runs) {
    StatsLookup stats(folder_.app_path());
    CoderContext context{runs, static_cast<int>(runs.size()), stats, reference_};
    std::string code = "stale";
    const common::Status status = coder(context, code);
    if (!status.ok()) {
      EXPECT_NE(status.ToString().find("過去走 "), std::string::npos) << status.ToString();
      return std::nullopt;
    }
    return code;
  }

  TempProgramFolder folder_;
  ReferenceModel reference_;
};

constexpr const char* kFails = nullptr;

struct Case {
  const char* name;
  Coder coder;
  std::vector<std::vector<Set>> runs;  // overrides of the base run, oldest first; the last is coded
  const char* expected;                // kFails: the coder fails
};

TEST_F(FactorItemsTest, CodesAsTabled) {
  const Case cases[] = {
      {"year", CodeYearFactor, {{}}, "2024"},
      {"kijun turf 17 by bracket", CodeKijunSpeedFactor, {{}}, "51317"},
      {"kijun track 10 by horse number", CodeKijunSpeedFactor,
       {{{ex::VenueCode, "06"}, {ex::WeekdayCode, "2"}, {ex::TrackCode, "10"}}}, "620710"},
      {"kijun hurdle", CodeKijunSpeedFactor, {{{ex::VenueCode, "09"}, {ex::TrackCode, "54"}}}, "9541"},
      {"kijun 21 stores 17", CodeKijunSpeedFactor, {{{ex::TrackCode, "21"}}}, "51317"},
      {"kijun 22 stores 18", CodeKijunSpeedFactor, {{{ex::TrackCode, "22"}}}, "51318"},
      {"kijun dirt holds no track", CodeKijunSpeedFactor, {{{ex::TrackCode, "25"}}}, "513"},
      {"kijun 13: track before weekday", CodeKijunSpeedFactor, {{{ex::TrackCode, "13"}}}, "5131"},
      {"kijun venue 10, weekday 3", CodeKijunSpeedFactor, {{{ex::VenueCode, "10"}, {ex::WeekdayCode, "3"}}}, "A2317"},
      {"kijun blank weekday", CodeKijunSpeedFactor, {{{ex::WeekdayCode, " "}}}, kFails},
      {"kijun blank track", CodeKijunSpeedFactor, {{{ex::TrackCode, "  "}}}, kFails},
      {"corner first run", CodeZensoKyoriCornerFactor, {{}}, "70101"},
      {"corner longer after grade C turf", CodeZensoKyoriCornerFactor,
       {{{ex::Kyori, "1800"}}, {{ex::Kyori, "2000"}}}, "C12"},
      {"corner same distance after dirt 24, blank grade", CodeZensoKyoriCornerFactor,
       {{{ex::Kyori, "1200"}, {ex::TrackCode, "24"}, {ex::GradeCode, " "}}, {{ex::Kyori, "1200"}}}, " 2D"},
      {"corner shorter after hurdle", CodeZensoKyoriCornerFactor,
       {{{ex::Kyori, "3000"}, {ex::TrackCode, "54"}}, {}}, "C31"},
      {"corner after data category A", CodeZensoKyoriCornerFactor, {{{ex::DataCategory, "A"}}, {}}, "CAD"},
      {"corner second run after abnormal first", CodeZensoKyoriCornerFactor,
       {{{ex::AbnormalityCode, "1"}, {ex::Kyori, "1400"}}, {}}, "C12"},
      {"corner run 4 after abnormal 3 uses abnormal 2", CodeZensoKyoriCornerFactor,
       {{}, {{ex::AbnormalityCode, "4"}, {ex::GradeCode, "B"}}, {{ex::AbnormalityCode, "1"}}, {}}, "B1D"},
      {"futan as stored", CodeFutanjuryouFactor, {{{ex::Futanjuryou, "5 0"}}}, "5 0"},
      {"prize first run", CodeRuikeiHonshokinFactor, {{}}, "00"},
      {"prize no money yet", CodeRuikeiHonshokinFactor, {{}, {}}, "00"},
      {"prize 52000", CodeRuikeiHonshokinFactor,
       {{{ex::Honshokin, "00050000"}}, {{ex::Honshokin, "00002000"}}, {{ex::Honshokin, "99999999"}}}, "47"},
      {"prize 3", CodeRuikeiHonshokinFactor, {{{ex::Honshokin, "00000003"}}, {}}, "4"},
      {"prize 1", CodeRuikeiHonshokinFactor, {{{ex::Honshokin, "00000001"}}, {}}, "00"},
      {"prize ten million", CodeRuikeiHonshokinFactor, {{{ex::Honshokin, "10000000"}}, {}}, "66"},
      {"prize counts runs older than four", CodeRuikeiHonshokinFactor,
       {{{ex::Honshokin, "00000100"}}, {}, {}, {}, {}, {}}, "20"},
      {"prize blank in an earlier run", CodeRuikeiHonshokinFactor, {{{ex::Honshokin, "        "}}, {}}, kFails},  // names run 1
      {"symbol turf", CodeKyosokigoFactor, {{}}, "N2"},
      {"symbol dirt 24 N2 becomes N0", CodeKyosokigoFactor, {{{ex::TrackCode, "24"}}}, "N0"},
      {"symbol dirt 25 stays", CodeKyosokigoFactor, {{{ex::TrackCode, "25"}}}, "N2"},
      {"jockey turf", CodeKishuFukushoFactor, {{}}, "13"},
      {"jockey dirt 60000 limited", CodeKishuFukushoFactor, {{{ex::TrackCode, "29"}}}, "19"},
      {"jockey hurdle", CodeKishuFukushoFactor, {{{ex::TrackCode, "51"}}}, "11"},
      {"jockey unknown", CodeKishuFukushoFactor, {{{ex::KishuCode, "09999"}}}, "11"},
      {"jockey null code", CodeKishuFukushoFactor, {{{ex::KishuCode, "00000"}, {ex::TrackCode, "  "}}}, "11"},
      {"horse flat", CodeKyosobaFukushorituFactor, {{{ex::TrackCode, "49"}}}, "10"},
      {"horse hurdle", CodeKyosobaFukushorituFactor, {{{ex::TrackCode, "51"}}}, "2"},
      {"horse unknown", CodeKyosobaFukushorituFactor, {{{ex::KettoNum, "2020109999"}}}, "10"},
      {"horse blank id", CodeKyosobaFukushorituFactor, {{{ex::KettoNum, ""}}}, "10"},
      {"runs first", CodeRaceSuuFactor, {{}}, "001"},
      {"runs second", CodeRaceSuuFactor, {{}, {}}, "001"},
      {"runs third", CodeRaceSuuFactor, {{}, {}, {}}, "002"},
      {"weight share colt", CodeFutanJuuryorituFactor, {{}}, "104"},
      {"weight share filly", CodeFutanJuuryorituFactor, {{{ex::SexCode, "2"}}}, "304"},
      {"weight share gelding", CodeFutanJuuryorituFactor, {{{ex::SexCode, "3"}}}, "104"},
      {"no body weight", CodeFutanJuuryorituFactor, {{{ex::Bataijuu, "000"}}}, "100"},
      {"no body weight, filly", CodeFutanJuuryorituFactor, {{{ex::Bataijuu, "000"}, {ex::SexCode, "2"}}}, "100"},
      {"light horse limited to 114", CodeFutanJuuryorituFactor, {{{ex::Bataijuu, "300"}}}, "114"},
      {"heavy horse limited to 96", CodeFutanJuuryorituFactor, {{{ex::Bataijuu, "600"}, {ex::Futanjuryou, "480"}}},
       "096"},
      {"filly at 100 per mille", CodeFutanJuuryorituFactor,
       {{{ex::SexCode, "2"}, {ex::Bataijuu, "450"}, {ex::Futanjuryou, "500"}}}, "100"},
  };
  for (const Case& c : cases) {
    std::vector<ExRecord> runs;
    for (const auto& overrides : c.runs) runs.push_back(MakeRun(overrides));
    const auto code = Code(c.coder, runs);
    if (c.expected == kFails) {
      EXPECT_FALSE(code) << c.name << ": " << code.value_or("");
    } else {
      EXPECT_EQ(code.value_or("<failed>"), c.expected) << c.name;
    }
  }
}

TEST_F(FactorItemsTest, RaceCountLimitedTo60) {
  for (const auto& [n, expected] : std::vector<std::pair<int, std::string>>{{60, "059"}, {61, "060"}, {75, "060"}}) {
    const std::vector<ExRecord> runs(static_cast<size_t>(n), MakeRun({}));
    EXPECT_EQ(Code(CodeRaceSuuFactor, runs).value_or("<failed>"), expected) << n;
  }
}

TEST(EarlierRunTest, SkipsOneAbnormalRunOnly) {
  const ExRecord normal = MakeRun({}), abnormal = MakeRun({{ex::AbnormalityCode, "1"}});
  StatsLookup stats("/nonexistent/");
  ReferenceModel reference;
  const struct {
    std::vector<ExRecord> runs;
    int expected;
  } cases[] = {{{normal, normal}, 1},
               {{abnormal, normal}, 1},
               {{normal, normal, normal}, 2},
               {{normal, abnormal, normal}, 1},
               {{normal, abnormal, abnormal, normal}, 2},
               {{abnormal, abnormal, abnormal, normal}, 2}};
  for (const auto& c : cases) {
    CoderContext context{c.runs, static_cast<int>(c.runs.size()), stats, reference};
    EXPECT_EQ(EarlierRun(context, context.current), c.expected) << c.runs.size();
  }
}

TEST(CoderSupportTest, FailuresNameTheFieldAndTheRun) {
  const std::vector<ExRecord> runs = {MakeRun({{ex::TrackCode, "1A"}, {ex::BirthDate, "20210230"}})};
  StatsLookup stats("/nonexistent/");
  ReferenceModel reference;
  CoderContext context{runs, 1, stats, reference};
  int64_t out = 0;
  const common::Status track = TrackNumberOf(context, 1, out);
  ASSERT_FALSE(track.ok());
  EXPECT_NE(track.ToString().find("過去走 1（"), std::string::npos) << track.ToString();
  EXPECT_NE(track.ToString().find("\"1A\""), std::string::npos) << track.ToString();

  EXPECT_FALSE(DayNumberOf(context, 1, "BirthDate", runs[0].Text(ex::BirthDate), out).ok());
  ASSERT_TRUE(DayNumberOf(context, 1, "BirthDate", "20240229", out).ok());
  int64_t race = 0;
  ASSERT_TRUE(RaceDayNumberOf(context, 1, race).ok());
  EXPECT_EQ(race - out, 73);  // 2024-02-29 to 2024-05-12

  EXPECT_FALSE(LogFigureOf(context, 1, "ratio", 0.0, out).ok());
  ASSERT_TRUE(LogFigureOf(context, 1, "ratio", 10000.0, out).ok());
  EXPECT_EQ(out, 40);
  EXPECT_EQ(LastDigits(1104, 3), "104");
  EXPECT_EQ(NumberCode(-3), "-3");
}

TEST(FactorCodersTest, EveryItemHasItsCoder) {
  const auto& coders = FactorCoders();
  EXPECT_EQ(coders[0], nullptr);
  for (int i = 1; i <= kCoderCount; ++i) EXPECT_NE(coders[static_cast<size_t>(i)], nullptr) << i;
  EXPECT_EQ(coders[1], &CodeYearFactor);
  EXPECT_EQ(coders[10], &CodeFutanJuuryorituFactor);
}

}  // namespace
}  // namespace radadovur::engine
