#include "window/DialogBuilder.h"

#include <cstring>

#include "gdi/GdiTable.h"
#include "win32/gdi.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

namespace kelvra::platform {
namespace {

// Horizontal and vertical base units of the 8-point dialog fonts.
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;
// Frame and caption around the client area of a dialog with a caption.
constexpr POINT kCaptionedOffset{3, 26};
constexpr POINT kFramedOffset{3, 3};
constexpr RECT kScreen{0, 0, 1024, 768};

int PixelsX(int units) { return units * kBaseX / 4; }
int PixelsY(int units) { return units * kBaseY / 8; }

RECT Pixels(int x, int y, int cx, int cy) {
  return RECT{PixelsX(x), PixelsY(y), PixelsX(x) + PixelsX(cx), PixelsY(y) + PixelsY(cy)};
}

RECT Placement(const DialogTemplate& dialog, HWND owner, POINT offset) {
  const LONG width = PixelsX(dialog.cx) + 2 * offset.x;
  const LONG height = PixelsY(dialog.cy) + offset.y + offset.x;
  RECT over = kScreen;
  if (owner != nullptr) GetWindowRect(owner, &over);
  LONG left = over.left + PixelsX(dialog.x);
  LONG top = over.top + PixelsY(dialog.y);
  if ((dialog.style & DS_CENTER) != 0) {
    left = over.left + (over.right - over.left - width) / 2;
    top = over.top + (over.bottom - over.top - height) / 2;
  }
  return RECT{left, top, left + width, top + height};
}

HFONT TemplateFont(const DialogTemplate& dialog) {
  if (dialog.fontName.empty()) return nullptr;
  LOGFONTA font{};
  font.lfHeight = -static_cast<LONG>(dialog.pointSize) * 96 / 72;
  font.lfWeight = dialog.weight != 0 ? dialog.weight : FW_NORMAL;
  font.lfItalic = dialog.italic;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, dialog.fontName.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}

// The bitmap or icon an image control names, owned by the dialog.
HANDLE ControlImage(const DialogTemplateControl& control, HINSTANCE instance) {
  if (control.imageId == 0) return nullptr;
  const UINT type = (control.style & SS_TYPEMASK) == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
  return LoadImageA(instance, MAKEINTRESOURCEA(control.imageId), type, 0, 0, LR_DEFAULTCOLOR);
}

}  // namespace

HWND DialogBuilder::Build(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                          HINSTANCE instance) {
  const POINT offset = (dialog.style & WS_CAPTION) == WS_CAPTION ? kCaptionedOffset : kFramedOffset;
  WindowManager::Creation c;
  c.exStyle = dialog.exStyle;
  c.className = WC_DIALOG;
  c.text = dialog.caption;
  c.style = dialog.style & ~static_cast<DWORD>(WS_VISIBLE | WS_CHILD);
  c.rect = Placement(dialog, owner, offset);
  c.parent = owner;
  c.instance = instance;
  c.clientOffset = offset;
  HWND dlg = WindowManager::Create(c);
  if (dlg == nullptr) return nullptr;
  HFONT font = TemplateFont(dialog);
  WindowTable::Instance().With(dlg, [&](WindowState& s) {
    s.dialogSlots[1] = reinterpret_cast<LONG_PTR>(proc);
    s.templateId = dialog.id;
    s.font = font;
    if (font != nullptr) s.ownedObjects.push_back(font);
  });
  for (const DialogTemplateControl& control : dialog.controls) {
    WindowManager::Creation cc;
    cc.exStyle = control.exStyle;
    cc.className = control.className;
    cc.text = control.text;
    cc.style = control.style | WS_CHILD;
    cc.rect = Pixels(control.x, control.y, control.cx, control.cy);
    cc.parent = dlg;
    cc.id = control.id;
    cc.instance = instance;
    HWND wnd = WindowManager::Create(cc);
    if (wnd == nullptr) {
      Discard(dlg);
      return nullptr;
    }
    HANDLE image = ControlImage(control, instance);
    WindowTable::Instance().With(wnd, [&](WindowState& s) {
      s.font = font;
      s.control.image = image;
    });
    if (image != nullptr)
      WindowTable::Instance().With(dlg, [&](WindowState& s) { s.ownedObjects.push_back(image); });
  }
  return dlg;
}

void DialogBuilder::Discard(HWND dlg) {
  std::vector<HGDIOBJ> owned;
  WindowTable::Instance().With(dlg, [&](WindowState& s) { owned.swap(s.ownedObjects); });
  WindowManager::Destroy(dlg);
  for (HGDIOBJ object : owned) GdiTable::Instance().Delete(object);
}

}  // namespace kelvra::platform
