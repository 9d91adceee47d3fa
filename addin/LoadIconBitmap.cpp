#include "addin/LoadIconBitmap.h"

#include "addin/Application.h"
#include "addin/IconToBitmap.h"

HBITMAP LoadIconBitmap(UINT iconId, COLORREF background, int width, int height) {
  auto icon = static_cast<HICON>(LoadImageA(g_hInstance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                            width, height, LR_DEFAULTCOLOR));
  if (!icon) return nullptr;
  HBITMAP bitmap = IconToBitmap(icon, background, width, height);
  DestroyIcon(icon);
  return bitmap;
}
