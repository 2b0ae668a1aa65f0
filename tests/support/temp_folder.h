#pragma once
#include <string>

// A fresh folder below the system's temporary folder, removed with everything in it when the
// object goes. The one temporary-folder helper of the tests and benchmarks.
namespace radadovur::testing {

class TempFolder {
 public:
  // `prefix` starts the folder's name; a unique suffix follows.
  explicit TempFolder(const std::string& prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, without a trailing "/".
  const std::string& path() const { return path_; }
  // The folder as a program folder names it, ending in "/".
  std::string app_path() const { return path_ + "/"; }

 private:
  std::string path_;
};

}  // namespace radadovur::testing
