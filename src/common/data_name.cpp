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
    case DataName::kRaceKey: return {"レースキー（12桁）", 12};
    case DataName::kRaceId: return {"レースID（16桁）", 16};
    case DataName::kMeetingDayKey: return {"開催日キー（14桁）", 14};
    case DataName::kKettoNum: return {"血統登録番号（10桁）", 10};
    case DataName::kDate: return {"日付（8桁）", 8};
    case DataName::kWord: return {"名前", 0};
    case DataName::kCourseWord: return {"コース名", 0};
  }
  return {"名前", 0};
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
  return Status::InvalidArgument(rule.what, "\"" + Shown(value) + "\" はファイル名にできる" + rule.what + "ではありません");
}

}  // namespace radadovur::common
