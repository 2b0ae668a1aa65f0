#pragma once
#include <set>
#include <string>

#include "common/status.h"

// The demo's own mark in a folder it wrote: "DEMOWEEK.txt", the files the demo wrote there, one
// quoted path (relative to the folder) a line. The demo writes only into a folder that is
// missing, empty or marked, and in a marked one it replaces or removes only the files listed:
// whatever else is there (the steps' outputs, a file the user put in) is not the demo's.
namespace radadovur::demo {

inline constexpr const char* kMarkerFile = "DEMOWEEK.txt";

enum class FolderOwner {
  kNobody,  // missing or empty: the demo may write it
  kDemo,    // marked: the files listed are the demo's
  kOther,   // anything else: not the demo's to write
};

// Who owns `dir` (ending in "/"), and for a marked folder the files its mark lists. A folder
// that cannot be listed, or a mark that cannot be read or is damaged, is a failure naming it.
common::Status InspectFolder(const std::string& dir, FolderOwner& owner, std::set<std::string>& listed);

// Writes the mark of `dir` listing `files` (through a temporary file).
common::Status WriteMarker(const std::string& dir, const std::set<std::string>& files);

}  // namespace radadovur::demo
