// Times the structure processing on a synthetic large week: raw race, runner and horse files of
// HORSES horses with RUNS past runs each, in a temporary program folder.
//   structure_bench [HORSES [RUNS [PARENT]]]   (default 1500 horses, 15 past runs, the temp folder)
// Round 1 writes every per-horse entry file anew, as the first run of a week does; the later
// rounds find them unchanged, as a repeated run does.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "common/text_file.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "steps/structure.h"
#include "support/record_builder.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"

namespace {

using namespace radadovur;
using radadovur::testing::MakeRecord;
namespace chrono = std::chrono;

std::string DateText(chrono::sys_days day) {
  const chrono::year_month_day ymd(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return text;
}

std::string Two(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

struct Week {
  std::string ra, se, um;
  long races = 0, runners = 0, horses = 0;
};

Week Synthesise(int horse_count, int runs) {
  Week w;
  const chrono::sys_days saturday = chrono::sys_days(chrono::year{2024} / 8 / 3);
  std::map<std::string, std::string> races;  // RaceId-like key -> record, each race once
  auto race = [&](const std::string& category, chrono::sys_days day, int venue, int number) {
    const std::string date = DateText(day);
    races.emplace(category + date + Two(venue) + Two(number),
                  MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::DataCategory, category}, {jvdata::ra::CreatedDate, DateText(day - chrono::days{2})},
                                              {jvdata::ra::Year, date.substr(0, 4)}, {jvdata::ra::MonthDay, date.substr(4)},
                                              {jvdata::ra::VenueCode, Two(venue)}, {jvdata::ra::Kaiji, "03"}, {jvdata::ra::Nichiji, "05"},
                                              {jvdata::ra::RaceNum, Two(number)}, {jvdata::ra::RaceName, "BENCH"}}));
  };
  auto entry = [&](const std::string& category, chrono::sys_days day, int venue, int number, int umaban,
                   const std::string& ketto) {
    const std::string date = DateText(day);
    w.se += MakeRecord(jvdata::RecordType::SE, {{jvdata::se::DataCategory, category}, {jvdata::se::CreatedDate, DateText(day + chrono::days{1})},
                                        {jvdata::se::Year, date.substr(0, 4)}, {jvdata::se::MonthDay, date.substr(4)},
                                        {jvdata::se::VenueCode, Two(venue)}, {jvdata::se::RaceNum, Two(number)},
                                        {jvdata::se::Umaban, Two(umaban)}, {jvdata::se::KettoNum, ketto}});
    ++w.runners;
  };
  for (int h = 0; h < horse_count; ++h) {
    char ketto[16];
    std::snprintf(ketto, sizeof ketto, "20%08d", 19000 + h * 7);
    char dam[16];
    std::snprintf(dam, sizeof dam, "10%08d", 500 + h % (horse_count / 2 + 1));
    w.um += MakeRecord(jvdata::RecordType::UM, {{jvdata::um::DataCategory, "1"}, {jvdata::um::KettoNum, ketto}, {jvdata::um::DamNum, dam}});
    ++w.horses;
    if (h % 50 == 0) {  // delivered twice
      w.um += MakeRecord(jvdata::RecordType::UM, {{jvdata::um::DataCategory, "1"}, {jvdata::um::KettoNum, ketto}, {jvdata::um::DamNum, dam}});
      ++w.horses;
    }
    // This week's entry: the card ("2") and an earlier version ("1") that leaves the store.
    const chrono::sys_days day = saturday + chrono::days{h % 2};
    const int venue = 4 + h % 3, number = 1 + (h / 3) % 12, umaban = 1 + h % 16;
    race("1", day, venue, number);
    race("2", day, venue, number);
    entry("1", day, venue, number, umaban, ketto);
    entry("2", day, venue, number, umaban, ketto);
    for (int k = 1; k <= runs; ++k) {
      const chrono::sys_days past = day - chrono::days{14 * k + h % 13};
      const int past_venue = 1 + (h + k) % 10, past_number = 1 + (h * 7 + k) % 12;
      race("7", past, past_venue, past_number);
      entry("7", past, past_venue, past_number, 1 + (h + k) % 16, ketto);
      if ((h + k) % 20 == 0) entry("7", past, past_venue, past_number, 1 + (h + k) % 16, ketto);  // again
    }
  }
  for (const auto& [key, record] : races) {
    w.ra += record;
    ++w.races;
  }
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  const int horse_count = argc > 1 ? std::atoi(argv[1]) : 1500;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 15;
  if (argc > 3) ::setenv("TMPDIR", argv[3], 1);  // the scratch folder goes below it
  const testing::TempFolder folder("structure_bench_");
  const std::string app = folder.app_path();
  std::filesystem::create_directory(app + "UMAGOTOTHISWEEKN");

  const Week week = Synthesise(horse_count, runs);
  const long records = week.races + week.runners + week.horses;
  std::printf("%d horses, %d past runs each: %ld race, %ld runner, %ld horse records\n", horse_count, runs,
              week.races, week.runners, week.horses);

  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    // The step rewrites the runner file, so every round starts from the same raw files.
    if (!common::WriteFileAtomic(app + "RATHISWEEKN.dat", week.ra).ok()) std::abort();  // a bench without its input measures nothing
    if (!common::WriteFileAtomic(app + "SETHISWEEKN.dat", week.se).ok()) std::abort();  // a bench without its input measures nothing
    if (!common::WriteFileAtomic(app + "UMTHISWEEKN.dat", week.um).ok()) std::abort();  // a bench without its input measures nothing
    testing::RecordingHost host;
    const auto start = chrono::steady_clock::now();
    const common::StepFailures failures = steps::RunStructureProcessing(common::RunStateFor(app), host);
    const double seconds = chrono::duration<double>(chrono::steady_clock::now() - start).count();
    if (!failures.empty()) {
      std::fprintf(stderr, "failed: %s\n", failures.Texts().front().c_str());
      return 1;
    }
    std::printf("  round %d: %.3f s, %.0f records/s, %.1f ms per 1000 horses\n", round + 1, seconds,
                static_cast<double>(records) / seconds, seconds * 1000.0 / (horse_count / 1000.0));
    if (seconds < best) best = seconds;
  }
  std::printf("best of 3: %.3f s, %.0f records/s, %.1f ms per 1000 horses\n", best,
              static_cast<double>(records) / best, best * 1000.0 / (horse_count / 1000.0));
  return 0;
}
