#include "documents/groups_of_five.h"

#include <algorithm>
#include <optional>

#include "common/tagged_line.h"
#include "documents/formatters.h"

namespace radadovur::documents {
namespace {

// The registered count read as a number: blanks ignored, a blank field 0; nullopt when no number.
std::optional<int> RegisteredCount(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The highest rank the groups reach.
int LastRank(const GroupsOfFiveInput& input) {
  const auto n = RegisteredCount(input.registered_count);
  if (n && *n >= 1 && *n <= 4) return 4;
  if (n && *n >= 5 && *n <= 18) return *n;
  return static_cast<int>(std::min<size_t>(input.ranked.size(), 18));
}

}  // namespace

std::vector<std::string> GroupsOfFiveLines(const GroupsOfFiveInput& input, common::StepFailures& failures) {
  const int last_rank = LastRank(input);
  const int ranks = std::min(last_rank, static_cast<int>(input.ranked.size()));

  // Per group the horse-number texts and the marks of its ranks that have a runner.
  const int groups = std::max(1, (last_rank + 4) / 5);
  std::vector<std::vector<std::string>> numbers(groups), marks(groups);
  for (int r = 1; r <= ranks; ++r) {
    const std::string& horse = input.ranked[r - 1];
    std::string number;
    common::Status status = TwoCharacterNumber(horse, &number);
    if (!status.ok()) {
      failures.Add(common::Status::InvalidArgument("予想順", "予想順 " + std::to_string(r) +
                                                                          " 位: " + status.ToString()));
      continue;
    }
    const int g = (r - 1) / 5;
    numbers[g].push_back(number);
    if (input.results_final) {
      const size_t index = static_cast<size_t>(std::stoi(number));
      if (index >= input.place_marks.size()) {
        failures.Add(common::Status::InvalidArgument(
            "着順の印", "馬番 " + std::to_string(index) + " の着順の印がありません"));
        marks[g].push_back("");
      } else {
        marks[g].push_back(input.place_marks[index]);
      }
    }
  }

  std::vector<std::string> lines;
  auto write = [&](const char* stem, const std::vector<std::vector<std::string>>& items) {
    for (int g = 0; g < groups; ++g) {
      if (items[g].empty() && g > 0) continue;
      common::TaggedLine line(std::string(stem) + std::to_string(g + 1));
      for (const auto& item : items[g]) line.Text(item);
      lines.push_back(line.Str());
    }
  };
  write("Q", numbers);
  if (input.results_final) write("ATQ", marks);
  return lines;
}

}  // namespace radadovur::documents
