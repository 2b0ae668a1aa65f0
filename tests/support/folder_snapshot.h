#pragma once
#include <filesystem>
#include <map>
#include <string>

#include "common/text_file.h"

namespace radadovur::testing {

// Every regular file below `dir` (ending in "/") with its bytes, by its name relative to `dir`.
inline std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file())
      files[e.path().string().substr(dir.size())] = common::ReadWholeFile(e.path().string()).value_or("<unreadable>");
  return files;
}

}  // namespace radadovur::testing
