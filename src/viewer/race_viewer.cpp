#include "viewer/race_viewer.h"

#include <algorithm>
#include <filesystem>

#include "common/convert.h"
#include "common/cp932.h"
#include "common/data_name.h"
#include "common/names.h"
#include "common/text_file.h"
#include "engine/ex_record.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "jvdata/race_key.h"
#include "engine/ex_record.h"
#include "results/ranking.h"
#include "results/results_files.h"
#include "results/runner_figures.h"
#include "results/runner_record.h"
#include "store/record_block.h"
#include "store/store_files.h"

namespace radadovur::viewer {
namespace {

std::string TableText(const results::ResultsWindowState& state, int row, int column) {
  if (row < 1 || static_cast<size_t>(row) >= state.RaceTable.size()) return {};
  return common::DisplayText(state.RaceTable[static_cast<size_t>(row)][static_cast<size_t>(column)]);
}

std::string Description(std::string_view item_text, const results::ResultsWindowState& state, int row) {
  std::string text(item_text);
  for (int column = results::kColRaceName; column <= results::kColKyori; ++column) text += TableText(state, row, column);
  return text + "m SD=" + TableText(state, row, results::kColSdValue) + " " +
         TableText(state, row, results::kColWeatherGoing);
}

// The records of a store file; a missing file has none, a damaged one none and a failure.
bool Records(const std::string& app_path, const store::StoreFile& file, store::RecordBlock& block,
             common::StepFailures& failures) {
  if (common::Status status = store::ReadRecordBlockOrEmpty(app_path, file, block); !status.ok()) {
    failures.Add(std::move(status));
    block.bytes.clear();
    return false;
  }
  return true;
}

std::vector<std::string_view> RecordsOf(const store::RecordBlock& block, std::string_view key) {
  std::vector<std::string_view> found;
  for (size_t n = 0; n < block.count(); ++n)
    if (jvdata::RaceKey(block.Record(n)) == key) found.push_back(block.Record(n));
  return found;
}

int FieldSize(std::string_view toroku_tosu) { return static_cast<int>(common::WholeNumber(toroku_tosu).value_or(0)); }

// The 4th item of each line of the race's runner sort file: predicted ranks by horse number.
// A missing file gives none; one that is there but cannot be read gives none and a failure.
void ReadPredRanks(const std::string& app_path, std::string_view key, results::FixedRunnerTexts& ranks,
                   common::StepFailures& failures) {
  ranks.fill(std::string());
  std::string name;
  if (!results::RunnerSortFileName(key, name).ok()) return;
  std::string text;
  if (common::Status status = common::ReadFileOrEmpty(app_path + name, text); !status.ok()) {
    failures.Add(std::move(status));
    return;
  }
  const std::vector<std::string> lines = common::SplitLines(text);
  for (size_t k = 1; k <= lines.size() && k < ranks.size(); ++k) {
    common::CsvItemReader reader(lines[k - 1]);
    std::string item;
    for (int n = 1; n <= 4 && reader.Next(item); ++n)
      if (n == 4) ranks[k] = item;
  }
}

}  // namespace

std::string RaceKeyOfItem(std::string_view item_text) {
  return std::string(item_text.substr(item_text.size() > 12 ? item_text.size() - 12 : 0));
}

common::StepFailures ChooseRace(const std::string& app_path, std::string_view item_text, int row,
                                results::ResultsWindowState& state, RaceView& view) {
  common::StepFailures failures;
  const std::string key = RaceKeyOfItem(item_text);
  // The key names the race's files: an item that ends in no race key shows nothing.
  if (common::Status named = common::CheckDataName(common::DataName::kRaceKey, key); !named.ok()) {
    failures.Add(std::move(named));
    return failures;
  }

  // 1. The description.
  view.text1 = Description(item_text, state, row);
  view.text1_colour = Colour::kLightGreen;

  // 2. The payout grid's headings, its cells emptied.
  LayOutPayoutGrid(view.payout);

  // 3. The race list file: one quoted key per race-card record of the store, in store order.
  // A store file that cannot be read leaves the list file as it is.
  store::RecordBlock races;
  if (Records(app_path, store::kRaNew, races, failures)) {
    std::string race_keys;
    for (size_t n = 0; n < races.count(); ++n) {
      state.CurrentRaceRecord = std::string(races.Record(n));
      if (jvdata::ra::DataCategory.Of(races.Record(n)) == "2")
        race_keys += common::QuotedLine(jvdata::RaceKey(races.Record(n)));
    }
    failures.Add(results::WriteWholeFile(app_path, results::kRaceListFile, race_keys));
  }

  // 4. Payouts: the realtime records of the race when there are any, else its stored record;
  // the last record found stays on display. The tickets follow, with hits from that record.
  store::RecordBlock realtime, stored;
  Records(app_path, store::kHrRealtime, realtime, failures);
  std::vector<std::string_view> payouts = RecordsOf(realtime, key);
  if (!payouts.empty()) {
    view.text1_colour = Colour::kLightYellow;
  } else {
    Records(app_path, store::kHrThisWeek, stored, failures);
    payouts = RecordsOf(stored, key);
  }
  for (std::string_view record : payouts) {
    FillPayoutGrid(record, view.payout);
    state.CurrentPayoutRecord = std::string(record);
  }
  const std::string_view payout = payouts.empty() ? std::string_view() : payouts.back();
  int field_size = 0;
  if (!payout.empty()) {
    field_size = FieldSize(jvdata::hr::TorokuTosu.Of(payout));
  } else {
    for (std::string_view record : RecordsOf(races, key)) field_size = FieldSize(jvdata::ra::TorokuTosu.Of(record));
  }
  for (common::Status& failure : FillTicketGrids(app_path, key, payout, field_size, view.tickets, state).items)
    failures.Add(std::move(failure));

  // 5. Predicted ranks from the runner sort file; a rank it does not give is empty.
  ReadPredRanks(app_path, key, state.PredRank, failures);

  // 6. The runner file and the runner grids emptied.
  std::string runners;
  std::string runner_name;
  failures.Add(results::RaceRunnerFileName(key, runner_name));
  const std::string runner_path = app_path + runner_name;
  if (!runner_name.empty() && common::FileExists(runner_path)) failures.Add(common::ReadWholeFile(runner_path, runners));
  state.RunnerCount = static_cast<int32_t>(runners.size() / results::rr::kLength);
  state.ReliabilityMarks.assign(static_cast<size_t>(state.RunnerCount) + 1, {});
  PrepareRunnerGrids(key, view.detail1, view.detail2);

  // 7. The runners, at most the grids' 18 rows.
  for (int k = 1; k <= std::min(state.RunnerCount, kRunnerRows - 1); ++k) {
    state.CurrentRunnerRecord = runners.substr(static_cast<size_t>(k - 1) * results::rr::kLength, results::rr::kLength);
    results::SetReliabilityMarks(state, k);
    const auto& marks = state.ReliabilityMarks[static_cast<size_t>(k)];
    ShowRunner(k, state.CurrentRunnerRecord, state.PredRank[static_cast<size_t>(k)], marks, view.detail1, view.detail2);
  }
  return failures;
}

std::optional<std::string> PastRunsFile(const std::string& app_path, std::string_view cell) {
  const std::string tail = engine::ExFileNameOfCell(cell);
  std::string name;
  if (tail.empty() || !engine::UmagotoExFileName(std::string_view(tail).substr(0, 10), name).ok())
    return std::nullopt;
  std::error_code error;
  if (!std::filesystem::is_regular_file(app_path + name, error)) return std::nullopt;
  return name;
}

}  // namespace radadovur::viewer
