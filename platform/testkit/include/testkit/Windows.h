// Dialogs and controls for tests, until dialogs come from their templates.
#pragma once

#include <string>
#include <vector>

#include "win32/window.h"

namespace testkit {

struct TestControl {
  int id = 0;
  std::string text;
  RECT rect{};  // in the dialog's client coordinates
  LONG_PTR style = 0;
  bool visible = true;
};

// A top-level dialog at rect (screen coordinates) with a frame and caption around its
// client area, holding the given controls.
HWND CreateTestDialog(const std::vector<TestControl>& controls,
                      const RECT& rect = RECT{100, 100, 500, 400}, const std::string& caption = "");
// Removes a window and its children.
void DestroyTestWindow(HWND wnd);
// Removes every window.
void ResetWindows();

std::string WindowText(HWND wnd);
// Relative to the parent's client area; screen coordinates for a dialog.
RECT WindowRect(HWND wnd);
LONG_PTR WindowStyle(HWND wnd);
bool WindowVisible(HWND wnd);

}  // namespace testkit
