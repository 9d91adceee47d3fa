// The process-wide table of windows behind HWND: the seed of the window manager. A
// window keeps the state that dialogs and tests read; nothing is drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "win32/window.h"

namespace kelvra::platform {

struct WindowState {
  int id = 0;             // control id inside the parent dialog
  HWND parent = nullptr;  // NULL for a top-level window
  std::string text;
  RECT rect{};           // in the parent's client coordinates, screen for top level
  POINT clientOffset{};  // client-area origin inside the window (frame and caption)
  LONG_PTR style = 0;
  bool visible = true;
};

class WindowTable {
 public:
  static WindowTable& Instance();

  HWND Create(const WindowState& state);
  // Removes the window and its children.
  void Destroy(HWND wnd);
  void Clear();

  // Runs f on the window's state under the table's lock; false (error 1400) when the
  // handle names no window.
  bool With(HWND wnd, const std::function<void(WindowState&)>& f);
  std::optional<WindowState> Get(HWND wnd) const;
  HWND FindChild(HWND parent, int id) const;
  // Screen position of the window's client-area origin; false for an unknown window.
  bool ClientOrigin(HWND wnd, POINT& origin) const;

 private:
  WindowTable() = default;
  const WindowState* Find(HWND wnd) const;
  bool ClientOriginLocked(HWND wnd, POINT& origin) const;

  mutable std::mutex m_lock;
  std::map<HWND, WindowState> m_windows;
  std::uintptr_t m_next = 1;
};

}  // namespace kelvra::platform
