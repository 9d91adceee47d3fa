// The file name of a loaded module and the folder it lies in.
#pragma once

#include <string>

#include "win32/base.h"

// The module's file name read with up to maxChars characters; "" on failure.
std::string ModuleFileName(HMODULE module, DWORD maxChars);
// The path without its last component; "" when it has no separator.
std::string FolderOf(const std::string& path);
