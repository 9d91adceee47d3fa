#include "window/WindowTable.h"

namespace kelvra::platform {

WindowTable& WindowTable::Instance() {
  static WindowTable* table = new WindowTable;  // threads leave it while the process exits
  return *table;
}

HWND WindowTable::Create(const WindowState& state) {
  std::lock_guard<std::mutex> lock(m_lock);
  // Handles are opaque numbers, spaced like real ones and never dereferenced.
  HWND wnd = reinterpret_cast<HWND>(0x10000 + 4 * m_next++);
  m_windows[wnd] = state;
  return wnd;
}

void WindowTable::FamilyLocked(HWND wnd, std::vector<HWND>& out) const {
  out.push_back(wnd);
  for (const auto& [other, state] : m_windows)
    if (state.parent == wnd || (state.parent == nullptr && state.owner == wnd))
      FamilyLocked(other, out);
}

void WindowTable::Destroy(HWND wnd) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (Find(wnd) == nullptr) return;
  std::vector<HWND> doomed;
  FamilyLocked(wnd, doomed);
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

bool WindowTable::Exists(HWND wnd) const {
  std::lock_guard<std::mutex> lock(m_lock);
  return Find(wnd) != nullptr;
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

std::vector<HWND> WindowTable::Children(HWND parent) const {
  std::lock_guard<std::mutex> lock(m_lock);
  std::vector<HWND> children;
  for (const auto& [wnd, state] : m_windows)
    if (state.parent == parent && parent != nullptr) children.push_back(wnd);
  return children;
}

std::vector<HWND> WindowTable::Family(HWND wnd) const {
  std::lock_guard<std::mutex> lock(m_lock);
  std::vector<HWND> family;
  if (Find(wnd) != nullptr) FamilyLocked(wnd, family);
  return family;
}

std::vector<HWND> WindowTable::OfThread(DWORD thread) const {
  std::lock_guard<std::mutex> lock(m_lock);
  std::vector<HWND> windows;
  for (const auto& [wnd, state] : m_windows)
    if (state.thread == thread) windows.push_back(wnd);
  return windows;
}

std::vector<HWND> WindowTable::TopLevel() const {
  std::lock_guard<std::mutex> lock(m_lock);
  std::vector<HWND> windows;
  for (const auto& [wnd, state] : m_windows)
    if (state.parent == nullptr) windows.push_back(wnd);
  return windows;
}

HWND WindowTable::FindTopLevel(const std::function<bool(const WindowState&)>& match) const {
  std::lock_guard<std::mutex> lock(m_lock);
  for (const auto& [wnd, state] : m_windows)
    if (state.parent == nullptr && match(state)) return wnd;
  return nullptr;
}

DWORD WindowTable::ThreadOf(HWND wnd) const {
  std::lock_guard<std::mutex> lock(m_lock);
  const WindowState* state = Find(wnd);
  if (state == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return state->thread;
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
