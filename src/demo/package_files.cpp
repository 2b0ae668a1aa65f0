#include "demo/package_files.h"

#include "demo/package_model.h"
#include "demo/package_stats.h"
#include "demo/week_codes.h"

namespace radadovur::demo {

std::vector<DemoFile> ModelPackageFiles(const World& world) {
  std::vector<DemoFile> stats = StatisticsFilesOf(world);
  const WeekItemCodes week = CodeDemoWeek(world, stats);
  std::vector<DemoFile> files;
  for (engine::ModelSurface s : engine::kModelSurfaces)
    for (DemoFile& f : ModelFilesOf(s, DemoModelCategories(s, DemoItemCodes(week, s)))) files.push_back(std::move(f));
  for (DemoFile& f : stats) files.push_back(std::move(f));
  return files;
}

}  // namespace radadovur::demo
