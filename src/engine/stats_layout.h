#pragma once
#include <string_view>

#include "jvdata/field.h"

// The statistics files of the model package and this week's extracts: fixed-length records of
// text columns, back to back, no header. A column group (A, B, C) is one repeated field; column
// k of a group (numbered from 1, as the coders name them) is element k - 1.
namespace radadovur::engine {

// File names inside the package folder.
namespace stats_files {
inline constexpr std::string_view kStallion = "STALLION.dat";
inline constexpr std::string_view kHahauma = "HAHAUMA.dat";
inline constexpr std::string_view kHahaumaThisWeek = "HAHAUMATHISWEEK.dat";
inline constexpr std::string_view kKyosoba = "KYOSOBA.dat";
inline constexpr std::string_view kKyosobaThisWeek = "KYOSOBATHISWEEK.dat";
inline constexpr std::string_view kKishuSeisei = "KISHUSEISEI.dat";
inline constexpr std::string_view kChokyoSeisei = "CHOKYOSEISEI.dat";
inline constexpr std::string_view kHnsk = "HNSKOPTION1N.dat";
// The package's jockey master, in the stored KS layout.
inline constexpr std::string_view kJockeyMaster = "KS20200101NEW.dat";
}  // namespace stats_files

// Column k (from 1) of a column group as a field of its own.
constexpr jvdata::Field Column(const jvdata::Field& group, uint32_t k) { return jvdata::Field{group.At(k - 1), group.width}; }

}  // namespace radadovur::engine

// StallionStatsRecord: sires (STALLION.dat) and dams (HAHAUMA.dat and its extract).
namespace radadovur::engine::stallion_stats {
inline constexpr uint32_t kLength = 402;
inline constexpr uint32_t kKeyWidth = 10;
#define RADADOVUR_STALLION_STATS_FIELDS(X) \
  X(Key, 0, 10, 1, 0, 1, 0)                \
  X(A, 10, 6, 6, 6, 1, 0)                  \
  X(B, 46, 9, 4, 9, 1, 0)                  \
  X(C, 82, 6, 53, 6, 1, 0)                 \
  X(End, 400, 2, 1, 0, 1, 0)
RADADOVUR_LAYOUT(RADADOVUR_STALLION_STATS_FIELDS)
static_assert(jvdata::TilesExactly<kLength>(kFields), "StallionStatsRecord must cover 402 bytes exactly");
}  // namespace radadovur::engine::stallion_stats

// KyosobaStatsRecord: horses (KYOSOBA.dat and its extract).
namespace radadovur::engine::kyosoba_stats {
inline constexpr uint32_t kLength = 228;
inline constexpr uint32_t kKeyWidth = 10;
#define RADADOVUR_KYOSOBA_STATS_FIELDS(X) \
  X(Key, 0, 10, 1, 0, 1, 0)               \
  X(A, 10, 6, 4, 6, 1, 0)                 \
  X(B, 34, 9, 4, 9, 1, 0)                 \
  X(C, 70, 6, 26, 6, 1, 0)                \
  X(End, 226, 2, 1, 0, 1, 0)
RADADOVUR_LAYOUT(RADADOVUR_KYOSOBA_STATS_FIELDS)
static_assert(jvdata::TilesExactly<kLength>(kFields), "KyosobaStatsRecord must cover 228 bytes exactly");
}  // namespace radadovur::engine::kyosoba_stats

// SeiseiRecord: jockeys (KISHUSEISEI.dat) and trainers (CHOKYOSEISEI.dat).
namespace radadovur::engine::seisei_stats {
inline constexpr uint32_t kLength = 121;
inline constexpr uint32_t kKeyWidth = 5;
#define RADADOVUR_SEISEI_STATS_FIELDS(X) \
  X(Key, 0, 5, 1, 0, 1, 0)               \
  X(A, 5, 6, 14, 6, 1, 0)                \
  X(B, 89, 9, 2, 9, 1, 0)                \
  X(C, 107, 6, 2, 6, 1, 0)               \
  X(End, 119, 2, 1, 0, 1, 0)
RADADOVUR_LAYOUT(RADADOVUR_SEISEI_STATS_FIELDS)
static_assert(jvdata::TilesExactly<kLength>(kFields), "SeiseiRecord must cover 121 bytes exactly");
}  // namespace radadovur::engine::seisei_stats

// HnskRecord: one foal of a dam; a dam's foals stand together in foal order.
namespace radadovur::engine::hnsk {
inline constexpr uint32_t kLength = 22;
inline constexpr uint32_t kKeyWidth = 10;
#define RADADOVUR_HNSK_FIELDS(X) \
  X(DamNum, 0, 10, 1, 0, 1, 0)   \
  X(KettoNum, 10, 10, 1, 0, 1, 0) \
  X(End, 20, 2, 1, 0, 1, 0)
RADADOVUR_LAYOUT(RADADOVUR_HNSK_FIELDS)
static_assert(jvdata::TilesExactly<kLength>(kFields), "HnskRecord must cover 22 bytes exactly");
}  // namespace radadovur::engine::hnsk

// The columns the coders read, at the offsets they are known by.
namespace radadovur::engine {
static_assert(Column(stallion_stats::A, 5).offset == 34 && Column(stallion_stats::B, 3).offset == 64);
static_assert(Column(stallion_stats::C, 7).offset == 118 && Column(stallion_stats::C, 25).offset == 226);
static_assert(Column(kyosoba_stats::C, 7).offset == 106 && Column(kyosoba_stats::B, 2).offset == 43);
static_assert(Column(seisei_stats::A, 7).offset == 41);
}  // namespace radadovur::engine
