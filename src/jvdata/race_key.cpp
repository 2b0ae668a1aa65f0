#include "jvdata/race_key.h"

#include "jvdata/layout_ra.h"

namespace radadovur::jvdata {

std::string RaceIdOf(std::string_view record) {
  std::string id;
  id.reserve(16);
  for (const Field& f : {ra::Year, ra::MonthDay, ra::VenueCode, ra::Kaiji, ra::Nichiji, ra::RaceNum}) id += f.Of(record);
  return id;
}

std::string RaceKey(std::string_view record) {
  std::string key;
  key.reserve(12);
  for (const Field& f : {ra::Year, ra::MonthDay, ra::VenueCode, ra::RaceNum}) key += f.Of(record);
  return key;
}

}  // namespace radadovur::jvdata
