// Until these items are coded, each gives an empty code (its category is then 0).
// factor_items_21_30.cpp replaces this file.
#include "engine/factor_items_21_30.h"

namespace radadovur::engine {
namespace {
common::Status Pending(std::string& code) {
  code.clear();
  return common::Status::OK();
}
}  // namespace

common::Status CodeRaceNoFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeZenzensoChakusaFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeFatherFukushorituFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeUmabanFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeUmakigoTukiFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeZensoTimediffFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeNichijiFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeShussoTosuFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeLapFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeBanusiArningFactor(const CoderContext&, std::string& code) { return Pending(code); }

}  // namespace radadovur::engine
