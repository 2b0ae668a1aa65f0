#include "store/umagoto_rebuild.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "common/convert.h"
#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_se.h"
#include "store/record_block.h"
#include "store/store_files.h"
#include "store/store_keys.h"
#include "store/structure.h"

namespace radadovur::store {
namespace {

namespace names = common::names;


bool HoldsExactly(const std::string& path, const std::string& bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) != bytes.size() || ec)
    return false;
  std::string old;
  return common::ReadWholeFile(path, old).ok() && old == bytes;
}

}  // namespace

void HorseRuns::Merge(std::string_view record) {
  const std::string key = HorseRunKey(record);
  Run run{record, key.substr(8), common::TextValue(std::string_view(key).substr(0, 8))};
  bool same_run_stored = false;
  size_t replace = runs_.size();  // none
  for (size_t k = 0; k < runs_.size(); ++k) {
    if (runs_[k].run != run.run) continue;
    same_run_stored = true;
    if (run.created >= runs_[k].created) replace = k;
  }
  if (replace < runs_.size())
    runs_[replace] = std::move(run);
  else if (!same_run_stored)
    runs_.push_back(std::move(run));
}

std::string HorseRuns::Bytes() const {
  std::string bytes;
  for (const auto& r : runs_) bytes += r.record;
  return bytes;
}

void RebuildUmagotoFiles(const std::string& app_path, common::StepHost& host, common::StepFailures& failures) {
  // The horses of the list, each once; a value that is not a KettoNum names no file (a quote or
  // a slash in it would name another horse's file, or none).
  std::vector<std::string> ids;
  std::unordered_map<std::string, size_t> index;
  const std::string list(common::names::kKettoNumList);
  std::string text;
  if (common::Status s = common::ReadWholeFile(app_path + list, text); !s.ok()) {
    failures.Add(s.WithDetail(s.ToString() + "（馬ごとファイルは元のままです）"));
    return;
  }
  common::CsvItemReader reader(std::move(text));
  for (std::string id; reader.Next(id);) {
    if (common::Status named = common::CheckDataName(common::DataName::kKettoNum, id); !named.ok()) {
      failures.Add(common::Status::InvalidArgument(list, list + ": 馬ごとファイルを作れません: " + named.ToString()));
      continue;
    }
    if (index.emplace(id, ids.size()).second) ids.push_back(std::move(id));
  }

  RecordBlock entries;
  if (common::Status s = ReadRecordBlock(app_path, kSeNew, entries); !s.ok()) {
    failures.Add(s.WithDetail(s.ToString() + "（馬ごとファイルは元のままです）"));  // rather than emptied
    return;
  }

  std::vector<HorseRuns> horses(ids.size());
  for (size_t i = 0; i < entries.count(); ++i) {
    const std::string_view r = entries.Record(i);
    auto it = index.find(std::string(jvdata::se::KettoNum.Of(r)));
    if (it != index.end()) horses[it->second].Merge(r);
  }

  if (ids.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(app_path + std::string(common::names::kUmagotoFolder), ec);
  for (size_t h = 0; h < ids.size(); ++h) {
    // A file that already holds exactly these records is left as it is: creating a new file
    // costs far more than reading one, and a repeated run rewrites mostly unchanged files.
    std::string name;
    if (!UmagotoFileName(ids[h], name).ok()) continue;  // never: the list's ids were checked above
    const std::string path = app_path + name;
    const std::string bytes = horses[h].Bytes();
    if (!HoldsExactly(path, bytes)) failures.Add(common::WriteFileAtomic(path, bytes));
    host.Yield();
  }
}

}  // namespace radadovur::store
