#include "window/WindowManager.h"

#include <algorithm>

#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"
#include "window/ClassTable.h"
#include "window/MessagePump.h"

namespace kelvra::platform {
namespace {

void ForgetWindows(DWORD thread, const std::vector<HWND>& windows) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue* queue = ThreadQueues::FindLocked(thread);
  if (queue == nullptr) return;
  for (HWND wnd : windows) MessagePump::ForgetWindowLocked(*queue, wnd);
}

const bool kEndHookSet = [] {
  ThreadQueues::SetWindowsEndHook(&WindowManager::EndThread);
  return true;
}();

}  // namespace

HWND WindowManager::Create(const Creation& c) {
  std::optional<WindowClass> windowClass = ClassTable::Instance().Find(c.className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  const bool child = (c.style & WS_CHILD) != 0;
  if (c.parent != nullptr && !WindowTable::Instance().Exists(c.parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  WindowState state;
  state.id = child ? c.id : 0;
  state.parent = child ? c.parent : nullptr;
  state.owner = child ? nullptr : c.parent;
  state.className = windowClass->name;
  state.text = c.text;
  state.rect = c.rect;
  state.clientOffset = c.clientOffset;
  state.style = static_cast<LONG_PTR>(c.style);
  state.exStyle = static_cast<LONG_PTR>(c.exStyle);
  state.visible = (c.style & WS_VISIBLE) != 0;
  state.enabled = (c.style & WS_DISABLED) == 0;
  state.proc = windowClass->proc;
  state.instance = c.instance;
  state.thread = ThreadQueues::CurrentId();
  {
    std::lock_guard lock(SyncHub::Instance().mutex());
    ThreadQueues::OwnLocked();  // the window's messages need its thread's queue
  }
  HWND wnd = WindowTable::Instance().Create(state);
  CREATESTRUCTA create{c.param,
                       c.instance,
                       nullptr,
                       c.parent,
                       static_cast<int>(c.rect.bottom - c.rect.top),
                       static_cast<int>(c.rect.right - c.rect.left),
                       static_cast<int>(c.rect.top),
                       static_cast<int>(c.rect.left),
                       static_cast<LONG>(c.style),
                       c.text.c_str(),
                       c.className.c_str(),
                       c.exStyle};
  const LPARAM createParam = reinterpret_cast<LPARAM>(&create);
  if (!Call(wnd, WM_NCCREATE, 0, createParam) || Call(wnd, WM_CREATE, 0, createParam) == -1) {
    Destroy(wnd);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (state.visible && !child) MessagePump::RequestPaint(wnd);
  return wnd;
}

bool WindowManager::Destroy(HWND wnd) {
  WindowTable& table = WindowTable::Instance();
  const DWORD thread = table.ThreadOf(wnd);
  if (thread == 0) return false;
  if (thread != ThreadQueues::CurrentId()) {
    SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
    return false;
  }
  const std::vector<HWND> family = table.Family(wnd);
  for (HWND member : family) Call(member, WM_DESTROY, 0, 0);
  for (auto it = family.rbegin(); it != family.rend(); ++it) Call(*it, WM_NCDESTROY, 0, 0);
  ForgetWindows(thread, family);
  table.Destroy(wnd);
  return true;
}

LRESULT WindowManager::Call(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::optional<WindowState> state = WindowTable::Instance().Get(wnd);
  if (!state || state->proc == nullptr) return 0;
  return state->proc(wnd, msg, wParam, lParam);
}

LRESULT WindowManager::Send(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const DWORD thread = WindowTable::Instance().ThreadOf(wnd);
  if (thread == 0) return 0;
  if (thread == ThreadQueues::CurrentId()) return Call(wnd, msg, wParam, lParam);
  return MessagePump::SendAcross(thread, wnd, msg, wParam, lParam);
}

void WindowManager::EndThread(DWORD thread) {
  WindowTable& table = WindowTable::Instance();
  for (HWND wnd : table.OfThread(thread)) table.Destroy(wnd);
}

}  // namespace kelvra::platform
