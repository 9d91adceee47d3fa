// The Win32 window calls over the window table.
#include <algorithm>
#include <cstring>

#include "window/WindowTable.h"

using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

HWND WINAPI GetDlgItem(HWND dlg, int id) { return WindowTable::Instance().FindChild(dlg, id); }

BOOL WINAPI SetWindowTextA(HWND wnd, LPCSTR text) {
  return WindowTable::Instance().With(wnd, [&](WindowState& s) { s.text = text ? text : ""; });
}

int WINAPI GetWindowTextA(HWND wnd, LPSTR text, int count) {
  auto state = WindowTable::Instance().Get(wnd);
  if (!state || !text || count <= 0) return 0;
  size_t n = std::min(state->text.size(), static_cast<size_t>(count - 1));
  std::memcpy(text, state->text.data(), n);
  text[n] = '\0';
  return static_cast<int>(n);
}

BOOL WINAPI GetWindowRect(HWND wnd, LPRECT rect) {
  WindowTable& table = WindowTable::Instance();
  auto state = table.Get(wnd);
  if (!state || !rect) return FALSE;
  POINT base{0, 0};
  if (state->parent && !table.ClientOrigin(state->parent, base)) return FALSE;
  *rect = RECT{base.x + state->rect.left, base.y + state->rect.top, base.x + state->rect.right,
               base.y + state->rect.bottom};
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  WindowTable& table = WindowTable::Instance();
  POINT fromOrigin{0, 0};
  POINT toOrigin{0, 0};
  if (from && !table.ClientOrigin(from, fromOrigin)) return 0;
  if (to && !table.ClientOrigin(to, toOrigin)) return 0;
  LONG dx = fromOrigin.x - toOrigin.x;
  LONG dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(dx, dy);
}

BOOL WINAPI MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL /*repaint*/) {
  return WindowTable::Instance().With(wnd, [&](WindowState& s) {
    s.rect = RECT{x, y, x + width, y + height};
  });
}

BOOL WINAPI ShowWindow(HWND wnd, int command) {
  bool wasVisible = false;
  WindowTable::Instance().With(wnd, [&](WindowState& s) {
    wasVisible = s.visible;
    s.visible = command != SW_HIDE;
  });
  return wasVisible ? TRUE : FALSE;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND wnd, int index) {
  auto state = WindowTable::Instance().Get(wnd);
  if (!state) return 0;
  if (index != GWL_STYLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return state->style;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND wnd, int index, LONG_PTR value) {
  if (index != GWL_STYLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  LONG_PTR previous = 0;
  WindowTable::Instance().With(wnd, [&](WindowState& s) {
    previous = s.style;
    s.style = value;
  });
  return previous;
}
