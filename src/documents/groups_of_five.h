#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// The predicted order of a race as horse numbers cut into groups of five ranks (Q1 ranks 1-5,
// Q2 6-10, Q3 11-15, Q4 16-18) and, once the results are final, the same groups with each horse's
// finishing mark (ATQ1 to ATQ4). The registered runner count cuts the groups: 1 to 4 give one
// group of ranks 1-4, 5 to 18 give groups of five up to rank n.
//
// A Q1 line always follows the runner lines, because the readers of the result document stop
// reading runners at it: a registered count that is 0, blank, above 18 or no number cuts the
// groups by the ranked runners instead. A line holds only the ranks that have a runner; a group
// without any gets no line (Q1 excepted, which then stands alone).
namespace radadovur::documents {

struct GroupsOfFiveInput {
  std::string_view registered_count;    // TorokuTosu of the race, 2 characters
  std::span<const std::string> ranked;  // horse numbers by predicted rank, rank 1 first ("07")
  bool results_final = false;
  std::span<const std::string> place_marks;  // by horse number 0..18: "01" to "05" or "**"
};

// The lines in document order (all Q lines, then in results mode all ATQ lines), CP932, CR LF.
// A rank whose horse number does not read as one is left out of both its lines and reported.
std::vector<std::string> GroupsOfFiveLines(const GroupsOfFiveInput& input, common::StepFailures& failures);

}  // namespace radadovur::documents
