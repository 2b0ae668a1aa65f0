#include "common/run_state.h"

namespace radadovur::common {

std::string WithTrailingSlash(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

}  // namespace radadovur::common
