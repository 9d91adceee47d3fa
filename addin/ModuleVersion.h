// The fixed part of a module's version resource.
#pragma once

#include "win32/module.h"

// Reads the version resource of the module's file (its name read with up to nameChars
// characters); false when the name or the resource cannot be read.
bool ReadModuleVersion(HMODULE module, DWORD nameChars, VS_FIXEDFILEINFO& info);
