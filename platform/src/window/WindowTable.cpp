#include "window/WindowTable.h"

#include <vector>

namespace kelvra::platform {

WindowTable& WindowTable::Instance() {
  static WindowTable table;
  return table;
}

HWND WindowTable::Create(const WindowState& state) {
  std::lock_guard<std::mutex> lock(m_lock);
  // Handles are opaque numbers, spaced like real ones and never dereferenced.
  HWND wnd = reinterpret_cast<HWND>(0x10000 + 4 * m_next++);
  m_windows[wnd] = state;
  return wnd;
}

void WindowTable::Destroy(HWND wnd) {
  std::lock_guard<std::mutex> lock(m_lock);
  std::vector<HWND> doomed{wnd};
  for (size_t i = 0; i < doomed.size(); ++i) {
    for (const auto& [child, state] : m_windows)
      if (state.parent == doomed[i]) doomed.push_back(child);
  }
  for (HWND w : doomed) m_windows.erase(w);
}

void WindowTable::Clear() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_windows.clear();
}

bool WindowTable::With(HWND wnd, const std::function<void(WindowState&)>& f) {
  std::lock_guard<std::mutex> lock(m_lock);
  auto it = m_windows.find(wnd);
  if (it == m_windows.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  f(it->second);
  return true;
}

std::optional<WindowState> WindowTable::Get(HWND wnd) const {
  std::lock_guard<std::mutex> lock(m_lock);
  const WindowState* state = Find(wnd);
  if (!state) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return std::nullopt;
  }
  return *state;
}

HWND WindowTable::FindChild(HWND parent, int id) const {
  std::lock_guard<std::mutex> lock(m_lock);
  if (!Find(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  for (const auto& [wnd, state] : m_windows)
    if (state.parent == parent && state.id == id) return wnd;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

bool WindowTable::ClientOrigin(HWND wnd, POINT& origin) const {
  std::lock_guard<std::mutex> lock(m_lock);
  if (ClientOriginLocked(wnd, origin)) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

const WindowState* WindowTable::Find(HWND wnd) const {
  auto it = m_windows.find(wnd);
  return it == m_windows.end() ? nullptr : &it->second;
}

bool WindowTable::ClientOriginLocked(HWND wnd, POINT& origin) const {
  const WindowState* state = Find(wnd);
  if (!state) return false;
  POINT base{0, 0};
  if (state->parent && !ClientOriginLocked(state->parent, base)) return false;
  origin.x = base.x + state->rect.left + state->clientOffset.x;
  origin.y = base.y + state->rect.top + state->clientOffset.y;
  return true;
}

}  // namespace kelvra::platform
