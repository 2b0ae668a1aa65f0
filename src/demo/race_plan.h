#pragma once
#include <cstdint>
#include <string>

#include "demo/demo_world.h"
#include "demo/prng.h"

// Race programmes: what a JRA race day offers race by race (class, ages, surface, distance),
// and the codes, names, prize money and post time that go with it.
namespace radadovur::demo {

// The racecourses that race on a past weekend date (three, by the season).
std::vector<std::string> VenuesOn(const Date& date);
// Meeting number and day of a past race day at a racecourse.
int KaijiOf(const Date& date);
int NichijiOf(const Date& date);
char WeekdayCodeOf(const Date& date);
bool HasHurdles(const std::string& venue);

// The class, ages, surface and distance of race `number`; the same for the same arguments.
// `hurdle` asks for a hurdle race at that number (this week's programme fixes its hurdle races).
RaceSpec PlanRace(uint64_t seed, const Date& date, const std::string& venue, int number, int hurdle = -1);
// A race at a racecourse outside the ten ('A' local racing, 'B' abroad).
RaceSpec PlanOutsideRace(uint64_t seed, const Date& date, const std::string& venue, int number);
// Codes, name, prize money and post time of a planned race.
void CompleteSpec(uint64_t seed, RaceSpec& spec, int course_index);

// Whether a horse of this age (in years at the race), sex and wins may run in the race.
bool AgesFit(const RaceSpec& spec, int age);
// The class a horse runs in with `wins` wins at `age` in `month` (flat races).
int LevelFor(int wins, int age, int month, bool first_run);

}  // namespace radadovur::demo
