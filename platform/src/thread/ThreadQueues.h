// The queues of all threads, by thread id, and the calling thread's identity. The
// queue of a thread exists from its first window or message call until it ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "thread/ThreadQueue.h"

namespace kelvra::platform {

class ThreadQueues {
 public:
  // The calling thread's id (made on first use).
  static DWORD CurrentId();

  // Under the hub's lock. The calling thread's queue, made when missing.
  static ThreadQueue& OwnLocked();
  // Under the hub's lock. Null for a thread without a live queue.
  static ThreadQueue* FindLocked(DWORD threadId);

  // Ends the calling thread's part in the window manager: its windows go (without
  // messages), senders waiting on it get 0, mutexes it owns are abandoned. Runs once per
  // thread; threads not made by CreateThread run it when they end.
  static void EndCurrentThread();

  // One line per live queue: thread id and what it is blocked in.
  static std::vector<std::string> Describe();

  // Hooks the window and synchronisation parts register for a thread's end.
  using EndHook = void (*)(DWORD threadId);
  static void SetWindowsEndHook(EndHook hook);
  static void SetMutexesEndHook(EndHook hook);
};

// Marks the calling thread as blocked in a call while it lives (for the watchdog).
class BlockedIn {
 public:
  explicit BlockedIn(const char* call);
  ~BlockedIn();
  BlockedIn(const BlockedIn&) = delete;
  BlockedIn& operator=(const BlockedIn&) = delete;

 private:
  const char* previous_;
};

}  // namespace kelvra::platform
