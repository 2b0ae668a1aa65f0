#pragma once
#include <string>
#include <string_view>

// The keys by which the race store is sorted and merged, cut from stored records.
namespace radadovur::store {

// 13: Year MonthDay DataCategory VenueCode RaceNum (a RaceRecord).
std::string RaceSortKey(std::string_view race_record);
// 25: Year MonthDay DataCategory VenueCode RaceNum Umaban KettoNum (an EntryRecord).
std::string EntrySortKey(std::string_view entry_record);
// 30: CreatedDate Year MonthDay RaceNum Umaban KettoNum (an EntryRecord). Characters 9..30
// name one run of one horse; 1..8 say how new this version of it is.
std::string HorseRunKey(std::string_view entry_record);

// 12: VenueCode Year Kaiji Nichiji RaceNum, from a RaceRecord or the RaceId of an EntryRecord
// (the same offsets). No MonthDay and no DataCategory: every version of one race matches.
std::string CancelRaceKey(std::string_view race_or_entry_record);
// 14: the CancelRaceKey of an EntryRecord followed by its Umaban.
std::string CancelEntryKey(std::string_view entry_record);

}  // namespace radadovur::store
