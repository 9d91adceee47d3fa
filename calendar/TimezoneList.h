// The Windows zone list, one registry key per zone under HKEY_LOCAL_MACHINE
// "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Time Zones". It is read anew on
// every call.
#pragma once

#include <string>
#include <vector>

#include "calendar/TimezoneEntry.h"

// 0 with the listed zones, sorted by _CompareTimezones, and their count; -1 when either
// out pointer is null (nothing is touched); else the registry's error code, with both
// outputs untouched. A zone that cannot be read completely is left out with a warning
// in the log.
LONG GetAllTimezones(std::vector<TimezoneEntry>* list, int* count);

// 0 and the display name of the first listed zone with the same rules as zone; 1 when
// none matches; else the error code of GetAllTimezones. The name is emptied first.
LONG FindTimezoneName(const TimezoneStruct& zone, std::string* name);

// 0 and the rules of the listed zone that the id names, by its Windows id ("Tokyo
// Standard Time") or by an IANA name that maps to it ("Asia/Tokyo"); 1 when no listed
// zone has that name (zone untouched).
LONG FindTimezoneById(const std::string& id, TimezoneStruct* zone);

// Negative, 0 or positive: the order of the zone list. Zones with an Index come first,
// by Index; the others go from west to east (larger Bias + StandardBias first), then by
// display name.
int _CompareTimezones(const TimezoneEntry& a, const TimezoneEntry& b);
