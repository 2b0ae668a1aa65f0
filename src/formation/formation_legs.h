#pragma once
#include <optional>
#include <string_view>

#include "common/status.h"

// How far down the predicted order the rank-based strategy buys, by the race's registered runner
// count and, from eight registered runners on (and for a blank or zero count), by the spread of
// its predicted speeds. The formation lines and the formation hit check take their legs from here.
namespace radadovur::formation {

struct FormationLegs {
  int pair_end;     // E of 馬連F and 馬単F: UF2 runs from rank 1 to it
  int box_end;      // E of 馬連B and 3連複B: UBX and SBX
  int partner_end;  // E of the three 3連単 formations: S1A, S2A and S3A end there
};

// The registered count as a number: two digits with blanks allowed; anything else is 0.
int RegisteredCount(std::string_view toroku_tosu);

// Legs of the field-size case of `registered` (1-4, 5, 6, 7, 8, else 9+). Cases 8 and 9+ read
// `sd_value` (above 30 or not); one that is no number fails them, and is never read by the others.
common::Status FormationLegsOf(int registered, std::string_view sd_value, FormationLegs* out);

// Ranks a leg or axis may name: 1 to this (the race's ranked runners).
int RankedRunners(int runner_count, size_t rank_order_size);

}  // namespace radadovur::formation
