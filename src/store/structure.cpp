#include "store/structure.h"

#include <functional>

#include "common/convert.h"
#include "common/names.h"
#include "common/model_package.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "store/record_block.h"
#include "store/sort_keys.h"
#include "store/store_files.h"
#include "store/store_keys.h"
#include "store/umagoto_rebuild.h"

namespace radadovur::store {
namespace {

constexpr size_t kListedFailures = 20;

bool Read(const std::string& app_path, const StoreFile& file, RecordBlock& block, StepFailures& failures) {
  std::string error;
  if (ReadRecordBlock(PathOf(app_path, file), file.record_length, block, error)) return true;
  failures.Add(error);
  return false;
}

void Write(const std::string& app_path, const StoreFile& file, const std::vector<std::string_view>& records,
           StepFailures& failures) {
  std::string error;
  if (!WriteRecords(PathOf(app_path, file), file.record_length, records, error)) failures.Add(error);
}

void WriteList(const std::string& app_path, std::string_view name, const std::vector<std::string>& values,
               StepFailures& failures) {
  std::string error;
  if (!WriteQuotedLines(app_path + std::string(name), values, &error)) failures.Add(error);
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

// The model package comes as a separate download that the user unpacks into "OPTION1N".
void CheckModelPackage(const std::string& app_path, StepUi& ui) {
  if (!ShowPackagePresent(app_path, ui, PackageCaption::kWithoutSupportSite))
    ui.Message(app_path + kPackageSetupMessage);
}

void BuildRaceFiles(const std::string& app_path, StepFailures& failures) {
  RecordBlock races;
  if (!Read(app_path, kRaThisWeek, races, failures)) return;
  const auto kept = SortAndCollapse(RecordsOf(races), RaceSortKey);
  Write(app_path, kRaNew, kept, failures);
  Write(app_path, kRaNewD, kept, failures);
}

// Runner records of category "1" leave the store here, in "SETHISWEEKN.dat" itself; `kept`
// points into `raw`.
bool DropCategoryOne(const std::string& app_path, RecordBlock& raw, std::vector<std::string_view>& kept,
                     StepFailures& failures) {
  if (!Read(app_path, kSeThisWeek, raw, failures)) return false;
  for (size_t i = 0; i < raw.count(); ++i)
    if (se::DataCategory.Of(raw.Record(i)) != "1") kept.push_back(raw.Record(i));
  Write(app_path, kSeThisWeek, kept, failures);
  DeleteFile(PathOf(app_path, kTemporary));  // an older scratch file must not stay behind
  return true;
}

void BuildEntryFiles(const std::string& app_path, const std::vector<std::string_view>& entries,
                     StepFailures& failures) {
  const auto kept = SortAndCollapse(entries, EntrySortKey);
  Write(app_path, kSeNew, kept, failures);
  Write(app_path, kSeNewD, kept, failures);
}

// The horse file, the horse list and the dam list; returns the number of horse records read.
int64_t BuildHorseFiles(const std::string& app_path, StepFailures& failures) {
  RecordBlock horses;
  if (!Read(app_path, kUmThisWeek, horses, failures)) return 0;
  std::vector<std::string> ketto_nums;
  const auto records = RecordsOf(horses);
  const auto kept = SortAndCollapse(records, [](std::string_view r) { return um::KettoNum.Str(r); }, &ketto_nums);
  Write(app_path, kUmNew, kept, failures);
  WriteList(app_path, names::kKettoNumList, ketto_nums, failures);

  std::vector<std::string> dam_nums;
  SortAndCollapse(records, [](std::string_view r) { return um::DamNum.Str(r); }, &dam_nums);
  WriteList(app_path, names::kDamNumList, dam_nums, failures);
  return static_cast<int64_t>(horses.count());
}

std::string FailureText(const StepFailures& failures) {
  std::string text = "構造体処理で次の処理ができませんでした。";
  for (size_t i = 0; i < failures.items.size() && i < kListedFailures; ++i) text += "\n" + failures.items[i];
  if (failures.items.size() > kListedFailures)
    text += "\nほか " + std::to_string(failures.items.size() - kListedFailures) + " 件";
  return text;
}

}  // namespace

StepFailures RunStructureProcessing(const std::string& app_path, StepUi& ui) {
  StepFailures failures;
  CheckModelPackage(app_path, ui);
  ui.SetText("Text4", std::string(kStructureStartText));
  ui.Yield();

  BuildRaceFiles(app_path, failures);
  {
    RecordBlock raw_entries;
    std::vector<std::string_view> entries;
    if (DropCategoryOne(app_path, raw_entries, entries, failures)) BuildEntryFiles(app_path, entries, failures);
  }
  const int64_t horse_records = BuildHorseFiles(app_path, failures);
  RebuildUmagotoFiles(app_path, RunVersionMatch::kLastQualifying, ui, failures);

  ui.SetText("Text4", std::string(kStructureEndText) + " " + SignedText(horse_records));
  if (!failures.empty()) ui.Message(FailureText(failures));
  return failures;
}

}  // namespace radadovur::store
