#include "steps/failure_text.h"

namespace radadovur::steps {
namespace {
constexpr size_t kListedFailures = 20;
}  // namespace

std::string FailureText(std::string_view heading, const common::StepFailures& failures) {
  std::string text(heading);
  for (size_t i = 0; i < failures.items.size() && i < kListedFailures; ++i) text += "\n" + failures.items[i].ToString();
  if (failures.items.size() > kListedFailures)
    text += "\nほか " + std::to_string(failures.items.size() - kListedFailures) + " 件";
  return text;
}

}  // namespace radadovur::steps
