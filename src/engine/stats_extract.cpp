#include "engine/stats_extract.h"

#include <unordered_map>

#include "common/names.h"
#include "common/package_path.h"
#include "common/record_file.h"
#include "engine/stats_layout.h"
#include "engine/week_files.h"

namespace radadovur::engine {
namespace {

std::string PackagePath(const std::string& app_path, std::string_view name) {
  return common::ResolvePackagePath(app_path, std::string(common::names::kOptionFolder) + "/" + std::string(name));
}

}  // namespace

std::string ExtractRecords(std::string_view source, size_t record_length, size_t key_width,
                           const std::vector<std::string>& ids) {
  std::unordered_map<std::string_view, int> listed;  // id -> times listed
  for (const auto& id : ids)
    if (id.size() == key_width) ++listed[id];  // an id of another width equals no key
  std::string extract;
  if (record_length == 0 || key_width > record_length) return extract;
  for (size_t at = 0; at + record_length <= source.size(); at += record_length) {
    auto it = listed.find(source.substr(at, key_width));
    if (it == listed.end()) continue;
    for (int k = 0; k < it->second; ++k) extract.append(source.substr(at, record_length));
  }
  return extract;
}

common::Status WriteStatsExtract(const std::string& app_path, std::string_view source_name,
                                 std::string_view extract_name, size_t record_length, size_t key_width,
                                 const std::vector<std::string>& ids) {
  std::string source;
  const auto read = ReadFileBytes(PackagePath(app_path, source_name), source);
  const std::string extract = read.ok() ? ExtractRecords(source, record_length, key_width, ids) : std::string();
  const std::string path = PackagePath(app_path, extract_name);
  auto written = ReplaceFile(path, extract);
  // The old extract holds another week's records: it goes, so that nothing reads it as this week's.
  if (!written.ok()) {
    if (const auto removed = common::DeleteFile(path); !removed.ok())
      written = common::Status::IoError(path, written.ToString() + "; " + removed.ToString());
  }
  return read.ok() ? written : read;
}

common::Status WriteDamExtract(const std::string& app_path, const std::vector<std::string>& dam_ids) {
  return WriteStatsExtract(app_path, stats_files::kHahauma, stats_files::kHahaumaThisWeek, stallion_stats::kLength,
                           stallion_stats::kKeyWidth, dam_ids);
}

common::Status WriteHorseExtract(const std::string& app_path, const std::vector<std::string>& horse_ids) {
  return WriteStatsExtract(app_path, stats_files::kKyosoba, stats_files::kKyosobaThisWeek, kyosoba_stats::kLength,
                           kyosoba_stats::kKeyWidth, horse_ids);
}

}  // namespace radadovur::engine
