// What Windows reports about a file, from its Linux status.
#pragma once

#include <sys/stat.h>

#include <ctime>

#include "win32/base.h"

namespace kelvra::platform {

// FILE_ATTRIBUTE_DIRECTORY for a folder; READONLY for a file its owner cannot write,
// else NORMAL.
DWORD AttributesOf(const struct stat& st);

// 100 ns units since 1601-01-01 UTC; times before 1601 give 0.
FILETIME FileTimeOf(const timespec& time);

}  // namespace kelvra::platform
