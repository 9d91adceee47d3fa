// "Software\<company>\<product>" from the module's string resources: the key of the
// add-in's options, language choice and log level.
#pragma once

#include <string>

#include "win32/base.h"

// A string that cannot be loaded contributes an empty word.
std::string OptionsKeyPath(HINSTANCE module);
