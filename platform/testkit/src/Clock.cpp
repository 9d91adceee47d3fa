#include "testkit/Clock.h"

#include <cstdint>
#include <stdexcept>

#include "time/CalendarMath.h"
#include "time/Clock.h"

namespace testkit {

using kelvra::platform::Clock;

void SetLocalTime(const SYSTEMTIME& time) {
  std::uint64_t fileTime = 0;
  if (!kelvra::platform::FieldsToFileTime(time, fileTime)) {
    throw std::invalid_argument("testkit::SetLocalTime: not a valid time");
  }
  Clock::Instance().FreezeAt(fileTime);
}

void SetTickCount(DWORD ticks) { Clock::Instance().FreezeTicksAt(ticks); }

void AdvanceClock(DWORD ms) { Clock::Instance().Advance(ms); }

void UseRealClock() { Clock::Instance().UseReal(); }

}  // namespace testkit
