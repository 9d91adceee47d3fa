// Icons and bitmaps from a module's resources: handles of the recorded size, nothing
// is read from the image files.
#include "gdi/GdiTable.h"
#include "module/ModuleTable.h"
#include "win32/module.h"

using kelvra::platform::GdiKind;
using kelvra::platform::GdiObject;
using kelvra::platform::GdiTable;
using kelvra::resources::ImageKind;

namespace {

constexpr int kDefaultSize = 32;

HANDLE Load(HINSTANCE instance, LPCSTR name, ImageKind kind, int cx, int cy) {
  if (!IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
  HMODULE module = instance != nullptr ? instance : GetModuleHandleA(nullptr);
  if (!kelvra::platform::ModuleTable::Instance().HasImage(module, kind, id)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  GdiObject image;
  image.kind = kind == ImageKind::kIcon ? GdiKind::kIcon : GdiKind::kBitmap;
  image.width = cx > 0 ? cx : kDefaultSize;
  image.height = cy > 0 ? cy : kDefaultSize;
  image.resourceId = id;
  return GdiTable::Instance().Add(image);
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HICON>(Load(instance, name, ImageKind::kIcon, 0, 0));
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HBITMAP>(Load(instance, name, ImageKind::kBitmap, 0, 0));
}

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if ((type != IMAGE_ICON && type != IMAGE_BITMAP) || (flags & LR_LOADFROMFILE) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Load(instance, name, type == IMAGE_ICON ? ImageKind::kIcon : ImageKind::kBitmap, cx, cy);
}

BOOL WINAPI DestroyIcon(HICON icon) {
  auto object = GdiTable::Instance().Get(icon);
  if (!object || object->kind != GdiKind::kIcon) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return GdiTable::Instance().Delete(icon) ? TRUE : FALSE;
}
