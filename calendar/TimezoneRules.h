// Yearly transition rules of a zone record and conversions between a zone's wall-clock
// time and UTC. Free functions without state: callers pass the zone each time.
#pragma once

#include "atl/OleDateTime.h"
#include "calendar/TimezoneStruct.h"

// True when both records give the same offsets and the same rules; Bias alone and the
// year words are not compared, so records that split an offset differently between
// Bias and StandardBias are the same zone.
bool IsSameTimezone(const TimezoneStruct& a, const TimezoneStruct& b);

// False for a rule that names a month (1-12) but whose weekday, week (0-5) or time of
// day is out of range, and for a month above 12. A rule with month 0 (no transition) is
// valid.
bool IsValidTransitionRule(const SYSTEMTIME& rule);

// The local date and time of the rule's transition in that year: the rule's weekday in
// week wDay of its month (week 0 is the first one like week 1; week 5 is the last one,
// also where that is the fourth). An invalid rule, or a rule without a month, gives an
// invalid date.
COleDateTime GetTransitionDate(int year, const SYSTEMTIME& rule);

// The same instant in UTC of a time in the zone's wall-clock time. A wall-clock time
// counts as daylight time from the daylight rule's time up to, not including, the
// standard rule's time on its day, so the skipped and the repeated hour both convert
// with the daylight bias. Dates that are not valid pass through unchanged.
COleDateTime ZoneTimeToUtc(const TimezoneStruct& zone, const COleDateTime& time);

// The zone's wall-clock time of a UTC instant.
COleDateTime UtcToZoneTime(const TimezoneStruct& zone, const COleDateTime& utc);
