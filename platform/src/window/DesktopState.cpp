#include "window/DesktopState.h"

#include <algorithm>

namespace kelvra::platform {

DesktopState& DesktopState::Instance() {
  static DesktopState* state = new DesktopState;
  return *state;
}

void DesktopState::SetForeground(HWND wnd) {
  std::lock_guard lock(mutex_);
  foreground_ = wnd;
  calls_.push_back(wnd);
  allCalls_.push_back(wnd);
}

HWND DesktopState::Foreground() const {
  std::lock_guard lock(mutex_);
  return foreground_;
}

std::vector<HWND> DesktopState::ForegroundCalls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void DesktopState::ClearForegroundCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

int DesktopState::ForegroundCount(HWND wnd) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count(allCalls_.begin(), allCalls_.end(), wnd));
}

HCURSOR DesktopState::SetCursor(HCURSOR cursor) {
  std::lock_guard lock(mutex_);
  HCURSOR previous = cursor_;
  cursor_ = cursor;
  return previous;
}

HCURSOR DesktopState::Cursor() const {
  std::lock_guard lock(mutex_);
  return cursor_;
}

}  // namespace kelvra::platform
