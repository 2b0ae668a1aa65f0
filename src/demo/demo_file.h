#pragma once
#include <string>

namespace radadovur::demo {

// One file of the demo folder, by its path relative to the program folder.
struct DemoFile {
  std::string path;
  std::string bytes;
};

}  // namespace radadovur::demo
