// A variant of a dialog control's font.
#pragma once

#include "win32/windows.h"

// Creates a copy of the control's current font, bold (weight 700, else 400), italic
// and underlined as asked, and sets it on the control. The caller owns the new font
// and deletes it once the control is gone; null when the control or its font is
// missing or the font cannot be made.
HFONT SetDlgItemFont(HWND dlg, int id, BOOL bold, BOOL italic, BOOL underline);
