#pragma once
#include <cstdint>
#include <string>

// What the delivery service's result codes mean to the user, and what to do about them.
namespace radadovur::jvlink {

// A sentence or two for a negative result code of JV-Link: the meaning and the next step. A code
// the service does not document gets a general text that still names the next step.
std::string ServiceErrorText(int32_t code);

}  // namespace radadovur::jvlink
