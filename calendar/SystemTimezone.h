// The system's current zone and conversions that involve the system's local time. The
// zone is read anew on every call: the user may change it while Outlook runs.
#pragma once

#include "atl/OleDateTime.h"
#include "calendar/TimezoneStruct.h"

// True and the system zone (year words 0, names not kept); false when Windows reports
// no zone information, and the record is then all zero.
bool GetSystemTimezone(TimezoneStruct* zone);

// IsSameTimezone with the system zone, or with an all-zero record when that cannot be
// read.
bool IsSystemTimezone(const TimezoneStruct& zone);

// Both give the input unchanged when the system zone cannot be read.
COleDateTime LocalTimeToUtc(const COleDateTime& local);
COleDateTime UtcToLocalTime(const COleDateTime& utc);

// The zone's wall-clock time of a time in the system's local time; the input itself
// when the system zone cannot be read or has the same rules as zone.
COleDateTime LocalToZoneTime(const COleDateTime& local, const TimezoneStruct& zone);
