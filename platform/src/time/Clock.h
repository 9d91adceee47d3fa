// The process-wide clock behind the time calls: the machine's clock, or a frozen one
// that tests move by hand.
#pragma once

#include <cstdint>
#include <mutex>

#include "win32/base.h"

namespace kelvra::platform {

class Clock {
 public:
  static Clock& Instance();

  // A FILETIME count: UTC from the machine's clock; a frozen clock holds the local
  // time a test set (GetLocalTime and GetSystemTime tell them apart).
  std::uint64_t Now();
  bool Frozen();
  DWORD TickCount();
  // Waits on the real clock; moves a frozen one forward without waiting.
  void Sleep(DWORD ms);

  void FreezeAt(std::uint64_t fileTime);
  void FreezeTicksAt(DWORD ticks);
  void Advance(DWORD ms);
  void UseReal();

 private:
  Clock() = default;
  // Freezes at the real clock's reading, unless already frozen.
  void FreezeLocked();
  void AdvanceLocked(DWORD ms);

  std::mutex mutex_;
  bool frozen_ = false;
  std::uint64_t time_ = 0;
  std::uint64_t ticks_ = 0;
};

}  // namespace kelvra::platform
