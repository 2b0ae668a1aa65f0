#include <gtest/gtest.h>

#include <string>

#include "engine/observed_speeds.h"

namespace radadovur::engine {
namespace {

constexpr const char* kFails = "fails";

struct TimedRun {
  const char* name;
  const char* track;
  const char* kyori;
  const char* run_time;
  const char* last3f;
  const char* agari;
  const char* pace;
  const char* soha;
};

void Check(const TimedRun& run) {
  ExRecord r;
  r.SetText(ex::TrackCode, run.track);
  r.SetText(ex::Kyori, run.kyori);
  r.SetText(ex::RunTime, run.run_time);
  r.SetText(ex::Last3F, run.last3f);
  const std::string before = r.bytes();
  const struct {
    const char* speed;
    std::optional<std::string> (*fn)(const ExRecord&, std::string*);
    const char* expected;
  } speeds[] = {{"agari", ObservedAgariSpeed, run.agari}, {"pace", ObservedPaceSpeed, run.pace},
                {"soha", ObservedSohaSpeed, run.soha}};
  for (const auto& s : speeds) {
    std::string error;
    const auto code = s.fn(r, &error);
    if (std::string(s.expected) == kFails) {
      EXPECT_FALSE(code) << run.name << " " << s.speed << ": " << code.value_or("");
      EXPECT_FALSE(error.empty()) << run.name << " " << s.speed;
    } else {
      EXPECT_EQ(code.value_or("(failed: " + error + ")"), s.expected) << run.name << " " << s.speed;
    }
  }
  EXPECT_EQ(r.bytes(), before) << run.name;  // reading a record changes nothing
}

TEST(ObservedSpeeds, FlatAndHurdleRuns) {
  const TimedRun runs[] = {
      // 600 m in 34.5 s; the rest, 1000 m, in 60.0 s; 1600 m in 94.5 s.
      {"flat mile", "17", "1600", "1345", "345", "6260869", "6000000", "6095238"},
      {"dirt", "24", "2000", "2003", "339", "6371681", "5833333", "5985037"},
      // Hurdle: Last3F is the average furlong; the pace runs to the last 200 m.
      {"hurdle", "54", "3000", "3200", "138", "5217391", "5413533", "5400000"},
      {"hurdle 51", "51", "3000", "3200", "138", "5217391", "5413533", "5400000"},
      {"hurdle 59", "59", "3000", "3200", "138", "5217391", "5413533", "5400000"},
      {"flat 01", "01", "1600", "1345", "345", "6260869", "6000000", "6095238"},
      {"flat 29", "29", "1600", "1345", "345", "6260869", "6000000", "6095238"},
      // In single precision 1000 / 568 × 36 is 63.38027..., in double 63.38028...
      {"single precision", "17", "1600", "1345", "377", "5729442", "6338027", "6095238"},
  };
  for (const auto& run : runs) Check(run);
}

TEST(ObservedSpeeds, MissingTimesAndOtherTracks) {
  const TimedRun runs[] = {
      {"this week's entry", "17", "1600", "0000", "000", "0000000", "0000000", "0000000"},
      {"no last 3F", "17", "1600", "1345", "   ", "       ", "       ", "6095238"},
      {"no time at all", "17", "1600", "    ", "   ", "       ", "       ", "0000000"},
      {"no run time", "17", "1600", "0000", "345", "6260869", "0000000", "0000000"},
      {"track 00", "00", "1600", "1345", "345", "0000000", "0000000", "6095238"},
      {"track 30", "30", "1600", "1345", "345", "0000000", "0000000", "6095238"},
      {"track 50", "50", "3000", "3200", "138", "0000000", "0000000", "5400000"},
      {"no track", "  ", "1600", "1345", "345", "0000000", "0000000", "6095238"},
  };
  for (const auto& run : runs) Check(run);
}

TEST(ObservedSpeeds, OutOfRangeSpeedsAreClampedAndBadNumbersFail) {
  const TimedRun runs[] = {
      // The run time is shorter than the last 600 m: a negative pace reads 0, not 95 km/h.
      {"negative pace", "17", "1600", "0300", "345", "6260869", "0000000", "9999999"},
      // 232 km/h of pace and 115.2 km/h over the race are beyond the code's 99.99999.
      {"too fast", "17", "1600", "0500", "345", "6260869", "9999999", "9999999"},
      {"last 3F not a number", "17", "1600", "1345", "3a5", kFails, kFails, "6095238"},
      {"distance missing", "17", "    ", "1345", "345", "6260869", kFails, kFails},
      {"run time not a number", "17", "1600", "1x45", "345", "6260869", kFails, kFails},
      {"pace over no time", "17", "1600", "0345", "345", "6260869", kFails, "9999999"},
  };
  for (const auto& run : runs) Check(run);
}

}  // namespace
}  // namespace radadovur::engine
