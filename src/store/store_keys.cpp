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

}  // namespace radadovur::store
