// A string resource of a module as 8-bit text.
#pragma once

#include <string>

#include "win32/base.h"

// "" when the string cannot be loaded.
std::string LoadResourceString(HINSTANCE module, UINT id);
