#pragma once
#include <string>
#include <string_view>

// Keys cut from the race id that race, runner, payout and odds records carry at the same offsets:
// plain concatenations of the untrimmed field bytes (shorter where the record ends early).
namespace radadovur::jvdata {

// 16: Year MonthDay VenueCode Kaiji Nichiji RaceNum.
std::string RaceIdOf(std::string_view record);
// 12: Year MonthDay VenueCode RaceNum, the name of a race's files.
std::string RaceKey(std::string_view record);

}  // namespace radadovur::jvdata
