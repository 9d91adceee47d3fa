// Clock and time conversions of the stand-in.
//
// The clock is the machine's real one until testkit freezes it; a frozen clock only
// moves through Sleep and testkit, so a test sees exact, repeatable times. Local time
// is the clock's UTC instant in the stand-in's settable system zone (UTC unless set),
// never the machine's zone.
#pragma once

#include "win32/base.h"

void WINAPI GetLocalTime(LPSYSTEMTIME time);
void WINAPI GetSystemTime(LPSYSTEMTIME time);
void WINAPI GetSystemTimeAsFileTime(LPFILETIME time);

// Milliseconds since the system started; wraps after 49.7 days.
DWORD WINAPI GetTickCount();

// Waits ms milliseconds; on a frozen clock it advances the clock instead of waiting.
void WINAPI Sleep(DWORD ms);

// FALSE with ERROR_INVALID_PARAMETER for a FILETIME with its top bit set, or for a
// SYSTEMTIME with a field out of range or a year outside 1601..30827.
// SystemTimeToFileTime ignores wDayOfWeek; FileTimeToSystemTime fills it in.
BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);

// The system's time zone. Biases are minutes to add to local time to get UTC; the
// dates are rules (wYear 0: month, weekday 0 = Sunday, week 1-5 with 5 = the last,
// time of day); a zone without daylight saving has DaylightDate.wMonth 0 and
// DaylightBias 0.
struct TIME_ZONE_INFORMATION {
  LONG Bias;
  WCHAR StandardName[32];
  SYSTEMTIME StandardDate;
  LONG StandardBias;
  WCHAR DaylightName[32];
  SYSTEMTIME DaylightDate;
  LONG DaylightBias;
};
using LPTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;

#define TIME_ZONE_ID_UNKNOWN 0u
#define TIME_ZONE_ID_STANDARD 1u
#define TIME_ZONE_ID_DAYLIGHT 2u
#define TIME_ZONE_ID_INVALID 0xFFFFFFFFu

// The system zone and whether the settable clock's present moment lies in its
// standard or daylight time (TIME_ZONE_ID_UNKNOWN for a zone without daylight
// saving). TIME_ZONE_ID_INVALID with a last error when the zone cannot be read.
DWORD WINAPI GetTimeZoneInformation(LPTIME_ZONE_INFORMATION zone);
