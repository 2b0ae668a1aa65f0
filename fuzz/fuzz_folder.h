#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "common/text_file.h"

// A program folder of the fuzz targets' own, made once per process under the temporary folder
// and emptied for each input, for the readers that take their input from files.
namespace radadovur::fuzz {

// Made at the first use, removed when the process ends.
class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rdv_fuzz_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) __builtin_trap();
    path_ = pattern + "/";
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline const std::string& FuzzFolder() {
  static const Folder folder;
  return folder.path();
}

// The folder emptied: nothing an earlier input left is read again.
inline const std::string& EmptyFuzzFolder() {
  const std::string& folder = FuzzFolder();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) std::filesystem::remove_all(entry.path(), ec);
  return folder;
}

// `bytes` as the file `name` (folders made as needed).
inline void PutFile(std::string_view name, std::string_view bytes) {
  const std::string path = FuzzFolder() + std::string(name);
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  if (!common::WriteFileAtomic(path, bytes).ok()) __builtin_trap();
}

}  // namespace radadovur::fuzz
