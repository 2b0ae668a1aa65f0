#pragma once
#include <array>
#include <cstddef>
#include <string_view>

#include "common/names.h"

// The week's steps that the week's record keeps, in one table: each step with its word in the
// record, its name as shown, what runs it, the steps it reads from, the files it needs and the
// steps that read it. The record, the gate and the refusals all take them from here.
namespace radadovur::steps {

// The steps the record keeps, in the week's order (the table's rows, checked below).
enum class WeekStep {
  kDownload,         // ①
  kStructure,        // ②
  kCancellation,     // the cancellation processing after ②, when it is chosen
  kDayBefore,        // ④
  kPredict,          // ⑤
  kResults,          // ⑥
  kRealtimeOdds,     // the realtime odds (after ②)
  kRealtimeResults,  // the realtime results (after ⑥)
};

// A step whose files later steps need: what its files are called in a message and the button
// that runs it. `order` puts the week's steps in their order.
struct ProducerStep {
  int order;
  std::string_view files;
  std::string_view button;
};

// A file of the program folder a step needs, and the step that writes it.
struct NeededFile {
  std::string_view name;
  WeekStep from;
};

inline constexpr size_t kMaxLinks = 3;

struct WeekStepRow {
  WeekStep step;
  std::string_view key;   // its word in the record
  std::string_view name;  // as a message names it ("構造体処理は行いませんでした")
  ProducerStep producer;  // its files and its button, as a refusal of a later step names them
  std::array<WeekStep, kMaxLinks> reads{};  // the steps it reads from directly (the first `reads_count`)
  size_t reads_count = 0;
  std::array<NeededFile, kMaxLinks> needs{};  // the files it always needs (the first `needs_count`)
  size_t needs_count = 0;
  std::array<WeekStep, kMaxLinks> readers{};  // the steps that read its output directly
  size_t readers_count = 0;
};

namespace week_table {
namespace names = common::names;
using enum WeekStep;

// The cancellation is optional: ④ and the realtime odds read the store as ② or, when it ran, as
// the cancellation left it. Further files that depend on the week (the payouts once the results
// are final, ⑤'s expanded records) each step asks for itself.
inline constexpr std::array kWeekSteps = {
    WeekStepRow{kDownload, "download", "今週開催取得", {1, "今週開催取得のファイル", "①今週開催取得"},
                {}, 0, {}, 0, {kStructure}, 1},
    WeekStepRow{kStructure, "structure", "構造体処理", {2, "構造体処理のファイル", "②構造・中止処理"},
                {kDownload}, 1, {{{names::kRaThisWeek, kDownload}, {names::kSeThisWeek, kDownload}}}, 2,
                {kCancellation, kDayBefore, kRealtimeOdds}, 3},
    WeekStepRow{kCancellation, "cancel", "中止処理", {3, "中止処理のファイル", "②構造・中止処理（中止処理を選択して）"},
                {kStructure}, 1,
                {{{names::kRaNewD, kStructure}, {names::kSeNewD, kStructure}, {names::kKettoNumList, kStructure}}}, 3,
                {kDayBefore, kRealtimeOdds}, 2},
    WeekStepRow{kDayBefore, "daybefore", "前日固定", {4, "前日固定のファイル", "④前日固定"},
                {kStructure, kCancellation}, 2, {{{names::kKettoNumList, kStructure}, {names::kRaNew, kStructure}}}, 2,
                {kPredict}, 1},
    WeekStepRow{kPredict, "predict", "計算", {5, "今週の⑤計算のファイル", "⑤計算"},
                {kDayBefore}, 1,
                {{{names::kKettoNumList, kStructure}, {names::kRaNew, kStructure}, {names::kUmNew, kStructure}}}, 3,
                {kResults}, 1},
    WeekStepRow{kResults, "results", "予想･結果", {6, "予想･結果のファイル", "⑥予想・結果"},
                {kPredict}, 1, {{{names::kRaNew, kStructure}, {names::kSeNew, kStructure}}}, 2,
                {kRealtimeResults}, 1},
    WeekStepRow{kRealtimeOdds, "realtime-odds", "速報オッズ取得",
                {7, "速報オッズのファイル", "Ⅰ　速報情報(一括）の「Ⅱ　速報オッズ情報」"},
                {kStructure, kCancellation}, 2, {{{names::kRaNew, kStructure}}}, 1, {}, 0},
    WeekStepRow{kRealtimeResults, "realtime-results", "速報払戻等取得及び処理",
                {8, "速報着順等のファイル", "Ⅰ　速報情報(一括）の「Ⅲ　速報着順等情報」"},
                {kResults}, 1, {}, 0, {}, 0},
};
}  // namespace week_table

using week_table::kWeekSteps;
inline constexpr size_t kWeekStepCount = kWeekSteps.size();

constexpr const WeekStepRow& RowOf(WeekStep step) { return kWeekSteps[static_cast<size_t>(step)]; }

namespace table_check {
constexpr bool Lists(const std::array<WeekStep, kMaxLinks>& steps, size_t count, WeekStep step) {
  for (size_t i = 0; i < count; ++i)
    if (steps[i] == step) return true;
  return false;
}
constexpr bool SameText(std::string_view a, std::string_view b) { return a == b; }
// Rows in the enum's order, each key and name given once, and every "reads" matched by the
// other step's "readers" (and back); a step reads only steps before it.
constexpr bool TableIsSound() {
  for (size_t i = 0; i < kWeekSteps.size(); ++i) {
    const WeekStepRow& row = kWeekSteps[i];
    if (static_cast<size_t>(row.step) != i || row.key.empty() || row.name.empty()) return false;
    if (row.reads_count > kMaxLinks || row.needs_count > kMaxLinks || row.readers_count > kMaxLinks) return false;
    for (size_t j = 0; j < i; ++j)
      if (SameText(kWeekSteps[j].key, row.key) || SameText(kWeekSteps[j].name, row.name)) return false;
    for (size_t r = 0; r < row.reads_count; ++r) {
      if (static_cast<size_t>(row.reads[r]) >= i) return false;
      const WeekStepRow& earlier = kWeekSteps[static_cast<size_t>(row.reads[r])];
      if (!Lists(earlier.readers, earlier.readers_count, row.step)) return false;
    }
    for (size_t r = 0; r < row.readers_count; ++r) {
      const WeekStepRow& later = kWeekSteps[static_cast<size_t>(row.readers[r])];
      if (!Lists(later.reads, later.reads_count, row.step)) return false;
    }
  }
  return true;
}
}  // namespace table_check

static_assert(kWeekStepCount == static_cast<size_t>(WeekStep::kRealtimeResults) + 1, "a row for every step");
static_assert(table_check::TableIsSound(), "the table of the week's steps");

}  // namespace radadovur::steps
