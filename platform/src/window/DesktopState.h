// What belongs to the whole desktop rather than to a thread: the foreground window
// (with every SetForegroundWindow call, for tests) and the cursor.
#pragma once

#include <mutex>
#include <vector>

#include "win32/window.h"

namespace kelvra::platform {

class DesktopState {
 public:
  static DesktopState& Instance();

  void SetForeground(HWND wnd);
  HWND Foreground() const;
  std::vector<HWND> ForegroundCalls() const;
  void ClearForegroundCalls();
  // How often SetForegroundWindow named the window.
  int ForegroundCount(HWND wnd) const;

  HCURSOR SetCursor(HCURSOR cursor);
  HCURSOR Cursor() const;

 private:
  DesktopState() = default;

  mutable std::mutex mutex_;
  HWND foreground_ = nullptr;
  std::vector<HWND> calls_;
  std::vector<HWND> allCalls_;
  HCURSOR cursor_ = nullptr;
};

}  // namespace kelvra::platform
