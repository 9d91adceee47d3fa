// Texts of the contact pages' controls.
#pragma once

#include <string>

#include "win32/windows.h"

// The whole text of a dialog's control; "" when the control is missing.
std::string GetDlgItemString(HWND dlg, int id);
// The text without blanks, tabs and line ends at either end.
std::string TrimWhite(const std::string& text);
