#pragma once
#include <string>
#include <string_view>

// The model package is unpacked on Windows, where names are case-blind: its folder and files may
// reach us as "option1n/Kyosoba.DAT". Reading finds them whatever their case; our own files are
// always written in the program's spelling.
namespace radadovur::common {

// The path of `relative` ("OPTION1N/KYOSOBA.dat") below `app_path` (ending in "/"): each part
// that exists in exactly that spelling is taken as it is, otherwise the first entry of the folder
// (in name order) that equals it ignoring ASCII case. A part that is found in neither way keeps
// its own spelling, so that the result names the missing file.
std::string ResolvePackagePath(const std::string& app_path, std::string_view relative);

// Equal ignoring ASCII case, as Windows compares names.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace radadovur::common
