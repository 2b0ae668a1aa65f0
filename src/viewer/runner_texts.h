#pragma once
#include <optional>
#include <string>
#include <string_view>

// The number and time texts of the runner grids.
namespace radadovur::viewer {

// The last two characters of the decimal text of value + 100 ("01" for 1, "06" for 6).
std::string TwoDigits(long long value);

// The time over the last 600 m, "ss.hh", at `speed` km/h; nullopt for a speed of 0.
std::optional<std::string> LastFurlongsTimeText(float speed);

}  // namespace radadovur::viewer
