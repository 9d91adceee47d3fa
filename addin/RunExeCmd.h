// The sending end of the command link: one command to the Kelvra application.
#pragma once

#include "win32/base.h"

// Makes sure the application runs (starting it from the add-in's folder when its mutex
// is missing), waits up to timeoutMs for its main window (INFINITE: no limit), then
// delivers text to it by WM_COPYDATA, bringing the window to the front first when
// foreground is set. An empty text only makes sure the application runs. True when the
// window was found and, for a non-empty text, the command was delivered.
bool RunExeCmd(const char* text, bool foreground, DWORD timeoutMs);
