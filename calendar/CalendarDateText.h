// Date-time values as the calendar writer puts them into files: "yyyymmddThhmmss", with
// a trailing "Z" for UTC, or the eight digits "yyyymmdd" of a date alone.
#pragma once

#include <string>

#include "atl/OleDateTime.h"

// The year printed "%04d"; -1 ("-001") when the date is not valid.
void AppendCalendarYear(const COleDateTime& date, std::string& out);

// The date's value text in the date's own time; "Z" follows the time when utc is set
// and a time is written. Month, day and time of a date that is not valid are written as
// zeros after the "-001" year, so that such a value is always the same text.
void AppendCalendarDate(const COleDateTime& date, bool utc, bool withTime, std::string& out);
