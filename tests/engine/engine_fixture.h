#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

#include "engine/ex_record.h"
#include "engine/layout_ex.h"

// Hand-made program folders and expanded records for the engine's tests.
namespace radadovur::engine::testing {

// A fresh program folder below the temporary directory, removed at the end; path() ends in "/".
class TempProgramFolder {
 public:
  explicit TempProgramFolder(const std::string& tag) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("rdv_" + tag + "_" + std::to_string(::getpid()) + "_XXXXXX")).string();
    dir_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string path() const { return dir_ + "/"; }
  // Writes `bytes` to `relative`, creating its folders.
  void Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path p = std::filesystem::path(dir_) / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(std::filesystem::path(dir_) / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::string dir_;
};

struct Set {
  Field field;
  std::string value;
  uint32_t i = 0;
};

// A run of a horse: blanks everywhere, then the given fields.
inline ExRecord Run(std::initializer_list<Set> fields) {
  ExRecord r = *ExRecord::FromBytes(std::string(ex::kLength, ' '));
  for (const Set& s : fields) r.SetText(s.field, s.value, s.i);
  return r;
}

}  // namespace radadovur::engine::testing
