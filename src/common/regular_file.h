#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <string>

#include "common/status.h"

namespace radadovur::common {

// Opens `path` with `flags` only when it is a regular file, so that a FIFO, a directory or a
// device put in a working file's place is a named failure and never a wait: the open does not
// block (a FIFO without a writer or reader would), and the file's kind is checked before any
// byte moves. `action` words the failure after the path ("を読めません"); a missing file gives NotFound. With
// `info`, it receives what that check read (the size among it).
//
// An open that may write (write access, create or truncate) never follows a symbolic link in
// the file's own place: someone who can put a name into the folder must not make the program
// write to the file it points to. Such a link is a failure naming the file; links among the
// folders above it are followed as usual.
Status OpenRegularFile(const std::string& path, int flags, mode_t mode, const char* action, int& fd,
                       struct stat* info = nullptr);

// Creates `path` as a new, empty file for writing (`flags`: O_WRONLY or O_RDWR): a leftover of
// that name (the temporary file of an interrupted write, or a link put there) is removed first,
// the link itself and never what it points to, and the file is created exclusively, so that no
// byte goes anywhere but into the file made here.
Status CreateNewFile(const std::string& path, int flags, const char* action, int& fd);

// The temporary file that a replacing write of `path` fills before it takes the file's place.
std::string ReplacementPathOf(const std::string& path);

// Creates the temporary file of `path` as CreateNewFile does. A failure names `path`, the file
// the user knows, never the temporary one, with what the system said.
Status CreateReplacementFile(const std::string& path, int flags, int& fd);

}  // namespace radadovur::common
