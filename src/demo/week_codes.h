#pragma once
#include <array>
#include <set>
#include <string>
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_world.h"
#include "engine/factor_items.h"
#include "engine/weight_model.h"

// The factor codes of the demo week as step ⑤ will find them: every horse's runs laid out as
// the store holds them after ② and ④, joined into expanded records by the engine's builder
// and coded by the engine's 30 coders, in memory.
namespace radadovur::demo {

// Per surface (in kModelSurfaces order) and item (index 0 unused): the codes the coders gave on
// the coded runs, as they return them (without the padding of the stored field).
using WeekItemCodes = std::array<std::array<std::set<std::string>, engine::kFactorItems + 1>, 3>;

// Codes the last four runs of every horse of the week. `package` holds the model package's
// statistics files and jockey master (files below "OPTION1N"); the coders run against an empty
// reference model, so items 17 and 29 give what they give without one.
WeekItemCodes CodeDemoWeek(const World& world, const std::vector<DemoFile>& package);

}  // namespace radadovur::demo
