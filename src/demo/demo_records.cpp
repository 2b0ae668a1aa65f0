#include "demo/demo_records.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "common/cp932.h"
#include "demo/prng.h"
#include "demo/record_writer.h"
#include "jvdata/layout_ks.h"
#include "jvdata/layout_odds.h"
#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"
#include "jvdata/layout_um.h"

namespace radadovur::demo {
namespace {

const Runner& RunnerOf(const Race& race, int umaban) { return race.runners[static_cast<size_t>(umaban - 1)]; }

std::string Sign3(int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%c%03d", value < 0 ? '-' : '+', std::min(999, std::abs(value)));
  return buf;
}

// Places 1st..5th and the rest, as career counts index them.
int PlaceIndex(const Runner& r) { return r.finish >= 1 && r.finish <= 5 ? r.finish - 1 : 5; }

}  // namespace

int64_t PrizeOf(const Race& race, const Runner& r) {
  return r.finish >= 1 && r.finish <= 5 ? race.spec.prize[static_cast<size_t>(r.finish - 1)] : 0;
}

std::string RunTimeText(int tenths) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d%02d%d", std::min(9, tenths / 600), tenths % 600 / 10, tenths % 10);
  return buf;
}

std::string RaceRecordOf(const World& world, const Race& race, char category, const Date& created, bool results) {
  (void)world;
  const RaceSpec& s = race.spec;
  RecordWriter w(jvdata::RecordType::RA);
  w.Header(category, Text8(created)).RaceId(s.RaceId());
  w.Bytes(jvdata::ra::WeekdayCode, std::string(1, s.weekday));
  w.Num(jvdata::ra::SpecialRaceNum, s.name.empty() ? 0 : static_cast<int64_t>(KeyOf(s.graded_count, {static_cast<uint64_t>(s.name.size())}) % 9000 + 100));
  if (s.wide_blank_name) {
    w.WideText(jvdata::ra::RaceName, s.name).WideText(jvdata::ra::RaceShortName10, s.short10);
    w.WideText(jvdata::ra::RaceShortName6, s.short6).WideText(jvdata::ra::RaceShortName3, s.short3);
  } else {
    w.Text(jvdata::ra::RaceName, s.name);
    w.Text(jvdata::ra::RaceShortName10, s.short10).Text(jvdata::ra::RaceShortName6, s.short6).Text(jvdata::ra::RaceShortName3, s.short3);
  }
  w.Bytes(jvdata::ra::RaceNameEng, s.name_eng);
  w.Bytes(jvdata::ra::RaceNameKind, "0").Num(jvdata::ra::GradedRaceCount, s.graded_count);
  w.Bytes(jvdata::ra::GradeCode, std::string(1, s.grade)).Bytes(jvdata::ra::GradeCodeBefore, " ");
  w.Bytes(jvdata::ra::RaceTypeCode, s.type_code).Bytes(jvdata::ra::RaceSymbolCode, s.symbol_code);
  w.Bytes(jvdata::ra::WeightTypeCode, std::string(1, s.weight_type));
  for (uint32_t i = 0; i < 5; ++i) w.Bytes(jvdata::ra::ConditionCode, s.conditions[i], i);
  w.Text(jvdata::ra::ConditionName, s.condition_name);
  w.Num(jvdata::ra::Kyori, s.distance).Num(jvdata::ra::KyoriBefore, 0);
  w.Bytes(jvdata::ra::TrackCode, s.track).Bytes(jvdata::ra::TrackCodeBefore, "00");
  w.Bytes(jvdata::ra::CourseCode, s.course).Bytes(jvdata::ra::CourseCodeBefore, "  ");
  for (uint32_t i = 0; i < 7; ++i) w.Num(jvdata::ra::PrizeMoney, i < 5 ? s.prize[i] : 0, i);
  for (uint32_t i = 0; i < 5; ++i) w.Num(jvdata::ra::PrizeMoneyBefore, 0, i).Num(jvdata::ra::AddedMoney, i < 3 ? s.added[i] : 0, i);
  for (uint32_t i = 0; i < 3; ++i) w.Num(jvdata::ra::AddedMoneyBefore, 0, i);
  w.Num(jvdata::ra::PostTime, s.post_time).Num(jvdata::ra::PostTimeBefore, 0);
  w.Num(jvdata::ra::TorokuTosu, static_cast<int64_t>(race.runners.size()));
  w.Num(jvdata::ra::ShussoTosu, results || category == '9' ? race.Starters() : static_cast<int64_t>(race.runners.size()));
  w.Num(jvdata::ra::NyusenTosu, results ? race.Finishers() : 0);
  const bool shown = results && race.run;
  w.Bytes(jvdata::ra::TenkoCode, std::string(1, shown ? race.weather : '0'));
  w.Bytes(jvdata::ra::TurfBabaCode, std::string(1, shown ? race.turf_going : '0'));
  w.Bytes(jvdata::ra::DirtBabaCode, std::string(1, shown ? race.dirt_going : '0'));
  for (uint32_t i = 0; i < 25; ++i) w.Num(jvdata::ra::LapTimes, shown && i < race.laps.size() ? race.laps[i] : 0, i);
  w.Bytes(jvdata::ra::HurdleMileTime, shown && race.hurdle_mile ? RunTimeText(race.hurdle_mile) : "0000");
  w.Num(jvdata::ra::First3F, shown ? race.first3f : 0).Num(jvdata::ra::First4F, shown ? race.first4f : 0);
  w.Num(jvdata::ra::RaceLast3F, shown ? race.last3f : 0).Num(jvdata::ra::RaceLast4F, shown ? race.last4f : 0);
  for (uint32_t c = 0; c < 4; ++c) {
    if (!shown || race.passing_corner[c] == 0) continue;
    w.Num(jvdata::ra::CornerPassing_Corner, race.passing_corner[c], c).Bytes(jvdata::ra::CornerPassing_Laps, "1", c);
    w.Bytes(jvdata::ra::CornerPassing_PassingOrder, race.passing[c], c);
  }
  w.Bytes(jvdata::ra::RecordUpdateCode, "0");
  return w.Take();
}

std::string EntryRecordOf(const World& world, const Race& race, int umaban, char category, const Date& created,
                          bool results) {
  const RaceSpec& s = race.spec;
  const Runner& r = RunnerOf(race, umaban);
  const Horse& h = world.horses[static_cast<size_t>(r.horse)];
  const Trainer& t = world.trainers[static_cast<size_t>(h.trainer)];
  const Jockey& j = world.jockeys[static_cast<size_t>(r.jockey)];
  RecordWriter w(jvdata::RecordType::SE);
  w.Header(category, Text8(created)).RaceId(s.RaceId());
  w.Num(jvdata::se::Wakuban, r.wakuban).Num(jvdata::se::Umaban, r.umaban).Bytes(jvdata::se::KettoNum, h.ketto);
  w.Text(jvdata::se::HorseName, h.name.text).Bytes(jvdata::se::HorseSymbolCode, h.symbol);
  w.Bytes(jvdata::se::SexCode, std::string(1, h.sex)).Bytes(jvdata::se::BreedCode, "1").Bytes(jvdata::se::CoatCode, h.coat);
  w.Num(jvdata::se::HorseAge, s.date.y - h.birth.y).Bytes(jvdata::se::EastWestCode, std::string(1, s.Jra() ? t.east_west : '3'));
  w.Bytes(jvdata::se::TrainerCode, t.code).Text(jvdata::se::TrainerName, t.name.Short());
  w.Bytes(jvdata::se::OwnerCode, h.owner_code).Text(jvdata::se::OwnerName, h.owner_name).Text(jvdata::se::Silks, h.silks);
  w.Num(jvdata::se::Futanjuryou, r.carried).Num(jvdata::se::FutanjuryouBefore, r.carried_before);
  w.Bytes(jvdata::se::BlinkerCode, r.blinkers ? "1" : "0");
  w.Bytes(jvdata::se::KishuCode, j.code).Text(jvdata::se::KishuName, j.name.Short()).Bytes(jvdata::se::ApprenticeCode, std::string(1, j.apprentice));
  if (r.jockey_before >= 0) {
    const Jockey& b = world.jockeys[static_cast<size_t>(r.jockey_before)];
    w.Bytes(jvdata::se::KishuCodeBefore, b.code).Text(jvdata::se::KishuNameBefore, b.name.Short());
    w.Bytes(jvdata::se::ApprenticeCodeBefore, std::string(1, b.apprentice));
  } else {
    w.Bytes(jvdata::se::KishuCodeBefore, "00000").Bytes(jvdata::se::ApprenticeCodeBefore, "0");
  }
  const bool scratched = r.scratched && (results || category == '9');
  const bool ran = results && race.run && !r.scratched;
  w.Num(jvdata::se::Bataijuu, ran ? r.body_weight : 0);
  w.Bytes(jvdata::se::BataijuuChangeSign, !ran || r.first_run || r.body_change == 0 ? " " : r.body_change > 0 ? "+" : "-");
  w.Num(jvdata::se::BataijuuChange, ran ? std::abs(r.body_change) : 0);
  w.Bytes(jvdata::se::AbnormalityCode, scratched ? "1" : ran && r.abnormal ? "4" : "0");
  const bool placed = ran && r.finish > 0;
  w.Num(jvdata::se::ArrivalOrder, placed ? r.finish : 0).Num(jvdata::se::FinalOrder, placed ? r.finish : 0);
  // A dead heat: the code, and how many other horses share the placing.
  int tied = 0;
  if (placed)
    for (int u : race.order) tied += u != r.umaban && RunnerOf(race, u).finish == r.finish ? 1 : 0;
  w.Bytes(jvdata::se::DeadHeatCode, tied > 0 ? "1" : "0").Num(jvdata::se::DeadHeatCount, std::min(tied, 9));
  w.Bytes(jvdata::se::RunTime, placed ? RunTimeText(r.time) : "0000");
  w.Bytes(jvdata::se::MarginCode, placed ? r.margin : "   ", 0);
  for (uint32_t c = 0; c < 4; ++c) w.Num(jvdata::se::CornerOrder, ran ? r.corners[c] : 0, c);
  const bool priced = results && race.run && !r.scratched;
  w.Num(jvdata::se::WinOdds, priced ? r.odds : 0).Num(jvdata::se::WinPopularity, priced ? r.popularity : 0);
  w.Num(jvdata::se::Honshokin, placed ? PrizeOf(race, r) : 0).Num(jvdata::se::AddedPrize, 0);
  w.Num(jvdata::se::Last4F, placed ? r.last4f : 0).Num(jvdata::se::Last3F, placed ? r.last3f : 0);
  if (placed && race.order.size() >= 2) {
    // The opposing horses: the runner-up for a lone winner, the other winners for a winner in a
    // dead heat, the winners for everyone else (up to three).
    const bool winner = r.finish == 1;
    const bool lone = winner && tied == 0;
    uint32_t k = 0;
    for (int u : race.order) {
      const Runner& other = RunnerOf(race, u);
      if (k == 3 || other.finish > (lone ? 2 : 1)) break;
      if (u == r.umaban || (lone && other.finish != 2) || (!winner && other.finish != 1)) continue;
      const std::string ketto = other.horse >= 0 ? world.horses[static_cast<size_t>(other.horse)].ketto : other.other_ketto;
      const std::string name = other.horse >= 0 ? world.horses[static_cast<size_t>(other.horse)].name.text : other.other_name.text;
      w.Bytes(jvdata::se::PlacedHorses_KettoNum, ketto, k).Text(jvdata::se::PlacedHorses_HorseName, name, k);
      ++k;
      if (lone) break;  // the runner-up, as the order gives it
    }
  }
  w.Bytes(jvdata::se::TimeDiff, placed ? Sign3(r.time_diff) : "0000");
  w.Bytes(jvdata::se::RecordUpdateCode, "0").Bytes(jvdata::se::MiningCode, "0").Num(jvdata::se::MiningTime, 0);
  w.Num(jvdata::se::MiningErrorPlus, 0).Num(jvdata::se::MiningErrorMinus, 0).Num(jvdata::se::MiningRank, 0);
  w.Num(jvdata::se::RunningStyleCode, ran ? r.style_code : 0);
  return w.Take();
}

std::string EarlyEntryRecordOf(const World& world, const Race& race, int horse, const Date& created) {
  const Horse& h = world.horses[static_cast<size_t>(horse)];
  const Trainer& t = world.trainers[static_cast<size_t>(h.trainer)];
  RecordWriter w(jvdata::RecordType::SE);
  w.Header('1', Text8(created)).RaceId(race.spec.RaceId());
  w.Num(jvdata::se::Wakuban, 0).Num(jvdata::se::Umaban, 0).Bytes(jvdata::se::KettoNum, h.ketto).Text(jvdata::se::HorseName, h.name.text);
  w.Bytes(jvdata::se::HorseSymbolCode, h.symbol).Bytes(jvdata::se::SexCode, std::string(1, h.sex)).Bytes(jvdata::se::BreedCode, "1");
  w.Bytes(jvdata::se::CoatCode, h.coat).Num(jvdata::se::HorseAge, race.spec.date.y - h.birth.y);
  w.Bytes(jvdata::se::EastWestCode, std::string(1, t.east_west)).Bytes(jvdata::se::TrainerCode, t.code).Text(jvdata::se::TrainerName, t.name.Short());
  w.Bytes(jvdata::se::OwnerCode, h.owner_code).Text(jvdata::se::OwnerName, h.owner_name).Text(jvdata::se::Silks, h.silks);
  int carried = 560;
  if (h.week_race >= 0) carried = RunnerOf(race, h.week_umaban).carried;
  w.Num(jvdata::se::Futanjuryou, carried).Num(jvdata::se::FutanjuryouBefore, 0).Bytes(jvdata::se::BlinkerCode, "0");
  w.Bytes(jvdata::se::KishuCode, "00000").Bytes(jvdata::se::KishuCodeBefore, "00000");
  w.Bytes(jvdata::se::ApprenticeCode, "0").Bytes(jvdata::se::ApprenticeCodeBefore, "0");
  w.Num(jvdata::se::Bataijuu, 0).Num(jvdata::se::BataijuuChange, 0).Bytes(jvdata::se::AbnormalityCode, "0");
  w.Num(jvdata::se::ArrivalOrder, 0).Num(jvdata::se::FinalOrder, 0).Bytes(jvdata::se::DeadHeatCode, "0").Bytes(jvdata::se::DeadHeatCount, "0");
  w.Bytes(jvdata::se::RunTime, "0000");
  for (uint32_t c = 0; c < 4; ++c) w.Num(jvdata::se::CornerOrder, 0, c);
  w.Num(jvdata::se::WinOdds, 0).Num(jvdata::se::WinPopularity, 0).Num(jvdata::se::Honshokin, 0).Num(jvdata::se::AddedPrize, 0);
  w.Num(jvdata::se::Last4F, 0).Num(jvdata::se::Last3F, 0).Bytes(jvdata::se::TimeDiff, "0000");
  w.Bytes(jvdata::se::RecordUpdateCode, "0").Bytes(jvdata::se::MiningCode, "0").Num(jvdata::se::MiningTime, 0);
  w.Num(jvdata::se::MiningErrorPlus, 0).Num(jvdata::se::MiningErrorMinus, 0).Num(jvdata::se::MiningRank, 0).Num(jvdata::se::RunningStyleCode, 0);
  return w.Take();
}

char WeekRaceCategory(const World& world, const Race& race) {
  // The week's data never learnt of the cancelled race: it stands under its card's "2".
  return !world.Monday() || race.cancelled ? '2' : '7';
}

char HorseRecordCategory(const Horse& horse) {
  // Undeclared early entries have since been struck off the register.
  return horse.early_race >= 0 ? '9' : horse.runs.empty() ? '1' : '4';
}

std::string HorseRecordOf(const World& world, int horse, char category, const Date& created) {
  const Horse& h = world.horses[static_cast<size_t>(horse)];
  const Breeding& sire = world.sires[static_cast<size_t>(h.sire)];
  const Breeding& dam = world.dams[static_cast<size_t>(h.dam)];
  const Trainer& t = world.trainers[static_cast<size_t>(h.trainer)];
  RecordWriter w(jvdata::RecordType::UM);
  w.Header(category, Text8(created)).Bytes(jvdata::um::KettoNum, h.ketto);
  w.Bytes(jvdata::um::DeregisteredCode, category == '9' ? "1" : "0").Bytes(jvdata::um::RegisteredDate, Text8(h.registered));
  w.Bytes(jvdata::um::DeregisteredDate, category == '9' ? Text8(AddDays(created, -3)) : "00000000");
  w.Bytes(jvdata::um::BirthDate, Text8(h.birth)).Text(jvdata::um::HorseName, h.name.text).Text(jvdata::um::HorseNameKana, h.name.kana);
  w.Bytes(jvdata::um::HorseNameEng, h.name.latin).Bytes(jvdata::um::StabledFlag, category == '9' ? "0" : "1");
  w.Bytes(jvdata::um::HorseSymbolCode, h.symbol).Bytes(jvdata::um::SexCode, std::string(1, h.sex)).Bytes(jvdata::um::BreedCode, "1");
  w.Bytes(jvdata::um::CoatCode, h.coat);
  const std::array<const Ancestor*, 14> pedigree = {&sire.self, &dam.self, &sire.sire, &sire.dam, &dam.sire, &dam.dam,
                                                    &sire.ss, &sire.sd, &sire.ds, &sire.dd, &dam.ss, &dam.sd, &dam.ds, &dam.dd};
  for (uint32_t i = 0; i < 14; ++i)
    w.Bytes(jvdata::um::Pedigree_BreedingNum, pedigree[i]->num, i).Text(jvdata::um::Pedigree_AncestorName, pedigree[i]->name.text, i);
  w.Bytes(jvdata::um::EastWestCode, std::string(1, t.east_west)).Bytes(jvdata::um::TrainerCode, t.code).Text(jvdata::um::TrainerName, t.name.Short());
  w.Bytes(jvdata::um::BreederCode, h.breeder_code).Text(jvdata::um::BreederName, h.breeder_name).Text(jvdata::um::ProductionArea, h.area);
  w.Bytes(jvdata::um::OwnerCode, h.owner_code).Text(jvdata::um::OwnerName, h.owner_name);

  // Career counts over the past runs.
  std::array<int64_t, 6> prizes{};
  std::array<int, 6> total{}, central{}, styles{};
  std::array<std::array<int, 6>, 7> surface{};
  std::array<std::array<int, 6>, 12> going{};
  std::array<std::array<int, 6>, 6> distance{};
  for (const PastRun& run : h.runs) {
    const Race& race = world.past.at(run.key);
    const Runner& r = RunnerOf(race, run.umaban);
    const int p = PlaceIndex(r);
    ++total[static_cast<size_t>(p)];
    if (!race.spec.Jra()) continue;
    ++central[static_cast<size_t>(p)];
    const Surface sf = race.spec.surface;
    const bool left = race.spec.track == "11" || race.spec.track == "12" || race.spec.track == "23";
    const int sg = sf == Surface::Hurdle ? 6 : (sf == Surface::Dirt ? 3 : 0) + (race.spec.track == "10" ? 0 : left ? 2 : 1);
    ++surface[static_cast<size_t>(sg)][static_cast<size_t>(p)];
    const char g = sf == Surface::Dirt ? race.dirt_going : race.turf_going;
    const int gg = (sf == Surface::Turf ? 0 : sf == Surface::Dirt ? 4 : 8) + std::clamp(g - '1', 0, 3);
    ++going[static_cast<size_t>(gg)][static_cast<size_t>(p)];
    if (sf != Surface::Hurdle) {
      const int band = race.spec.distance <= 1200 ? 0 : race.spec.distance <= 1800 ? 1 : 2;
      ++distance[static_cast<size_t>((sf == Surface::Dirt ? 3 : 0) + band)][static_cast<size_t>(p)];
    }
    const int64_t prize = PrizeOf(race, r);
    prizes[sf == Surface::Hurdle ? 1 : 0] += prize;
    prizes[sf == Surface::Hurdle ? 5 : 4] += r.finish == 1 ? prize : prize / 2;
    if (r.style_code >= 1) ++styles[static_cast<size_t>(r.style_code - 1)];
  }
  for (uint32_t i = 0; i < 6; ++i) {
    w.Num(jvdata::um::CareerPrizes, prizes[i], i).Num(jvdata::um::TotalPlaces, total[i], i).Num(jvdata::um::CentralPlaces, central[i], i);
    for (uint32_t g = 0; g < 7; ++g) w.Num(jvdata::um::SurfacePlaces, surface[g][i], g, i);
    for (uint32_t g = 0; g < 12; ++g) w.Num(jvdata::um::GoingPlaces, going[g][i], g, i);
    for (uint32_t g = 0; g < 6; ++g) w.Num(jvdata::um::DistancePlaces, distance[g][i], g, i);
  }
  for (uint32_t i = 0; i < 4; ++i) w.Num(jvdata::um::RunningStyleCounts, styles[i], i);
  w.Num(jvdata::um::RegisteredRaceCount, static_cast<int64_t>(h.runs.size()));
  return w.Take();
}

std::string JockeyRecordOf(const World& world, int jockey, const Date& created) {
  const Jockey& j = world.jockeys[static_cast<size_t>(jockey)];
  Rng rng(KeyOf(world.options.seed, {400, static_cast<uint64_t>(jockey)}));
  RecordWriter w(jvdata::RecordType::KS);
  w.Header('2', Text8(created)).Bytes(jvdata::ks::KishuCode, j.code).Bytes(jvdata::ks::DeregisteredCode, "0");
  w.Bytes(jvdata::ks::LicenceIssueDate, Text8(j.licence)).Bytes(jvdata::ks::LicenceEndDate, "00000000");
  w.Bytes(jvdata::ks::KishuBirthDate, Text8(j.birth)).Text(jvdata::ks::KishuFullName, j.name.Full());
  w.Text(jvdata::ks::KishuNameKana, j.name.KanaHalf()).Text(jvdata::ks::KishuShortName, j.name.Short());
  w.Bytes(jvdata::ks::KishuNameEng, j.name.Latin()).Bytes(jvdata::ks::KishuSexCode, std::string(1, j.sex));
  w.Bytes(jvdata::ks::RidingQualificationCode, std::string(1, j.qualification));
  w.Bytes(jvdata::ks::KishuApprenticeCode, std::string(1, j.apprentice)).Bytes(jvdata::ks::KishuEastWestCode, std::string(1, j.east_west));
  w.Text(jvdata::ks::KishuInvitationArea, j.invitation);
  if (j.trainer >= 0) {
    const Trainer& t = world.trainers[static_cast<size_t>(j.trainer)];
    w.Bytes(jvdata::ks::AffiliatedTrainerCode, t.code).Text(jvdata::ks::AffiliatedTrainerName, t.name.Short());
  } else {
    w.Bytes(jvdata::ks::AffiliatedTrainerCode, "00000");
  }
  // First ride and first win on the flat (and over hurdles for those who ride them).
  const Date march{j.licence.y, 3, 1};
  const Date first = AddDays(march, (6 - Weekday(march) + 7) % 7);  // the first Saturday of March
  for (uint32_t k = 0; k < 2; ++k) {
    const bool rides = k == 0 ? j.qualification != '3' : j.qualification != '2';
    if (!rides) continue;
    const Date d = AddDays(first, static_cast<int>(k) * 119);
    const std::string race_id = YearText(d) + MonthDay(d) + "06" + "01" + "01" + (k == 0 ? "05" : "04");
    const Name horse = HorseName(rng);
    w.Bytes(jvdata::ks::FirstRides_RaceId, race_id, k).Num(jvdata::ks::FirstRides_ShussoTosu, rng.Range(10, 16), k);
    w.Bytes(jvdata::ks::FirstRides_KettoNum, std::to_string(d.y - 3) + "10" + std::to_string(1000 + rng.Below(9000)), k);
    w.Text(jvdata::ks::FirstRides_HorseName, horse.text, k).Num(jvdata::ks::FirstRides_FinalOrder, rng.Range(1, 12), k);
    w.Bytes(jvdata::ks::FirstRides_AbnormalityCode, "0", k);
    const Date wd = AddDays(d, 7 * rng.Range(1, 20) + 1);
    const Name winner = HorseName(rng);
    w.Bytes(jvdata::ks::FirstWins_RaceId, YearText(wd) + MonthDay(wd) + "05" + "02" + "03" + "07", k);
    w.Num(jvdata::ks::FirstWins_ShussoTosu, rng.Range(10, 18), k);
    w.Bytes(jvdata::ks::FirstWins_KettoNum, std::to_string(wd.y - 3) + "10" + std::to_string(1000 + rng.Below(9000)), k);
    w.Text(jvdata::ks::FirstWins_HorseName, winner.text, k);
  }
  // The best riders have recent graded wins.
  const int graded = j.skill > 0.75 ? rng.Range(1, 3) : 0;
  for (uint32_t k = 0; k < static_cast<uint32_t>(graded); ++k) {
    const Date d = AddDays({2024, 7, 20}, -70 * static_cast<int>(k) - 7 * rng.Below(8));
    const std::string name = std::string(PickRaceWord(rng).kanji) + "記念";
    w.Bytes(jvdata::ks::RecentGradeWins_RaceId, YearText(d) + MonthDay(d) + "09" + "03" + "06" + "11", k);
    w.Text(jvdata::ks::RecentGradeWins_RaceName, name, k).Text(jvdata::ks::RecentGradeWins_RaceShortName10, name, k);
    w.Text(jvdata::ks::RecentGradeWins_RaceShortName6, name, k).Text(jvdata::ks::RecentGradeWins_RaceShortName3, common::Utf8Left(name, 3), k);
    w.Bytes(jvdata::ks::RecentGradeWins_GradeCode, "C", k).Num(jvdata::ks::RecentGradeWins_ShussoTosu, rng.Range(12, 18), k);
    w.Bytes(jvdata::ks::RecentGradeWins_KettoNum, std::to_string(d.y - 4) + "10" + std::to_string(1000 + rng.Below(9000)), k);
    w.Text(jvdata::ks::RecentGradeWins_HorseName, HorseName(rng).text, k);
  }
  // Year records: this year, last year, career.
  const int years = std::max(1, 2024 - j.licence.y + 1);
  for (uint32_t b = 0; b < 3; ++b) {
    const double span = b == 0 ? 0.58 : b == 1 ? 1.0 : years;
    const bool flat = j.qualification != '3', jumps = j.qualification != '2';
    std::array<std::array<int64_t, 6>, 2> places{};  // flat, hurdles
    for (int kind = 0; kind < 2; ++kind) {
      if (kind == 0 ? !flat : !jumps) continue;
      const double rides = (kind == 0 ? 250 + 450 * j.skill : 40 + 60 * j.skill) * span;
      const double win = kind == 0 ? 0.04 + 0.16 * j.skill : 0.08 + 0.1 * j.skill;
      const std::array<double, 5> shares = {win, win * 0.9, win * 0.85, win * 0.8, win * 0.75};
      int64_t rest = static_cast<int64_t>(rides);
      for (size_t p = 0; p < 5; ++p) {
        places[static_cast<size_t>(kind)][p] = static_cast<int64_t>(rides * shares[p]);
        rest -= places[static_cast<size_t>(kind)][p];
      }
      places[static_cast<size_t>(kind)][5] = std::max<int64_t>(0, rest);
    }
    auto prize = [&](int kind) {
      const auto& pl = places[static_cast<size_t>(kind)];
      return (pl[0] * 100000 + pl[1] * 40000 + pl[2] * 25000 + pl[3] * 15000 + pl[4] * 10000) * (kind == 0 ? 1 : 2);
    };
    w.Bytes(jvdata::ks::YearRecords_SetYear, b == 0 ? "2024" : b == 1 ? "2023" : "0000", b);
    w.Num(jvdata::ks::YearRecords_FlatPrizeTotal, prize(0), b).Num(jvdata::ks::YearRecords_HurdlePrizeTotal, prize(1), b);
    w.Num(jvdata::ks::YearRecords_FlatAddedTotal, prize(0) / 30, b).Num(jvdata::ks::YearRecords_HurdleAddedTotal, prize(1) / 30, b);
    for (uint32_t p = 0; p < 6; ++p) {
      w.Num(jvdata::ks::YearRecords_FlatPlaces, places[0][p], b, p).Num(jvdata::ks::YearRecords_HurdlePlaces, places[1][p], b, p);
    }
    // Racecourse and surface groups (10 courses x turf, dirt), then distance groups: the
    // flat counts shared out, the remainder in the first group.
    for (uint32_t p = 0; p < 6; ++p) {
      int64_t left = places[0][p];
      for (uint32_t g = 0; g < 20; ++g) {
        const int64_t part = g == 19 ? 0 : places[0][p] * static_cast<int64_t>(1 + (g * 7 + p) % 5) / 60;
        w.Num(jvdata::ks::YearRecords_VenuePlaces, part, b, g * 6 + p);
        left -= part;
      }
      w.Num(jvdata::ks::YearRecords_VenuePlaces, std::max<int64_t>(0, left), b, 19 * 6 + p);
      const std::array<int, 6> share = {20, 30, 15, 20, 10, 5};
      int64_t dleft = places[0][p];
      for (uint32_t g = 1; g < 6; ++g) {
        const int64_t part = places[0][p] * share[g] / 100;
        w.Num(jvdata::ks::YearRecords_DistancePlaces, part, b, g * 6 + p);
        dleft -= part;
      }
      w.Num(jvdata::ks::YearRecords_DistancePlaces, dleft, b, p);
    }
  }
  return w.Take();
}

std::string WinOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created) {
  RecordWriter w(jvdata::RecordType::O1);
  const int post = race.spec.post_time;
  w.Header(category, Text8(created)).RaceId(race.spec.RaceId());
  w.Bytes(jvdata::o1::AnnounceTime, MonthDay(race.spec.date) + Num2(post / 100) + Num2(post % 100));
  w.Num(jvdata::o1::TorokuTosu, static_cast<int64_t>(race.runners.size())).Num(jvdata::o1::ShussoTosu, race.Starters());
  const bool brackets = race.Starters() >= 9;
  w.Bytes(jvdata::o1::SaleFlags, "7", 0).Bytes(jvdata::o1::SaleFlags, "7", 1).Bytes(jvdata::o1::SaleFlags, brackets ? "7" : "0", 2);
  w.Bytes(jvdata::o1::SaleFlags, race.Starters() >= 8 ? "3" : "2", 3);
  // Win popularity as the race's runner records give it (equal odds ranked by the market), so
  // that the realtime win odds agree with the results.
  std::vector<int> win_pop = book.win.Popularities();
  for (const Runner& r : race.runners)
    if (r.umaban >= 1 && r.umaban <= 28 && r.popularity > 0) win_pop[static_cast<size_t>(r.umaban - 1)] = r.popularity;
  const std::vector<int> place_pop = book.place.Popularities();
  int64_t votes = 0;
  for (uint32_t i = 0; i < 28; ++i) {
    const OddsEntry& e = book.win.entries[i];
    const OddsEntry& p = book.place.entries[i];
    if (e.fill == ' ') continue;  // no such horse: the entry stays blank
    w.Bytes(jvdata::o1::WinOddsEntries_Umaban, e.Comb(), i).Bytes(jvdata::o1::PlaceOddsEntries_Umaban, p.Comb(), i);
    if (e.HasOdds()) {
      w.Num(jvdata::o1::WinOddsEntries_Odds, e.odds, i).Num(jvdata::o1::WinOddsEntries_Popularity, win_pop[i], i);
      w.Num(jvdata::o1::PlaceOddsEntries_OddsLow, p.odds, i).Num(jvdata::o1::PlaceOddsEntries_OddsHigh, p.odds_high, i);
      w.Num(jvdata::o1::PlaceOddsEntries_Popularity, place_pop[i], i);
      votes += 8000000 / std::max<int64_t>(e.odds, 10);
    } else {
      w.Fill(jvdata::o1::WinOddsEntries_Odds, e.fill, i).Fill(jvdata::o1::WinOddsEntries_Popularity, e.fill, i);
      w.Fill(jvdata::o1::PlaceOddsEntries_OddsLow, e.fill, i).Fill(jvdata::o1::PlaceOddsEntries_OddsHigh, e.fill, i);
      w.Fill(jvdata::o1::PlaceOddsEntries_Popularity, e.fill, i);
    }
  }
  const std::vector<int> bracket_pop = book.bracket.Popularities();
  for (uint32_t i = 0; i < 36; ++i) {
    const OddsEntry& e = book.bracket.entries[i];
    w.Bytes(jvdata::o1::BracketOddsEntries_Combination, e.Comb(), i);
    if (e.HasOdds())
      w.Num(jvdata::o1::BracketOddsEntries_Odds, e.odds, i).Num(jvdata::o1::BracketOddsEntries_Popularity, bracket_pop[i], i);
    else
      w.Fill(jvdata::o1::BracketOddsEntries_Odds, e.fill, i).Fill(jvdata::o1::BracketOddsEntries_Popularity, e.fill, i);
  }
  w.Num(jvdata::o1::TotalVotes, votes, 0).Num(jvdata::o1::TotalVotes, votes * 2, 1).Num(jvdata::o1::TotalVotes, brackets ? votes / 3 : 0, 2);
  return w.Take();
}

namespace {

std::string FamilyRecordOf(jvdata::RecordType type, const jvdata::odds::Family& family, const OddsTable& table, const Race& race,
                           char category, const Date& created, int64_t votes_scale) {
  RecordWriter w(type);
  const int post = race.spec.post_time;
  w.Header(category, Text8(created)).RaceId(race.spec.RaceId());
  w.Bytes(jvdata::odds::AnnounceTime, MonthDay(race.spec.date) + Num2(post / 100) + Num2(post % 100));
  w.Num(jvdata::odds::TorokuTosu, static_cast<int64_t>(race.runners.size())).Num(jvdata::odds::ShussoTosu, race.Starters());
  w.Bytes(jvdata::odds::SaleFlag, "7");
  const std::vector<int> pop = table.Popularities();
  const jvdata::Field comb = family.Combination(), odds_field = family.Odds(), pop_field = family.Popularity();
  int64_t votes = 0;
  for (uint32_t i = 0; i < family.entries; ++i) {
    const OddsEntry& e = table.entries[i];
    w.Bytes(comb, e.Comb(), i);
    if (e.HasOdds()) {
      w.Num(odds_field, e.odds, i).Num(pop_field, pop[i], i);
      votes += votes_scale / e.odds;
    } else {
      w.Fill(odds_field, e.fill, i).Fill(pop_field, e.fill, i);
    }
  }
  w.Num(family.TotalVotes(), votes);
  return w.Take();
}

}  // namespace

std::string QuinellaOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created) {
  return FamilyRecordOf(jvdata::RecordType::O2, jvdata::odds::kQuinella, book.quinella, race, category, created, 50000000);
}
std::string ExactaOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created) {
  return FamilyRecordOf(jvdata::RecordType::O4, jvdata::odds::kExacta, book.exacta, race, category, created, 40000000);
}
std::string TrioOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created) {
  return FamilyRecordOf(jvdata::RecordType::O5, jvdata::odds::kTrio, book.trio, race, category, created, 60000000);
}
std::string TrifectaOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created) {
  return FamilyRecordOf(jvdata::RecordType::O6, jvdata::odds::kTrifecta, book.trifecta, race, category, created, 90000000);
}

}  // namespace radadovur::demo
