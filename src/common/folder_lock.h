#pragma once
#include <string>
#include <string_view>

#include "common/status.h"

// One step at a time on a program folder. Every step of the windows and the command line holds
// an advisory lock on the folder's lock file from before it reads anything until its last mark
// is written; a second step on the same folder does not wait but is refused at once, told who
// holds the folder. The lock goes with the process: a killed run leaves the file but no lock.
// The file holds the holder's description for the refused run to show; it is emptied when the
// lock is released.
namespace radadovur::common {

inline constexpr std::string_view kFolderLockFile = "STEPSTHISWEEKN.lock";

// Where a step was started: named to a run that the lock refuses.
enum class StepFront { kCommandLine, kWindow };

class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() { Release(); }

  // Takes the lock of the program folder `app_path` for the step named `step`. Busy: another
  // run holds it (IsFolderBusy; the text names that run). A file system that cannot lock lets the
  // step run unguarded (OK, unguarded()). A lock file that cannot be opened, or is no regular
  // file, is a failure naming it.
  [[nodiscard]] Status Take(const std::string& app_path, StepFront front, std::string_view step);
  bool held() const { return fd_ >= 0; }
  // Taken on a file system without locks: two runs at once are not guarded there.
  bool unguarded() const { return unguarded_; }
  // Empties the holder's description and lets the folder go.
  void Release();

 private:
  int fd_ = -1;
  bool unguarded_ = false;
};

// The failure of a step refused because another run holds the folder.
bool IsFolderBusy(const Status& status);

// The one line a run on a file system without locks shows.
std::string UnguardedFolderText(const std::string& app_path);

}  // namespace radadovur::common
