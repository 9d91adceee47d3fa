// Moving messages between threads: sending across threads with Win32 semantics (the
// sender waits, handling what is sent to it meanwhile), posting, and retrieving in
// Win32's order: sent messages first (handled at once), then posted messages, the quit
// request, paint requests and due timers.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "sync/Waitable.h"
#include "thread/ThreadQueue.h"
#include "win32/message.h"

namespace kelvra::platform {

class MessagePump {
 public:
  // Handles every message other threads have sent to the calling thread; true when
  // there was any.
  static bool DeliverSent();
  // Sends to a window of another thread and waits for its result; 0 when that thread
  // ends first.
  static LRESULT SendAcross(DWORD thread, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // False when the thread has no queue (it never made a window and is gone).
  static bool Post(DWORD thread, const MSG& msg);
  static void PostQuit(int code);

  static bool Peek(MSG& msg, HWND filter, UINT filterMin, UINT filterMax, bool remove);
  // Waits for a message; false for WM_QUIT.
  static bool Get(MSG& msg, HWND filter, UINT filterMin, UINT filterMax);
  // MsgWaitForMultipleObjects over resolved objects.
  static DWORD WaitForInputOrObjects(const std::vector<std::shared_ptr<Waitable>>& objects,
                                     bool waitAll, DWORD milliseconds, DWORD wakeMask);
  // Waits until the calling thread has input or stop() holds; sent messages are handled.
  static void WaitForInput(const std::function<bool()>& stop);

  // Asks for a WM_PAINT of the window on its thread.
  static void RequestPaint(HWND wnd);
  // Under the hub's lock: forgets the window's paint request and timers.
  static void ForgetWindowLocked(ThreadQueue& queue, HWND wnd);

 private:
  static bool RetrieveLocked(ThreadQueue& queue, MSG& msg, HWND filter, UINT filterMin,
                             UINT filterMax, bool remove);
  static bool HasInputLocked(ThreadQueue& queue, DWORD mask);
};

}  // namespace kelvra::platform
