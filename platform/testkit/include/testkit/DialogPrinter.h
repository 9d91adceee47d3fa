// A dialog as text, the way a person reading the screen would describe it: its template
// id and caption, then one line per control with its id, kind, text and state.
#pragma once

#include <string>

#include "win32/windows.h"

namespace testkit {

// For example:
//   dialog 225 "Options"
//     243 check [x] "Overwrite existing files"
//     246 combo "UTF-8" (2 items: "UTF-8", "Western European (Windows)")
//     10 button "Categories..." (hidden)
// Tooltip windows are left out. "" for a handle that is no window.
std::string DescribeDialog(HWND dlg);

}  // namespace testkit
