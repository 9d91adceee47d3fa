// Shell folders.
#pragma once

#include "win32/base.h"

#define CSIDL_APPDATA 0x001A
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0

// CSIDL_APPDATA: S_OK and the user's application-data folder (MAX_PATH buffer), which
// may be "" on a machine without one: callers treat "" as not available.
HRESULT WINAPI SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);
