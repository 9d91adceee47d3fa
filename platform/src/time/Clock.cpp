#include "time/Clock.h"

#include <chrono>
#include <thread>

#include "time/CalendarMath.h"

namespace kelvra::platform {
namespace {

// FILETIME count of 1970-01-01.
constexpr std::uint64_t kUnixEpoch = 116'444'736'000'000'000ull;

std::uint64_t RealNow() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return kUnixEpoch + static_cast<std::uint64_t>(
                          std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100);
}

std::uint64_t RealTicks() {
  const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

}  // namespace

Clock& Clock::Instance() {
  static Clock clock;
  return clock;
}

std::uint64_t Clock::Now() {
  std::lock_guard lock(mutex_);
  return frozen_ ? time_ : RealNow();
}

bool Clock::Frozen() {
  std::lock_guard lock(mutex_);
  return frozen_;
}

DWORD Clock::TickCount() {
  std::lock_guard lock(mutex_);
  return static_cast<DWORD>(frozen_ ? ticks_ : RealTicks());
}

void Clock::Sleep(DWORD ms) {
  bool frozen;
  {
    std::lock_guard lock(mutex_);
    frozen = frozen_;
    if (frozen) AdvanceLocked(ms);
  }
  if (frozen) {
    // Other threads still get their turn, as with a real Sleep.
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void Clock::FreezeAt(std::uint64_t fileTime) {
  std::lock_guard lock(mutex_);
  FreezeLocked();
  time_ = fileTime;
}

void Clock::FreezeTicksAt(DWORD ticks) {
  std::lock_guard lock(mutex_);
  FreezeLocked();
  ticks_ = ticks;
}

void Clock::Advance(DWORD ms) {
  std::lock_guard lock(mutex_);
  FreezeLocked();
  AdvanceLocked(ms);
}

void Clock::UseReal() {
  std::lock_guard lock(mutex_);
  frozen_ = false;
}

void Clock::AdvanceLocked(DWORD ms) {
  time_ += ms * kTicksPerMillisecond;
  ticks_ += ms;
}

void Clock::FreezeLocked() {
  if (frozen_) return;
  frozen_ = true;
  time_ = RealNow();
  ticks_ = RealTicks();
}

}  // namespace kelvra::platform
