#include "thread/SyncHub.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "thread/ThreadQueues.h"
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

// Long enough for another thread to answer a message; short enough that a thread that
// waits in vain wastes little.
constexpr auto kSpin = std::chrono::microseconds(50);

// Whether the calling thread's last wake found what it waited for: only such a thread
// spins, so that a thread woken in vain (an idle window's loop) sleeps at once.
thread_local bool t_quickWaits = true;

}  // namespace

SyncHub& SyncHub::Instance() {
  static SyncHub* hub = new SyncHub;  // threads may still wait while the process exits
  return *hub;
}

void SyncHub::NotifyAll() {
  std::lock_guard lock(mutex_);
  NotifyAllLocked();
}

void SyncHub::NotifyAllLocked() {
  generation_.fetch_add(1, std::memory_order_release);
  for (Waiter* waiter : waiters_) waiter->changed.notify_one();
}

void SyncHub::NotifyThreadLocked(DWORD threadId) {
  generation_.fetch_add(1, std::memory_order_release);
  for (Waiter* waiter : waiters_)
    if (waiter->thread == threadId) waiter->changed.notify_one();
}

void SyncHub::Sleep(std::unique_lock<std::mutex>& lock, Waiter& waiter, DWORD sliceMs) {
  waiters_.push_back(&waiter);
  if (sliceMs == INFINITE)
    waiter.changed.wait(lock);
  else
    waiter.changed.wait_for(lock, std::chrono::milliseconds(sliceMs));
  std::erase(waiters_, &waiter);
}

bool SyncHub::SpinForChange(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t seen = generation_.load(std::memory_order_acquire);
  lock.unlock();
  const auto until = std::chrono::steady_clock::now() + kSpin;
  bool changed = false;
  while (!changed && std::chrono::steady_clock::now() < until) {
    // On a busy machine the thread that answers may be waiting for this processor.
    std::this_thread::yield();
    changed = generation_.load(std::memory_order_acquire) != seen;
  }
  lock.lock();
  return changed || generation_.load(std::memory_order_acquire) != seen;
}

bool SyncHub::Wait(std::unique_lock<std::mutex>& lock, DWORD timeoutMs,
                   const std::function<bool()>& ready, DWORD pollMs) {
  Clock& clock = Clock::Instance();
  const DWORD start = clock.TickCount();
  Waiter self;
  self.thread = ThreadQueues::CurrentId();
  bool woken = false;
  for (;;) {
    // ready() may take what it waits for (an event, a mutex): it is asked once a turn.
    const bool done = ready();
    if (woken) t_quickWaits = done;
    if (done) return true;
    if (timeoutMs == 0) return false;
    DWORD slice = INFINITE;
    if (timeoutMs != INFINITE) {
      const DWORD elapsed = clock.TickCount() - start;
      if (elapsed >= timeoutMs) return false;
      if (ClockFrozen(clock)) {
        // Other threads get their turn first, as in a real wait: a short real pause
        // (ended early by any change) before the frozen clock jumps, so that a thread
        // the waiter depends on runs even on a loaded machine.
        Sleep(lock, self, 1);
        if (ready()) return true;
        clock.Advance(timeoutMs - elapsed);
        continue;
      }
      slice = timeoutMs - elapsed;
    }
    if (pollMs != 0 && pollMs < slice) slice = pollMs;
    woken = true;
    if (t_quickWaits && SpinForChange(lock)) continue;
    Sleep(lock, self, slice);
  }
}

}  // namespace kelvra::platform
