// The Windows error a failed POSIX call stands for.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::platform {

// `linuxPath` is the path the call worked on: ENOENT is ERROR_FILE_NOT_FOUND when its
// folder exists and ERROR_PATH_NOT_FOUND when the folder part is missing. EEXIST is
// `existsError`: ERROR_FILE_EXISTS for creating and copying files, ERROR_ALREADY_EXISTS
// for moving and for folders.
DWORD WindowsErrorFromErrno(int error, const std::string& linuxPath,
                            DWORD existsError = ERROR_FILE_EXISTS);

// Sets the calling thread's last error from errno as above and returns it.
DWORD SetLastErrorFromErrno(const std::string& linuxPath, DWORD existsError = ERROR_FILE_EXISTS);

}  // namespace kelvra::platform
