// Control of the stand-in's clock and tick count.
//
// The first call of SetLocalTime, SetTickCount or AdvanceClock freezes the clock: from
// then on time and tick count move only through these calls and Sleep, together.
// UseRealClock goes back to the machine's clock.
#pragma once

#include "win32/base.h"

namespace testkit {

// Freezes the clock at this local time: GetLocalTime answers it whatever the system
// zone, GetSystemTime its UTC moment in the system zone in force when asked. Throws
// std::invalid_argument for a time SystemTimeToFileTime would reject.
void SetLocalTime(const SYSTEMTIME& time);
void SetTickCount(DWORD ticks);
// Moves the frozen clock and the tick count forward.
void AdvanceClock(DWORD ms);
void UseRealClock();

}  // namespace testkit
