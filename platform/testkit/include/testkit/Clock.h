// Control of the stand-in's clock and tick count.
//
// The first call of SetLocalTime, SetSystemTime, SetTickCount or AdvanceClock freezes
// the clock: from then on time and tick count move only through these calls and
// Sleep, together. UseRealClock goes back to the machine's clock.
//
// A frozen clock holds one instant, seen through the system zone: GetSystemTime,
// GetLocalTime and the standard/daylight answer of GetTimeZoneInformation always
// agree on it. The clock keeps the side it was set from fixed when the system zone
// changes afterwards, until it moves: AdvanceClock and Sleep move the instant, so a
// clock set in local time steps through a zone's transition as a real one does and
// from then on keeps its UTC side fixed.
#pragma once

#include "win32/base.h"

namespace testkit {

// Freezes the clock at this local time: GetLocalTime answers it whatever the system
// zone, GetSystemTime its UTC moment in the system zone in force when asked (a time
// in the hour skipped in spring is read with the standard offset, one in the hour
// repeated in autumn as the earlier, daylight, instant). Throws
// std::invalid_argument for a time SystemTimeToFileTime would reject.
void SetLocalTime(const SYSTEMTIME& time);
// Freezes the clock at this UTC instant: GetSystemTime answers it whatever the system
// zone, GetLocalTime shows it in the system zone in force when asked. Throws
// std::invalid_argument for a time SystemTimeToFileTime would reject.
void SetSystemTime(const SYSTEMTIME& utc);
void SetTickCount(DWORD ticks);
// Moves the frozen clock and the tick count forward.
void AdvanceClock(DWORD ms);
void UseRealClock();

}  // namespace testkit
