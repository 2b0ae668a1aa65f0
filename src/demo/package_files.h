#pragma once
#include <vector>

#include "demo/demo_file.h"
#include "demo/demo_world.h"

// The demo model package under "OPTION1N": the weight model files of turf, dirt and hurdle and
// the statistics files, consistent with the demo world.
namespace radadovur::demo {

std::vector<DemoFile> ModelPackageFiles(const World& world);

}  // namespace radadovur::demo
