#include "calendar/SystemTimezone.h"

#include "calendar/TimezoneRules.h"
#include "win32/time.h"

bool GetSystemTimezone(TimezoneStruct* zone) {
  *zone = TimezoneStruct{};
  TIME_ZONE_INFORMATION info{};
  if (GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID) {
    return false;
  }
  zone->Bias = info.Bias;
  zone->StandardBias = info.StandardBias;
  zone->DaylightBias = info.DaylightBias;
  zone->StandardDate = info.StandardDate;
  zone->DaylightDate = info.DaylightDate;
  return true;
}

bool IsSystemTimezone(const TimezoneStruct& zone) {
  TimezoneStruct system{};
  GetSystemTimezone(&system);
  return IsSameTimezone(zone, system);
}

COleDateTime LocalTimeToUtc(const COleDateTime& local) {
  TimezoneStruct system{};
  return GetSystemTimezone(&system) ? ZoneTimeToUtc(system, local) : local;
}

COleDateTime UtcToLocalTime(const COleDateTime& utc) {
  TimezoneStruct system{};
  return GetSystemTimezone(&system) ? UtcToZoneTime(system, utc) : utc;
}

COleDateTime LocalToZoneTime(const COleDateTime& local, const TimezoneStruct& zone) {
  TimezoneStruct system{};
  if (!GetSystemTimezone(&system) || IsSameTimezone(system, zone)) {
    return local;
  }
  return UtcToZoneTime(zone, ZoneTimeToUtc(system, local));
}
