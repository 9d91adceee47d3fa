// The Win32 GDI calls over the GDI table.
#include <cstring>

#include "gdi/GdiTable.h"
#include "window/WindowTable.h"

using kelvra::platform::GdiKind;
using kelvra::platform::GdiObject;
using kelvra::platform::GdiTable;

namespace {

GdiTable& Table() { return GdiTable::Instance(); }

// Keys of the shared objects: stock object indexes, and system colours above them.
constexpr int kDefaultBitmapKey = 1000;
constexpr int kSysColorKey = 2000;

bool IsKind(HGDIOBJ handle, GdiKind kind) {
  auto object = Table().Get(handle);
  return object && object->kind == kind;
}

bool IsDc(HDC dc) {
  auto object = Table().Get(dc);
  return object && (object->kind == GdiKind::kMemoryDc || object->kind == GdiKind::kScreenDc);
}

HGDIOBJ DefaultBitmap() {
  return Table().Stock(kDefaultBitmapKey, [] {
    GdiObject bitmap;
    bitmap.kind = GdiKind::kBitmap;
    bitmap.width = 1;
    bitmap.height = 1;
    return bitmap;
  });
}

GdiObject Dc(GdiKind kind) {
  GdiObject dc;
  dc.kind = kind;
  dc.selectedBitmap = DefaultBitmap();
  return dc;
}

// The DC's selected bitmap, which drawing changes.
void Draw(HDC dc, const std::function<void(GdiObject&)>& f) {
  auto object = Table().Get(dc);
  if (object && object->selectedBitmap != nullptr) Table().With(object->selectedBitmap, f);
}

}  // namespace

COLORREF WINAPI GetSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW:
      return RGB(255, 255, 255);
    case COLOR_BTNFACE:
      return RGB(240, 240, 240);
    case COLOR_HIGHLIGHT:
      return RGB(0, 120, 215);
    case COLOR_GRAYTEXT:
      return RGB(109, 109, 109);
    default:
      return RGB(0, 0, 0);
  }
}

HBRUSH WINAPI GetSysColorBrush(int index) {
  return static_cast<HBRUSH>(Table().Stock(kSysColorKey + index, [index] {
    GdiObject brush;
    brush.kind = GdiKind::kBrush;
    brush.color = GetSysColor(index);
    return brush;
  }));
}

HGDIOBJ WINAPI GetStockObject(int index) {
  if (index != WHITE_BRUSH && index != NULL_BRUSH && index != DEFAULT_GUI_FONT) return nullptr;
  return Table().Stock(index, [index] {
    GdiObject object;
    object.kind = index == DEFAULT_GUI_FONT ? GdiKind::kFont : GdiKind::kBrush;
    object.color = RGB(255, 255, 255);
    object.font.lfHeight = -11;
    object.font.lfWeight = FW_NORMAL;
    std::strcpy(object.font.lfFaceName, "MS Shell Dlg");
    return object;
  });
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  GdiObject object;
  object.kind = GdiKind::kFont;
  object.font = *font;
  object.font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(Table().Add(object));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  GdiObject object;
  object.kind = GdiKind::kBrush;
  object.color = color;
  return static_cast<HBRUSH>(Table().Add(object));
}

int WINAPI GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
  auto object = Table().Get(handle);
  if (!object) return 0;
  if (object->kind == GdiKind::kFont) {
    if (buffer == nullptr) return sizeof(LOGFONTA);
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    std::memcpy(buffer, &object->font, sizeof(LOGFONTA));
    return sizeof(LOGFONTA);
  }
  if (object->kind == GdiKind::kBitmap) {
    if (buffer == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bitmap{0, object->width, object->height, object->width * 4, 1, 32, nullptr};
    std::memcpy(buffer, &bitmap, sizeof(BITMAP));
    return sizeof(BITMAP);
  }
  return 0;
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
  auto object = Table().Get(handle);
  if (!object || object->stock || object->kind == GdiKind::kIcon ||
      object->kind == GdiKind::kMemoryDc || object->kind == GdiKind::kScreenDc ||
      Table().Selected(handle))
    return FALSE;
  return Table().Delete(handle) ? TRUE : FALSE;
}

HDC WINAPI GetDC(HWND wnd) {
  if (wnd != nullptr && !kelvra::platform::WindowTable::Instance().Exists(wnd)) return nullptr;
  return static_cast<HDC>(Table().Add(Dc(GdiKind::kScreenDc)));
}

int WINAPI ReleaseDC(HWND, HDC dc) {
  return IsKind(dc, GdiKind::kScreenDc) && Table().Delete(dc) ? 1 : 0;
}

HDC WINAPI CreateCompatibleDC(HDC dc) {
  if (dc != nullptr && !IsDc(dc)) return nullptr;
  return static_cast<HDC>(Table().Add(Dc(GdiKind::kMemoryDc)));
}

BOOL WINAPI DeleteDC(HDC dc) {
  return IsKind(dc, GdiKind::kMemoryDc) && Table().Delete(dc) ? TRUE : FALSE;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (!IsDc(dc) || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  GdiObject bitmap;
  bitmap.kind = GdiKind::kBitmap;
  bitmap.width = width;
  bitmap.height = height;
  return static_cast<HBITMAP>(Table().Add(bitmap));
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ handle) {
  auto object = Table().Get(handle);
  if (!object || !IsDc(dc)) return nullptr;
  HGDIOBJ previous = nullptr;
  Table().With(dc, [&](GdiObject& d) {
    HGDIOBJ* slot = object->kind == GdiKind::kFont     ? &d.selectedFont
                    : object->kind == GdiKind::kBrush  ? &d.selectedBrush
                    : object->kind == GdiKind::kBitmap ? &d.selectedBitmap
                                                       : nullptr;
    if (slot == nullptr) return;
    previous = *slot;
    *slot = handle;
  });
  return previous;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) {
  COLORREF previous = CLR_INVALID;
  if (IsDc(dc))
    Table().With(dc, [&](GdiObject& d) {
      previous = d.backColor;
      d.backColor = color;
    });
  return previous;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
  COLORREF previous = CLR_INVALID;
  if (IsDc(dc))
    Table().With(dc, [&](GdiObject& d) {
      previous = d.textColor;
      d.textColor = color;
    });
  return previous;
}

int WINAPI SetBkMode(HDC dc, int mode) {
  int previous = 0;
  if (IsDc(dc))
    Table().With(dc, [&](GdiObject& d) {
      previous = d.backMode;
      d.backMode = mode;
    });
  return previous;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto fill = Table().Get(brush);
  if (!IsDc(dc) || rect == nullptr || !fill || fill->kind != GdiKind::kBrush) return 0;
  Draw(dc, [&](GdiObject& bitmap) {
    bitmap.filled = true;
    bitmap.fillColor = fill->color;
  });
  return 1;
}

BOOL WINAPI DrawIconEx(HDC dc, int, int, HICON icon, int, int, UINT, HBRUSH, UINT flags) {
  auto drawn = Table().Get(icon);
  if (!IsDc(dc) || !drawn || drawn->kind != GdiKind::kIcon || (flags & DI_NORMAL) == 0)
    return FALSE;
  Draw(dc, [&](GdiObject& bitmap) { bitmap.iconId = drawn->resourceId; });
  return TRUE;
}

BOOL WINAPI BitBlt(HDC dest, int, int, int, int, HDC src, int, int, DWORD rop) {
  if (!IsDc(dest) || !IsDc(src) || rop != SRCCOPY) return FALSE;
  auto source = Table().Get(Table().Get(src)->selectedBitmap);
  if (!source) return FALSE;
  Draw(dest, [&](GdiObject& bitmap) {
    bitmap.filled = source->filled;
    bitmap.fillColor = source->fillColor;
    bitmap.iconId = source->iconId;
  });
  return TRUE;
}
