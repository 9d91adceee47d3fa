#include "thread/SyncHub.h"

#include <chrono>

#include "time/Clock.h"
#include "win32/sync.h"

namespace kelvra::platform {
namespace {

// A frozen clock reads the same twice over a few microseconds; a running one (100 ns
// steps) never does.
bool ClockFrozen(Clock& clock) {
  const std::uint64_t first = clock.Now();
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::microseconds(2)) {
  }
  return clock.Now() == first;
}

}  // namespace

SyncHub& SyncHub::Instance() {
  static SyncHub* hub = new SyncHub;  // threads may still wait while the process exits
  return *hub;
}

void SyncHub::NotifyAll() {
  std::lock_guard lock(mutex_);
  changed_.notify_all();
}

bool SyncHub::Wait(std::unique_lock<std::mutex>& lock, DWORD timeoutMs,
                   const std::function<bool()>& ready, DWORD pollMs) {
  Clock& clock = Clock::Instance();
  const DWORD start = clock.TickCount();
  for (;;) {
    if (ready()) return true;
    if (timeoutMs == 0) return false;
    DWORD slice = INFINITE;
    if (timeoutMs != INFINITE) {
      const DWORD elapsed = clock.TickCount() - start;
      if (elapsed >= timeoutMs) return false;
      if (ClockFrozen(clock)) {
        // Other threads get their turn first, as in a real wait: a short real pause
        // (ended early by any change) before the frozen clock jumps, so that a thread
        // the waiter depends on runs even on a loaded machine.
        changed_.wait_for(lock, std::chrono::milliseconds(1));
        if (!ready()) clock.Advance(timeoutMs - elapsed);
        continue;
      }
      slice = timeoutMs - elapsed;
    }
    if (pollMs != 0 && pollMs < slice) slice = pollMs;
    if (slice == INFINITE)
      changed_.wait(lock);
    else
      changed_.wait_for(lock, std::chrono::milliseconds(slice));
  }
}

}  // namespace kelvra::platform
