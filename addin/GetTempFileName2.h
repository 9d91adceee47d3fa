// A new, empty temporary file.
#pragma once

#include <string>

// Creates the file in folder (the system's temporary folder when null) and returns its
// name; "" after logging the error when it cannot be created.
std::string GetTempFileName2(const char* folder, const char* prefix);
