#pragma once
#include <array>
#include <string>
#include <vector>

#include "demo/week_codes.h"
#include "engine/factor_items.h"
#include "engine/weight_model.h"

// The categories of the demo model package: for every factor item the codes its coder gives on
// the demo week's coded runs of a surface, as the coder returns them (the model files hold them
// padded to the item's width). The package generator takes its category lists from here only.
namespace radadovur::demo {

// Index 0 unused; item i's codes in category order.
using ItemCodeLists = std::array<std::vector<std::string>, engine::kFactorItems + 1>;

// Item i's categories of `surface`: the codes the week's coded runs gave (in code order), with
// these exceptions. Items 17 and 29 compare an earlier run with the model itself, so they list
// every code they can give, 0 to 15. Item 12 lists every sex and month-age in a fixed order,
// as the factor viewer charts it. And the categories the model keeps for rare runs are there
// whether the week needs them or not: 60 earlier runs (item 9, "060"), a margin of +5.0 s (item
// 26, "0057") and a rider's place figure of 3 (item 7, "13", which the model lists twice).
ItemCodeLists DemoItemCodes(const WeekItemCodes& week, engine::ModelSurface surface);

}  // namespace radadovur::demo
