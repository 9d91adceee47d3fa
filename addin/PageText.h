// Texts of the wizard pages' controls.
#pragma once

#include <string>

#include "win32/windows.h"

// The whole text of a dialog's control; "" when the control is missing.
std::string GetDlgItemString(HWND dlg, int id);
