// A thread's message queue: posted messages, messages sent from other threads and
// waiting for their reply, the quit request, windows to paint and timers. Guarded by
// the sync hub's lock.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "win32/message.h"

namespace kelvra::platform {

// A message sent from another thread; the sender waits until done.
struct SentMessage {
  DWORD sender = 0;  // the thread that waits for the reply
  HWND wnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;
};

struct QueueTimer {
  HWND wnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  DWORD due = 0;  // tick count
  TIMERPROC proc = nullptr;
};

struct ThreadQueue {
  DWORD threadId = 0;
  bool alive = true;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> sent;
  bool quitPosted = false;
  int quitCode = 0;
  std::vector<HWND> paint;
  std::vector<QueueTimer> timers;
  HWND active = nullptr;
  HWND focus = nullptr;
  // What the thread is blocked in, for the watchdog's report.
  const char* waitingIn = nullptr;
};

}  // namespace kelvra::platform
