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

std::optional<std::string> LastFurlongsTimeText(float speed) {
  if (speed == 0) return std::nullopt;
  const auto per_furlongs = static_cast<float>(2160 / static_cast<double>(speed));
  const auto n = WholePart(static_cast<float>(static_cast<double>(per_furlongs) * 100));
  if (!n) return std::nullopt;
  const std::string text = std::to_string(*n);
  return text.substr(0, 2) + "." + (text.size() > 2 ? text.substr(2, 2) : std::string());
}

}  // namespace radadovur::viewer
