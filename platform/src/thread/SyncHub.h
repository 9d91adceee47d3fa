// The one lock behind every message queue and every waitable object of the stand-in. A
// wait for objects and for input at once is then a single condition, and no two locks
// are ever taken together; window procedures and thread bodies are never called with
// it held. A change wakes every waiting thread, except a change of one thread's message
// queue alone, which wakes that thread only.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

class SyncHub {
 public:
  static SyncHub& Instance();

  std::mutex& mutex() { return mutex_; }
  // Wakes every waiter; takes the lock.
  void NotifyAll();
  // Wakes every waiter; the caller holds the lock.
  void NotifyAllLocked();
  // Wakes the waits of that thread only (the caller holds the lock): for a message
  // sent, posted or answered to it, or a window of it to paint.
  void NotifyThreadLocked(DWORD threadId);

  // Waits under lock until ready() holds (true) or the time-out passes on the settable
  // clock (false). INFINITE waits for ever; pollMs > 0 re-checks at least that often
  // (for conditions on the clock, such as due timers). With a frozen clock a finite
  // time-out is taken at once by moving the clock forward, after the other threads got
  // their turn.
  bool Wait(std::unique_lock<std::mutex>& lock, DWORD timeoutMs, const std::function<bool()>& ready,
            DWORD pollMs = 0);

 private:
  SyncHub() = default;
  // Out of the lock, watches for a change for a short while: a thread in a quick
  // exchange with another (a SendMessage across threads and its reply) then goes on
  // without being put to sleep and woken. True when a change came.
  bool SpinForChange(std::unique_lock<std::mutex>& lock);

  // A thread in Wait, with the condition it sleeps on.
  struct Waiter {
    DWORD thread = 0;
    std::condition_variable changed;
  };
  void Sleep(std::unique_lock<std::mutex>& lock, Waiter& waiter, DWORD sliceMs);

  std::mutex mutex_;
  std::vector<Waiter*> waiters_;
  // Counts the changes; read without the lock while spinning.
  std::atomic<std::uint64_t> generation_{0};
};

}  // namespace kelvra::platform
