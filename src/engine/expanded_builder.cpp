#include "engine/expanded_builder.h"

#include <cstdio>

#include "common/convert.h"
#include "common/cp932.h"
#include "common/names.h"
#include "common/package_path.h"
#include "common/record_file.h"
#include "engine/stats_layout.h"
#include "engine/this_weeks_runs.h"
#include "engine/week_files.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "store/store_files.h"

namespace radadovur::engine {
namespace {

// A field of the expanded record and where its bytes come from in the source record.
struct Copy {
  jvdata::Field to;
  uint32_t from;
};

// From the entry record (SE).
constexpr Copy kEntryCopies[] = {
    {jvdata::Field{0, 40}, 0},                          // RecordSpec .. KettoNum
    {ex::HorseName, jvdata::se::HorseName.offset},      //
    {jvdata::Field{825, 6}, jvdata::se::HorseSymbolCode.offset},  // HorseSymbolCode .. CoatCode (not HorseAge)
    {jvdata::Field{831, 20}, jvdata::se::EastWestCode.offset},    // EastWestCode .. OwnerCode
    {ex::Silks, jvdata::se::Silks.offset},
    {jvdata::Field{975, 13}, jvdata::se::Futanjuryou.offset},     // Futanjuryou .. KishuCode
    {jvdata::Field{1018, 92}, jvdata::se::KishuCodeBefore.offset},  // KishuCodeBefore .. Last3F
    {ex::TimeDiff, jvdata::se::TimeDiff.offset},
    {ex::LineEnd, jvdata::se::LineEnd.offset},
};

// From the horse master record (UM); FoalOrder comes with them.
constexpr Copy kHorseCopies[] = {
    {ex::BirthDate, jvdata::um::BirthDate.offset},
    {ex::InvitationArea, jvdata::um::InvitationArea.offset},
    {ex::BreederCode, jvdata::um::BreederCode.offset},
    {ex::BreederName, jvdata::um::BreederName.offset},
    {ex::ProductionArea, jvdata::um::ProductionArea.offset},
    {ex::SireNum, jvdata::um::Pedigree_BreedingNum.At(0)},
    {ex::SireName, jvdata::um::Pedigree_AncestorName.At(0)},
    {ex::DamNum, jvdata::um::Pedigree_BreedingNum.At(1)},
    {ex::Ancestor7_Name, jvdata::um::Pedigree_AncestorName.At(3)},
};

// From the jockey master record (KS, stored form).
constexpr Copy kJockeyCopies[] = {
    {ex::KishuBirthDate, jvdata::ks_stored::KishuBirthDate.offset},
    {ex::KishuSexCode, jvdata::ks_stored::KishuSexCode.offset},
    {ex::KishuInvitationArea, jvdata::ks_stored::KishuInvitationArea.offset},
    {ex::RidingQualificationCode, jvdata::ks_stored::RidingQualificationCode.offset},
};

// From the race record (RA): the weekday and every field from GradeCode to CornerPassing
// except ConditionName.
constexpr Copy kRaceCopies[] = {
    {ex::WeekdayCode, jvdata::ra::WeekdayCode.offset},
    {jvdata::Field{1114, 23}, jvdata::ra::GradeCode.offset},  // GradeCode .. ConditionCode
    {jvdata::Field{1137, 572}, jvdata::ra::Kyori.offset},     // Kyori .. CornerPassing
};
static_assert(1114 + 23 == 1137 && 1137 + 572 == ex::SpeedCodes.offset);
static_assert(jvdata::ra::GradeCode.offset + 23 == jvdata::ra::ConditionName.offset);

// Written as spaces in every record.
constexpr jvdata::Field kSpaces[] = {
    jvdata::Field{43, 163},  // reserved, the market fields
    jvdata::Field{380, 24},  // SireBirthYear, SireProductionArea
    jvdata::Field{414, 24},  // DamBirthYear, DamProductionArea
    ex::DamSireNum,
    jvdata::Field{554, 24},  // DamSireBirthYear, DamSireProductionArea
    ex::Ancestor5_Number, jvdata::Field{624, 24}, ex::Ancestor6_Number, jvdata::Field{694, 24},
    ex::Ancestor7_Number, jvdata::Field{764, 24},
};

void CopyAll(ExRecord& record, std::string_view from, const Copy* copies, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const Copy& c = copies[i];
    // A row that was not found is written as spaces.
    record.SetText(c.to, from.empty() ? std::string_view() : from.substr(c.from, c.to.width));
  }
}
template <size_t N>
void CopyAll(ExRecord& record, std::string_view from, const Copy (&copies)[N]) {
  CopyAll(record, from, copies, N);
}

// Every whole record of a file, keyed by `key`; a later record replaces an earlier one of the
// same key.
template <typename KeyOf>
void IndexLast(std::string_view bytes, size_t length, KeyOf key,
               std::unordered_map<std::string, std::string_view>& index) {
  for (size_t at = 0; at + length <= bytes.size(); at += length) {
    const std::string_view record = bytes.substr(at, length);
    index[key(record)] = record;
  }
}

std::string PackagePath(const std::string& app_path, std::string_view name) {
  return common::ResolvePackagePath(app_path, std::string(common::names::kOptionFolder) + "/" + std::string(name));
}

// The files every horse is joined with, read once per build.
struct Tables {
  std::string horse_bytes, jockey_bytes, package_jockey_bytes, race_bytes;
  std::unordered_map<std::string, std::string_view> horses, jockeys, races;
  std::unordered_map<std::string_view, std::string> foal_orders;  // horse master record -> FoalOrder
};

common::Status LoadTables(const std::string& app_path, common::StepHost& host, Tables& t) {
  std::string foal_records;
  // Whole records only: a byte lost or inserted would shift every later record.
  struct Input {
    std::string path;
    jvdata::RecordType type;
    std::string* bytes;
  };
  const Input files[] = {
      {app_path + std::string(common::names::kUmNew), jvdata::RecordType::UM, &t.horse_bytes},
      {app_path + std::string(common::names::kKsThisWeek), jvdata::RecordType::KS, &t.jockey_bytes},
      {PackagePath(app_path, stats_files::kJockeyMaster), jvdata::RecordType::KS, &t.package_jockey_bytes},
      {app_path + std::string(common::names::kRaNew), jvdata::RecordType::RA, &t.race_bytes},
  };
  for (const auto& f : files)
    if (auto status = ReadRecordFileBytes(f.path, f.type, *f.bytes); !status.ok()) return status;
  if (auto status = ReadRecordFileBytes(PackagePath(app_path, stats_files::kHnsk), hnsk::kLength, foal_records);
      !status.ok())
    return status;

  const FoalOrderIndex foals(std::move(foal_records));
  const size_t n = t.horse_bytes.size() / jvdata::um::kLength;
  int64_t shown = -1;
  for (size_t r = 1; r <= n; ++r) {
    const std::string_view record = std::string_view(t.horse_bytes).substr((r - 1) * jvdata::um::kLength, jvdata::um::kLength);
    t.horses[std::string(jvdata::um::KettoNum.Of(record))] = record;
    t.foal_orders[record] = foals.FoalOrder(jvdata::um::Pedigree_BreedingNum.Of(record, 1), jvdata::um::KettoNum.Of(record));
    host.SetStatus(common::StatusSlot::kPredictText3,
                   std::to_string(r) + " " + common::DecodeCp932Lossy(jvdata::um::Pedigree_BreedingNum.Of(record, 0)) + " " +
                       common::DecodeCp932Lossy(jvdata::um::Pedigree_AncestorName.Of(record, 0)));
    const int64_t value = static_cast<int64_t>(r * 100 / n);
    if (value != shown) host.SetProgress(common::ProgressSlot::kPredictProgressBar3, shown = value);
  }
  // The week's jockeys first, then the package's: a jockey in both takes the package's values.
  auto kishu = [](std::string_view r) { return std::string(jvdata::ks_stored::KishuCode.Of(r)); };
  IndexLast(t.jockey_bytes, jvdata::ks_stored::kLength, kishu, t.jockeys);
  IndexLast(t.package_jockey_bytes, jvdata::ks_stored::kLength, kishu, t.jockeys);
  IndexLast(t.race_bytes, jvdata::ra::kLength, VenueRaceKey, t.races);
  return common::Status::OK();
}

std::string_view Find(const std::unordered_map<std::string, std::string_view>& index, const std::string& key) {
  auto it = index.find(key);
  return it == index.end() ? std::string_view() : it->second;
}

// One horse's expanded records from its entry records; the stale rule applied. `dropped` tells
// whether it dropped the last record.
common::Status BuildHorse(const Tables& t, const std::string& id, std::string_view entries, std::string& out,
                          bool& dropped) {
  out.clear();
  dropped = false;
  const size_t n = entries.size() / jvdata::se::kLength;
  if (n == 0) return common::Status::OK();

  RunJoin join;
  join.horse = Find(t.horses, std::string(jvdata::se::KettoNum.Of(entries.substr(0, jvdata::se::kLength))));
  if (!join.horse.empty()) join.foal_order = t.foal_orders.at(join.horse);
  for (size_t k = 1; k <= n; ++k) {
    const std::string_view entry = entries.substr((k - 1) * jvdata::se::kLength, jvdata::se::kLength);
    join.race = Find(t.races, VenueRaceKey(entry));
    // The jockey is looked up only for a run whose race was found.
    join.jockey = join.race.empty() ? std::string_view() : Find(t.jockeys, std::string(jvdata::se::KishuCode.Of(entry)));
    out += AssembleExRecord(entry, join).bytes();
  }

  // A last record older than the run before it is dropped (once; equal dates drop nothing).
  if (n >= 2) {
    const std::string_view last = entries.substr((n - 1) * jvdata::se::kLength, jvdata::se::kLength);
    const std::string_view before = entries.substr((n - 2) * jvdata::se::kLength, jvdata::se::kLength);
    const std::optional<bool> stale = DropsStaleLastEntry(last, before);
    if (!stale) {
      const bool last_date = common::WholeNumber(jvdata::se::CreatedDate.Of(last)).has_value();
      out.clear();
      return common::Status::InvalidArgument(
          id, "UMAGOTOEXTHISWEEKN " + id + ": レコード " + std::to_string(last_date ? n - 1 : n) + " の作成日 \"" +
                  common::Shown(common::DecodeCp932Lossy(jvdata::se::CreatedDate.Of(last_date ? before : last))) +
                  "\" は整数ではありません");
    }
    if (*stale) {
      out.resize((n - 1) * ex::kLength);
      dropped = true;
    }
  }
  return common::Status::OK();
}

}  // namespace

FoalOrderIndex::FoalOrderIndex(std::string hnsk) : bytes_(std::move(hnsk)), count_(bytes_.size() / hnsk::kLength) {
  for (size_t j = count_; j-- > 0;)  // from the end, so that the first record of a dam stays
    first_[hnsk::DamNum.Of(std::string_view(bytes_).substr(j * hnsk::kLength, hnsk::kLength))] = j;
}

std::string FoalOrderIndex::FoalOrder(std::string_view dam_num, std::string_view ketto_num) const {
  auto it = first_.find(dam_num);
  if (it == first_.end()) return "00";
  for (size_t i = 0; i <= 20 && it->second + i < count_; ++i) {
    const std::string_view record = std::string_view(bytes_).substr((it->second + i) * hnsk::kLength, hnsk::kLength);
    if (hnsk::KettoNum.Of(record) == ketto_num) {
      char text[3];
      std::snprintf(text, sizeof text, "%02zu", i + 1);
      return text;
    }
  }
  return "00";
}

std::string VenueRaceKey(std::string_view record) {
  std::string key;
  key.reserve(12);
  // The race id sits at the same offsets in race and entry records.
  namespace ra = jvdata::ra;
  key.append(ra::VenueCode.Of(record)).append(ra::Year.Of(record)).append(ra::MonthDay.Of(record));
  key.append(ra::RaceNum.Of(record));
  return key;
}

ExRecord AssembleExRecord(std::string_view entry, const RunJoin& join) {
  ExRecord record;
  CopyAll(record, entry, kEntryCopies);
  for (const jvdata::Field& f : kSpaces) record.SetText(f, {});
  CopyAll(record, join.horse, kHorseCopies);
  record.SetText(ex::FoalOrder, join.horse.empty() ? std::string_view() : std::string_view(join.foal_order));
  CopyAll(record, join.jockey, kJockeyCopies);
  CopyAll(record, join.race, kRaceCopies);
  return record;
}

void BuildExpandedStructure(const std::string& app_path, const std::vector<std::string>& horses,
                            common::StepHost& host, BuildReport& report, BuildOutput output) {
  Tables tables;
  if (auto status = LoadTables(app_path, host, tables); !status.ok()) {
    report.Fail(status);
    for (const auto& id : horses)
      if (!report.HasFailed(id)) report.FailHorse(id, common::Status::OK());
    return;
  }

  std::unordered_set<std::string> built;
  std::string entries, out;
  const size_t count = horses.size();
  int64_t shown = -1;
  for (size_t h = 1; h <= count; ++h) {
    // The user may stop the step between two horses; the horses not reached are left out.
    if (host.CancelRequested()) {
      report.failures.stopped = true;
      return;
    }
    const std::string& id = horses[h - 1];
    // A horse listed twice is built once: a second build would write the same file again.
    std::string entry_name, ex_name;
    common::Status named = store::UmagotoFileName(id, entry_name);
    if (named.ok()) named = UmagotoExFileName(id, ex_name);
    if (!named.ok()) {
      report.FailHorse(id, named);
    } else if (!report.HasFailed(id) && built.insert(id).second) {
      bool dropped = false;
      // A listed horse without its entry file has nothing of this week's to build from.
      auto status = common::FileExists(app_path + entry_name)
                        ? ReadRecordFileBytes(app_path + entry_name, jvdata::RecordType::SE, entries)
                        : common::Status::NotFound(app_path + entry_name,
                                                   app_path + entry_name +
                                                       ": 出走馬の記録ファイルがありません（②構造・中止処理をやり直して下さい）");
      if (status.ok()) status = BuildHorse(tables, id, entries, out, dropped);
      if (status.ok() && !out.empty()) {
        if (output == BuildOutput::kMemory)
          report.built[id] = std::move(out);
        else
          status = ReplaceFile(app_path + ex_name, out);
      }
      if (!status.ok())
        report.FailHorse(id, status);
      else if (dropped)
        report.stale_dropped.push_back(id);
    }
    const int64_t value = static_cast<int64_t>(h * 100 / count);
    if (value != shown) host.SetProgress(common::ProgressSlot::kPredictProgressBar3, shown = value);
  }
  host.Yield();
}

}  // namespace radadovur::engine
