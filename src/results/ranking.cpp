#include "results/ranking.h"

#include <cmath>
#include <utility>

#include "common/convert.h"
#include "common/text_file.h"
#include "results/results_files.h"
#include "results/runner_figures.h"
#include "results/text_cut.h"

namespace radadovur::results {
namespace {

std::string Right(const std::string& text, size_t n) { return text.size() > n ? text.substr(text.size() - n) : text; }

const std::string& At(const std::vector<std::string>& v, int32_t i) {
  static const std::string kNone;
  return i >= 0 && static_cast<size_t>(i) < v.size() ? v[static_cast<size_t>(i)] : kNone;
}

const std::string& RankOf(const ResultsWindowState& state, int32_t i) {
  static const std::string kNone;
  return i >= 0 && i < kFixedRunnerSlots ? state.PredRank[static_cast<size_t>(i)] : kNone;
}

// Age right-aligned in two: the last two characters of two blanks & the whole number of the text.
std::string AgeField(const std::string& age) {
  const auto value = common::WholeNumber(age);
  return value ? Right("  " + std::to_string(*value), 2) : std::string();
}

// Metres per minute right-aligned in four.
std::string SpeedField(float speed) {
  const double mpm = static_cast<double>(speed) * 16.666;
  if (!std::isfinite(mpm) || std::fabs(mpm) >= 9.2e18) return std::string();
  return Right(" " + std::to_string(static_cast<int64_t>(std::trunc(mpm))), 4);
}

// Fields 1 to 8, shared by both files.
common::CsvLine Head(const ResultsWindowState& state, int32_t i) {
  common::CsvLine line;
  line.Whole(i);
  line.Text(At(state.WakuText, i)).Text(Right(" " + std::to_string(i), 2)).Text(RankOf(state, i));
  line.Text(At(state.SexText, i)).Text(AgeField(At(state.AgeText, i)));
  line.Text(Cp932Left(At(state.HorseNameText, i), 9)).Text(At(state.FutanText, i));
  return line;
}

}  // namespace

void SortKeysDescending(std::vector<float>& keys, std::vector<std::string>& items, int lo, int hi) {
  if (hi < lo || lo < 0 || static_cast<size_t>(hi) >= keys.size() || static_cast<size_t>(hi) >= items.size()) return;
  const auto k = [&](int at) -> float& { return keys[static_cast<size_t>(at)]; };
  const float pivot = k((lo + hi) / 2);
  int i = lo, j = hi;
  while (true) {
    while (k(i) > pivot) ++i;
    while (k(j) < pivot) --j;
    if (i >= j) break;
    std::swap(k(i), k(j));
    std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
    ++i;
    --j;
  }
  if (lo < i - 1) SortKeysDescending(keys, items, lo, i - 1);
  if (j + 1 < hi) SortKeysDescending(keys, items, j + 1, hi);
}

void RankRunners(ResultsWindowState& state, common::StepFailures& failures) {
  const int32_t n = std::max(state.RunnerCount, 0);
  state.RankKey.resize(static_cast<size_t>(n) + 1);
  state.RankOrder.resize(static_cast<size_t>(n) + 1);
  for (int32_t i = 1; i <= n; ++i) {
    const auto x = static_cast<size_t>(i);
    state.RankOrder[x] = Right(std::to_string(i + 100), 2);
    state.RankKey[x] = x < state.PredSpeed.size() ? state.PredSpeed[x] : 0.0f;
  }
  SortKeysDescending(state.RankKey, state.RankOrder, 1, n);
  for (int32_t r = 1; r <= n; ++r) {
    const std::string& horse = state.RankOrder[static_cast<size_t>(r)];
    const auto number = common::WholeNumber(horse);
    if (!number || *number < 0 || *number >= kFixedRunnerSlots) {
      failures.Add(common::Status::InvalidArgument("PredRank", "馬番 " + horse + " は18を超えるため予想順位を持てません"));
      continue;
    }
    state.PredRank[static_cast<size_t>(*number)] = Right(" " + std::to_string(r), 2);
  }
}

std::string RunnerSortLine(const ResultsWindowState& state, int32_t i) {
  common::CsvLine line = Head(state, i);
  const auto x = static_cast<size_t>(i);
  const bool gap = IsGapRunner(state, i);
  for (size_t k = 0; k < 4; ++k)
    line.Text(x < state.ReliabilityMarks.size() ? state.ReliabilityMarks[x][k] : std::string());
  line.Text(Cp932Left(At(state.KishuText, i), 4)).Text(At(state.EstTimeText, i));
  line.Text(gap || x >= state.PredSpeed.size() ? std::string() : SpeedField(state.PredSpeed[x]));
  return line.Str();
}

std::string LupSortLine(const ResultsWindowState& state, int32_t i) {
  common::CsvLine line = Head(state, i);
  line.Text(Cp932Left(At(state.KishuText, i), 4)).Text(Cp932Left(At(state.TrainerText, i), 4));
  line.Text(At(state.EstTimeText, i)).Text(At(state.EstL3FText, i));
  return line.Str();
}

void WriteRunnerSortFiles(const std::string& app_path, const ResultsWindowState& state, common::StepFailures& failures) {
  const std::string& key = At(state.RaceKeyList, state.RaceIndex);
  std::string sort, lup;
  for (int32_t i = 1; i <= state.RunnerCount; ++i) {
    sort += RunnerSortLine(state, i);
    lup += LupSortLine(state, i);
  }
  std::string sort_name, lup_name;
  common::Status named = RunnerSortFileName(key, sort_name);
  if (named.ok()) named = LupSortFileName(key, lup_name);
  if (!named.ok()) {
    failures.Add(std::move(named));
    return;
  }
  failures.Add(WriteWholeFile(app_path, sort_name, sort));
  failures.Add(WriteWholeFile(app_path, lup_name, lup));
}

}  // namespace radadovur::results
