#include "demo/demo_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

#include "common/names.h"
#include "common/record_file.h"
#include "common/run_state.h"
#include "common/text_file.h"
#include "demo/code_table.h"
#include "demo/demo_marker.h"
#include "demo/demo_records.h"
#include "demo/odds_book.h"
#include "demo/package_files.h"
#include "jvdata/record.h"

namespace radadovur::demo {
namespace {

std::string FileName(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d.jvd", n);
  return buf;
}

// Records of one recording file, back to back.
struct Recording {
  std::string bytes;
  void Add(std::string record) { bytes += record; }
};

// The runs of this week's horses in each past race: horse number and the run.
std::map<PastKey, std::vector<std::pair<int, const PastRun*>>> RunsByRace(const World& world) {
  std::map<PastKey, std::vector<std::pair<int, const PastRun*>>> runs;
  for (size_t h = 0; h < world.horses.size(); ++h)
    for (const PastRun& run : world.horses[h].runs) runs[run.key].push_back({static_cast<int>(h), &run});
  for (auto& [key, list] : runs)
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.second->umaban < b.second->umaban; });
  return runs;
}

// Copy of a runner record with a later CreatedDate.
std::string Recreated(std::string record, const Date& created) {
  record.replace(3, 8, Text8(created));
  return record;
}

void CountRecords(const std::string& bytes, std::map<std::string, int>& counts) {
  size_t at = 0;
  while (at + 2 <= bytes.size()) {
    const std::string spec = bytes.substr(at, 2);
    const jvdata::Layout* layout = jvdata::DeliveredLayout(jvdata::TypeOf(spec));
    if (!layout) break;
    ++counts[spec];
    at += layout->length;
  }
}

// "TOKURACETCVNRCVN": past races (race record, then this week's horses' runner records) in
// date order over several files, corrections last; early entries; this week's races day by day;
// horse masters; jockey masters; this week's payouts.
void AddWeekDownload(const World& world, std::vector<DemoFile>& files, DemoSummary& summary) {
  const std::string folder = std::string(kRecordingFolder) + "/" + kWeekDataspec + "/";
  std::vector<Recording> out;
  const auto runs = RunsByRace(world);
  const int past_files = 6;
  const size_t per_file = std::max<size_t>(1, (world.past.size() + past_files - 1) / past_files);
  std::vector<std::pair<Date, std::string>> corrections;
  size_t i = 0;
  for (const auto& [key, race] : world.past) {
    if (i++ % per_file == 0) out.emplace_back();
    const char category = race.spec.Jra() ? '7' : race.spec.outside;
    // One race's record never came: its runs keep their runner records only.
    if (key != world.missing_race) out.back().Add(RaceRecordOf(world, race, category, world.ResultPublished(race.spec), true));
    auto it = runs.find(key);
    if (it == runs.end()) continue;
    for (const auto& [horse, run] : it->second) {
      std::string se = EntryRecordOf(world, race, run->umaban, category, run->created, true);
      if (run->corrected.y != 0) corrections.push_back({run->corrected, Recreated(se, run->corrected)});
      out.back().Add(std::move(se));
    }
  }
  std::stable_sort(corrections.begin(), corrections.end(),
                   [](const auto& a, const auto& b) { return DaysOf(a.first) < DaysOf(b.first); });
  if (out.empty()) out.emplace_back();
  for (auto& [date, record] : corrections) out.back().Add(std::move(record));
  summary.corrections = static_cast<int>(corrections.size());

  if (!world.Monday()) {
    Recording early;
    const Date created = AddDays(world.race_days.front(), -6);
    for (int r : world.early_entry_races) {
      const Race& race = world.week[static_cast<size_t>(r)];
      std::string ra = RaceRecordOf(world, race, '1', created, false);
      int entries = 0;
      std::string se;
      for (const auto& runner : race.runners) {
        se += EarlyEntryRecordOf(world, race, runner.horse, created);
        ++entries;
      }
      for (size_t h = 0; h < world.horses.size(); ++h)
        if (world.horses[h].early_race == r) {
          se += EarlyEntryRecordOf(world, race, static_cast<int>(h), created);
          ++entries;
        }
      ra.replace(881, 2, Num2(entries));  // horses entered
      ra.replace(883, 2, "00");           // no starters declared yet
      early.Add(std::move(ra));
      early.Add(std::move(se));
    }
    out.push_back(std::move(early));
  }

  for (int day = 0; day < static_cast<int>(world.race_days.size()); ++day) {
    Recording rec;
    const Date created = world.CardCreated(day);
    for (const Race& race : world.week) {
      if (race.day != day) continue;
      // The cancelled race stands under its early category "1" too; only the realtime results say
      // it was called off.
      const char category = WeekRaceCategory(world, race);
      if (race.cancelled) rec.Add(RaceRecordOf(world, race, '1', AddDays(created, -1), false));
      rec.Add(RaceRecordOf(world, race, category, created, world.Monday() && !race.cancelled));
      for (const auto& r : race.runners)
        rec.Add(EntryRecordOf(world, race, r.umaban, category, world.EntryCreated(r.horse, day), world.Monday()));
    }
    out.push_back(std::move(rec));
  }

  Recording horses;
  const Date download = DownloadDate(world);
  for (size_t h = 0; h < world.horses.size(); ++h)
    horses.Add(HorseRecordOf(world, static_cast<int>(h), HorseRecordCategory(world.horses[h]), download));
  out.push_back(std::move(horses));

  Recording jockeys;
  for (size_t j = 0; j < world.jockeys.size(); ++j)
    if (world.jockeys[j].jra) jockeys.Add(JockeyRecordOf(world, static_cast<int>(j), download));
  out.push_back(std::move(jockeys));

  // This week's payouts only, in race order: day by day, racecourse by racecourse, race 01 up.
  Recording payouts;
  if (world.Monday())
    for (const Race& race : world.week)
      if (race.run) payouts.Add(PayoutRecordOf(race, MakeOddsBook(race), '2', world.monday));
  out.push_back(std::move(payouts));

  for (size_t k = 0; k < out.size(); ++k) {
    CountRecords(out[k].bytes, summary.records);
    files.push_back({folder + FileName(static_cast<int>(k) + 1), std::move(out[k].bytes)});
  }
}

std::string OddsRecords(const Race& race, const OddsBook& book, char category, const Date& created) {
  return WinOddsRecordOf(race, book, category, created) + QuinellaOddsRecordOf(race, book, category, created) +
         ExactaOddsRecordOf(race, book, category, created) + TrioOddsRecordOf(race, book, category, created) +
         TrifectaOddsRecordOf(race, book, category, created);
}

// An earlier announcement of a race's odds: an hour before the post, every price a tenth higher,
// and the scratched horse's tickets filled with "-" (withdrawn before sale) rather than "*".
OddsBook EarlierOdds(OddsBook book) {
  // Each table with the largest odds its field can hold.
  const std::pair<OddsTable*, int64_t> tables[] = {{&book.win, 9999},        {&book.place, 9999},
                                                   {&book.bracket, 99999},   {&book.quinella, 999999},
                                                   {&book.wide, 999999},     {&book.exacta, 999999},
                                                   {&book.trio, 999999},     {&book.trifecta, 9999999}};
  for (auto [table, most] : tables)
    for (OddsEntry& e : table->entries) {
      if (e.HasOdds()) {
        e.odds = std::min(most, e.odds + e.odds / 10 + 1);
        e.odds_high = std::min(most, e.odds_high + e.odds_high / 10 + 1);
      } else if (e.fill == '*') {
        e.fill = '-';
      }
    }
  return book;
}

std::string EarlierOddsRecords(const Race& race, const OddsBook& book, char category, const Date& created) {
  Race earlier = race;
  earlier.spec.post_time -= 100;
  return OddsRecords(earlier, EarlierOdds(book), category, created);
}

// "TOKURACETCOVRCOV" (one file per racecourse and day) and "0B30" (one file per race). The race
// with the scratched horse is delivered twice this week, an earlier announcement first.
void AddOdds(const World& world, std::vector<DemoFile>& files, DemoSummary& summary) {
  const std::string week_folder = std::string(kRecordingFolder) + "/" + kOddsDataspec + "/";
  const std::string rt_folder = std::string(kRecordingFolder) + "/" + kRealtimeOdds + "/";
  std::string current;
  int file = 0;
  for (size_t i = 0; i < world.week.size(); ++i) {
    const Race& race = world.week[i];
    const OddsBook book = MakeOddsBook(race);
    const char category = race.cancelled && world.Monday() ? '9' : world.Monday() ? '5' : '1';
    const Date created = world.Monday() ? race.spec.date : world.friday;
    if (static_cast<int>(i) == world.scratched_race) current += EarlierOddsRecords(race, book, category, created);
    current += OddsRecords(race, book, category, created);
    const char realtime = race.cancelled && world.Monday() ? '9' : world.Monday() ? '3' : '1';
    files.push_back({rt_folder + race.spec.RaceId() + ".jvd", OddsRecords(race, book, realtime, created)});
    if (race.spec.number == 12) {
      CountRecords(current, summary.odds_records);
      files.push_back({week_folder + FileName(++file), std::move(current)});
      current.clear();
    }
  }
}

// "0B12": one file per race day with its race, runner and (once run) payout records, the
// cancelled race as a race record and runner records of category "9", the scratched runner as a
// runner record of category "9", and the day's first win odds record, a type the realtime
// results do not keep.
void AddRealtimeResults(const World& world, std::vector<DemoFile>& files) {
  const std::string folder = std::string(kRecordingFolder) + "/" + kRealtimeResults + "/";
  for (int day = 0; day < static_cast<int>(world.race_days.size()); ++day) {
    const Date date = world.race_days[static_cast<size_t>(day)];
    const Date created = world.Monday() ? date : world.CardCreated(day);
    std::string bytes;
    bool odds_added = false;
    for (const Race& race : world.week) {
      if (race.day != day) continue;
      const char category = world.Monday() ? '7' : '2';
      if (race.cancelled) {
        bytes += RaceRecordOf(world, race, '9', created, false);
        for (const auto& r : race.runners) bytes += EntryRecordOf(world, race, r.umaban, '9', created, false);
        continue;
      }
      if (!odds_added) {
        bytes += WinOddsRecordOf(race, MakeOddsBook(race), world.Monday() ? '5' : '1', created);
        odds_added = true;
      }
      bytes += RaceRecordOf(world, race, category, created, world.Monday());
      for (const auto& r : race.runners)
        bytes += EntryRecordOf(world, race, r.umaban, r.scratched ? '9' : category, created, world.Monday());
      if (world.Monday() && race.run) bytes += PayoutRecordOf(race, MakeOddsBook(race), '1', created);
    }
    files.push_back({folder + Text8(date) + ".jvd", std::move(bytes)});
  }
}

bool MakeDirs(const std::string& path, std::string* error) {
  std::string so_far;
  size_t at = 0;
  while (at != std::string::npos) {
    at = path.find('/', at + 1);
    so_far = path.substr(0, at);
    if (so_far.empty()) continue;
    if (::mkdir(so_far.c_str(), 0755) != 0 && errno != EEXIST) {
      if (error) *error = common::Status::FromErrno("を作れません", so_far, errno).ToString();
      return false;
    }
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    if (error) *error = common::Shown(path) + " はフォルダではありません";
    return false;
  }
  return true;
}

// A file an earlier demo wrote that this one does not: one of its recordings, which would be
// replayed with this week's. The code table and the model package stay (a later week keeps them).
bool IsStaleRecording(const std::string& path) {
  for (const char* spec : {kWeekDataspec, kOddsDataspec, kRealtimeOdds, kRealtimeResults}) {
    const std::string folder = std::string(kRecordingFolder) + "/" + spec + "/";
    if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
        path.find('/', folder.size()) == std::string::npos)
      return true;
  }
  return false;
}

// The model package's files are dated the day the package was built, so that start-up finds a
// package younger than its age limit on the demo week.
bool SetPackageDate(const std::string& path, std::string* error) {
  std::tm tm{};
  tm.tm_year = 2024 - 1900;
  tm.tm_mon = 7 - 1;
  tm.tm_mday = 29;
  tm.tm_hour = 12;
  const time_t t = timegm(&tm);
  const struct timespec times[2] = {{t, 0}, {t, 0}};
  if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
    if (error) *error = common::Status::FromErrno("の日時を設定できません", path, errno).ToString();
    return false;
  }
  return true;
}

}  // namespace

std::vector<DemoFile> BuildDemoFiles(const World& world, DemoSummary* summary) {
  DemoSummary s;
  s.race_days = static_cast<int>(world.race_days.size());
  s.races = static_cast<int>(world.week.size());
  for (const Race& race : world.week) s.runners += static_cast<int>(race.runners.size());
  for (const Horse& h : world.horses) {
    if (h.week_race < 0) continue;
    ++s.horses;
    s.past_runs += static_cast<int>(h.runs.size());
  }
  for (const Jockey& j : world.jockeys) s.jockeys += j.jra ? 1 : 0;
  s.past_races = static_cast<int>(world.past.size());

  std::vector<DemoFile> files;
  AddWeekDownload(world, files, s);
  AddOdds(world, files, s);
  AddRealtimeResults(world, files);
  files.push_back({std::string(common::names::kCodeTableFile), CodeTableCsv()});
  for (DemoFile& f : ModelPackageFiles(world)) files.push_back(std::move(f));
  s.files = static_cast<int>(files.size());
  for (const auto& f : files) s.bytes += static_cast<int64_t>(f.bytes.size());
  if (summary) *summary = s;
  return files;
}

bool WriteDemoFolder(const std::string& dir_in, const WeekOptions& options, DemoSummary* summary, std::string* error) {
  const std::string dir = common::WithTrailingSlash(dir_in);
  FolderOwner owner = FolderOwner::kNobody;
  std::set<std::string> earlier;
  if (const common::Status s = InspectFolder(dir, owner, earlier); !s.ok()) {
    if (error) *error = s.ToString() + "。デモの週は書きませんでした";
    return false;
  }
  if (owner == FolderOwner::kOther) {
    if (error)
      *error = "フォルダ「" + common::Shown(dir_in) + "」は空でなく、デモが書いたフォルダでもありません（" + kMarkerFile +
               " がありません）。その中のファイルを守るため、デモの週は書きませんでした。" +
               (options.week > 1 ? "第 " + std::to_string(options.week - 1) + " 週のデモを書いたフォルダを指定して下さい。"
                                 : std::string("新しいフォルダか空のフォルダを指定して下さい。"));
    return false;
  }
  const std::string package = std::string(common::names::kOptionFolder) + "/";
  if (options.week > 1) {
    // A later week comes to the folder of the week before it, where the user has kept the code
    // table and the model package: only the recordings are new.
    for (const std::string_view kept : {common::names::kCodeTableFile, common::names::kKyosobaFile})
      if (owner != FolderOwner::kDemo || !common::FileExists(dir + std::string(kept))) {
        if (error) *error = common::Shown(dir + std::string(kept)) + " がありません。先に第 " +
                            std::to_string(options.week - 1) + " 週を " + common::Shown(dir) + " に書いてください";
        return false;
      }
  }
  if (!MakeDirs(dir.substr(0, dir.size() - 1), error)) return false;
  const World world = GenerateWorld(options);
  std::vector<DemoFile> files = BuildDemoFiles(world, summary);
  if (options.week > 1)
    files.erase(std::remove_if(files.begin(), files.end(),
                               [&](const DemoFile& f) {
                                 return f.path == common::names::kCodeTableFile ||
                                        f.path.compare(0, package.size(), package) == 0;
                               }),
                files.end());
  // The mark lists the earlier demo's files and this one's before any is written, so that a run
  // stopped half way leaves a folder the next run may still write and clean up.
  std::set<std::string> mine = earlier;
  for (const DemoFile& f : files) mine.insert(f.path);
  if (const common::Status s = WriteMarker(dir, mine); !s.ok()) {
    if (error) *error = s.ToString();
    return false;
  }
  std::set<std::string> made;
  for (const DemoFile& f : files) {
    const std::string path = dir + f.path;
    const std::string folder = path.substr(0, path.rfind('/'));
    if (made.insert(folder).second && !MakeDirs(folder, error)) return false;
    if (const common::Status s = common::WriteFileAtomic(path, f.bytes); !s.ok()) {
      if (error) *error = s.ToString();
      return false;
    }
  }
  for (const DemoFile& f : files)
    if (f.path.compare(0, package.size(), package) == 0 && !SetPackageDate(dir + f.path, error)) return false;
  std::set<std::string> written;
  for (const DemoFile& f : files) written.insert(f.path);
  for (const std::string& path : earlier) {
    if (written.count(path) || !IsStaleRecording(path)) continue;
    if (const common::Status s = common::DeleteFile(dir + path); !s.ok()) {
      if (error) *error = s.ToString();
      return false;
    }
    mine.erase(path);
  }
  if (const common::Status s = WriteMarker(dir, mine); !s.ok()) {
    if (error) *error = s.ToString();
    return false;
  }
  return true;
}

std::string DemoSummary::Text() const {
  std::string t;
  char buf[512];
  std::snprintf(buf, sizeof buf, "開催日 %d、レース %d、出走 %d、馬 %d、騎手 %d\n", race_days, races,
                runners, horses, jockeys);
  t += buf;
  std::snprintf(buf, sizeof buf, "過去のレース %d、過去の出走 %d（訂正の再配信 %d）\n", past_races,
                past_runs, corrections);
  t += buf;
  t += "記録 TOKURACETCVNRCVN:";
  for (const auto& [type, n] : records) t += " " + type + " " + std::to_string(n);
  t += "\n記録 TOKURACETCOVRCOV:";
  for (const auto& [type, n] : odds_records) t += " " + type + " " + std::to_string(n);
  std::snprintf(buf, sizeof buf, "\nファイル %d 個、%lld バイト\n", files, static_cast<long long>(bytes));
  t += buf;
  return t;
}

}  // namespace radadovur::demo
