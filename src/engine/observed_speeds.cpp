#include "engine/observed_speeds.h"

#include <algorithm>

#include "common/convert.h"
#include "engine/speed_code.h"

namespace radadovur::engine {
namespace {

enum class Course { Flat, Hurdle, Neither };

Course CourseOf(const ExRecord& record) {
  const std::string_view track = record.Text(ex::TrackCode);
  if (track >= "01" && track <= "29") return Course::Flat;
  if (track >= "51" && track <= "59") return Course::Hurdle;
  return Course::Neither;
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

std::optional<int64_t> Number(std::string_view text, const char* name, std::string* error) {
  auto n = common::WholeNumber(text);
  if (!n && error) *error = std::string(name) + " [" + common::Shown(text) + "] は数字ではありません";
  return n;
}

// RunTime in tenths of a second: minutes (1 digit) × 600 + seconds and tenths (3 digits).
std::optional<int64_t> RunTimeTenths(const ExRecord& record, std::string* error) {
  const std::string_view time = record.Text(ex::RunTime);
  auto minutes = Number(time.substr(0, 1), "走破タイム", error);
  auto rest = Number(time.substr(1), "走破タイム", error);
  if (!minutes || !rest) {
    if (error) *error = "走破タイム [" + common::Shown(time) + "] は数字ではありません";
    return std::nullopt;
  }
  return *minutes * 600 + *rest;
}

const std::string kNoSpeed(7, ' ');

}  // namespace

std::optional<std::string> ObservedAgariSpeed(const ExRecord& record, std::string* error) {
  const std::string_view last3f = record.Text(ex::Last3F);
  if (IsBlank(last3f)) return kNoSpeed;
  const auto t = Number(last3f, "上がり3F", error);
  if (!t) return std::nullopt;
  float v = 0.0f;
  if (*t != 0) {
    switch (CourseOf(record)) {
      case Course::Flat: v = 21600.0f / static_cast<float>(*t); break;
      case Course::Hurdle: v = 7200.0f / static_cast<float>(*t); break;
      case Course::Neither: break;
    }
  }
  return SpeedCode7(v);
}

std::optional<std::string> ObservedPaceSpeed(const ExRecord& record, std::string* error) {
  const std::string_view last3f = record.Text(ex::Last3F);
  if (IsBlank(last3f)) return kNoSpeed;
  const auto t = Number(last3f, "上がり3F", error);
  if (!t) return std::nullopt;
  const Course course = CourseOf(record);
  if (*t == 0 || course == Course::Neither) return SpeedCode7(0.0f);
  const auto kyori = Number(record.Text(ex::Kyori), "距離", error);
  const auto total = kyori ? RunTimeTenths(record, error) : std::nullopt;
  if (!kyori || !total) return std::nullopt;
  const int64_t stretch = course == Course::Flat ? 600 : 200;
  if (*total == *t) {
    if (error) *error = "走破タイムと上がり3Fが同じで、ペースの時間がありません";
    return std::nullopt;
  }
  const float metres_per_tenth = static_cast<float>(*kyori - stretch) / static_cast<float>(*total - *t);
  const float v = metres_per_tenth * 36.0f;
  return SpeedCode7(v);
}

std::optional<std::string> ObservedSohaSpeed(const ExRecord& record, std::string* error) {
  const std::string_view time = record.Text(ex::RunTime);
  if (IsBlank(time)) return SpeedCode7(0.0f);
  const auto whole = Number(time, "走破タイム", error);
  if (!whole) return std::nullopt;
  if (*whole == 0) return SpeedCode7(0.0f);
  const auto kyori = Number(record.Text(ex::Kyori), "距離", error);
  const auto total = kyori ? RunTimeTenths(record, error) : std::nullopt;
  if (!kyori || !total) return std::nullopt;
  if (*total == 0) {  // "-000" and the like: a number, but no time
    if (error) *error = "走破タイム [" + common::Shown(time) + "] は時間ではありません";
    return std::nullopt;
  }
  const float metres_per_tenth = static_cast<float>(*kyori) / static_cast<float>(*total);
  const float v = metres_per_tenth * 36.0f;
  return SpeedCode7(v);
}

}  // namespace radadovur::engine
