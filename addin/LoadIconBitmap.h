// An icon of the add-in's module as a bitmap.
#pragma once

#include "win32/windows.h"

// The icon resource iconId loaded at width x height and drawn over background by
// IconToBitmap. The caller owns the bitmap; null when the icon cannot be loaded.
HBITMAP LoadIconBitmap(UINT iconId, COLORREF background, int width, int height);
