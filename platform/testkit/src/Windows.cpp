#include "testkit/Windows.h"

#include <stdexcept>

#include "window/WindowTable.h"

namespace testkit {

using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

// Border and caption of a dialog frame, so client and screen coordinates differ.
constexpr POINT kDialogClientOffset{3, 26};

WindowState StateOf(HWND wnd) {
  auto state = WindowTable::Instance().Get(wnd);
  if (!state) throw std::invalid_argument("testkit: not a window");
  return *state;
}

}  // namespace

HWND CreateTestDialog(const std::vector<TestControl>& controls, const RECT& rect,
                      const std::string& caption) {
  WindowState dialog;
  dialog.text = caption;
  dialog.rect = rect;
  dialog.clientOffset = kDialogClientOffset;
  HWND dlg = WindowTable::Instance().Create(dialog);
  for (const TestControl& c : controls) {
    WindowState control;
    control.id = c.id;
    control.parent = dlg;
    control.text = c.text;
    control.rect = c.rect;
    control.style = c.style;
    control.visible = c.visible;
    WindowTable::Instance().Create(control);
  }
  return dlg;
}

void DestroyTestWindow(HWND wnd) { WindowTable::Instance().Destroy(wnd); }

void ResetWindows() { WindowTable::Instance().Clear(); }

std::string WindowText(HWND wnd) { return StateOf(wnd).text; }

RECT WindowRect(HWND wnd) { return StateOf(wnd).rect; }

LONG_PTR WindowStyle(HWND wnd) { return StateOf(wnd).style; }

bool WindowVisible(HWND wnd) { return StateOf(wnd).visible; }

}  // namespace testkit
