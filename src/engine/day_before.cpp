#include "engine/day_before.h"

#include <unordered_set>
#include <vector>

#include "common/names.h"
#include "common/text_file.h"
#include "engine/week_files.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/race_key.h"
#include "store/store_files.h"

namespace radadovur::engine {
namespace {

constexpr std::string_view kFirstStartWeight = "440";
constexpr std::string_view kNoTimeDiff = "0000";
constexpr std::string_view kFineAndGood = "111";  // TenkoCode, TurfBabaCode, DirtBabaCode

// A "before" field counts when the number its digits form is not 0: blanks are passed over and
// reading stops at the first other character ("00000", "000" and blank fields give 0).
bool NonZeroValue(std::string_view text) {
  for (char c : text) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return false;
    if (c != '0') return true;
  }
  return false;
}

void Put(std::string& bytes, size_t record_at, const jvdata::Field& f, std::string_view value) {
  std::string text(value.substr(0, f.width));
  text.resize(f.width, ' ');
  bytes.replace(record_at + f.offset, f.width, text);
}

std::string_view Get(const std::string& bytes, size_t record_at, const jvdata::Field& f) {
  return std::string_view(bytes).substr(record_at + f.offset, f.width);
}

}  // namespace

bool ResultsFinal(std::string_view race_records) {
  const size_t n = race_records.size() / jvdata::ra::kLength;
  if (n == 0) return false;
  return jvdata::ra::DataCategory.Of(race_records.substr((n - 1) * jvdata::ra::kLength, jvdata::ra::kLength)) == "7";
}

common::Status ReadResultsFinal(const std::string& app_path, bool& final) {
  std::string races;
  auto status = ReadRecordFileBytes(app_path + std::string(common::names::kRaNew), jvdata::RecordType::RA, races);
  final = status.ok() && ResultsFinal(races);
  return status;
}

void FixPreviousDayEntry(std::string& entry_records) {
  const size_t c = entry_records.size() / jvdata::se::kLength;
  if (c == 0) return;
  const size_t last = (c - 1) * jvdata::se::kLength;
  const std::string weight =
      c == 1 ? std::string(kFirstStartWeight) : std::string(Get(entry_records, last - jvdata::se::kLength, jvdata::se::Bataijuu));
  Put(entry_records, last, jvdata::se::Bataijuu, weight);
  Put(entry_records, last, jvdata::se::TimeDiff, kNoTimeDiff);
  if (NonZeroValue(Get(entry_records, last, jvdata::se::KishuCodeBefore))) {
    Put(entry_records, last, jvdata::se::KishuCode, std::string(Get(entry_records, last, jvdata::se::KishuCodeBefore)));
    Put(entry_records, last, jvdata::se::KishuName, std::string(Get(entry_records, last, jvdata::se::KishuNameBefore)));
  }
  if (NonZeroValue(Get(entry_records, last, jvdata::se::FutanjuryouBefore)))
    Put(entry_records, last, jvdata::se::Futanjuryou, std::string(Get(entry_records, last, jvdata::se::FutanjuryouBefore)));
}

common::Status FixPreviousDayEntries(const std::string& app_path, common::StepHost& host, int64_t& horses,
                                     common::StepFailures& damaged) {
  std::vector<std::string> ids;
  auto status = ReadIdList(app_path + std::string(common::names::kKettoNumList), IdList::kHorses, ids);
  horses = static_cast<int64_t>(ids.size());
  if (!status.ok()) return status;
  for (const auto& id : ids) {
    host.Yield();
    std::string name;
    if (!store::UmagotoFileName(id, name).ok()) continue;  // names no entry file: there is nothing to fix
    const std::string path = app_path + name;
    std::string bytes;
    if (status = ReadRecordFileBytes(path, jvdata::RecordType::SE, bytes); !status.ok()) {
      if (!status.IsCorruption()) return status;
      // A damaged file fails its horse only: defaults written one byte off would corrupt it further.
      damaged.Add(std::move(status));
      continue;
    }
    std::string fixed = bytes;
    FixPreviousDayEntry(fixed);
    if (fixed == bytes) continue;  // already in its day-before state: the file is left alone
    if (status = ReplaceFile(path, fixed); !status.ok()) return status;
  }
  return common::Status::OK();
}

namespace {

// The race records and, once the results are final, the payout records: both read, whole
// records only, before anything of the step is written.
struct RaceFiles {
  std::string races, payouts;
  bool final = false;
};

common::Status ReadRaceFiles(const std::string& app_path, RaceFiles& files) {
  const std::string race_path = app_path + std::string(common::names::kRaNew);
  if (auto status = ReadRecordFileBytes(race_path, jvdata::RecordType::RA, files.races); !status.ok()) return status;
  files.final = ResultsFinal(files.races);
  if (!files.final) return common::Status::OK();
  return ReadRecordFileBytes(app_path + std::string(common::names::kHrThisWeek), jvdata::RecordType::HR, files.payouts);
}

common::Status FixRaces(const std::string& app_path, const RaceFiles& files, common::StepHost& host) {
  const std::string& races = files.races;
  const size_t n = races.size() / jvdata::ra::kLength;
  if (n == 0) return common::Status::OK();
  const bool final = files.final;

  // Once final: the races that have a payout record, listed before any race record changes.
  std::unordered_set<std::string> paid;
  if (final) {
    const std::string& payouts = files.payouts;
    std::string list;
    for (size_t at = 0; at + jvdata::hr::kLength <= payouts.size(); at += jvdata::hr::kLength) {
      std::string key = jvdata::RaceKey(std::string_view(payouts).substr(at, jvdata::hr::kLength));
      list += common::QuotedLine(key);
      paid.insert(std::move(key));
    }
    if (auto status = ReplaceFile(app_path + std::string(kRaceThisWeek), list); !status.ok()) return status;
  }

  std::string fixed = races;
  int64_t shown = -1;
  for (size_t i = 1; i <= n; ++i) {
    const size_t at = (i - 1) * jvdata::ra::kLength;
    const std::string_view record = std::string_view(races).substr(at, jvdata::ra::kLength);
    const bool set = final ? paid.count(jvdata::RaceKey(record)) > 0 : jvdata::ra::DataCategory.Of(record) == "1";
    if (set) Put(fixed, at, jvdata::ra::TenkoBabaCodes, kFineAndGood);
    const int64_t value = static_cast<int64_t>(i) * 100 / static_cast<int64_t>(n);
    if (value != shown) host.SetProgress(common::ProgressSlot::kPredictProgressBar1, shown = value);
  }
  if (fixed == races) return common::Status::OK();
  return ReplaceFile(app_path + std::string(common::names::kRaNew), fixed);
}

}  // namespace

common::Status FixPreviousDayRaces(const std::string& app_path, common::StepHost& host) {
  RaceFiles files;
  if (auto status = ReadRaceFiles(app_path, files); !status.ok()) return status;
  return FixRaces(app_path, files, host);
}

common::Status FixPreviousDay(const std::string& app_path, common::StepHost& host, common::StepFailures& damaged) {
  host.BeginProgress(common::ProgressSlot::kPredictProgressBar1, 100);
  host.SetProgress(common::ProgressSlot::kPredictProgressBar1, 0);
  // A damaged race or payout file stops the step before any entry file is rewritten.
  RaceFiles files;
  if (auto status = ReadRaceFiles(app_path, files); !status.ok()) return status;
  int64_t horses = 0;
  if (auto status = FixPreviousDayEntries(app_path, host, horses, damaged); !status.ok()) {
    // The step stops at a file it cannot read or write: what it did not reach is left as it was.
    std::string kept = std::string(common::names::kUmagotoFolder) + " の残りの馬、" + std::string(common::names::kRaNew);
    if (files.final) kept += "、" + std::string(kRaceThisWeek);
    damaged.Add(common::Status::SkippedBecause(status, "前日固定: " + kept + " は元のままです"));
    return status;
  }
  return FixRaces(app_path, files, host);
}

}  // namespace radadovur::engine
