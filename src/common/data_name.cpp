#include "common/data_name.h"

#include <string>

namespace radadovur::common {
namespace {

struct Rule {
  const char* what;
  size_t digits;  // 0: a word
};

Rule RuleOf(DataName kind) {
  switch (kind) {
    case DataName::kRaceKey: return {"race key (12 digits)", 12};
    case DataName::kRaceId: return {"race id (16 digits)", 16};
    case DataName::kMeetingDayKey: return {"meeting-day key (14 digits)", 14};
    case DataName::kKettoNum: return {"KettoNum (10 digits)", 10};
    case DataName::kDate: return {"date (8 digits)", 8};
    case DataName::kWord: return {"name", 0};
    case DataName::kCourseWord: return {"course word", 0};
  }
  return {"name", 0};
}

bool AllDigits(std::string_view value, size_t width) {
  if (value.size() != width) return false;
  for (const char c : value)
    if (c < '0' || c > '9') return false;
  return true;
}

// CP932 trail bytes never take the value of "/" or a control byte, so a byte test is enough;
// a trail byte may be 0x5C, which is why a backslash is allowed.
bool OneComponent(std::string_view value) {
  if (value.empty() || value == "." || value == "..") return false;
  for (const char c : value) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '/' || b < 0x20 || b == 0x7F) return false;
  }
  return true;
}

}  // namespace

Status CheckDataName(DataName kind, std::string_view value) {
  const Rule rule = RuleOf(kind);
  const bool ok = rule.digits != 0                    ? AllDigits(value, rule.digits)
                  : kind == DataName::kCourseWord ? value.empty() || OneComponent(value)
                                                  : OneComponent(value);
  if (ok) return Status::OK();
  return Status::InvalidArgument(rule.what, std::string("not a ") + rule.what + " for a file name: \"" +
                                                Shown(value) + "\"");
}

}  // namespace radadovur::common
