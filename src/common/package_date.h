#pragma once
#include <optional>
#include <string>

namespace radadovur {

// The last-modified date and time of a file as the status label shows it, in local time:
// "yyyy/MM/dd H:mm:ss" (e.g. "2024/07/29 9:05:03"). nullopt when the file cannot be looked up.
std::optional<std::string> PackageDateText(const std::string& path);

}  // namespace radadovur
