// The names of Outlook's appointment labels chosen in a label mask.
#pragma once

#include <string>

#include "win32/base.h"

// Bit k of mask stands for label k + 1 (k = 0 to 9); the names come from the language
// file and are joined by the list separator and a blank.
std::string GetEventLabelNames(DWORD mask);
