// Reading a whole file that a reader has opened.
#pragma once

#include <vector>

#include "win32/base.h"

// Reads the open file completely into bytes; the handle stays with the caller. False
// for a read error, a file larger than maxSize (sizes are taken in 64 bits) or memory
// that cannot be had; bytes is then empty.
bool ReadWholeFile(HANDLE file, unsigned long long maxSize, std::vector<unsigned char>& bytes);
