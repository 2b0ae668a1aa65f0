#include "demo/week_codes.h"

#include <map>
#include <string_view>

#include "common/names.h"
#include "demo/demo_records.h"
#include "engine/calculation_driver.h"
#include "engine/day_before.h"
#include "engine/expanded_builder.h"
#include "engine/layout_ex.h"
#include "engine/stats_layout.h"
#include "engine/stats_lookup.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"
#include "jvdata/record.h"

namespace radadovur::demo {
namespace {

using jvdata::RecordType;

// Coding runs without a window.
class QuietHost : public common::StepHost {
 public:
  void SetStatus(common::StatusSlot, const std::string&) override {}
  void SetBackColour(common::StatusSlot, uint32_t) override {}
  void Message(const std::string&) override {}
  bool Ask(const std::string&) override { return false; }
  void BeginProgress(common::ProgressSlot, int64_t) override {}
  void SetProgress(common::ProgressSlot, int64_t) override {}
  void EndProgress(common::ProgressSlot) override {}
  bool CancelRequested() override { return false; }
  void Yield() override {}
};

Date LatestVersion(const PastRun& run) { return run.corrected.y != 0 ? run.corrected : run.created; }

std::string_view FileOf(const std::vector<DemoFile>& package, std::string_view name) {
  const std::string path = std::string(common::names::kOptionFolder) + "/" + std::string(name);
  for (const DemoFile& f : package)
    if (f.path == path) return f.bytes;
  return {};
}

// The store's tables after ② and ④ as the builder reads them.
class WeekStore {
 public:
  WeekStore(const World& world, const std::vector<DemoFile>& package)
      : world_(world), foals_(std::string(FileOf(package, engine::stats_files::kHnsk))) {
    // This week's jockey masters first, the package's after them: the last row of a code wins.
    for (size_t j = 0; j < world.jockeys.size(); ++j)
      if (world.jockeys[j].jra)
        AddJockey(jvdata::StoredForm(RecordType::KS, JockeyRecordOf(world, static_cast<int>(j), DownloadDate(world))));
    const std::string_view package_jockeys = FileOf(package, engine::stats_files::kJockeyMaster);
    for (size_t at = 0; at + jvdata::ks_stored::kLength <= package_jockeys.size(); at += jvdata::ks_stored::kLength)
      AddJockey(std::string(package_jockeys.substr(at, jvdata::ks_stored::kLength)));

    for (const auto& [key, race] : world.past) {
      if (key == world.missing_race) continue;
      const char category = race.spec.Jra() ? '7' : race.spec.outside;
      AddRace(RaceRecordOf(world, race, category, world.ResultPublished(race.spec), true));
    }
    // This week's races; once the results are final ④ gives every race with a payout fine
    // weather and good going.
    for (const Race& race : world.week) {
      std::string record = RaceRecordOf(world, race, WeekRaceCategory(world, race), world.CardCreated(race.day),
                                        world.Monday() && !race.cancelled);
      if (world.Monday() && race.run)
        for (const jvdata::Field* f : {&jvdata::ra::TenkoCode, &jvdata::ra::TurfBabaCode, &jvdata::ra::DirtBabaCode})
          record.replace(f->offset, 1, "1");
      AddRace(std::move(record));
    }
  }

  // The horse's entry file after ② and ④: its runs in date order, each in its newest version,
  // this week's entry last in its day-before state.
  std::string EntryFile(int h) const {
    const Horse& horse = world_.horses[static_cast<size_t>(h)];
    std::string bytes;
    for (const PastRun& run : horse.runs) {
      const Race& race = world_.past.at(run.key);
      const char category = race.spec.Jra() ? '7' : race.spec.outside;
      bytes += EntryRecordOf(world_, race, run.umaban, category, LatestVersion(run), true);
    }
    const Race& week = world_.week[static_cast<size_t>(horse.week_race)];
    bytes += EntryRecordOf(world_, week, horse.week_umaban, WeekRaceCategory(world_, week),
                           world_.EntryCreated(h, week.day), world_.Monday());
    engine::FixPreviousDayEntry(bytes);
    return bytes;
  }

  // The horse's expanded records as the builder writes them, the stale rule applied.
  std::vector<engine::ExRecord> ExpandedRuns(int h) const {
    const std::string master = jvdata::StoredForm(
        RecordType::UM, HorseRecordOf(world_, h, HorseRecordCategory(world_.horses[static_cast<size_t>(h)]), DownloadDate(world_)));
    const std::string entries = EntryFile(h);
    engine::RunJoin join;
    join.horse = master;
    join.foal_order = foals_.FoalOrder(jvdata::um::DamNum.Of(master), jvdata::um::KettoNum.Of(master));
    std::vector<engine::ExRecord> runs;
    for (size_t at = 0; at + jvdata::se::kLength <= entries.size(); at += jvdata::se::kLength) {
      const std::string_view entry = std::string_view(entries).substr(at, jvdata::se::kLength);
      join.race = Find(races_, engine::VenueRaceKey(entry));
      join.jockey = join.race.empty() ? std::string_view() : Find(jockeys_, jvdata::se::KishuCode.Str(entry));
      runs.push_back(engine::AssembleExRecord(entry, join));
    }
    const size_t m = runs.size();
    if (m >= 2 && runs[m - 1].Text(engine::ex::CreatedDate) < runs[m - 2].Text(engine::ex::CreatedDate)) runs.pop_back();
    return runs;
  }

 private:
  static std::string_view Find(const std::map<std::string, std::string>& table, const std::string& key) {
    const auto it = table.find(key);
    return it == table.end() ? std::string_view() : std::string_view(it->second);
  }
  void AddJockey(std::string record) { jockeys_[jvdata::ks_stored::KishuCode.Str(record)] = std::move(record); }
  void AddRace(const std::string& delivered) {
    std::string record = jvdata::StoredForm(RecordType::RA, delivered);
    races_[engine::VenueRaceKey(record)] = std::move(record);
  }

  const World& world_;
  engine::FoalOrderIndex foals_;
  std::map<std::string, std::string> jockeys_, races_;
};

// A run the driver codes: raced since 2011 at one of the ten racecourses on a track "10".."59".
bool Coded(const engine::ExRecord& run) {
  namespace ex = engine::ex;
  const std::string_view venue = run.Text(ex::VenueCode), track = run.Text(ex::TrackCode);
  return std::string(run.Text(ex::Year)) + std::string(run.Text(ex::MonthDay)) >= "20110101" && venue >= "01" &&
         venue <= "10" && track >= "10" && track <= "59";
}

std::string WithoutTrailingBlanks(std::string_view code) {
  const size_t end = code.find_last_not_of(' ');
  return std::string(code.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

}  // namespace

WeekItemCodes CodeDemoWeek(const World& world, const std::vector<DemoFile>& package) {
  engine::StatsLookup stats("");
  const std::string folder = std::string(common::names::kOptionFolder) + "/";
  for (const DemoFile& f : package)
    if (f.path.compare(0, folder.size(), folder) == 0) stats.Provide(f.path.substr(folder.size()), f.bytes);
  const engine::ReferenceModel no_reference;
  const WeekStore store(world, package);
  QuietHost host;
  WeekItemCodes codes;
  for (int h = 0; h < static_cast<int>(world.horses.size()); ++h) {
    if (world.horses[static_cast<size_t>(h)].week_race < 0) continue;
    std::vector<engine::ExRecord> runs = store.ExpandedRuns(h);
    if (!engine::CodeLastRuns(runs, no_reference, stats, host).ok()) continue;  // the week test names such a horse
    const int n = static_cast<int>(runs.size());
    for (int k = std::max(1, n - 3); k <= n; ++k) {
      const engine::ExRecord& run = runs[static_cast<size_t>(k - 1)];
      const auto surface = engine::SurfaceOfTrackCode(run.Text(engine::ex::TrackCode));
      if (!Coded(run) || !surface) continue;
      auto& by_item = codes[static_cast<size_t>(*surface)];
      for (int i = 1; i <= engine::kFactorItems; ++i) by_item[static_cast<size_t>(i)].insert(WithoutTrailingBlanks(run.FactorCode(i)));
    }
  }
  return codes;
}

}  // namespace radadovur::demo
