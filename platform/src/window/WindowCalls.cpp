// The Win32 window calls over the window table and the window manager.
#include <algorithm>
#include <cstring>

#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"
#include "win32/dialog.h"
#include "win32/process.h"
#include "win32/time.h"
#include "window/ClassTable.h"
#include "window/DesktopState.h"
#include "window/MessagePump.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

using kelvra::platform::ClassTable;
using kelvra::platform::DesktopState;
using kelvra::platform::MessagePump;
using kelvra::platform::SyncHub;
using kelvra::platform::ThreadQueues;
using kelvra::platform::WindowClass;
using kelvra::platform::WindowManager;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

WindowTable& Table() { return WindowTable::Instance(); }

// The slot of a dialog window's DWLP_* index, or null.
LONG_PTR* DialogSlot(WindowState& s, int index) {
  if (index < 0 || index % 8 != 0 || index / 8 > 2) return nullptr;
  return &s.dialogSlots[index / 8];
}

// Reads or replaces a window's long; the previous value, 0 with 87 for an unknown index.
LONG_PTR AccessLong(HWND wnd, int index, const LONG_PTR* replacement) {
  LONG_PTR previous = 0;
  bool known = true;
  const bool exists = Table().With(wnd, [&](WindowState& s) {
    LONG_PTR* slot = nullptr;
    LONG_PTR id = s.id;
    switch (index) {
      case GWL_STYLE:
        slot = &s.style;
        break;
      case GWL_EXSTYLE:
        slot = &s.exStyle;
        break;
      case GWLP_USERDATA:
        slot = &s.userData;
        break;
      case GWLP_ID:
        slot = &id;
        break;
      case GWLP_WNDPROC:
        previous = reinterpret_cast<LONG_PTR>(s.proc);
        break;
      case GWLP_HINSTANCE:
        previous = reinterpret_cast<LONG_PTR>(s.instance);
        break;
      default:
        slot = DialogSlot(s, index);
        break;
    }
    if (slot != nullptr) previous = *slot;
    if (replacement == nullptr) {
      known = slot != nullptr || index == GWLP_WNDPROC || index == GWLP_HINSTANCE;
      return;
    }
    if (index == GWLP_WNDPROC) {
      s.proc = reinterpret_cast<WNDPROC>(*replacement);
    } else if (slot != nullptr) {
      *slot = *replacement;
      if (index == GWLP_ID) s.id = static_cast<int>(*replacement);
    } else {
      known = false;
    }
  });
  if (exists && !known) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return previous;
}

void SetQueueWindow(HWND wnd, HWND kelvra::platform::ThreadQueue::*member, HWND& previous) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  auto& queue = ThreadQueues::OwnLocked();
  previous = queue.*member;
  queue.*member = wnd;
}

}  // namespace

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
  if (wndClass == nullptr || wndClass->lpszClassName == nullptr ||
      wndClass->lpfnWndProc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ATOM atom = 0;
  WindowClass c{wndClass->lpszClassName, wndClass->lpfnWndProc, wndClass->hInstance,
                wndClass->style, false};
  return ClassTable::Instance().Register(c, atom) ? atom : 0;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE) {
  return className != nullptr && ClassTable::Instance().Unregister(className) ? TRUE : FALSE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (className == nullptr || IS_INTRESOURCE(className)) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 100;
  WindowManager::Creation c;
  c.exStyle = exStyle;
  c.className = className;
  c.text = windowName != nullptr ? windowName : "";
  c.style = style;
  c.rect = RECT{x, y, x + width, y + height};
  c.parent = parent;
  c.id = static_cast<int>(reinterpret_cast<LONG_PTR>(menu));
  c.instance = instance;
  c.param = param;
  return WindowManager::Create(c);
}

BOOL WINAPI DestroyWindow(HWND wnd) { return WindowManager::Destroy(wnd) ? TRUE : FALSE; }

BOOL WINAPI IsWindow(HWND wnd) { return wnd != nullptr && Table().Exists(wnd) ? TRUE : FALSE; }

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
  std::optional<WindowClass> wanted;
  if (className != nullptr) {
    wanted = ClassTable::Instance().Find(className);
    if (!wanted) return nullptr;
  }
  const DWORD now = GetTickCount();
  return Table().FindTopLevel([&](const WindowState& s) {
    if (s.findableFrom && static_cast<LONG>(now - *s.findableFrom) < 0) return false;
    if (wanted && s.className != wanted->name) return false;
    return windowName == nullptr || s.text == windowName;
  });
}

HWND WINAPI GetParent(HWND wnd) {
  auto state = Table().Get(wnd);
  if (!state) return nullptr;
  return state->parent != nullptr ? state->parent : state->owner;
}

DWORD WINAPI GetWindowThreadProcessId(HWND wnd, LPDWORD processId) {
  const DWORD thread = Table().ThreadOf(wnd);
  if (processId != nullptr) *processId = thread != 0 ? GetCurrentProcessId() : 0;
  return thread;
}

HWND WINAPI GetDlgItem(HWND dlg, int id) { return Table().FindChild(dlg, id); }

int WINAPI GetDlgCtrlID(HWND wnd) {
  auto state = Table().Get(wnd);
  return state ? state->id : 0;
}

BOOL WINAPI SetWindowTextA(HWND wnd, LPCSTR text) {
  if (!Table().Exists(wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return WindowManager::Send(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE
                                                                                      : FALSE;
}

int WINAPI GetWindowTextA(HWND wnd, LPSTR text, int count) {
  auto state = Table().Get(wnd);
  if (!state || !text || count <= 0) return 0;
  size_t n = std::min(state->text.size(), static_cast<size_t>(count - 1));
  std::memcpy(text, state->text.data(), n);
  text[n] = '\0';
  return static_cast<int>(n);
}

int WINAPI GetWindowTextLengthA(HWND wnd) {
  auto state = Table().Get(wnd);
  return state ? static_cast<int>(state->text.size()) : 0;
}

BOOL WINAPI GetWindowRect(HWND wnd, LPRECT rect) {
  auto state = Table().Get(wnd);
  if (!state || !rect) return FALSE;
  POINT base{0, 0};
  if (state->parent && !Table().ClientOrigin(state->parent, base)) return FALSE;
  *rect = RECT{base.x + state->rect.left, base.y + state->rect.top, base.x + state->rect.right,
               base.y + state->rect.bottom};
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND wnd, LPRECT rect) {
  auto state = Table().Get(wnd);
  if (!state || !rect) return FALSE;
  const LONG width = state->rect.right - state->rect.left - 2 * state->clientOffset.x;
  const LONG height =
      state->rect.bottom - state->rect.top - state->clientOffset.y - state->clientOffset.x;
  *rect = RECT{0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT fromOrigin{0, 0};
  POINT toOrigin{0, 0};
  if (from && !Table().ClientOrigin(from, fromOrigin)) return 0;
  if (to && !Table().ClientOrigin(to, toOrigin)) return 0;
  LONG dx = fromOrigin.x - toOrigin.x;
  LONG dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(dx, dy);
}

BOOL WINAPI ScreenToClient(HWND wnd, LPPOINT point) {
  if (!IsWindow(wnd) || point == nullptr) return FALSE;
  MapWindowPoints(nullptr, wnd, point, 1);
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND wnd, LPPOINT point) {
  if (!IsWindow(wnd) || point == nullptr) return FALSE;
  MapWindowPoints(wnd, nullptr, point, 1);
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL /*repaint*/) {
  return Table().With(wnd, [&](WindowState& s) { s.rect = RECT{x, y, x + width, y + height}; });
}

BOOL WINAPI ShowWindow(HWND wnd, int command) {
  bool wasVisible = false;
  bool topLevel = false;
  if (!Table().With(wnd, [&](WindowState& s) {
        wasVisible = s.visible;
        topLevel = s.parent == nullptr;
        s.visible = command != SW_HIDE;
        s.style =
            s.visible ? (s.style | WS_VISIBLE) : (s.style & ~static_cast<LONG_PTR>(WS_VISIBLE));
      }))
    return FALSE;
  if (!wasVisible && command != SW_HIDE && topLevel) MessagePump::RequestPaint(wnd);
  return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND wnd) {
  auto state = Table().Get(wnd);
  return state && state->visible ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND wnd, BOOL enable) {
  bool wasDisabled = false;
  Table().With(wnd, [&](WindowState& s) {
    wasDisabled = !s.enabled;
    s.enabled = enable != FALSE;
    s.style = s.enabled ? (s.style & ~static_cast<LONG_PTR>(WS_DISABLED)) : (s.style | WS_DISABLED);
  });
  return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND wnd) {
  auto state = Table().Get(wnd);
  return state && state->enabled ? TRUE : FALSE;
}

BOOL WINAPI InvalidateRect(HWND wnd, const RECT*, BOOL) {
  if (wnd == nullptr) return TRUE;
  if (!IsWindow(wnd)) return FALSE;
  MessagePump::RequestPaint(wnd);
  return TRUE;
}

BOOL WINAPI UpdateWindow(HWND wnd) { return IsWindow(wnd); }

LONG_PTR WINAPI GetWindowLongPtrA(HWND wnd, int index) { return AccessLong(wnd, index, nullptr); }

LONG_PTR WINAPI SetWindowLongPtrA(HWND wnd, int index, LONG_PTR value) {
  return AccessLong(wnd, index, &value);
}

HWND WINAPI GetActiveWindow() {
  std::lock_guard lock(SyncHub::Instance().mutex());
  return ThreadQueues::OwnLocked().active;
}

HWND WINAPI SetActiveWindow(HWND wnd) {
  HWND previous = nullptr;
  SetQueueWindow(wnd, &kelvra::platform::ThreadQueue::active, previous);
  return previous;
}

BOOL WINAPI SetForegroundWindow(HWND wnd) {
  if (!IsWindow(wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DesktopState::Instance().SetForeground(wnd);
  return TRUE;
}

HWND WINAPI GetForegroundWindow() { return DesktopState::Instance().Foreground(); }

HWND WINAPI SetFocus(HWND wnd) {
  if (wnd != nullptr && !IsWindow(wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND previous = nullptr;
  SetQueueWindow(wnd, &kelvra::platform::ThreadQueue::focus, previous);
  return previous;
}

HWND WINAPI GetFocus() {
  std::lock_guard lock(SyncHub::Instance().mutex());
  return ThreadQueues::OwnLocked().focus;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance != nullptr || !IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  // System cursors are shared handles named by their id.
  return reinterpret_cast<HCURSOR>(0x7F000000 | reinterpret_cast<ULONG_PTR>(name));
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) { return DesktopState::Instance().SetCursor(cursor); }
