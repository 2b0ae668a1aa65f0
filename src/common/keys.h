#pragma once
#include <string>
#include <string_view>

// The race identifier at offset 11 of race, runner, payout and odds records, and the keys built
// from it. Keys are plain concatenations of the untrimmed field bytes.
namespace radadovur {

struct RaceIdField {
  size_t offset;
  size_t width;
};
namespace raceid {
inline constexpr size_t kOffset = 11;
inline constexpr size_t kWidth = 16;
inline constexpr RaceIdField Year{11, 4};
inline constexpr RaceIdField MonthDay{15, 4};
inline constexpr RaceIdField VenueCode{19, 2};
inline constexpr RaceIdField Kaiji{21, 2};
inline constexpr RaceIdField Nichiji{23, 2};
inline constexpr RaceIdField RaceNum{25, 2};
}  // namespace raceid

// Bytes of a field of `record`; shorter (possibly empty) when the record ends inside it.
std::string_view Cut(std::string_view record, size_t offset, size_t width);
inline std::string_view Cut(std::string_view record, RaceIdField f) { return Cut(record, f.offset, f.width); }

std::string RaceIdOf(std::string_view record);      // 16: all six fields
std::string RaceKey(std::string_view record);       // 12: Year MonthDay VenueCode RaceNum
std::string MeetingDayKey(std::string_view record); // 14: Year MonthDay VenueCode Kaiji Nichiji
std::string RaceDate(std::string_view record);      // 8: Year MonthDay

}  // namespace radadovur
