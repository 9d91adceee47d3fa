// Window life and calls: creation with WM_NCCREATE/WM_CREATE, destruction with
// WM_DESTROY/WM_NCDESTROY for the window and its family, and calling a window's
// procedure on the calling thread.
#pragma once

#include <string>

#include "window/WindowTable.h"

namespace kelvra::platform {

class WindowManager {
 public:
  struct Creation {
    DWORD exStyle = 0;
    std::string className;
    std::string text;
    DWORD style = 0;
    RECT rect{};
    HWND parent = nullptr;  // the parent of a child, the owner of a top-level window
    int id = 0;
    HINSTANCE instance = nullptr;
    LPVOID param = nullptr;
    POINT clientOffset{};
  };

  // NULL with the error when the class is unknown or WM_CREATE refuses.
  static HWND Create(const Creation& creation);
  // Only the owning thread destroys (1408 otherwise).
  static bool Destroy(HWND wnd);
  // The window procedure's result; 0 for a window that is gone.
  static LRESULT Call(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Sends as SendMessageA does: directly on the owning thread, across otherwise.
  static LRESULT Send(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The calling thread's windows disappear without messages when it ends.
  static void EndThread(DWORD thread);
};

}  // namespace kelvra::platform
