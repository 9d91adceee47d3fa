// The zone blocks of the calendar files: vCalendar 1.0's TZ and DAYLIGHT lines and
// iCalendar 2.0's VTIMEZONE component. Both describe a zone by its offsets and by its
// transitions in the year 1980, written as wall-clock times.
#pragma once

#include <string>

#include "calendar/TimezoneStruct.h"

// An offset in minutes (UTC = local time + offset) as the zone blocks print it: "-"
// for a zone west of UTC, "+" otherwise (0 too), then hours and minutes, with a colon
// between them when colon is set: -60 gives "+01:00" or "+0100".
void AppendZoneOffset(long long offset, bool colon, std::string& out);

// Appends the "TZ:" and "DAYLIGHT:" lines, each ending in CR LF.
void AppendTzLines(const TimezoneStruct& zone, std::string& out);

// Appends the VTIMEZONE component named name (as it stands), each line ending in CR LF.
void AppendVTimezone(const TimezoneStruct& zone, const std::string& name, std::string& out);
