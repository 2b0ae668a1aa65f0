#pragma once
#include <vector>

#include "demo/demo_file.h"
#include "demo/package_codes.h"
#include "engine/weight_model.h"

// The weight model files of one surface in the demo package. The weights follow what the demo
// world rewards (distance and going set the pace; class, the horse's own record and prize money
// make a horse faster), so that a flat run predicts about 55 to 65 km/h and a hurdle run about
// 50 to 55 km/h.
//
// A few categories are there to be found by the engine's rules: a year with no samples (item 1,
// "2025"), a rarely used category with weights of exactly 20 (item 9, "060") and one with 20.5
// (item 26, "0057", whose pace weight is -20), and item 7's code "13" listed a second time.
namespace radadovur::demo {

struct ModelCategory {
  std::string code;  // as the coder returns it
  float agari = 0, pace = 0, soha = 0;
  int32_t samples = 0;
};
using ItemCategoryTable = std::array<std::vector<ModelCategory>, engine::kFactorItems + 1>;

// The categories of a surface built on the item codes.
ItemCategoryTable DemoModelCategories(engine::ModelSurface surface, const ItemCodeLists& codes);

// The surface's model files (the hurdle model has only its whole-race weight file).
std::vector<DemoFile> ModelFilesOf(engine::ModelSurface surface, const ItemCategoryTable& table);

}  // namespace radadovur::demo
