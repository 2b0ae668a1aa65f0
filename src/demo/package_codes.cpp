#include "demo/package_codes.h"

namespace radadovur::demo {

ItemCodeLists DemoItemCodes(const WeekItemCodes& week, engine::ModelSurface surface) {
  auto coded = week[static_cast<size_t>(surface)];
  for (int item : {17, 29})
    for (int v = 0; v <= 15; ++v) coded[static_cast<size_t>(item)].insert(std::to_string(v));
  coded[9].insert("060");
  coded[26].insert("0057");
  coded[7].insert("13");
  ItemCodeLists lists;
  for (size_t i = 1; i <= static_cast<size_t>(engine::kFactorItems); ++i) lists[i].assign(coded[i].begin(), coded[i].end());
  return lists;
}

}  // namespace radadovur::demo
