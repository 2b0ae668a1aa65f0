#pragma once
#include "jvdata/layout_header.h"

// PayoutRecord (HR): 719 bytes, stored as delivered. Each payout block is a repeated
// {Combination, Payout, Popularity} entry.
namespace radadovur::jvdata::hr {
inline constexpr uint32_t kLength = 719;

#define RADADOVUR_HR_FIELDS(X)                               \
  RADADOVUR_HEADER_FIELDS(X)                                 \
  RADADOVUR_RACEID_FIELDS(X)                                 \
  X(TorokuTosu, 27, 2, 1, 0, 1, 0)                           \
  X(ShussoTosu, 29, 2, 1, 0, 1, 0)                           \
  X(VoidFlags, 31, 1, 9, 1, 1, 0)                            \
  X(SpecialPayFlags, 40, 1, 9, 1, 1, 0)                      \
  X(RefundFlags, 49, 1, 9, 1, 1, 0)                          \
  X(RefundedHorses, 58, 1, 28, 1, 1, 0)                      \
  X(RefundedBrackets, 86, 1, 8, 1, 1, 0)                     \
  X(RefundedSameBrackets, 94, 1, 8, 1, 1, 0)                 \
  X(TanshoPayouts_Combination, 102, 2, 3, 13, 1, 0)          \
  X(TanshoPayouts_Payout, 104, 9, 3, 13, 1, 0)               \
  X(TanshoPayouts_Popularity, 113, 2, 3, 13, 1, 0)           \
  X(FukushoPayouts_Combination, 141, 2, 5, 13, 1, 0)         \
  X(FukushoPayouts_Payout, 143, 9, 5, 13, 1, 0)              \
  X(FukushoPayouts_Popularity, 152, 2, 5, 13, 1, 0)          \
  X(WakurenPayouts_Combination, 206, 2, 3, 13, 1, 0)         \
  X(WakurenPayouts_Payout, 208, 9, 3, 13, 1, 0)              \
  X(WakurenPayouts_Popularity, 217, 2, 3, 13, 1, 0)          \
  X(UmarenPayouts_Combination, 245, 4, 3, 16, 1, 0)          \
  X(UmarenPayouts_Payout, 249, 9, 3, 16, 1, 0)               \
  X(UmarenPayouts_Popularity, 258, 3, 3, 16, 1, 0)           \
  X(WidePayouts_Combination, 293, 4, 7, 16, 1, 0)            \
  X(WidePayouts_Payout, 297, 9, 7, 16, 1, 0)                 \
  X(WidePayouts_Popularity, 306, 3, 7, 16, 1, 0)             \
  X(Reserved_Combination, 405, 4, 3, 16, 1, 0)               \
  X(Reserved_Payout, 409, 9, 3, 16, 1, 0)                    \
  X(Reserved_Popularity, 418, 3, 3, 16, 1, 0)                \
  X(UmatanPayouts_Combination, 453, 4, 6, 16, 1, 0)          \
  X(UmatanPayouts_Payout, 457, 9, 6, 16, 1, 0)               \
  X(UmatanPayouts_Popularity, 466, 3, 6, 16, 1, 0)           \
  X(SanrenpukuPayouts_Combination, 549, 6, 3, 18, 1, 0)      \
  X(SanrenpukuPayouts_Payout, 555, 9, 3, 18, 1, 0)           \
  X(SanrenpukuPayouts_Popularity, 564, 3, 3, 18, 1, 0)       \
  X(SanrentanPayouts_Combination, 603, 6, 6, 19, 1, 0)       \
  X(SanrentanPayouts_Payout, 609, 9, 6, 19, 1, 0)            \
  X(SanrentanPayouts_Popularity, 618, 4, 6, 19, 1, 0)        \
  X(LineEnd, 717, 2, 1, 0, 1, 0)

RADADOVUR_LAYOUT(RADADOVUR_HR_FIELDS)
static_assert(TilesExactly<kLength>(kFields), "HR layout must cover 719 bytes exactly");
}  // namespace radadovur::jvdata::hr
