#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// The message that ends a step with failures, as the windows and the command line show it: a
// short summary (what failed, how many, what was left undone because of it, what to do next) and
// the whole list, where the failures of one cause, race or file come together on one line with
// their count.
namespace radadovur::common {

struct FailureReport {
  std::string summary;             // a few short lines, shown first
  std::vector<std::string> lines;  // every failure, grouped, in the order they first happened

  // The list, one line each.
  std::string Details() const;
  // Summary, a blank line, then the list: for a host that shows one text.
  std::string Text() const;
};

// `heading`: what failed ("構造体処理で次の処理ができませんでした。"). `next`: what the user should
// do next; empty: the advice that fits the first real failure (missing step, disk or permission,
// damaged data). Skipped items are counted and listed apart, never as failures.
FailureReport MakeFailureReport(std::string_view heading, const StepFailures& failures, std::string_view next = {});

// The failures, one line per cause (one system error on one folder, one missing file), else per
// race ("レース" and its key in the text), else per file, else per text: a group of more than one
// gives its first failure and the count. Skipped items follow, marked as such.
std::vector<std::string> GroupedFailureLines(const StepFailures& failures);

// One line of that list with what it stands for: `first` the index in failures.items of the
// failure the line shows, `count` how many it stands for.
struct FailureGroup {
  std::string line;
  size_t first = 0;
  size_t count = 0;
  bool skipped = false;
};
std::vector<FailureGroup> GroupFailures(const StepFailures& failures);

// The whole list in one line, for a summary printed apart from it: the first line of the list
// (with its count) and, when there are more, how many more lines and failures in all.
std::string FailureSummaryLine(const StepFailures& failures);

}  // namespace radadovur::common
