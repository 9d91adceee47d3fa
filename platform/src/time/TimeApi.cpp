// The Win32 time calls over the process clock and the system zone.
#include <cstdint>
#include <optional>

#include "time/CalendarMath.h"
#include "time/Clock.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"
#include "win32/time.h"

using kelvra::platform::Clock;

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1899-12-30.
constexpr std::int64_t kFileTimeToOleSeconds = 9435312000LL;

// The same moment on the other side of the system zone: UTC to its local time, or
// back. Unchanged when the zone cannot be read.
std::uint64_t Shifted(std::uint64_t fileTime, bool toLocal) {
  const std::optional<TIME_ZONE_INFORMATION> zone =
      kelvra::platform::SystemTimeZone::Instance().Get();
  if (!zone.has_value()) return fileTime;
  const kelvra::platform::ZoneRules rules(*zone);
  const std::int64_t seconds =
      static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kFileTimeToOleSeconds;
  const std::int64_t shifted = toLocal ? rules.UtcToLocal(seconds) : rules.LocalToUtc(seconds);
  return fileTime + static_cast<std::uint64_t>((shifted - seconds) * kTicksPerSecond);
}

// A frozen clock holds local time, the machine's clock UTC.
std::uint64_t UtcNow() {
  Clock& clock = Clock::Instance();
  const std::uint64_t now = clock.Now();
  return clock.Frozen() ? Shifted(now, false) : now;
}

std::uint64_t LocalNow() {
  Clock& clock = Clock::Instance();
  const std::uint64_t now = clock.Now();
  return clock.Frozen() ? now : Shifted(now, true);
}

}  // namespace

void WINAPI GetSystemTime(LPSYSTEMTIME time) {
  if (time != nullptr) kelvra::platform::FileTimeToFields(UtcNow(), *time);
}

void WINAPI GetLocalTime(LPSYSTEMTIME time) {
  if (time != nullptr) kelvra::platform::FileTimeToFields(LocalNow(), *time);
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME time) {
  if (time != nullptr) *time = kelvra::platform::MakeFileTime(UtcNow());
}

DWORD WINAPI GetTickCount() { return Clock::Instance().TickCount(); }

void WINAPI Sleep(DWORD ms) { Clock::Instance().Sleep(ms); }

BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
  if (fileTime == nullptr || systemTime == nullptr ||
      !kelvra::platform::FileTimeToFields(kelvra::platform::FileTimeValue(*fileTime), *systemTime)) {
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
