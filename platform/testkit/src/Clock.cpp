#include "testkit/Clock.h"

#include <cstdint>
#include <stdexcept>
#include <string>

#include "time/CalendarMath.h"
#include "time/Clock.h"

namespace testkit {
namespace {

using kelvra::platform::Clock;

void FreezeAt(const SYSTEMTIME& time, Clock::Frame frame, const char* caller) {
  std::uint64_t fileTime = 0;
  if (!kelvra::platform::FieldsToFileTime(time, fileTime)) {
    throw std::invalid_argument(std::string("testkit::") + caller + ": not a valid time");
  }
  Clock::Instance().FreezeAt(fileTime, frame);
}

}  // namespace

void SetLocalTime(const SYSTEMTIME& time) { FreezeAt(time, Clock::Frame::Local, "SetLocalTime"); }

void SetSystemTime(const SYSTEMTIME& utc) { FreezeAt(utc, Clock::Frame::Utc, "SetSystemTime"); }

void SetTickCount(DWORD ticks) { Clock::Instance().FreezeTicksAt(ticks); }

void AdvanceClock(DWORD ms) { Clock::Instance().Advance(ms); }

void UseRealClock() { Clock::Instance().UseReal(); }

}  // namespace testkit
