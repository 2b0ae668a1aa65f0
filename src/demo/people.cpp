#include <algorithm>
#include <cstdio>
#include <set>

#include "demo/race_plan.h"
#include "demo/world_build.h"

namespace radadovur::demo {
namespace {

std::string Digits(int64_t value, int width) {
  std::string s = std::to_string(value);
  return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(s.size()))), '0') + s;
}

// Breeding numbers: stallions 11xxxxxxxx, mares 12xxxxxxxx.
Ancestor NewStallion(World& world, Rng& rng) {
  return {"11" + Digits(1000 + ++world.build.stallions * 7, 8), HorseName(rng)};
}
Ancestor NewMare(World& world, Rng& rng) { return {"12" + Digits(5000 + ++world.build.mares * 3, 8), HorseName(rng)}; }

Breeding MakeBreeding(World& world, Rng& rng, Ancestor self) {
  const auto& old = world.build.old_stallions;
  Breeding b;
  b.self = std::move(self);
  b.sire = rng.Pick(old);
  b.dam = NewMare(world, rng);
  b.ss = rng.Pick(old);
  b.sd = NewMare(world, rng);
  b.ds = rng.Pick(old);
  b.dd = NewMare(world, rng);
  return b;
}

std::string UniqueShortName(Rng& rng, std::set<std::string>& used, PersonName& out) {
  for (;;) {
    out = PersonNameOf(rng);
    if (used.insert(out.Short()).second) return out.Short();
  }
}

}  // namespace

void MakePeople(World& world, Rng& rng) {
  std::set<std::string> used;
  for (int i = 0; i < 150; ++i) {
    Trainer t;
    t.code = "01" + Digits(i + 1, 3);
    UniqueShortName(rng, used, t.name);
    t.east_west = i % 2 == 0 ? '1' : '2';
    world.trainers.push_back(t);
  }
  // JRA jockeys: flat riders (about a third also ride over hurdles), apprentices at the end of
  // the flat list, two riders on a short-term licence from abroad, and hurdle specialists.
  const int flat = 112, hurdle_only = 14;
  for (int i = 0; i < flat + hurdle_only; ++i) {
    Jockey j;
    j.code = "01" + Digits(i + 1, 3);
    UniqueShortName(rng, used, j.name);
    const bool apprentice = i >= flat - 12 && i < flat;
    const int year = apprentice ? rng.Range(2003, 2006) : rng.Range(1975, 2001);
    j.birth = {year, rng.Range(1, 12), rng.Range(1, 28)};
    j.licence = {year + (apprentice ? 19 : rng.Range(18, 21)), 3, 1};
    if (j.licence.y > 2024) j.licence.y = 2024;
    j.sex = apprentice && i % 4 == 0 ? '2' : '1';
    j.apprentice = apprentice ? static_cast<char>('1' + rng.Below(3)) : '0';
    j.qualification = i >= flat ? '3' : (rng.Percent(35) ? '1' : '2');
    j.east_west = i % 2 == 0 ? '1' : '2';
    j.skill = apprentice ? rng.Unit() * 0.5 : rng.Unit();
    if (apprentice) j.trainer = rng.Below(static_cast<int>(world.trainers.size()));
    world.jockeys.push_back(j);
  }
  for (int k = 0; k < 2; ++k) {
    Jockey& j = world.jockeys[static_cast<size_t>(k * 7 + 3)];
    j.invitation = k == 0 ? "フランス" : "イギリス";
    j.qualification = '2';
  }
  for (int i = 0; i < 20; ++i) {
    Jockey j;
    j.code = "05" + Digits(i + 101, 3);
    UniqueShortName(rng, used, j.name);
    j.birth = {rng.Range(1978, 2002), rng.Range(1, 12), rng.Range(1, 28)};
    j.licence = {j.birth.y + 19, 4, 1};
    j.jra = false;
    world.jockeys.push_back(j);
  }
  for (int i = 0; i < 30; ++i) world.build.old_stallions.push_back(NewStallion(world, rng));
  for (int i = 0; i < 50; ++i) world.sires.push_back(MakeBreeding(world, rng, NewStallion(world, rng)));
}

int PickDam(World& world, Rng& rng) {
  if (!world.dams.empty() && rng.Percent(12)) return rng.Below(static_cast<int>(world.dams.size()));
  Breeding dam = MakeBreeding(world, rng, NewMare(world, rng));
  // Many dams are by the sires of the day.
  if (rng.Percent(40)) dam.sire = world.sires[static_cast<size_t>(rng.Below(static_cast<int>(world.sires.size())))].self;
  world.dams.push_back(std::move(dam));
  return static_cast<int>(world.dams.size()) - 1;
}

Horse MakeHorse(World& world, Rng& rng, const RaceSpec& spec, int age, const Date& race_date) {
  Horse h;
  h.birth = {race_date.y - age, rng.Range(2, 5), rng.Range(1, 28)};
  const int serial = ++world.build.serials[h.birth.y];
  h.ketto = std::to_string(h.birth.y) + "10" + Digits(serial * 13 % 10000, 4);
  do {
    h.name = HorseName(rng);
  } while (!world.build.horse_names.insert(h.name.text).second);
  h.registered = {h.birth.y + 2, rng.Range(3, 7), rng.Range(1, 28)};
  if (spec.fillies)
    h.sex = '2';
  else
    h.sex = age >= 3 && rng.Percent(10) ? '3' : (rng.Percent(60) ? '1' : '2');
  static const std::array<const char*, 8> kCoats = {"03", "01", "04", "07", "05", "02", "06", "11"};
  h.coat = kCoats[static_cast<size_t>(rng.Weighted({35, 20, 20, 8, 7, 5, 4, 1}))];
  // The most popular sires get the most foals.
  const int sires = static_cast<int>(world.sires.size());
  h.sire = std::min(rng.Below(sires), rng.Below(sires));
  h.dam = PickDam(world, rng);
  h.trainer = rng.Below(static_cast<int>(world.trainers.size()));
  h.main_jockey = rng.Below(112);
  h.owner_code = Digits(rng.Range(1000, 899999), 6);
  h.owner_name = OwnerName(rng);
  h.breeder_code = Digits(rng.Range(100000, 9999999), 8);
  h.breeder_name = FarmName(rng);
  h.area = std::string(PickProductionArea(rng));
  const bool abroad = h.area.size() <= 3;  // one kanji: 米, 愛, 英, 仏
  h.symbol = abroad ? "07" : rng.Percent(8) ? "04" : rng.Percent(3) ? "03" : "00";
  h.silks = Silks(rng);
  h.base_weight = (h.sex == '2' ? 440 : 475) + rng.Range(-40, 45);
  h.ability = rng.Unit();
  h.style = rng.Unit();
  h.hurdler = spec.surface == Surface::Hurdle;
  h.prefers_dirt = (spec.surface == Surface::Dirt) != rng.Percent(20);
  h.best_distance = spec.surface == Surface::Hurdle ? 1800 + 200 * rng.Below(4) : spec.distance + 200 * rng.Range(-1, 1);
  h.blinkers = rng.Percent(12);
  return h;
}

}  // namespace radadovur::demo
