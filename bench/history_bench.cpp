// history_bench [DEMO_DIR]: the past results window's load over 3000 meeting days (the list by
// the meeting-day search, the day key list, the race id list and the speed files). The days are
// the meeting-day files of DEMO_DIR's "TEKICHU" copied under past keys, or, when it has none, a
// hand-made day of 12 races of 16 runners. Prints the seconds of the load (target: below one).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "common/status.h"
#include "history/past_results.h"
#include "support/history_fixture.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace radadovur;

int main(int argc, char** argv) {
  testing::TempFolder folder("rdv_history_bench");
  const std::string app = folder.app_path();
  fs::create_directories(app + "TEKICHU");
  fs::create_directories(app + "SOKUDO");

  // One day's files by name suffix: the demo's first meeting day with a hit table, else hand-made.
  std::map<std::string, std::string> day;
  if (argc > 1) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(argv[1]) / "TEKICHU", ec)) {
      const std::string name = entry.path().filename().string();
      if (name.size() > 14 && name.substr(14) == "tekichu.txt") {
        for (const char* suffix : {"tekichu.txt", "kaiteki.txt", "tekichuPC.txt", "kaitekiPC.txt", "lupRCM.txt"})
          if (auto bytes = common::ReadWholeFile((fs::path(argv[1]) / "TEKICHU" / (name.substr(0, 14) + suffix)).string()))
            day[suffix] = *bytes;
        break;
      }
    }
  }
  if (day.empty()) {
    testing::WriteMeetingDay(app, "20240101010101", {"2024年", "01月", "01日", "1回", "札幌", "1日目"});
    for (const char* suffix : {"tekichu.txt", "kaiteki.txt", "tekichuPC.txt", "kaitekiPC.txt", "lupRCM.txt"})
      day[suffix] = *common::ReadWholeFile(app + "TEKICHU/20240101010101" + suffix);
    std::printf("hand-made meeting day (%zu bytes of result document)\n", day["lupRCM.txt"].size());
  } else {
    std::printf("demo meeting day from %s\n", argv[1]);
  }

  // 3000 days: three racecourses on each of 1000 dates of 2024 to 2028.
  int days = 0;
  for (int year = 2024; year <= 2028 && days < 3000; ++year)
    for (int month = 1; month <= 12 && days < 3000; ++month)
      for (int d = 1; d <= 28 && days < 3000; d += 1)
        for (int venue : {5, 6, 9}) {
          char key[15];
          std::snprintf(key, sizeof key, "%04d%02d%02d%02d%02d%02d", year, month, d, venue, 1, 1);
          for (const auto& [suffix, bytes] : day)
            (void)common::WriteFileAtomic(app + "TEKICHU/" + key + suffix, bytes);
          ++days;
        }

  const auto start = std::chrono::steady_clock::now();
  common::StepFailures failures;
  const auto list = history::ListPastDays(app, nullptr, failures);
  std::vector<std::string> keys;
  for (const auto& item : list) keys.push_back(item.key);
  history::WriteSpeedFiles(app, keys, nullptr, failures);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu meeting days listed, speed files written: %.3f s%s\n", list.size(), seconds,
              failures.empty() ? "" : " (with failures)");
  return failures.empty() ? 0 : 1;
}
