#include "results/runner_figures.h"

#include <cmath>
#include <limits>

#include "common/convert.h"
#include "common/text_file.h"
#include "engine/layout_ex.h"
#include "results/code_table.h"
#include "results/results_files.h"
#include "results/runner_record.h"
#include "results/text_cut.h"

namespace radadovur::results {
namespace {

// Last `n` characters of an ASCII text.
std::string Right(const std::string& text, size_t n) { return text.size() > n ? text.substr(text.size() - n) : text; }

// Characters `from` (1-based) to `from + count - 1` of an ASCII text, as far as it reaches.
std::string Mid(const std::string& text, size_t from, size_t count) {
  return from - 1 < text.size() ? text.substr(from - 1, count) : std::string();
}

// Two digits of a whole number below 100: the last two of value + 100.
std::string TwoDigits(int64_t value) { return Right(std::to_string(value + 100), 2); }

// Flat races: track codes "00" to "49", compared as text.
bool IsFlat(std::string_view track) { return track >= "00" && track <= "49"; }

// A number right-aligned in two: the last two characters of " " & the whole number of `text`;
// two blanks when the text is not a whole number.
std::string RightAlignedWhole(std::string_view text) {
  const auto value = common::WholeNumber(text);
  if (!value) return "  ";
  return Right(" " + std::to_string(*value), 2);
}

// The bands of the sample counts, bounds included; a count in any band is marked.
struct Band {
  double low, high;
};
constexpr double kAbove = std::numeric_limits<double>::infinity();
constexpr Band kCommonBands[] = {{0, 0}, {1, 5}, {6, 10}, {11, 20}, {21, kAbove}};
constexpr Band kFlatCount1Bands[] = {{0, 0}, {1, 5}, {6, 50}, {51, 100}, {101, kAbove}};

bool InBand(double c, const Band (&bands)[5]) {
  for (const Band& b : bands)
    if (c >= b.low && c <= b.high) return true;
  return false;
}

// Whole part toward zero of a value that fits in 64 bits; nullopt for anything else.
std::optional<int64_t> WholePart(double value) {
  if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return std::nullopt;
  return static_cast<int64_t>(std::trunc(value));
}

// Entry 0 of the record is the listed race (a gap or a horse without expanded records leaves it
// zero bytes; a horse whose entry for this week was dropped by the stale-record rule holds its
// last past run there).
bool HoldsThisWeeksRace(std::string_view runner, std::string_view race_key) {
  const std::string key = rr::Text(runner, rr::Year, 0) + rr::Text(runner, rr::MonthDay, 0) +
                          rr::Text(runner, rr::VenueCode, 0) + rr::Text(runner, rr::RaceNum, 0);
  return !race_key.empty() && key == race_key;
}

}  // namespace

void SizeRaceArrays(ResultsWindowState& state, int32_t n) {
  const auto runners = static_cast<size_t>(std::max(n, 0)) + 1;
  const size_t m = runners - 1;
  const size_t pairs = m * (m > 0 ? m - 1 : 0) + 1;
  const size_t triples = m * (m > 0 ? m - 1 : 0) * (m > 1 ? m - 2 : 0) + 1;
  const auto texts = [](std::vector<std::string>& v, size_t size) { v.assign(size, std::string()); };
  const auto reals = [](std::vector<float>& v, size_t size) { v.assign(size, 0.0f); };

  texts(state.UmatanKaime, pairs);
  texts(state.UmarenKaime, pairs);
  texts(state.SanrentanKaime, triples);
  texts(state.SanrenpukuKaime, triples);
  reals(state.PairSpeedSum, pairs);
  reals(state.TripleSpeedSum, triples);
  reals(state.PairAdjustSum, pairs);
  reals(state.TripleAdjustSum, triples);
  reals(state.PairScore, pairs);
  reals(state.TripleScore, triples);
  reals(state.CombinedSpeed, runners);
  reals(state.SpeedAdjustCopy, runners);
  reals(state.PredSpeed, runners);
  texts(state.RealTimeText, runners);
  reals(state.RankKey, runners);
  texts(state.RankOrder, runners);
  state.ReliabilityMarks.assign(runners, {});
  for (auto* v : {&state.EstTimeText, &state.WakuText, &state.AgeText, &state.HorseNameText, &state.FutanText,
                  &state.KishuText, &state.SexText})
    texts(*v, runners);
  reals(state.ObservedSpeed, runners);
  texts(state.EstL3FText, runners);
  texts(state.TrainerText, runners);
  texts(state.RealL3FText, runners);
  state.PairCount = 0;
  state.TripleCount = 0;
}

void SetReliabilityMarks(ResultsWindowState& state, int32_t row) {
  if (row < 0 || static_cast<size_t>(row) >= state.ReliabilityMarks.size()) return;
  const std::string& runner = state.CurrentRunnerRecord;
  const bool flat = IsFlat(rr::Text(runner, rr::TrackCode, 0));
  for (uint32_t k = 0; k < rr::kSampleCounts; ++k) {
    const double c = common::TextValue(rr::Text(runner, rr::RunnerSampleCounts, k));
    const auto& bands = (k == 1 && flat) ? kFlatCount1Bands : kCommonBands;
    if (c == 0 || InBand(c, bands)) state.ReliabilityMarks[static_cast<size_t>(row)][k] = "A";
  }
}

std::optional<std::string> SpeedToTimeText(float speed, std::string_view distance) {
  if (speed == 0) return std::nullopt;
  float m = static_cast<float>(common::TextValue(distance) / static_cast<double>(speed));
  m = static_cast<float>(static_cast<double>(m) * 60 / 1000);
  const auto minutes = WholePart(m);
  if (!minutes) return std::nullopt;
  std::string text = std::to_string(*minutes) + ".";
  m = static_cast<float>(static_cast<double>(m) - static_cast<double>(*minutes));
  m = static_cast<float>(static_cast<double>(m) * 60);
  const auto seconds = WholePart(m);
  if (!seconds) return std::nullopt;
  text += TwoDigits(*seconds) + ".";
  m = static_cast<float>(static_cast<double>(m) - static_cast<double>(*seconds));
  m = static_cast<float>(static_cast<double>(m) * 100);
  const auto hundredths = WholePart(m);
  if (!hundredths) return std::nullopt;
  return text + TwoDigits(*hundredths);
}

std::optional<double> PopulationStdDev(const std::vector<float>& values, int32_t count) {
  float sum = 0, squares = 0;
  int16_t counted = 0;
  for (int32_t k = 1; k <= count && static_cast<size_t>(k) < values.size(); ++k) {
    const double v = values[static_cast<size_t>(k)];
    sum = static_cast<float>(static_cast<double>(sum) + v);
    squares = static_cast<float>(static_cast<double>(squares) + v * v);
    ++counted;
  }
  if (counted == 0) return std::nullopt;
  const float mean = static_cast<float>(static_cast<double>(sum) / counted);
  const double variance = static_cast<double>(squares) / counted - static_cast<double>(mean) * static_cast<double>(mean);
  // Equal speeds can leave a tiny negative variance: their spread is 0.
  return std::sqrt(std::max(variance, 0.0));
}

std::string EstimatedLastFurlongsText(float speed, std::string_view track_code) {
  if (speed == 0) return std::string();
  const double furlongs = IsFlat(track_code) ? 216000.0 : 72000.0;
  const auto t = WholePart(furlongs / static_cast<double>(speed));
  if (!t) return std::string();
  const std::string digits = std::to_string(*t);
  return Mid(digits, 1, 2) + "." + Mid(digits, 3, 2);
}

void RunnerFigures(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  const int32_t n = std::max(state.RunnerCount, 0);
  SizeRaceArrays(state, n);
  const std::string race_key =
      state.RaceIndex >= 0 && static_cast<size_t>(state.RaceIndex) < state.RaceKeyList.size()
          ? state.RaceKeyList[static_cast<size_t>(state.RaceIndex)]
          : std::string();

  std::string file, runner_name, kaime_name;
  if (n > 0) {
    common::Status named = RaceRunnerFileName(race_key, runner_name);
    if (named.ok()) named = KaimeFileName(race_key, kaime_name);
    if (!named.ok()) {
      failures.Add(std::move(named));
      return;
    }
    common::Status read = common::ReadWholeFile(app_path + runner_name, file);
    if (read.ok()) read = rr::CheckRunnerFile(app_path + runner_name, file);
    if (!read.ok()) {
      // Figures from a shifted record would be another horse's: the race is left without them.
      failures.Add(std::move(read));
      file.clear();
    }
  }

  std::string kaime_lines;
  std::string race_record;  // the last runner record that holds this week's race
  for (int32_t i = 1; i <= n; ++i) {
    const auto at = static_cast<size_t>(i - 1) * rr::kLength;
    state.CurrentRunnerRecord = at + rr::kLength <= file.size() ? file.substr(at, rr::kLength) : rr::EmptyRecord();
    const std::string& runner = state.CurrentRunnerRecord;
    const auto x = static_cast<size_t>(i);
    const bool gap = rr::IsGap(runner);

    const float combined = rr::Real(runner, rr::RunSpeedResults, engine::ex::kCombinedSoha, 0);
    const float adjust = rr::Real(runner, rr::SpeedAdjust, 0);
    state.CombinedSpeed[x] = combined;
    state.SpeedAdjustCopy[x] = adjust;
    state.PredSpeed[x] = combined + adjust;
    state.ObservedSpeed[x] = rr::Real(runner, rr::RunSpeedResults, engine::ex::kObservedSohaCode, 0);
    const float last_furlongs = rr::Real(runner, rr::RunSpeedResults, engine::ex::kPredictedAgariCode, 0);

    const std::string track = rr::Text(runner, rr::TrackCode, 0);
    if (!gap) {
      const std::string run_time = rr::Text(runner, rr::RunTime, 0);
      state.RealTimeText[x] = (run_time == "    " || run_time == "0000")
                                  ? "    "
                                  : Mid(run_time, 1, 1) + "." + Mid(run_time, 2, 2) + "." + Mid(run_time, 4, 1) + " ";
      const std::string last3f = rr::Text(runner, rr::Last3F, 0);
      state.RealL3FText[x] = Mid(last3f, 1, 2) + "." + Mid(last3f, 3, 1) + " ";
      state.WakuText[x] = rr::Text(runner, rr::Wakuban, 0);
      state.HorseNameText[x] = rr::Text(runner, rr::HorseName);
      state.TrainerText[x] = rr::Text(runner, rr::TrainerName, 0);
      state.KishuText[x] = rr::Text(runner, rr::KishuName, 0);
      const std::string futan = rr::Text(runner, rr::Futanjuryou);
      state.FutanText[x] = Mid(futan, 1, 2) + "." + Mid(futan, 3, 1);
      state.SexText[x] = std::string(
          Cp932Left(LookupCodeTable(state.CodeTable, kCodeSex, rr::SexCode.Of(runner), 2), 1));
      state.AgeText[x] = rr::Text(runner, rr::RunnerAge);
      SetReliabilityMarks(state, i);
      state.EstL3FText[x] = EstimatedLastFurlongsText(last_furlongs, track);
      state.TimeSpeed = state.PredSpeed[x];
      state.EstTimeText[x] = SpeedToTimeText(state.TimeSpeed, rr::Text(runner, rr::Kyori, 0)).value_or(std::string());
    }

    if (x < kFixedRunnerSlots) {
      state.ArrivalText[x] = RightAlignedWhole(rr::Text(runner, rr::ArrivalOrder, 0));
      const std::string final_order = rr::Text(runner, rr::FinalOrder, 0);
      state.PlaceMark[x] = (final_order >= "01" && final_order <= "05") ? final_order : "**";
      state.PopularityText[x] = RightAlignedWhole(rr::Text(runner, rr::WinPopularity, 0));
    }

    common::CsvLine line;
    line.Text(race_key).Whole(i).Number(state.PredSpeed[x]).Number(state.CombinedSpeed[x]).Number(state.SpeedAdjustCopy[x]);
    kaime_lines += line.Str();
    if (HoldsThisWeeksRace(runner, race_key)) race_record = runner;
  }
  // The writers take the race's id, track and registered count from CurrentRunnerRecord: a gap,
  // a horse without expanded records or a stale one as the last runner would give them zero
  // bytes or another race's.
  if (!race_record.empty()) state.CurrentRunnerRecord = std::move(race_record);
  if (!kaime_lines.empty()) failures.Add(common::AppendToFile(app_path + kaime_name, kaime_lines));

  state.PredSpeedSd = PredSpeedSpread(state.PredSpeed, n);
  if (state.RaceIndex >= 0 && static_cast<size_t>(state.RaceIndex) < state.RaceTable.size())
    state.RaceTable[static_cast<size_t>(state.RaceIndex)][kColSdValue] = SdCellText(state.PredSpeedSd);
}

float PredSpeedSpread(const std::vector<float>& pred_speed, int32_t n) {
  // The spread of the predicted speeds in metres per minute.
  const auto sd = static_cast<float>(PopulationStdDev(pred_speed, n).value_or(0.0));
  return static_cast<float>(WholePart(static_cast<double>(sd) * 16.666).value_or(0));
}

std::string SdCellText(float spread) { return Right(" " + std::to_string(static_cast<int64_t>(spread)), 2); }

std::string RaceSdCellText(std::string_view runner_file) {
  const auto n = static_cast<int32_t>(runner_file.size() / rr::kLength);
  std::vector<float> pred_speed(static_cast<size_t>(n) + 1, 0.0f);
  for (int32_t i = 1; i <= n; ++i) {
    const std::string_view runner = runner_file.substr(static_cast<size_t>(i - 1) * rr::kLength, rr::kLength);
    pred_speed[static_cast<size_t>(i)] = rr::Real(runner, rr::RunSpeedResults, engine::ex::kCombinedSoha, 0) +
                                         rr::Real(runner, rr::SpeedAdjust, 0);
  }
  return SdCellText(PredSpeedSpread(pred_speed, n));
}

}  // namespace radadovur::results
