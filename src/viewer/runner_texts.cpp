#include "viewer/runner_texts.h"

#include <cmath>

#include "common/convert.h"

namespace radadovur::viewer {
namespace {

std::optional<long long> WholePart(float value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e15f) return std::nullopt;
  return static_cast<long long>(std::floor(value));
}

}  // namespace

std::string TwoDigits(long long value) {
  const std::string text = std::to_string(value + 100);
  return text.substr(text.size() - 2);
}

std::optional<std::string> SpeedToTimeText(float speed, std::string_view distance) {
  if (speed == 0) return std::nullopt;
  auto m = static_cast<float>(common::TextValue(distance) / static_cast<double>(speed));
  m = static_cast<float>(static_cast<double>(m) * 60 / 1000);
  const auto minutes = WholePart(m);
  if (!minutes) return std::nullopt;
  auto s = static_cast<float>((static_cast<double>(m) - static_cast<double>(*minutes)) * 60);
  const auto seconds = WholePart(s);
  if (!seconds) return std::nullopt;
  const auto h = static_cast<float>((static_cast<double>(s) - static_cast<double>(*seconds)) * 100);
  const auto hundredths = WholePart(h);
  if (!hundredths) return std::nullopt;
  return std::to_string(*minutes) + "." + TwoDigits(*seconds) + "." + TwoDigits(*hundredths);
}

std::string ThreeDecimals(float value) {
  return common::NumberText(std::floor(static_cast<double>(value) * 1000) / 1000);
}

std::optional<std::string> LastFurlongsTimeText(float speed) {
  if (speed == 0) return std::nullopt;
  const auto per_furlongs = static_cast<float>(2160 / static_cast<double>(speed));
  const auto n = WholePart(static_cast<float>(static_cast<double>(per_furlongs) * 100));
  if (!n) return std::nullopt;
  const std::string text = std::to_string(*n);
  return text.substr(0, 2) + "." + (text.size() > 2 ? text.substr(2, 2) : std::string());
}

}  // namespace radadovur::viewer
