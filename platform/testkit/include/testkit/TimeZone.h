// Control of the stand-in's system time zone (GetTimeZoneInformation).
#pragma once

#include <string>

#include "win32/time.h"

namespace testkit {

// The system zone from now on is that record (names included).
void SetSystemTimeZone(const TIME_ZONE_INFORMATION& zone);
// The system zone from now on is the zone of the Windows zone list with that Windows
// id ("W. Europe Standard Time") or IANA name ("Europe/Berlin"); false, with the zone
// unchanged, for a name the list does not know.
bool SetSystemTimeZone(const std::string& name);

// From now on the system zone cannot be read: TIME_ZONE_ID_INVALID.
void SetSystemTimeZoneInvalid();
// Back to the machine's zone (TZ, else /etc/localtime, by its Windows zone), or UTC
// when that has no Windows zone; the user's date and time formats go back to their
// defaults too (testkit/Locale.h).
void ResetSystemTimeZone();

}  // namespace testkit
