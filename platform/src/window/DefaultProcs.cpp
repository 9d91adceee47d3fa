// The default window and dialog handling, and the dialog window's procedure.
#include <algorithm>
#include <cstring>

#include "win32/dialog.h"
#include "win32/gdi.h"
#include "window/ControlProcs.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

using kelvra::platform::ControlProcs;
using kelvra::platform::WindowManager;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

LRESULT CopyText(HWND wnd, WPARAM size, LPARAM buffer) {
  auto state = WindowTable::Instance().Get(wnd);
  if (!state || size == 0 || buffer == 0) return 0;
  const size_t n = std::min(state->text.size(), static_cast<size_t>(size - 1));
  std::memcpy(reinterpret_cast<char*>(buffer), state->text.data(), n);
  reinterpret_cast<char*>(buffer)[n] = '\0';
  return static_cast<LRESULT>(n);
}

// Results the dialog procedure gives directly instead of through DWLP_MSGRESULT.
bool DirectResult(UINT msg) {
  return msg == WM_INITDIALOG || (msg >= WM_CTLCOLOREDIT && msg <= WM_CTLCOLORSTATIC);
}

// The next enabled, visible tab stop after the focus (or the first one).
HWND NextTabStop(HWND dlg, HWND from) {
  std::vector<HWND> stops;
  for (HWND child : WindowTable::Instance().Children(dlg)) {
    auto state = WindowTable::Instance().Get(child);
    if (state && (state->style & WS_TABSTOP) != 0 && state->enabled && state->visible)
      stops.push_back(child);
  }
  if (stops.empty()) return nullptr;
  auto it = std::find(stops.begin(), stops.end(), from);
  return it == stops.end() || it + 1 == stops.end() ? stops.front() : *(it + 1);
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowTable& table = WindowTable::Instance();
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT:
      return table.With(wnd, [&](WindowState& s) {
        s.text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      });
    case WM_GETTEXT:
      return CopyText(wnd, wParam, lParam);
    case WM_GETTEXTLENGTH: {
      auto state = table.Get(wnd);
      return state ? static_cast<LRESULT>(state->text.size()) : 0;
    }
    case WM_SETFONT:
      table.With(wnd, [&](WindowState& s) { s.font = reinterpret_cast<HFONT>(wParam); });
      return 0;
    case WM_GETFONT: {
      auto state = table.Get(wnd);
      return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    }
    case WM_CLOSE:
      DestroyWindow(wnd);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) WindowManager::Send(wnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
      return 0;
  }
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc != nullptr ? proc(wnd, msg, wParam, lParam) : 0;
}

LRESULT WINAPI DefDlgProcA(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      // The close box and Esc both reach the dialog as Cancel.
      return WindowManager::Send(dlg, WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
    case WM_NEXTDLGCTL: {
      HWND target =
          LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam) : NextTabStop(dlg, GetFocus());
      if (target != nullptr) SetFocus(target);
      return 0;
    }
    case WM_INITDIALOG:
      return FALSE;
    default:
      return DefWindowProcA(dlg, msg, wParam, lParam);
  }
}

namespace kelvra::platform {

LRESULT CALLBACK ControlProcs::Dialog(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(wnd, DWLP_DLGPROC));
  if (proc != nullptr) {
    const INT_PTR handled = proc(wnd, msg, wParam, lParam);
    if (DirectResult(msg)) {
      if (handled != 0 || msg == WM_INITDIALOG) return handled;
    } else if (handled != 0) {
      return GetWindowLongPtrA(wnd, DWLP_MSGRESULT);
    }
  }
  return DefDlgProcA(wnd, msg, wParam, lParam);
}

}  // namespace kelvra::platform
