// Until these items are coded, each gives an empty code (its category is then 0).
// factor_items_11_20.cpp replaces this file.
#include "engine/factor_items_11_20.h"

namespace radadovur::engine {
namespace {
common::Status Pending(std::string& code) {
  code.clear();
  return common::Status::OK();
}
}  // namespace

common::Status CodeBataijuuFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeBareiFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeKishuArningFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeRaceKankakuFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeZenzenOzzFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeTenkoBabaFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeChoArningFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeKishuNenreiFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeTrainerFactor(const CoderContext&, std::string& code) { return Pending(code); }
common::Status CodeFatherArningFactor(const CoderContext&, std::string& code) { return Pending(code); }

}  // namespace radadovur::engine
