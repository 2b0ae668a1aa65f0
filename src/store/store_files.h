#pragma once
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "common/names.h"
#include "common/record_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"

// The fixed-length record files of the race store with their record lengths.
namespace radadovur::store {

struct StoreFile {
  std::string_view name;
  size_t record_length;
};

inline constexpr StoreFile kRaThisWeek{names::kRaThisWeek, ra::kLength};
inline constexpr StoreFile kSeThisWeek{names::kSeThisWeek, se::kLength};
inline constexpr StoreFile kUmThisWeek{names::kUmThisWeek, um::kLength};
inline constexpr StoreFile kKsThisWeek{names::kKsThisWeek, ks_stored::kLength};
inline constexpr StoreFile kHrThisWeek{names::kHrThisWeek, hr::kLength};
inline constexpr StoreFile kRaNew{names::kRaNew, ra::kLength};
inline constexpr StoreFile kRaNewD{names::kRaNewD, ra::kLength};
inline constexpr StoreFile kSeNew{names::kSeNew, se::kLength};
inline constexpr StoreFile kSeNewD{names::kSeNewD, se::kLength};
inline constexpr StoreFile kUmNew{names::kUmNew, um::kLength};
inline constexpr StoreFile kTemporary{names::kTemporary, se::kLength};
inline constexpr StoreFile kRaRealtime{names::kRaRealtime, ra::kLength};
inline constexpr StoreFile kSeRealtime{names::kSeRealtime, se::kLength};
inline constexpr StoreFile kHrRealtime{names::kHrRealtime, hr::kLength};

// The raw record files of the download, in the order the download deletes them.
inline constexpr std::array<StoreFile, 5> kRawRecordFiles = {kRaThisWeek, kSeThisWeek, kUmThisWeek, kKsThisWeek,
                                                             kHrThisWeek};

inline std::string PathOf(const std::string& app_path, const StoreFile& file) {
  return app_path + std::string(file.name);
}

// Deletes a store file; a missing file is no error. On failure `error` says why.
inline bool DeleteStoreFile(const std::string& app_path, const StoreFile& file, std::string& error) {
  const std::string path = PathOf(app_path, file);
  if (DeleteFile(path)) return true;
  error = "cannot delete " + path + ": " + std::strerror(errno);
  return false;
}

// Opens a store file for rewriting: the records go to a temporary file that Commit puts in
// place, so a step that stops half way leaves the old file (or none), never half a file.
inline bool OpenReplacing(RecordFile& records, const std::string& app_path, const StoreFile& file) {
  return records.OpenReplacing(PathOf(app_path, file), file.record_length);
}

// The per-horse entry file "UMAGOTOTHISWEEKN/<KettoNum>.dat" (runner records).
inline std::string UmagotoFileName(std::string_view ketto_num) {
  return std::string(names::kUmagotoFolder) + "/" + std::string(ketto_num) + ".dat";
}

}  // namespace radadovur::store
