// The process-wide clock behind the time calls: the machine's clock, or a frozen one
// that tests move by hand.
#pragma once

#include <cstdint>
#include <mutex>

#include "win32/base.h"

namespace kelvra::platform {

class Clock {
 public:
  // The side of the system zone a frozen clock's count is kept on: the side it was
  // set from, so that it answers exactly what a test set. The machine's clock is UTC.
  enum class Frame { Utc, Local };

  static Clock& Instance();

  // The raw FILETIME count, on the side of its frame.
  std::uint64_t Now();
  bool Frozen();
  // The present moment as FILETIME counts, UTC and in the system zone: both views of
  // the same instant, whichever side the clock is kept on.
  std::uint64_t UtcNow();
  std::uint64_t LocalNow();
  DWORD TickCount();
  // Waits on the real clock; moves a frozen one forward without waiting.
  void Sleep(DWORD ms);

  void FreezeAt(std::uint64_t fileTime, Frame frame);
  void FreezeTicksAt(DWORD ticks);
  void Advance(DWORD ms);
  void UseReal();

 private:
  struct Reading {
    std::uint64_t time;
    Frame frame;
  };

  Clock() = default;
  Reading Read();
  // Freezes at the real clock's reading, unless already frozen.
  void FreezeLocked();
  void AdvanceLocked(DWORD ms);

  std::mutex mutex_;
  bool frozen_ = false;
  Frame frame_ = Frame::Utc;
  std::uint64_t time_ = 0;
  std::uint64_t ticks_ = 0;
};

}  // namespace kelvra::platform
