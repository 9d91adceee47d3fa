// An icon turned into a bitmap, for controls that show bitmaps only.
#pragma once

#include "win32/windows.h"

// A screen-compatible bitmap of width x height filled with background, with the icon
// drawn over it at that size; copied to target as well when one is given. The caller
// owns the bitmap; null when it cannot be made.
HBITMAP IconToBitmap(HICON icon, COLORREF background, int width, int height, HDC target = nullptr);
