// The Win32 time calls over the process clock.
#include <cstdint>

#include "time/CalendarMath.h"
#include "time/Clock.h"
#include "win32/time.h"

using kelvra::platform::Clock;

void WINAPI GetSystemTime(LPSYSTEMTIME time) {
  if (time != nullptr) kelvra::platform::FileTimeToFields(Clock::Instance().UtcNow(), *time);
}

void WINAPI GetLocalTime(LPSYSTEMTIME time) {
  if (time != nullptr) kelvra::platform::FileTimeToFields(Clock::Instance().LocalNow(), *time);
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME time) {
  if (time != nullptr) *time = kelvra::platform::MakeFileTime(Clock::Instance().UtcNow());
}

DWORD WINAPI GetTickCount() { return Clock::Instance().TickCount(); }

void WINAPI Sleep(DWORD ms) { Clock::Instance().Sleep(ms); }

BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
  if (fileTime == nullptr || systemTime == nullptr ||
      !kelvra::platform::FileTimeToFields(kelvra::platform::FileTimeValue(*fileTime),
                                          *systemTime)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime) {
  std::uint64_t value = 0;
  if (systemTime == nullptr || fileTime == nullptr ||
      !kelvra::platform::FieldsToFileTime(*systemTime, value)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *fileTime = kelvra::platform::MakeFileTime(value);
  return TRUE;
}
