#pragma once
#include <cstdint>
#include <string>

#include "common/folder_lock.h"
#include "common/status.h"

// What the program keeps between the steps of one run besides files: the program folder and
// the few values the windows share. One copy, owned by whoever runs the steps (the main window,
// the command line, a test), passed to each step by reference.
namespace radadovur::common {

struct RunState {
  // The program folder, always ending in "/". Every path is AppPath followed by a name.
  std::string AppPath;
  // The main window's Option1: button ② runs the cancellation processing.
  bool CancellationOption = false;
  // Which odds files the odds-matrix window reads when it loads: 0 = this week's, 1 = realtime.
  int16_t OddsSource = 0;
  // Text of the race-viewer cell last clicked; the past-runs window takes the horse from it.
  std::string SelectedHorseCell;
  // Files the delivery service said must be downloaded for step ①'s request.
  int64_t DownloadCount = 0;
  // Outcome of step ①'s download wait: kDownloadDone or kDownloadCancelled.
  int DownloadResult = 0;
  // Where the steps run: named to a second run that the folder's lock refuses.
  StepFront Front = StepFront::kCommandLine;
  // The folder's lock while a front end holds it over several steps (② and the cancellation
  // after it); a step takes its own when this is null.
  FolderLock* HeldLock = nullptr;
};

inline constexpr int kDownloadDone = 0;
inline constexpr int kDownloadCancelled = -1;

// `folder` with exactly one trailing "/" added when it has none.
std::string WithTrailingSlash(const std::string& folder);

// OK when the program folder is a folder; otherwise NotFound / IoError naming it, so that a
// step reports a missing folder as such and not as the first file it misses in it.
Status CheckProgramFolder(const RunState& state);

// What the user is told at start when the program folder they named (`given`, as they wrote it)
// failed CheckProgramFolder with `folder`: the command line and the program's window say the same.
std::string ProgramFolderText(const std::string& given, const Status& folder);

// A run state for the program folder `folder`.
inline RunState RunStateFor(const std::string& folder) {
  RunState state;
  state.AppPath = WithTrailingSlash(folder);
  return state;
}

}  // namespace radadovur::common
