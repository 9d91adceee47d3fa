// Helpers of the share-store tests: a fresh index over a temporary folder, files with
// chosen times, and reading the base back.
#pragma once

#include <string>
#include <vector>

#include "sharestore/tessaly/CTessaly.h"
#include "support/TempDir.h"

namespace kelvra::test {

// A FILETIME from a count of 100 ns ticks.
FILETIME Ticks(unsigned long long ticks);
// The FILETIME of a Linux modification time in whole seconds since 1970.
FILETIME FileTimeOfUnix(long long seconds);

// Writes a file and sets its modification time.
void WriteFileAt(const std::string& linuxPath, const std::string& bytes, long long unixSeconds);

// The lines of a base file (CR LF taken off), comments included.
std::vector<std::string> BaseLines(const std::string& linuxPath);

}  // namespace kelvra::test
