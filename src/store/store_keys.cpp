#include "store/store_keys.h"

#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"

namespace radadovur::store {

std::string RaceSortKey(std::string_view r) {
  std::string k;
  k.reserve(13);
  k += jvdata::ra::Year.Of(r);
  k += jvdata::ra::MonthDay.Of(r);
  k += jvdata::ra::DataCategory.Of(r);
  k += jvdata::ra::VenueCode.Of(r);
  k += jvdata::ra::RaceNum.Of(r);
  return k;
}

std::string EntrySortKey(std::string_view r) {
  std::string k;
  k.reserve(25);
  k += jvdata::se::Year.Of(r);
  k += jvdata::se::MonthDay.Of(r);
  k += jvdata::se::DataCategory.Of(r);
  k += jvdata::se::VenueCode.Of(r);
  k += jvdata::se::RaceNum.Of(r);
  k += jvdata::se::Umaban.Of(r);
  k += jvdata::se::KettoNum.Of(r);
  return k;
}

std::string HorseRunKey(std::string_view r) {
  std::string k;
  k.reserve(30);
  k += jvdata::se::CreatedDate.Of(r);
  k += jvdata::se::Year.Of(r);
  k += jvdata::se::MonthDay.Of(r);
  k += jvdata::se::RaceNum.Of(r);
  k += jvdata::se::Umaban.Of(r);
  k += jvdata::se::KettoNum.Of(r);
  return k;
}

// The RaceId stands at the same offsets in race and runner records.
static_assert(jvdata::ra::VenueCode.offset == jvdata::se::VenueCode.offset && jvdata::ra::Year.offset == jvdata::se::Year.offset &&
              jvdata::ra::Kaiji.offset == jvdata::se::Kaiji.offset &&
              jvdata::ra::Nichiji.offset == jvdata::se::Nichiji.offset &&
              jvdata::ra::RaceNum.offset == jvdata::se::RaceNum.offset);

std::string CancelRaceKey(std::string_view r) {
  std::string k;
  k.reserve(12);
  k += jvdata::ra::VenueCode.Of(r);
  k += jvdata::ra::Year.Of(r);
  k += jvdata::ra::Kaiji.Of(r);
  k += jvdata::ra::Nichiji.Of(r);
  k += jvdata::ra::RaceNum.Of(r);
  return k;
}

std::string CancelEntryKey(std::string_view r) { return CancelRaceKey(r) + std::string(jvdata::se::Umaban.Of(r)); }

}  // namespace radadovur::store
