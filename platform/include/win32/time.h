// Clock and time conversions of the stand-in.
//
// The clock is the machine's real one until testkit freezes it; a frozen clock only
// moves through Sleep and testkit, so a test sees exact, repeatable times. The
// stand-in has no machine time zone: local time is UTC.
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
