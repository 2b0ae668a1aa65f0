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
Status OpenRegularFile(const std::string& path, int flags, mode_t mode, const char* action, int& fd,
                       struct stat* info = nullptr);

}  // namespace radadovur::common
