#pragma once
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_world.h"

// The statistics files of the demo package, with figures counted from the demo world's past
// races: a record for every sire, dam, horse, jockey and trainer of the world (a horse that
// places more often, or earns more, gets the better figures), the dam-foal list, the package's
// jockey master, and this week's two extracts as step ⑤ would write them.
namespace radadovur::demo {

std::vector<DemoFile> StatisticsFilesOf(const World& world);

}  // namespace radadovur::demo
