#pragma once
#include <string>
#include <string_view>

#include "common/names.h"
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

// The per-horse entry file "UMAGOTOTHISWEEKN/<KettoNum>.dat" (runner records).
inline std::string UmagotoFileName(std::string_view ketto_num) {
  return std::string(names::kUmagotoFolder) + "/" + std::string(ketto_num) + ".dat";
}

}  // namespace radadovur::store
