#pragma once
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/run_state.h"
#include "common/names.h"
#include "support/temp_folder.h"

namespace radadovur::testing {

// A program folder of its own for one test, removed afterwards.
class ProgramFolder {
 public:
  ProgramFolder() = default;

  const std::filesystem::path& dir() const { return dir_; }
  // The folder as the program names it, ending in "/".
  std::string app_path() const { return common::WithTrailingSlash(dir_.string()); }

  void Touch(const std::string& relative) const {
    std::filesystem::create_directories(std::filesystem::path(app_path() + relative).parent_path());
    std::ofstream(app_path() + relative) << "x";
  }

  // Puts the model package's file in place, last modified at a local date and time.
  void Package(std::chrono::year_month_day date, int hour = 12, int minute = 0, int second = 0) const {
    const std::string path = app_path() + std::string(common::names::kKyosobaFile);
    Touch(std::string(common::names::kKyosobaFile));
    std::tm tm{};
    tm.tm_year = int(date.year()) - 1900;
    tm.tm_mon = int(unsigned(date.month())) - 1;
    tm.tm_mday = int(unsigned(date.day()));
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }

 private:
  TempFolder folder_{"radadovur_app_"};
  std::filesystem::path dir_ = folder_.path();
};

}  // namespace radadovur::testing
