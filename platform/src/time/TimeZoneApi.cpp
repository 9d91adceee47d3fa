// GetTimeZoneInformation over the settable system zone and the settable clock.
#include <cstdint>
#include <optional>

#include "time/Clock.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"
#include "win32/time.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1899-12-30.
constexpr std::int64_t kFileTimeToOleSeconds = 9435312000LL;

std::int64_t NowInOleSeconds() {
  const auto fileTime = static_cast<std::int64_t>(kelvra::platform::Clock::Instance().Now());
  return fileTime / kTicksPerSecond - kFileTimeToOleSeconds;
}

}  // namespace

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
  return rules.IsDaylightAt(NowInOleSeconds()) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}
