#include "formation/formation_legs.h"

#include <algorithm>
#include <string>

#include "documents/race_of_record.h"

namespace radadovur::formation {

int RegisteredCount(std::string_view toroku_tosu) {
  long long n = 0;
  return documents::ReadWhole(toroku_tosu, n) ? static_cast<int>(n) : 0;
}

common::Status FormationLegsOf(int n, std::string_view sd_value, FormationLegs* out) {
  if (n >= 1 && n <= 4) *out = {4, 4, 4};
  else if (n == 5) *out = {5, 5, 5};
  else if (n == 6) *out = {6, 5, 6};
  else if (n == 7) *out = {6, 5, 7};
  else {
    long long sd = 0;
    if (!documents::ReadWhole(sd_value, sd))
      return common::Status::InvalidArgument("SD値", "SD値 \"" + common::Shown(sd_value) + "\" は数字ではありません");
    const bool spread = sd > 30;
    if (n == 8) *out = spread ? FormationLegs{6, 5, 8} : FormationLegs{7, 6, 8};
    else *out = spread ? FormationLegs{6, 5, 8} : FormationLegs{7, 6, 9};
  }
  return common::Status::OK();
}

int RankedRunners(int runner_count, size_t rank_order_size) {
  return std::max(0, std::min(runner_count, static_cast<int>(rank_order_size) - 1));
}

}  // namespace radadovur::formation
