#include "demo/package_stats.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "common/names.h"
#include "demo/demo_records.h"
#include "demo/prng.h"
#include "engine/stats_layout.h"
#include "jvdata/layout_ks.h"
#include "jvdata/record.h"

namespace radadovur::demo {
namespace {

using engine::Column;
namespace sf = engine::stats_files;

struct Tally {
  int64_t runs = 0, wins = 0, places = 0, prize = 0;
  void Add(const Runner& r, int64_t p) {
    ++runs;
    wins += r.finish == 1 ? 1 : 0;
    places += r.finish >= 1 && r.finish <= 3 ? 1 : 0;
    prize += p;
  }
  void Add(const Tally& t) {
    runs += t.runs;
    wins += t.wins;
    places += t.places;
    prize += t.prize;
  }
  // Per 100000 runs.
  int64_t PlaceRate() const { return runs == 0 ? 0 : places * 100000 / runs; }
  int64_t WinRate() const { return runs == 0 ? 0 : wins * 100000 / runs; }
};

// The runs of one horse, sire, dam, rider or trainer, by surface, going and distance band.
struct Profile {
  Tally all, turf, dirt, hurdle;
  std::array<Tally, 4> going_turf, going_dirt, going_hurdle;
  std::array<Tally, 3> band_turf, band_dirt;  // up to 1600 m, 1601..2200 m, longer
  int64_t members = 0;

  void Add(const Race& race, const Runner& r) {
    const int64_t prize = PrizeOf(race, r);
    all.Add(r, prize);
    const Surface s = race.spec.surface;
    const bool is_dirt = s == Surface::Dirt;
    (s == Surface::Turf ? turf : is_dirt ? dirt : hurdle).Add(r, prize);
    const int going = std::clamp((is_dirt ? race.dirt_going : race.turf_going) - '1', 0, 3);
    (s == Surface::Turf ? going_turf : is_dirt ? going_dirt : going_hurdle)[static_cast<size_t>(going)].Add(r, prize);
    const int d = race.spec.distance;
    const size_t band = d <= 1600 ? 0 : d <= 2200 ? 1 : 2;
    if (s == Surface::Turf) band_turf[band].Add(r, prize);
    if (is_dirt) band_dirt[band].Add(r, prize);
  }
  void Add(const Profile& p) {
    all.Add(p.all), turf.Add(p.turf), dirt.Add(p.dirt), hurdle.Add(p.hurdle);
    for (size_t g = 0; g < 4; ++g) going_turf[g].Add(p.going_turf[g]), going_dirt[g].Add(p.going_dirt[g]), going_hurdle[g].Add(p.going_hurdle[g]);
    for (size_t b = 0; b < 3; ++b) band_turf[b].Add(p.band_turf[b]), band_dirt[b].Add(p.band_dirt[b]);
    ++members;
  }
  Tally Flat() const {
    Tally t = turf;
    t.Add(dirt);
    return t;
  }
};

// A statistics record: blanks, the key, zero-padded numbers, CR LF.
class StatsRecord {
 public:
  StatsRecord(size_t length, std::string_view key) : bytes_(length, ' ') {
    bytes_.replace(0, key.size(), key);
    bytes_.replace(length - 2, 2, "\r\n");
  }
  StatsRecord& Num(const jvdata::Field& column, int64_t value) {
    const std::string limit(column.width, '9');
    std::string text = std::to_string(std::clamp<int64_t>(value, 0, std::stoll(limit)));
    text.insert(0, column.width - text.size(), '0');
    bytes_.replace(column.offset, column.width, text);
    return *this;
  }
  // Columns k = 1.. of a group from a list of values.
  StatsRecord& Group(const jvdata::Field& group, std::initializer_list<int64_t> values) {
    uint32_t k = 1;
    for (int64_t v : values) Num(Column(group, k++), v);
    for (; k <= group.count; ++k) Num(Column(group, k), 0);
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

std::string StallionRecord(const std::string& key, const Profile& p) {
  namespace L = engine::stallion_stats;
  const Tally flat = p.Flat();
  StatsRecord r(L::kLength, key);
  r.Group(L::A, {p.all.runs, p.all.wins, p.all.places, p.members, flat.runs, p.hurdle.runs});
  r.Group(L::B, {flat.prize, p.hurdle.prize, p.all.prize, 0});
  r.Group(L::C, {p.all.PlaceRate(), p.turf.PlaceRate(), p.dirt.PlaceRate(), p.all.WinRate(), 0, 0, p.hurdle.PlaceRate(),
                 p.going_turf[0].PlaceRate(), p.going_turf[1].PlaceRate(), p.going_turf[2].PlaceRate(), p.going_turf[3].PlaceRate(),
                 p.going_dirt[0].PlaceRate(), p.going_dirt[1].PlaceRate(), p.going_dirt[2].PlaceRate(), p.going_dirt[3].PlaceRate(),
                 p.going_hurdle[0].PlaceRate(), p.going_hurdle[1].PlaceRate(), p.going_hurdle[2].PlaceRate(),
                 p.going_hurdle[3].PlaceRate(), p.band_turf[0].PlaceRate(), p.band_turf[1].PlaceRate(),
                 p.band_turf[2].PlaceRate(), p.band_dirt[0].PlaceRate(), p.band_dirt[1].PlaceRate(), p.band_dirt[2].PlaceRate()});
  return r.bytes();
}

std::string KyosobaRecord(const std::string& key, const Profile& p) {
  namespace L = engine::kyosoba_stats;
  const Tally flat = p.Flat();
  StatsRecord r(L::kLength, key);
  r.Group(L::A, {flat.PlaceRate(), flat.wins, flat.runs, p.hurdle.runs});
  r.Group(L::B, {flat.prize, p.hurdle.prize, p.all.prize, 0});
  r.Group(L::C, {p.turf.runs, p.turf.places, p.dirt.runs, p.dirt.places, p.hurdle.runs, p.hurdle.places,
                 p.hurdle.PlaceRate(), p.turf.PlaceRate(), p.dirt.PlaceRate(), p.all.WinRate()});
  return r.bytes();
}

std::string SeiseiRecord(const std::string& key, const Profile& p) {
  namespace L = engine::seisei_stats;
  StatsRecord r(L::kLength, key);
  r.Group(L::A, {p.all.runs, p.all.wins, p.all.places, 0, p.turf.PlaceRate(), p.dirt.PlaceRate(), p.hurdle.PlaceRate(),
                 p.turf.runs, p.dirt.runs, p.hurdle.runs, p.all.WinRate()});
  r.Group(L::B, {p.all.prize, p.Flat().prize});
  r.Group(L::C, {});
  return r.bytes();
}

std::string Path(std::string_view file) { return std::string(common::names::kOptionFolder) + "/" + std::string(file); }

// Records of `master` whose key is one of `ids`, in the master's order.
std::string Extract(const std::string& master, size_t length, const std::set<std::string>& ids) {
  std::string out;
  for (size_t at = 0; at + length <= master.size(); at += length)
    if (ids.count(master.substr(at, 10))) out += master.substr(at, length);
  return out;
}

// The dam-foal list: each dam's foals together, oldest first; some dams had foals before the
// ones racing now, who appear under numbers of their own.
std::string HnskFile(const World& world) {
  std::map<std::string, std::vector<const Horse*>> foals;
  for (const Horse& h : world.horses) foals[world.dams[static_cast<size_t>(h.dam)].self.num].push_back(&h);
  std::string out;
  for (auto& [dam_key, list] : foals) {
    const std::string& dam = dam_key;  // clang 14 cannot capture a structured binding
    std::stable_sort(list.begin(), list.end(), [](const Horse* a, const Horse* b) {
      return std::make_tuple(DaysOf(a->birth), a->ketto) < std::make_tuple(DaysOf(b->birth), b->ketto);
    });
    const int older = static_cast<int>(Mix64(std::stoull(dam)) % 4);
    const int first_year = list.front()->birth.y;
    auto add = [&](const std::string& foal) { out += dam + foal + "\r\n"; };
    for (int k = older; k >= 1; --k) add(std::to_string(first_year - k) + "30" + dam.substr(6, 4));
    for (const Horse* h : list) add(h->ketto);
  }
  return out;
}

}  // namespace

std::vector<DemoFile> StatisticsFilesOf(const World& world) {
  // Every run of the past races: the world's horses by their own record, every rider by his.
  // The other runners of those races are in the package too, by what they did there.
  std::vector<Profile> horse(world.horses.size());
  std::vector<Profile> jockey(world.jockeys.size());
  std::map<std::string, Profile> others;
  for (const auto& [key, race] : world.past)
    for (const Runner& r : race.runners) {
      if (r.scratched || !race.run) continue;
      if (r.horse >= 0) horse[static_cast<size_t>(r.horse)].Add(race, r);
      else if (!r.other_ketto.empty()) others[r.other_ketto].Add(race, r);
      if (r.jockey >= 0) jockey[static_cast<size_t>(r.jockey)].Add(race, r);
    }
  std::vector<Profile> sire(world.sires.size()), dam(world.dams.size()), trainer(world.trainers.size());
  for (size_t h = 0; h < world.horses.size(); ++h) {
    const Horse& x = world.horses[h];
    sire[static_cast<size_t>(x.sire)].Add(horse[h]);
    dam[static_cast<size_t>(x.dam)].Add(horse[h]);
    trainer[static_cast<size_t>(x.trainer)].Add(horse[h]);
  }

  // Records in key order.
  auto file = [](std::map<std::string, std::string>& records) {
    std::string out;
    for (auto& [key, bytes] : records) out += bytes;
    return out;
  };
  std::map<std::string, std::string> stallion, hahauma, kyosoba, kishu, chokyo;
  for (size_t i = 0; i < world.sires.size(); ++i) stallion[world.sires[i].self.num] = StallionRecord(world.sires[i].self.num, sire[i]);
  for (const Ancestor& old : world.build.old_stallions) stallion.try_emplace(old.num, StallionRecord(old.num, Profile{}));
  for (size_t i = 0; i < world.dams.size(); ++i) hahauma[world.dams[i].self.num] = StallionRecord(world.dams[i].self.num, dam[i]);
  // The mares further back in the pedigrees, whose foals are not racing this week.
  for (const auto* list : {&world.sires, &world.dams})
    for (const Breeding& b : *list)
      for (const Ancestor* mare : {&b.dam, &b.sd, &b.dd}) hahauma.try_emplace(mare->num, StallionRecord(mare->num, Profile{}));
  for (size_t i = 0; i < world.horses.size(); ++i) kyosoba[world.horses[i].ketto] = KyosobaRecord(world.horses[i].ketto, horse[i]);
  for (const auto& [ketto, profile] : others) kyosoba.try_emplace(ketto, KyosobaRecord(ketto, profile));
  for (size_t i = 0; i < world.jockeys.size(); ++i) kishu[world.jockeys[i].code] = SeiseiRecord(world.jockeys[i].code, jockey[i]);
  for (size_t i = 0; i < world.trainers.size(); ++i) chokyo[world.trainers[i].code] = SeiseiRecord(world.trainers[i].code, trainer[i]);

  std::vector<DemoFile> files;
  files.push_back({Path(sf::kStallion), file(stallion)});
  files.push_back({Path(sf::kHahauma), file(hahauma)});
  files.push_back({Path(sf::kKyosoba), file(kyosoba)});
  files.push_back({Path(sf::kKishuSeisei), file(kishu)});
  files.push_back({Path(sf::kChokyoSeisei), file(chokyo)});
  files.push_back({Path(sf::kHnsk), HnskFile(world)});

  // The package's jockey master: every rider, JRA and local, in the stored layout.
  std::map<std::string, std::string> masters;
  for (size_t j = 0; j < world.jockeys.size(); ++j) {
    std::string record = jvdata::StoredForm(jvdata::RecordType::KS, JockeyRecordOf(world, static_cast<int>(j), Date{2024, 7, 29}));
    if (static_cast<int>(j) == world.package_jockey)
      record.replace(jvdata::ks_stored::KishuBirthDate.offset, jvdata::ks_stored::KishuBirthDate.width, Text8(world.package_jockey_birth));
    masters[world.jockeys[j].code] = std::move(record);
  }
  files.push_back({Path(sf::kJockeyMaster), file(masters)});

  // This week's extracts: the week's horses and their dams.
  std::set<std::string> horse_ids, dam_ids;
  for (const Horse& h : world.horses) {
    horse_ids.insert(h.ketto);
    dam_ids.insert(world.dams[static_cast<size_t>(h.dam)].self.num);
  }
  files.push_back({Path(sf::kHahaumaThisWeek), Extract(files[1].bytes, engine::stallion_stats::kLength, dam_ids)});
  files.push_back({Path(sf::kKyosobaThisWeek), Extract(files[2].bytes, engine::kyosoba_stats::kLength, horse_ids)});
  return files;
}

}  // namespace radadovur::demo
