// The callback of the folder dialog that the export pages open (flags 0x41, their own
// title), starting it in a given folder.
#pragma once

#include "win32/windows.h"

// Passed as the dialog's callback with the start folder's text as its data: once the
// dialog is initialised, the folder is selected. Always 0.
int CALLBACK BrowseFolderCallback(HWND wnd, UINT message, LPARAM param, LPARAM data);
