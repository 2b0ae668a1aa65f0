#pragma once
#include <string>

#include "common/status.h"

// The store side of the cancellation processing: the cancelled races and runners of the realtime
// files go over their matches in the working copies ("RATHISWEEKNNEWd.dat",
// "SETHISWEEKNNEWd.dat"), and the week's race and runner files are rebuilt from those copies
// without the records of DataCategory "1" (not yet final) and "9" (cancelled).
namespace radadovur::store {

// Every record of category "9" in "RARIALTIME.dat" is written over every record of
// "RATHISWEEKNNEWd.dat" with the same CancelRaceKey (a race stored under several categories
// loses all of them), in realtime file order; then "RATHISWEEKNNEW.dat" is rebuilt. The same for
// "SERIALTIME.dat" over "SETHISWEEKNNEWd.dat" by CancelEntryKey, then "SETHISWEEKNNEW.dat".
// Every file is rewritten through a temporary file; the first failure ends the pass and is
// returned, leaving each file whole, as it was before or after.
common::Status ApplyCancellations(const std::string& app_path);

}  // namespace radadovur::store
