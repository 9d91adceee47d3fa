// GetTimeZoneInformation over the settable system zone and the settable clock.
#include <optional>

#include "time/CalendarMath.h"
#include "time/Clock.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"
#include "win32/time.h"

DWORD WINAPI GetTimeZoneInformation(LPTIME_ZONE_INFORMATION zone) {
  if (zone == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_INVALID;
  }
  const std::optional<TIME_ZONE_INFORMATION> system =
      kelvra::platform::SystemTimeZone::Instance().Get();
  if (!system.has_value()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_INVALID;
  }
  *zone = *system;
  const kelvra::platform::ZoneRules rules(*system);
  if (!rules.ObservesDaylight()) return TIME_ZONE_ID_UNKNOWN;
  // The period is a property of the instant; local wall-clock times repeat in autumn.
  const std::int64_t now =
      kelvra::platform::OleSeconds(kelvra::platform::Clock::Instance().UtcNow());
  return rules.IsDaylightAt(now) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}
