#pragma once
#include <string>
#include <utility>

// The name a file-name builder gives values a test knows are good: the builder's arguments
// without its out-parameter. A value it refuses gives an empty name.
namespace radadovur::testing {

template <typename Builder, typename... Args>
std::string NameOf(Builder&& build, Args&&... args) {
  std::string name;
  (void)std::forward<Builder>(build)(std::forward<Args>(args)..., name);
  return name;
}

}  // namespace radadovur::testing
