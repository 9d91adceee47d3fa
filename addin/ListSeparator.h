// The user's list separator (categories are joined with it).
#pragma once

#include <string>

#include "win32/base.h"

// ";" when the locale cannot be read.
std::string GetListSeparator();
std::basic_string<WCHAR> GetListSeparatorW();
