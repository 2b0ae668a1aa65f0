#include "store/structure.h"

#include <functional>

#include "common/data_name.h"
#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "store/sort_keys.h"
#include "store/store_files.h"
#include "store/store_keys.h"

namespace radadovur::store {
namespace {

using common::Status;
using common::StepFailures;

bool Read(const std::string& app_path, const StoreFile& file, RecordBlock& block, common::StepFailures& failures) {
  common::Status status = ReadRecordBlock(app_path, file, block);
  const bool ok = status.ok();
  failures.Add(std::move(status));
  return ok;
}

bool Write(const std::string& app_path, const StoreFile& file, const std::vector<std::string_view>& records,
           common::StepFailures& failures) {
  common::Status status = WriteRecords(PathOf(app_path, file), file.record_length, records);
  if (status.ok()) return true;
  failures.Add(status.WithDetail(status.ToString() + "（" + std::to_string(records.size()) +
                                 " 件のレコードを書かず、ファイルは元のままです）"));
  return false;
}

bool WriteList(const std::string& app_path, std::string_view name, const std::vector<std::string>& values,
               common::StepFailures& failures) {
  common::Status status = common::WriteQuotedLines(app_path + std::string(name), values);
  const bool ok = status.ok();
  failures.Add(std::move(status));
  return ok;
}

// Leaves out of a list the ids that are not what their field holds, each reported once.
std::vector<std::string> Valid(std::vector<std::string> ids, std::string_view list, std::string_view field,
                               bool blank_allowed, common::StepFailures& failures) {
  std::vector<std::string> kept;
  for (auto& id : ids) {
    const bool blank = id.find_first_not_of(' ') == std::string::npos;
    if (common::IsDataName(common::DataName::kKettoNum, id) || (blank_allowed && blank)) {
      kept.push_back(std::move(id));
      continue;
    }
    failures.Add(common::Status::InvalidArgument(
        std::string(list), std::string(list) + ": " + std::string(field) + " \"" + common::Shown(id) +
                               "\" は10桁の数字ではないため除きました"));
  }
  return kept;
}

// Sorts the records by key and keeps one per key: the one the sort placed last. `kept_keys`
// receives the key of each kept record.
std::vector<std::string_view> SortAndCollapse(const std::vector<std::string_view>& records,
                                              const std::function<std::string(std::string_view)>& key_of,
                                              std::vector<std::string>* kept_keys = nullptr) {
  const size_t n = records.size();
  std::vector<std::string> keys(n);
  std::vector<int64_t> items(n);
  for (size_t i = 0; i < n; ++i) {
    keys[i] = key_of(records[i]);
    items[i] = static_cast<int64_t>(i);
  }
  SortKeysAscending(keys, items, 0, static_cast<int64_t>(n) - 1);
  std::vector<std::string_view> kept;
  for (size_t p : LastOfEachKey(keys)) {
    kept.push_back(records[static_cast<size_t>(items[p])]);
    if (kept_keys) kept_keys->push_back(keys[p]);
  }
  return kept;
}

std::vector<std::string_view> RecordsOf(const RecordBlock& block) {
  std::vector<std::string_view> records(block.count());
  for (size_t i = 0; i < records.size(); ++i) records[i] = block.Record(i);
  return records;
}

}  // namespace

bool BuildRaceFiles(const std::string& app_path, common::StepFailures& failures) {
  RecordBlock races;
  if (!Read(app_path, kRaThisWeek, races, failures)) return false;
  const auto kept = SortAndCollapse(RecordsOf(races), RaceSortKey);
  const bool written = Write(app_path, kRaNew, kept, failures);
  return Write(app_path, kRaNewD, kept, failures) && written;
}

bool DropCategoryOne(const std::string& app_path, RecordBlock& raw, std::vector<std::string_view>& kept,
                     common::StepFailures& failures) {
  if (!Read(app_path, kSeThisWeek, raw, failures)) return false;
  for (size_t i = 0; i < raw.count(); ++i)
    if (jvdata::se::DataCategory.Of(raw.Record(i)) != "1") kept.push_back(raw.Record(i));
  const bool written = Write(app_path, kSeThisWeek, kept, failures);
  failures.Add(common::DeleteFile(PathOf(app_path, kTemporary)));  // an older scratch file must not stay behind
  return written;
}

bool BuildEntryFiles(const std::string& app_path, const std::vector<std::string_view>& entries,
                     common::StepFailures& failures) {
  const auto kept = SortAndCollapse(entries, EntrySortKey);
  const bool written = Write(app_path, kSeNew, kept, failures);
  return Write(app_path, kSeNewD, kept, failures) && written;
}

bool BuildHorseFiles(const std::string& app_path, int64_t& horse_records, common::StepFailures& failures) {
  horse_records = 0;
  RecordBlock horses;
  if (!Read(app_path, kUmThisWeek, horses, failures)) return false;
  horse_records = static_cast<int64_t>(horses.count());
  std::vector<std::string> ketto_nums;
  const auto records = RecordsOf(horses);
  const auto kept = SortAndCollapse(records, [](std::string_view r) { return jvdata::um::KettoNum.Str(r); }, &ketto_nums);
  bool written = Write(app_path, kUmNew, kept, failures);
  ketto_nums = Valid(std::move(ketto_nums), common::names::kKettoNumList, "血統登録番号", false, failures);
  written = WriteList(app_path, common::names::kKettoNumList, ketto_nums, failures) && written;

  std::vector<std::string> dam_nums;
  SortAndCollapse(records, [](std::string_view r) { return jvdata::um::DamNum.Str(r); }, &dam_nums);
  dam_nums = Valid(std::move(dam_nums), common::names::kDamNumList, "母の繁殖登録番号", true, failures);
  return WriteList(app_path, common::names::kDamNumList, dam_nums, failures) && written;
}

}  // namespace radadovur::store
