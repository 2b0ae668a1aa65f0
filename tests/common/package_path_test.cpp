#include "common/package_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace radadovur {
namespace {

// Each part of the path: the exact spelling first, then the first case variant in name order;
// a part found in neither way, and everything after it, keeps its own spelling.
TEST(PackagePath, ResolvesEachPartIgnoringCase) {
  testing::TempFolder folder("rdv_package_path");
  const std::string app = folder.app_path();
  for (const char* file : {"Option1n/KYOSOBA.dat", "Option1n/kyosoba.DAT", "Option1n/SEISEI.dat"}) {
    std::filesystem::create_directories(std::filesystem::path(app + file).parent_path());
    std::ofstream(app + file) << "x";
  }
  const struct {
    const char* relative;
    const char* resolved;
  } cases[] = {
      {"OPTION1N/SEISEI.dat", "Option1n/SEISEI.dat"},      // the folder in another case
      {"option1n/kyosoba.dat", "Option1n/KYOSOBA.dat"},    // first of two variants in name order
      {"Option1n/kyosoba.DAT", "Option1n/kyosoba.DAT"},    // exact spelling beats the first variant
      {"OPTION1N/STALLION.dat", "Option1n/STALLION.dat"},  // folder found, file missing there
      {"MISSING/kyosoba.dat", "MISSING/kyosoba.dat"},      // missing folder: the rest as given
  };
  for (const auto& c : cases) EXPECT_EQ(common::ResolvePackagePath(app, c.relative), app + c.resolved) << c.relative;
  EXPECT_TRUE(common::SameIgnoringCase("Kyosoba.DAT", "KYOSOBA.dat"));
  EXPECT_FALSE(common::SameIgnoringCase("KYOSOBA.dat", "KYOSOBA.da"));
}

}  // namespace
}  // namespace radadovur
