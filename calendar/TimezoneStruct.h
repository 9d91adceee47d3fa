// A time-zone record in the layout Outlook stores with an appointment and the import
// options keep in the registry: 48 bytes, little-endian, no padding. Stored records
// depend on that layout, hence the checks below.
//
// A rule is a SYSTEMTIME in the yearly form: wYear 0, wMonth 1-12 (0 = the zone has no
// such transition), wDayOfWeek 0 (Sunday) to 6, wDay the week of the month 1-5 (5 = the
// last such weekday), wHour:wMinute:wSecond the wall-clock time of the change.
#pragma once

#include <cstddef>

#include "win32/base.h"

struct TimezoneStruct {
  LONG Bias;  // UTC = local time + Bias + (StandardBias or DaylightBias)
  LONG StandardBias;
  LONG DaylightBias;
  WORD StandardYear;
  SYSTEMTIME StandardDate;  // rule into standard time
  WORD DaylightYear;
  SYSTEMTIME DaylightDate;  // rule into daylight time
};

static_assert(sizeof(TimezoneStruct) == 48);
static_assert(offsetof(TimezoneStruct, StandardBias) == 4);
static_assert(offsetof(TimezoneStruct, DaylightBias) == 8);
static_assert(offsetof(TimezoneStruct, StandardYear) == 12);
static_assert(offsetof(TimezoneStruct, StandardDate) == 14);
static_assert(offsetof(TimezoneStruct, DaylightYear) == 30);
static_assert(offsetof(TimezoneStruct, DaylightDate) == 32);

// The registry's "TZI" value: the record without its two year words.
constexpr std::size_t kTziSize = 44;

// The record of a 44-byte "TZI" value, with both year words 0.
TimezoneStruct TimezoneFromTzi(const BYTE (&tzi)[kTziSize]);
