// Control of the stand-in's system time zone (GetTimeZoneInformation).
#pragma once

#include "win32/time.h"

namespace testkit {

// The system zone from now on is that record (names included).
void SetSystemTimeZone(const TIME_ZONE_INFORMATION& zone);
// From now on the system zone cannot be read: TIME_ZONE_ID_INVALID.
void SetSystemTimeZoneInvalid();
// Back to the machine's zone (TZ, else /etc/localtime, by its Windows zone), or UTC
// when that has no Windows zone.
void ResetSystemTimeZone();

}  // namespace testkit
