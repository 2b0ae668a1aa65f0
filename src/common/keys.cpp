#include "common/keys.h"

namespace radadovur {

std::string_view Cut(std::string_view record, size_t offset, size_t width) {
  if (offset >= record.size()) return {};
  return record.substr(offset, width);
}

std::string RaceIdOf(std::string_view r) { return std::string(Cut(r, raceid::kOffset, raceid::kWidth)); }

std::string RaceKey(std::string_view r) {
  std::string k;
  k += Cut(r, raceid::Year);
  k += Cut(r, raceid::MonthDay);
  k += Cut(r, raceid::VenueCode);
  k += Cut(r, raceid::RaceNum);
  return k;
}

std::string MeetingDayKey(std::string_view r) {
  std::string k;
  k += Cut(r, raceid::Year);
  k += Cut(r, raceid::MonthDay);
  k += Cut(r, raceid::VenueCode);
  k += Cut(r, raceid::Kaiji);
  k += Cut(r, raceid::Nichiji);
  return k;
}

std::string RaceDate(std::string_view r) {
  std::string k;
  k += Cut(r, raceid::Year);
  k += Cut(r, raceid::MonthDay);
  return k;
}

}  // namespace radadovur
