// The nearest existing folder of a typed path, to start a folder dialog in.
#pragma once

#include <string>

// The path as given when it names a folder; otherwise the nearest existing folder
// above it (a bare UNC server counts as one); "" when none is left.
std::string GetExistingFolder(const char* path);
