#pragma once
#include <string>
#include <string_view>

#include "common/status.h"

namespace radadovur::steps {

// The message that ends a step with failures: the heading, then one failure per line (the
// first twenty, then how many more).
std::string FailureText(std::string_view heading, const common::StepFailures& failures);

}  // namespace radadovur::steps
