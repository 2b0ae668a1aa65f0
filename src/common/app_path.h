#pragma once
#include <string>

namespace radadovur {

// The program's folder, always ending in "/". The first call takes the folder of the running
// executable; SetAppPath overrides it (the command line and the tests point it at a folder).
std::string GetAppPath();
void SetAppPath(const std::string& folder);

// folder with exactly one trailing "/" added when it has none.
std::string WithTrailingSlash(const std::string& folder);

}  // namespace radadovur
