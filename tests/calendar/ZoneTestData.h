// Zones and date helpers shared by the calendar tests.
#pragma once

#include <string>

#include "atl/OleDateTime.h"
#include "calendar/TimezoneStruct.h"
#include "win32/time.h"

namespace zonetest {

// A yearly rule: month, weekday (0 = Sunday), week (5 = last), time of day.
inline SYSTEMTIME Rule(WORD month, WORD weekday, WORD week, WORD hour, WORD minute = 0) {
  return SYSTEMTIME{0, month, weekday, week, hour, minute, 0, 0};
}

inline TimezoneStruct Zone(LONG bias, LONG standardBias, LONG daylightBias,
                           const SYSTEMTIME& toStandard, const SYSTEMTIME& toDaylight) {
  TimezoneStruct zone{};
  zone.Bias = bias;
  zone.StandardBias = standardBias;
  zone.DaylightBias = daylightBias;
  zone.StandardDate = toStandard;
  zone.DaylightDate = toDaylight;
  return zone;
}

// Daylight from the last Sunday of March 02:00 to the last Sunday of October 03:00.
inline TimezoneStruct CentralEurope() {
  return Zone(-60, 0, -60, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2));
}
// Daylight from the second Sunday of March to the first Sunday of November, both 02:00.
inline TimezoneStruct UsEastern() { return Zone(300, 0, -60, Rule(11, 0, 1, 2), Rule(3, 0, 2, 2)); }
// Southern hemisphere: standard from the first Sunday of April 03:00, daylight from
// the first Sunday of October 02:00.
inline TimezoneStruct SydneyLike() {
  return Zone(-600, 0, -60, Rule(4, 0, 1, 3), Rule(10, 0, 1, 2));
}
// No daylight saving, five and a half hours east.
inline TimezoneStruct IndiaLike() { return Zone(-330, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}); }
inline TimezoneStruct Utc() { return TimezoneStruct{}; }

inline TIME_ZONE_INFORMATION AsSystemZone(const TimezoneStruct& zone) {
  TIME_ZONE_INFORMATION info{};
  info.Bias = zone.Bias;
  info.StandardBias = zone.StandardBias;
  info.DaylightBias = zone.DaylightBias;
  info.StandardDate = zone.StandardDate;
  info.DaylightDate = zone.DaylightDate;
  info.StandardName[0] = u'S';
  info.DaylightName[0] = u'D';
  return info;
}

inline COleDateTime Dt(int year, int month, int day, int hour, int minute = 0, int second = 0) {
  return COleDateTime(year, month, day, hour, minute, second);
}

// Readable in failure messages; invalid dates read "Invalid DateTime".
inline std::string Text(const COleDateTime& date) { return date.Format("%Y-%m-%d %H:%M:%S"); }

}  // namespace zonetest
