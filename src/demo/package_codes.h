#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/factor_items.h"
#include "engine/weight_model.h"

// The categories of the demo model package: for every factor item the codes its coder can give
// on a run of a surface, as the coder returns them (the model files hold them padded to the
// item's width). The package generator takes its category lists from here only.
namespace radadovur::demo {

// Index 0 unused; item i's codes in category order.
using ItemCodeLists = std::array<std::vector<std::string>, engine::kFactorItems + 1>;

// The codes the coders of items 1..30 give on the runs of the demo world, as their rules can
// produce them for a surface (venues "01".."10", the classes, distances and field sizes of JRA
// racing).
ItemCodeLists DemoItemCodes(engine::ModelSurface surface);

}  // namespace radadovur::demo
