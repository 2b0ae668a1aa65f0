#pragma once
#include <string>

#include "demo/demo_world.h"
#include "demo/odds_book.h"

// The demo world as delivered JV-Data records (CP932, CR LF at the end of each record).
namespace radadovur::demo {

// The DataCategory under which the week's download delivers this week's race (and its runners),
// and a horse's master record.
char WeekRaceCategory(const World& world, const Race& race);
char HorseRecordCategory(const Horse& horse);
// The day the week's download was made in the chosen state.
inline Date DownloadDate(const World& world) { return world.Monday() ? world.monday : world.friday; }

// Race record. `results`: weather, going, laps, finishers and corner passing are filled.
std::string RaceRecordOf(const World& world, const Race& race, char category, const Date& created, bool results);
// Runner record of horse number `umaban`. `results`: placing, times, odds and body weight.
std::string EntryRecordOf(const World& world, const Race& race, int umaban, char category, const Date& created,
                          bool results);
// An early entry (no horse number yet) of a horse.
std::string EarlyEntryRecordOf(const World& world, const Race& race, int horse, const Date& created);
// Payouts of a run race, from its placings and its odds.
std::string PayoutRecordOf(const Race& race, const OddsBook& book, char category, const Date& created);
// Horse master record, with its career counts over the given runs.
std::string HorseRecordOf(const World& world, int horse, char category, const Date& created);
// Jockey master record in its delivered form (4173 bytes).
std::string JockeyRecordOf(const World& world, int jockey, const Date& created);
// Odds records of one race: O1 (win, place, bracket quinella), O2, O4, O5, O6.
std::string WinOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created);
std::string QuinellaOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created);
std::string ExactaOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created);
std::string TrioOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created);
std::string TrifectaOddsRecordOf(const Race& race, const OddsBook& book, char category, const Date& created);

// Prize money (hundreds of yen) a runner earned: places 1 to 5.
int64_t PrizeOf(const Race& race, const Runner& r);

// "M SS T": minutes, seconds and tenths of a time in tenths of a second.
std::string RunTimeText(int tenths);

}  // namespace radadovur::demo
