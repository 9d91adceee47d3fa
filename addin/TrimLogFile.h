// Cuts a log file that has grown past its limit down to its tail.
#pragma once

#include <string>

#include "win32/base.h"

// A file larger than limit keeps what follows the first line end found within 4095
// bytes after offset size - limit / 2. The tail is written to path + "1", which then
// replaces the file in one move, so a failure at any point leaves the old file whole.
void TrimLogFile(const std::string& path, DWORD limit);
