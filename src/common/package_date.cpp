#include "common/package_date.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

namespace radadovur {

std::optional<std::string> PackageDateText(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  const time_t when = st.st_mtime;
  struct tm local {};
  if (!::localtime_r(&when, &local)) return std::nullopt;
  char text[48];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return std::string(text);
}

}  // namespace radadovur
