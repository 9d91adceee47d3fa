// The Win32 message, queue and timer calls.
#include <atomic>

#include "sync/WaitEngine.h"
#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"
#include "time/Clock.h"
#include "win32/sync.h"
#include "win32/time.h"
#include "window/MessagePump.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

using kelvra::platform::MessagePump;
using kelvra::platform::QueueTimer;
using kelvra::platform::SyncHub;
using kelvra::platform::ThreadQueue;
using kelvra::platform::ThreadQueues;
using kelvra::platform::WindowManager;
using kelvra::platform::WindowTable;

namespace {

MSG Message(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return MSG{wnd, msg, wParam, lParam, GetTickCount(), POINT{0, 0}};
}

bool BadFilter(HWND filter) {
  return filter != nullptr && filter != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) &&
         !WindowTable::Instance().Exists(filter);
}

// Ids of timers without a window, far from the small ids windows use.
std::atomic<UINT_PTR> g_nextThreadTimer{0x7FFF0000};

}  // namespace

LRESULT WINAPI SendMessageA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!WindowTable::Instance().Exists(wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return WindowManager::Send(wnd, msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const DWORD thread =
      wnd == nullptr ? ThreadQueues::CurrentId() : WindowTable::Instance().ThreadOf(wnd);
  if (thread == 0) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return MessagePump::Post(thread, Message(wnd, msg, wParam, lParam)) ? TRUE : FALSE;
}

BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!MessagePump::Post(threadId, Message(nullptr, msg, wParam, lParam))) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) { MessagePump::PostQuit(exitCode); }

BOOL WINAPI GetMessageA(LPMSG msg, HWND wnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr || BadFilter(wnd)) {
    SetLastError(msg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  return MessagePump::Get(*msg, wnd, filterMin, filterMax) ? TRUE : FALSE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND wnd, UINT filterMin, UINT filterMax, UINT remove) {
  if (msg == nullptr || BadFilter(wnd)) return FALSE;
  return MessagePump::Peek(*msg, wnd, filterMin, filterMax, (remove & PM_REMOVE) != 0) ? TRUE
                                                                                       : FALSE;
}

BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (WindowTable::Instance().ThreadOf(msg->hwnd) != ThreadQueues::CurrentId()) {
    SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
    return 0;
  }
  return WindowManager::Call(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                       DWORD milliseconds, DWORD wakeMask) {
  auto objects = kelvra::platform::WaitEngine::Resolve(count, handles);
  if (!objects) return WAIT_FAILED;
  return MessagePump::WaitForInputOrObjects(*objects, waitAll != FALSE, milliseconds, wakeMask);
}

UINT_PTR WINAPI SetTimer(HWND wnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (wnd != nullptr) {
    const DWORD thread = WindowTable::Instance().ThreadOf(wnd);
    if (thread == 0) return 0;
    if (thread != ThreadQueues::CurrentId()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  } else {
    id = g_nextThreadTimer++;
  }
  if (elapse == 0) elapse = 1;
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue& queue = ThreadQueues::OwnLocked();
  const DWORD due = kelvra::platform::Clock::Instance().TickCount() + elapse;
  std::erase_if(queue.timers, [&](const QueueTimer& t) { return t.wnd == wnd && t.id == id; });
  queue.timers.push_back(QueueTimer{wnd, id, elapse, due, proc});
  SyncHub::Instance().NotifyAllLocked();
  return wnd != nullptr && id == 0 ? 1 : id;
}

BOOL WINAPI KillTimer(HWND wnd, UINT_PTR id) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue& queue = ThreadQueues::OwnLocked();
  if (std::erase_if(queue.timers,
                    [&](const QueueTimer& t) { return t.wnd == wnd && t.id == id; }) == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}
