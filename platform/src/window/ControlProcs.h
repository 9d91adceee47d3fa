// The window procedures of the built-in classes: the standard controls (static,
// button, edit, combo box), the common controls (progress bar, date-time picker,
// tooltip) and the dialog window. Each keeps its state in the window table, where
// tests read it.
#pragma once

#include "win32/window.h"

namespace kelvra::platform {

class ControlProcs {
 public:
  static LRESULT CALLBACK Static(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Button(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Edit(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ComboBox(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Progress(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK DateTime(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Tooltip(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Calls the dialog procedure kept in DWLP_DLGPROC, then the dialog manager's
  // default handling for what it leaves.
  static LRESULT CALLBACK Dialog(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // WM_COMMAND with the control's id and the code to its parent.
  static void NotifyParent(HWND control, WORD code);
};

}  // namespace kelvra::platform
