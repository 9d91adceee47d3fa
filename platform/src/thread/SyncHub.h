// The one lock and condition behind every message queue and every waitable object of
// the stand-in. A wait for objects and for input at once is then a single condition,
// and no two locks are ever taken together; window procedures and thread bodies are
// never called with it held.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

#include "win32/base.h"

namespace kelvra::platform {

class SyncHub {
 public:
  static SyncHub& Instance();

  std::mutex& mutex() { return mutex_; }
  // Wakes every waiter; takes the lock.
  void NotifyAll();
  // Wakes every waiter; the caller holds the lock.
  void NotifyAllLocked() { changed_.notify_all(); }

  // Waits under lock until ready() holds (true) or the time-out passes on the settable
  // clock (false). INFINITE waits for ever; pollMs > 0 re-checks at least that often
  // (for conditions on the clock, such as due timers). With a frozen clock a finite
  // time-out is taken at once by moving the clock forward, after the other threads got
  // their turn.
  bool Wait(std::unique_lock<std::mutex>& lock, DWORD timeoutMs, const std::function<bool()>& ready,
            DWORD pollMs = 0);

 private:
  SyncHub() = default;

  std::mutex mutex_;
  std::condition_variable changed_;
};

}  // namespace kelvra::platform
