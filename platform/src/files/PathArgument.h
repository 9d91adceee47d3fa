// The path argument of a file call, mapped to Linux. On failure the calling thread's
// last error is set (a NULL path is an empty one) and false returned.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::platform {

bool MapPathArgument(LPCSTR windowsPath, std::string& linuxPath);

}  // namespace kelvra::platform
