// The process-wide table of windows behind HWND: the state each window keeps (what
// dialogs, controls and tests read), its class procedure and owning thread. Nothing is
// drawn. Handles grow with each window, so the table's order is the creation order
// (the tab order of a dialog's controls).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/window.h"

namespace kelvra::platform {

// A tool of a tooltip control.
struct ToolEntry {
  HWND owner = nullptr;
  UINT_PTR id = 0;
  UINT flags = 0;
  std::string text;
};

// The state of the built-in controls.
struct ControlData {
  UINT check = 0;
  std::vector<std::string> items;
  std::vector<LPARAM> itemData;
  int selection = -1;
  int low = 0;
  int high = 100;
  int position = 0;
  int step = 10;
  SYSTEMTIME time{};
  bool timeValid = true;
  HANDLE image = nullptr;
  std::vector<ToolEntry> tools;
  bool active = true;
  UINT limit = 0;
};

struct WindowState {
  int id = 0;             // control id inside the parent dialog
  HWND parent = nullptr;  // NULL for a top-level window
  HWND owner = nullptr;   // the owner of a top-level window
  std::string className;
  std::string text;
  RECT rect{};           // in the parent's client coordinates, screen for top level
  POINT clientOffset{};  // client-area origin inside the window (frame and caption)
  LONG_PTR style = 0;
  LONG_PTR exStyle = 0;
  bool visible = true;
  bool enabled = true;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  DWORD thread = 0;
  LONG_PTR userData = 0;
  LONG_PTR dialogSlots[3] = {0, 0, 0};  // DWLP_MSGRESULT, DWLP_DLGPROC, DWLP_USER
  HFONT font = nullptr;
  ControlData control;
  // Dialogs made from a template.
  int templateId = 0;
  bool dialogEnded = false;
  INT_PTR dialogResult = 0;
  bool painted = false;
  std::vector<HGDIOBJ> ownedObjects;  // the template font and images, deleted with it
  // FindWindowA sees the window only from this tick count on (testkit's late window).
  std::optional<DWORD> findableFrom;
};

class WindowTable {
 public:
  static WindowTable& Instance();

  HWND Create(const WindowState& state);
  // Removes the window, its children and the windows it owns, without messages.
  void Destroy(HWND wnd);
  void Clear();

  // Runs f on the window's state under the table's lock; false (error 1400) when the
  // handle names no window.
  bool With(HWND wnd, const std::function<void(WindowState&)>& f);
  std::optional<WindowState> Get(HWND wnd) const;
  bool Exists(HWND wnd) const;
  HWND FindChild(HWND parent, int id) const;
  // Screen position of the window's client-area origin; false for an unknown window.
  bool ClientOrigin(HWND wnd, POINT& origin) const;

  // In creation order.
  std::vector<HWND> Children(HWND parent) const;
  // The window, then its children and owned windows, depth first.
  std::vector<HWND> Family(HWND wnd) const;
  std::vector<HWND> OfThread(DWORD thread) const;
  std::vector<HWND> TopLevel() const;
  // The first top-level window for which match holds.
  HWND FindTopLevel(const std::function<bool(const WindowState&)>& match) const;
  // The owning thread, 0 for a non-window (error 1400).
  DWORD ThreadOf(HWND wnd) const;

 private:
  WindowTable() = default;
  const WindowState* Find(HWND wnd) const;
  bool ClientOriginLocked(HWND wnd, POINT& origin) const;
  void FamilyLocked(HWND wnd, std::vector<HWND>& out) const;

  mutable std::mutex m_lock;
  std::map<HWND, WindowState> m_windows;
  std::uintptr_t m_next = 1;
};

}  // namespace kelvra::platform
