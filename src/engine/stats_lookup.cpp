#include "engine/stats_lookup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

#include "common/convert.h"
#include "common/names.h"
#include "common/package_path.h"
#include "common/regular_file.h"
#include "engine/stats_layout.h"

namespace radadovur::engine {
namespace {

bool ReadAll(int fd, off_t size, std::string& out) {
  out.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  out.resize(done);
  return true;
}

}  // namespace

const StatsFileKind* StatsFileByName(std::string_view file_name) {
  namespace f = stats_files;
  static constexpr jvdata::Field kStallionKeys[] = {stallion_stats::Key};
  static constexpr jvdata::Field kKyosobaKeys[] = {kyosoba_stats::Key};
  static constexpr jvdata::Field kSeiseiKeys[] = {seisei_stats::Key};
  static constexpr jvdata::Field kHnskKeys[] = {hnsk::DamNum, hnsk::KettoNum};
  static const StatsFileKind kKinds[] = {
      {f::kStallion, "StallionStatsRecord", stallion_stats::kLength, stallion_stats::kFields, kStallionKeys},
      {f::kHahauma, "StallionStatsRecord", stallion_stats::kLength, stallion_stats::kFields, kStallionKeys},
      {f::kHahaumaThisWeek, "StallionStatsRecord", stallion_stats::kLength, stallion_stats::kFields, kStallionKeys},
      {f::kKyosoba, "KyosobaStatsRecord", kyosoba_stats::kLength, kyosoba_stats::kFields, kKyosobaKeys},
      {f::kKyosobaThisWeek, "KyosobaStatsRecord", kyosoba_stats::kLength, kyosoba_stats::kFields, kKyosobaKeys},
      {f::kKishuSeisei, "SeiseiRecord", seisei_stats::kLength, seisei_stats::kFields, kSeiseiKeys},
      {f::kChokyoSeisei, "SeiseiRecord", seisei_stats::kLength, seisei_stats::kFields, kSeiseiKeys},
      {f::kHnsk, "HnskRecord", hnsk::kLength, hnsk::kFields, kHnskKeys},
  };
  for (const auto& kind : kKinds)
    if (common::SameIgnoringCase(kind.file_name, file_name)) return &kind;
  return nullptr;
}

common::Status CheckStatsKeys(const std::string& path, std::string_view bytes, const StatsFileKind& kind) {
  const int64_t count = StatsRecordCount(static_cast<int64_t>(bytes.size()), kind.length);
  for (int64_t n = 0; n < count; ++n) {
    const std::string_view record = bytes.substr(static_cast<size_t>(n) * kind.length, kind.length);
    for (const jvdata::Field& key : kind.digit_keys) {
      const std::string_view value = key.Of(record);
      if (value.find_first_not_of("0123456789") == std::string_view::npos) continue;
      return common::Status::Corruption(path, path + " の " + std::to_string(n + 1) + " 件目のレコードのキー「" +
                                                  common::Shown(value) + "」が " + std::to_string(key.width) +
                                                  " 桁の数字ではありません");
    }
  }
  return common::Status::OK();
}

StatsLookup::Loaded& StatsLookup::Load(const std::string& path, size_t record_length) {
  Loaded& file = files_[path];
  Signature now;
  int fd = -1;
  // Not a regular file: read as one without records (step ⑤ refuses such files before it runs).
  (void)common::OpenRegularFile(path, O_RDONLY, 0, "を読めません", fd);
  struct stat st {};
  if (fd >= 0 && ::fstat(fd, &st) == 0) {
    now = {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
           st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec};
  }
  if (!(now == file.signature) || file.record_length != record_length) {
    file = Loaded{};
    file.signature = now;
    file.record_length = record_length;
    // A file that cannot be read counts as one without records; its signature is kept so that
    // the next lookup tries again once it changes.
    if (fd >= 0 && now.size > 0 && !ReadAll(fd, now.size, file.bytes)) file.bytes.clear();
  }
  if (fd >= 0) ::close(fd);
  return file;
}

std::optional<std::string> StatsLookup::Find(std::string_view file_name, size_t record_length, size_t key_width,
                                             std::string_view key) {
  if (record_length == 0 || key.size() != key_width) return std::nullopt;
  const auto given = provided_.find(file_name);
  if (given != provided_.end() && given->second.record_length != record_length) {
    given->second.record_length = record_length;
    given->second.index.clear();
  }
  Loaded* held = nullptr;
  if (given == provided_.end() && held_) {
    const auto checked = checked_.find(file_name);
    if (checked != checked_.end() && checked->second->record_length == record_length) held = checked->second;
  }
  Loaded& file = given != provided_.end() ? given->second
                 : held                   ? *held
                                          : Load(common::ResolvePackagePath(app_path_, std::string(common::names::kOptionFolder) +
                                                                                           "/" + std::string(file_name)),
                                                 record_length);
  if (held_ && given == provided_.end() && !held) checked_[std::string(file_name)] = &file;
  auto [it, fresh] = file.index.try_emplace(key_width);
  if (fresh) {
    const int64_t count = StatsRecordCount(static_cast<int64_t>(file.bytes.size()), record_length);
    const size_t width = std::min(key_width, record_length);
    for (int64_t n = 0; n < count; ++n) {
      const size_t at = static_cast<size_t>(n) * record_length;
      it->second.try_emplace(file.bytes.substr(at, width), at);  // the first record of a key stays
    }
  }
  const auto found = it->second.find(std::string(key));
  if (found == it->second.end()) return std::nullopt;
  return file.bytes.substr(found->second, record_length);
}

void StatsLookup::Provide(std::string_view file_name, std::string bytes) {
  Loaded& file = provided_[std::string(file_name)];
  file = Loaded{};
  file.bytes = std::move(bytes);
}

bool IsNullKey(std::string_view key) {
  return key.find_first_not_of('0') == std::string_view::npos || key.find_first_not_of(' ') == std::string_view::npos;
}

double ColumnValue(std::string_view record, const jvdata::Field& column) { return common::TextValue(column.Of(record)); }

int64_t RatioFigure(double value) { return common::FlooredWhole(value / 4000.0).value_or(0); }

std::optional<int64_t> LogFigure(double x) {
  if (!(x > 0)) return std::nullopt;
  return common::FlooredWhole(10.0 * std::log10(x));
}

}  // namespace radadovur::engine
