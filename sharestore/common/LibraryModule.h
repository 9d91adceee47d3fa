// The module of a share-store library: its version resource and its resources under
// the library's Windows file name. Each library registers it once, when it loads.
#pragma once

#include "win32/resources.h"

kelvra::resources::ModuleResources LibraryModuleResources(const char* fileName);
