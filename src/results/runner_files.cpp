#include "results/runner_files.h"

#include <map>
#include <set>

#include "common/convert.h"
#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "engine/this_weeks_runs.h"
#include "jvdata/layout_se.h"
#include "jvdata/record.h"
#include "jvdata/race_key.h"
#include "results/results_files.h"
#include "results/runner_record.h"
#include "store/record_block.h"

namespace radadovur::results {
namespace {

namespace se = jvdata::se;
namespace ex = engine::ex;

// The horse's expanded records. A missing file, or one of cut or shifted records (its fields
// would be read from the wrong offsets), is a failure of the horse.
common::Status ReadExRecords(const std::string& path, std::string& bytes, int32_t& count) {
  count = 0;
  common::Status status = common::ReadWholeFile(path, bytes);
  if (status.IsNotFound()) status = common::Status::NotFound(path, "拡大構造体 " + path + " がありません");
  if (status.ok())
    status = jvdata::CheckRecordFile(path, bytes, ex::kLength, [](std::string_view record) -> std::string {
      return ex::LineEnd.Of(record) == "\r\n" ? std::string() : std::string(jvdata::kNoLineEndReason);
    });
  if (!status.ok()) {
    bytes.clear();
    return status;
  }
  count = static_cast<int32_t>(bytes.size() / ex::kLength);
  return common::Status::OK();
}

}  // namespace

std::optional<std::string> RunnerAgeText(std::string_view year, std::string_view birth_date) {
  const auto y = common::WholeNumber(year);
  const auto born = common::WholeNumber(birth_date.substr(0, 4));
  if (!y || !born) return std::nullopt;
  const std::string digits = std::to_string(*y + 100 - *born);
  return digits.size() > 2 ? digits.substr(digits.size() - 2) : digits;
}

void CopyRun(const engine::ExRecord& run, uint32_t e, std::string& runner) {
  const auto copy = [&](const jvdata::Field& to, const jvdata::Field& from) { rr::Put(runner, to, run.Text(from), e); };
  copy(rr::Year, ex::Year);
  copy(rr::MonthDay, ex::MonthDay);
  copy(rr::VenueCode, ex::VenueCode);
  copy(rr::Kaiji, ex::Kaiji);
  copy(rr::Nichiji, ex::Nichiji);
  copy(rr::RaceNum, ex::RaceNum);
  copy(rr::Wakuban, ex::Wakuban);
  copy(rr::Umaban, ex::Umaban);
  copy(rr::KettoNum, ex::KettoNum);
  copy(rr::KishuName, ex::KishuName);
  copy(rr::Kyori, ex::Kyori);
  copy(rr::TrackCode, ex::TrackCode);
  copy(rr::TorokuTosu, ex::TorokuTosu);
  copy(rr::ArrivalOrder, ex::ArrivalOrder);
  copy(rr::FinalOrder, ex::FinalOrder);
  copy(rr::RunTime, ex::RunTime);
  copy(rr::WinPopularity, ex::WinPopularity);
  copy(rr::WinOdds, ex::WinOdds);
  copy(rr::Last3F, ex::Last3F);
  copy(rr::TrainerName, ex::TrainerName);
  copy(rr::TenkoCode, ex::TenkoCode);
  copy(rr::TurfBabaCode, ex::TurfBabaCode);
  copy(rr::DirtBabaCode, ex::DirtBabaCode);

  if (e == 0) {
    const auto fixed = [&](const jvdata::Field& to, std::string_view bytes) { rr::Put(runner, to, bytes); };
    fixed(rr::BreederName, run.Text(ex::BreederName).substr(0, rr::BreederName.width));
    fixed(rr::SireName, run.Text(ex::SireName));
    if (auto age = RunnerAgeText(run.Text(ex::Year), run.Text(ex::BirthDate))) {
      age->resize(rr::RunnerAge.width, ' ');
      fixed(rr::RunnerAge, *age);
    }
    fixed(rr::SexCode, run.Text(ex::SexCode));
    fixed(rr::Futanjuryou, run.Text(ex::Futanjuryou));
    fixed(rr::Bataijuu, run.Text(ex::Bataijuu));
    fixed(rr::BataijuuChangeSign, run.Text(ex::BataijuuChangeSign));
    fixed(rr::BataijuuChange, run.Text(ex::BataijuuChange));
    fixed(rr::AbnormalityCode, run.Text(ex::AbnormalityCode));
    fixed(rr::PostTime, run.Text(ex::PostTime));
    constexpr uint32_t kCountOrder[rr::kSampleCounts] = {6, 8, 9, 10, 7};
    for (uint32_t k = 0; k < rr::kSampleCounts; ++k)
      rr::Put(runner, rr::RunnerSampleCounts, run.Text(ex::SpeedCodes, kCountOrder[k]), k);
  }

  // The reals as bytes: a copy never changes a value.
  const std::string& bytes = run.bytes();
  for (uint32_t k = 0; k < rr::kWeights; ++k) {
    rr::Put(runner, rr::RunAgariFW, std::string_view(bytes).substr(ex::AgariFW.At(k), 4), k, e);
    rr::Put(runner, rr::RunPaceFW, std::string_view(bytes).substr(ex::PaceFW.At(k), 4), k, e);
  }
  for (uint32_t k = 0; k < rr::kResults; ++k)
    rr::Put(runner, rr::RunSpeedResults, std::string_view(bytes).substr(ex::SpeedResults.At(k), 4), k, e);
}

std::string WeatherGoingText(std::string_view runner, const CodeTable& table) {
  const std::string track = rr::TrackCode.Str(runner, 0);
  const jvdata::Field& going = (track >= "23" && track <= "49") ? rr::DirtBabaCode : rr::TurfBabaCode;
  return LookupCodeTable(table, kCodeWeather, rr::TenkoCode.Of(runner, 0), 2) +
         LookupCodeTable(table, kCodeGoing, going.Of(runner, 0), 2);
}

void PutEntries(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures,
                const BetweenRaces& between_races) {
  state.UnwrittenRunnerFiles.clear();
  std::set<std::string> listed;
  for (int i = 1; i <= state.RaceCount && i < static_cast<int>(state.RaceKeyList.size()); ++i)
    listed.insert(state.RaceKeyList[static_cast<size_t>(i)]);
  store::RecordBlock entries;
  if (common::Status status = ReadStoreRecords(app_path, store::kSeNew, entries); !status.ok()) {
    // Without the entries no runner file is written: each keeps the earlier pass's bytes.
    for (const std::string& key : listed) state.UnwrittenRunnerFiles.emplace(key, status);
    failures.Add(std::move(status));
    return;
  }

  // Each race's file built whole in memory, then written once; a race without entries gets an
  // empty one.
  std::map<std::string, std::string> files;
  for (const std::string& key : listed) files[key];
  std::string previous_key;
  for (size_t n = 0; n < entries.count(); ++n) {
    const std::string_view entry = entries.Record(n);
    const std::string key = jvdata::RaceKey(entry);
    if (key != previous_key && between_races) between_races();
    previous_key = key;
    if (!listed.count(key)) continue;
    state.CurrentEntryRecord = std::string(entry);
    const auto number = common::WholeNumber(se::Umaban.Of(entry));
    if (!number || *number < 1) {
      failures.Add(common::Status::InvalidArgument(
          std::string(common::names::kSeNew),
          "出走馬 " + common::Shown(se::KettoNum.Str(entry)) + " (レース " + common::Shown(key) + ") の馬番 \"" +
              common::Shown(se::Umaban.Str(entry)) + "\" は番号ではありません"));
      continue;
    }
    std::string& file = files[key];
    const size_t at = static_cast<size_t>(*number - 1) * rr::kLength;
    if (file.size() < at + rr::kLength) file.resize(at + rr::kLength, '\0');
    std::string record = rr::EmptyRecord();
    rr::Put(record, rr::Wakuban, se::Wakuban.Of(entry), 0);
    rr::Put(record, rr::Umaban, se::Umaban.Of(entry), 0);
    rr::Put(record, rr::KettoNum, se::KettoNum.Of(entry), 0);
    rr::Put(record, rr::HorseName, se::HorseName.Of(entry));
    rr::Put(record, rr::LineEnd, "\r\n");
    file.replace(at, rr::kLength, record);
  }
  for (const auto& [key, bytes] : files) {
    std::string name;
    common::Status status = RaceRunnerFileName(key, name);
    if (status.ok()) status = WriteWholeFile(app_path, name, bytes);
    if (!status.ok()) state.UnwrittenRunnerFiles.emplace(key, status);
    failures.Add(std::move(status));
    if (between_races) between_races();
  }
}

namespace {

// Why the runs of runner `ketto` cannot be trusted; empty when they can. `runs` and `count` get
// the horse's expanded records.
std::string DistrustOf(const std::string& app_path, const ResultsWindowState& state, const std::string& ketto,
                       std::string_view race_key, std::string& runs, int32_t& count) {
  runs.clear();
  count = 0;
  if (state.PredictFailedHorses.count(ketto)) return "⑤計算で処理できなかった馬です";
  std::string ex_name;
  if (common::Status named = engine::UmagotoExFileName(ketto, ex_name); !named.ok()) return named.ToString();
  if (common::Status status = ReadExRecords(app_path + ex_name, runs, count); !status.ok()) return status.ToString();
  // An empty file is what step ⑤ leaves for a horse it failed or did not finish; records of an
  // earlier week would put another race in entry 0, and the writers would write that race's files.
  if (count == 0) return "拡大構造体 " + app_path + ex_name + " にレコードがありません";
  if (!engine::IsThisWeeksNewestRun(app_path, ketto, race_key,
                                    std::string_view(runs).substr(static_cast<size_t>(count - 1) * ex::kLength, ex::kLength)))
    return ex_name + " は今週の拡大構造体ではありません";
  return {};
}

}  // namespace

void CopyRuns(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures,
              const BetweenRaces& between_races) {
  state.UntrustedRaces.clear();
  state.PredictLeftOutRaces.clear();
  for (int i = 1; i <= state.RaceCount && i < static_cast<int>(state.RaceKeyList.size()); ++i) {
    if (between_races) between_races();
    const std::string& key = state.RaceKeyList[static_cast<size_t>(i)];
    if (state.UnwrittenRunnerFiles.count(key)) continue;  // named by the entry pass
    std::string name;
    if (common::Status named = RaceRunnerFileName(key, name); !named.ok()) {
      failures.Add(std::move(named));
      continue;
    }
    std::string file;
    if (common::Status status = common::ReadWholeFile(app_path + name, file); !status.ok()) {
      if (!status.IsNotFound()) {
        state.UnwrittenRunnerFiles.emplace(key, status);
        failures.Add(std::move(status));
      }
      continue;
    }
    // A shifted runner file would give each horse another's runs.
    if (common::Status status = rr::CheckRunnerFile(app_path + name, file); !status.ok()) {
      state.UnwrittenRunnerFiles.emplace(key, status);
      failures.Add(std::move(status));
      continue;
    }
    state.RunnerCount = static_cast<int32_t>(file.size() / rr::kLength);
    std::optional<std::string> weather_going;
    // A race with a runner whose runs cannot be trusted would be ranked and published with that
    // horse blank or from another race: it gets nothing, and is named once with every such horse.
    std::string distrust;
    bool only_failed_in_predict = true;
    for (int32_t r = 1; r <= state.RunnerCount; ++r) {
      const size_t at = static_cast<size_t>(r - 1) * rr::kLength;
      state.CurrentRunnerRecord = file.substr(at, rr::kLength);
      std::string& runner = state.CurrentRunnerRecord;
      if (rr::IsGap(runner)) continue;  // no entry: no horse whose runs it could take

      const std::string ketto = rr::KettoNum.Str(runner, 0);
      std::string runs;
      if (const std::string why = DistrustOf(app_path, state, ketto, key, runs, state.ExCount); !why.empty()) {
        distrust += (distrust.empty() ? "" : "; ") + std::string("馬番 ") + std::to_string(r) + " 出走馬 " +
                    common::Shown(ketto) + ": " + why;
        only_failed_in_predict = only_failed_in_predict && state.PredictFailedHorses.count(ketto);
        continue;
      }
      if (!distrust.empty()) continue;
      for (int32_t j = state.ExCount; j >= 1; --j) {
        const auto e = static_cast<uint32_t>(state.ExCount - j);
        if (e >= rr::kRuns) break;
        auto run = engine::ExRecord::FromBytes(std::string_view(runs).substr(static_cast<size_t>(j - 1) * ex::kLength, ex::kLength));
        state.CurrentExRecord = std::move(*run);
        CopyRun(state.CurrentExRecord, e, runner);
      }
      if (state.ExCount > 0) weather_going = WeatherGoingText(runner, state.CodeTable);
      rr::Put(runner, rr::SpeedAdjust, std::string(4, '\0'));
      file.replace(at, rr::kLength, runner);
    }
    if (!distrust.empty()) {
      if (state.UntrustedRaces.insert(key).second) {
        const std::string text = "レース " + common::Shown(key) + " は予想も馬券も文書も書きませんでした（" + distrust +
                                 "）。⑤計算をやり直して下さい";
        // ⑤ named its failed horses already and the week goes on without their races; a horse
        // whose records are damaged behind ⑤'s back is a failure of this pass.
        if (only_failed_in_predict)
          state.PredictLeftOutRaces.push_back(text);
        else
          failures.Add(common::Status::Corruption(app_path + name, text));
      }
      failures.Add(common::DeleteFile(app_path + name));
      continue;
    }
    if (weather_going && i < static_cast<int>(state.RaceTable.size()))
      state.RaceTable[static_cast<size_t>(i)][kColWeatherGoing] = *weather_going;
    if (common::Status written = WriteWholeFile(app_path, name, file); !written.ok()) {
      state.UnwrittenRunnerFiles.emplace(key, written);
      failures.Add(std::move(written));
    }
  }
}

}  // namespace radadovur::results
