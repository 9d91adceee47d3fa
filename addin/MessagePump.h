// Message handling for a thread that waits in the middle of its work: it keeps the
// thread's windows alive (sent messages, paints, timers) while it waits. A WM_QUIT met
// on the way is not swallowed: it is kept back and posted again when the pump goes, so
// the thread's own message loop still sees it and ends.
#pragma once

#include "win32/windows.h"

class MessagePump {
 public:
  MessagePump() = default;
  ~MessagePump();
  MessagePump(const MessagePump&) = delete;
  MessagePump& operator=(const MessagePump&) = delete;

  // Removes and dispatches every message waiting for the calling thread.
  void DispatchPending();

  // Waits until one of the handles is signalled, dispatching the thread's messages in
  // the meantime. Returns the index of that handle, or WAIT_FAILED.
  DWORD WaitFor(DWORD count, const HANDLE* handles);

 private:
  bool m_quitSeen = false;
  WPARAM m_exitCode = 0;
};
