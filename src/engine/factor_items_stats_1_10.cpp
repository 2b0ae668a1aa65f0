#include "engine/factor_items_1_10.h"

// Items 7 and 8 read the statistics files: their fallback codes until the lookup is in place.
namespace radadovur::engine {

common::Status CodeKishuFukushoFactor(const CoderContext&, std::string& code) {
  code = "11";
  return common::Status::OK();
}

common::Status CodeKyosobaFukushorituFactor(const CoderContext&, std::string& code) {
  code = "10";
  return common::Status::OK();
}

}  // namespace radadovur::engine
