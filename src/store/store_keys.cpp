#include "store/store_keys.h"

#include "jvdata/layout_ra.h"
#include "jvdata/layout_se.h"

namespace radadovur {

std::string RaceSortKey(std::string_view r) {
  std::string k;
  k.reserve(13);
  k += ra::Year.Of(r);
  k += ra::MonthDay.Of(r);
  k += ra::DataCategory.Of(r);
  k += ra::VenueCode.Of(r);
  k += ra::RaceNum.Of(r);
  return k;
}

std::string EntrySortKey(std::string_view r) {
  std::string k;
  k.reserve(25);
  k += se::Year.Of(r);
  k += se::MonthDay.Of(r);
  k += se::DataCategory.Of(r);
  k += se::VenueCode.Of(r);
  k += se::RaceNum.Of(r);
  k += se::Umaban.Of(r);
  k += se::KettoNum.Of(r);
  return k;
}

std::string HorseRunKey(std::string_view r) {
  std::string k;
  k.reserve(30);
  k += se::CreatedDate.Of(r);
  k += se::Year.Of(r);
  k += se::MonthDay.Of(r);
  k += se::RaceNum.Of(r);
  k += se::Umaban.Of(r);
  k += se::KettoNum.Of(r);
  return k;
}

}  // namespace radadovur
