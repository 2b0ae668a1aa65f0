#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/data_name.h"
#include "common/names.h"
#include "common/record_file.h"
#include "common/status.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "jvdata/record.h"

// The fixed-length record files of the race store with their record lengths.
namespace radadovur::store {

struct StoreFile {
  std::string_view name;
  size_t record_length;
  jvdata::RecordType type;  // the records' type tag
};

inline constexpr StoreFile kRaThisWeek{common::names::kRaThisWeek, jvdata::ra::kLength, jvdata::RecordType::RA};
inline constexpr StoreFile kSeThisWeek{common::names::kSeThisWeek, jvdata::se::kLength, jvdata::RecordType::SE};
inline constexpr StoreFile kUmThisWeek{common::names::kUmThisWeek, jvdata::um::kLength, jvdata::RecordType::UM};
inline constexpr StoreFile kKsThisWeek{common::names::kKsThisWeek, jvdata::ks_stored::kLength, jvdata::RecordType::KS};
inline constexpr StoreFile kHrThisWeek{common::names::kHrThisWeek, jvdata::hr::kLength, jvdata::RecordType::HR};
inline constexpr StoreFile kRaNew{common::names::kRaNew, jvdata::ra::kLength, jvdata::RecordType::RA};
inline constexpr StoreFile kRaNewD{common::names::kRaNewD, jvdata::ra::kLength, jvdata::RecordType::RA};
inline constexpr StoreFile kSeNew{common::names::kSeNew, jvdata::se::kLength, jvdata::RecordType::SE};
inline constexpr StoreFile kSeNewD{common::names::kSeNewD, jvdata::se::kLength, jvdata::RecordType::SE};
inline constexpr StoreFile kUmNew{common::names::kUmNew, jvdata::um::kLength, jvdata::RecordType::UM};
inline constexpr StoreFile kTemporary{common::names::kTemporary, jvdata::se::kLength, jvdata::RecordType::SE};
inline constexpr StoreFile kRaRealtime{common::names::kRaRealtime, jvdata::ra::kLength, jvdata::RecordType::RA};
inline constexpr StoreFile kSeRealtime{common::names::kSeRealtime, jvdata::se::kLength, jvdata::RecordType::SE};
inline constexpr StoreFile kHrRealtime{common::names::kHrRealtime, jvdata::hr::kLength, jvdata::RecordType::HR};

// The raw record files of the download, in the order the download deletes them.
inline constexpr std::array<StoreFile, 5> kRawRecordFiles = {kRaThisWeek, kSeThisWeek, kUmThisWeek, kKsThisWeek,
                                                             kHrThisWeek};

inline std::string PathOf(const std::string& app_path, const StoreFile& file) {
  return app_path + std::string(file.name);
}

// Deletes a store file; a missing file is no error.
inline common::Status DeleteStoreFile(const std::string& app_path, const StoreFile& file) {
  return common::DeleteFile(PathOf(app_path, file));
}

// Opens a store file for rewriting: the records go to a temporary file that Commit puts in
// place, so a step that stops half way leaves the old file (or none), never half a file.
inline bool OpenReplacing(common::RecordFile& records, const std::string& app_path, const StoreFile& file) {
  return records.OpenReplacing(PathOf(app_path, file), file.record_length);
}

// The per-horse entry file "UMAGOTOTHISWEEKN/<KettoNum>.dat" (runner records); an id that is not
// a KettoNum is a failure naming it, and gives no name.
inline common::Status UmagotoFileName(std::string_view ketto_num, std::string& name) {
  name.clear();
  if (common::Status status = common::CheckDataName(common::DataName::kKettoNum, ketto_num); !status.ok())
    return status;
  name = std::string(common::names::kUmagotoFolder) + "/" + std::string(ketto_num) + ".dat";
  return common::Status::OK();
}

}  // namespace radadovur::store
