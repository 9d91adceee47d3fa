#include "time/Clock.h"

#include <chrono>
#include <optional>
#include <thread>

#include "time/CalendarMath.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"

namespace kelvra::platform {
namespace {

// FILETIME count of 1970-01-01.
constexpr std::uint64_t kUnixEpoch = 116'444'736'000'000'000ull;

std::uint64_t RealNow() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return kUnixEpoch +
         static_cast<std::uint64_t>(
             std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100);
}

std::uint64_t RealTicks() {
  const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

// The same moment on the other side of the system zone: UTC to its local time, or
// back. Unchanged when the zone cannot be read.
std::uint64_t Shifted(std::uint64_t fileTime, bool toLocal) {
  const std::optional<TIME_ZONE_INFORMATION> zone = SystemTimeZone::Instance().Get();
  if (!zone.has_value()) return fileTime;
  const ZoneRules rules(*zone);
  const std::int64_t seconds = OleSeconds(fileTime);
  const std::int64_t shifted = toLocal ? rules.UtcToLocal(seconds) : rules.LocalToUtc(seconds);
  return fileTime + static_cast<std::uint64_t>(shifted - seconds) * kTicksPerSecond;
}

}  // namespace

Clock& Clock::Instance() {
  static Clock clock;
  return clock;
}

std::uint64_t Clock::Now() { return Read().time; }

Clock::Reading Clock::Read() {
  std::lock_guard lock(mutex_);
  return frozen_ ? Reading{time_, frame_} : Reading{RealNow(), Frame::Utc};
}

std::uint64_t Clock::UtcNow() {
  const Reading now = Read();
  return now.frame == Frame::Utc ? now.time : Shifted(now.time, false);
}

std::uint64_t Clock::LocalNow() {
  const Reading now = Read();
  return now.frame == Frame::Local ? now.time : Shifted(now.time, true);
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

void Clock::FreezeAt(std::uint64_t fileTime, Frame frame) {
  std::lock_guard lock(mutex_);
  FreezeLocked();
  time_ = fileTime;
  frame_ = frame;
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

// Time passes for the instant, not the wall clock: a clock kept in local time moves
// to UTC first, so that it steps through a zone's transition as a real one does.
void Clock::AdvanceLocked(DWORD ms) {
  if (ms == 0) return;
  if (frame_ == Frame::Local) {
    time_ = Shifted(time_, false);
    frame_ = Frame::Utc;
  }
  time_ += ms * kTicksPerMillisecond;
  ticks_ += ms;
}

void Clock::FreezeLocked() {
  if (frozen_) return;
  frozen_ = true;
  frame_ = Frame::Utc;
  time_ = RealNow();
  ticks_ = RealTicks();
}

}  // namespace kelvra::platform
