#include "calendar/TimezoneRules.h"

#include <cstring>

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kDaysPerWeek = 7;

// Offsets are summed in 64 bits: a record read from a stored blob may hold any values.
LONGLONG StandardOffset(const TimezoneStruct& zone) {
  return static_cast<LONGLONG>(zone.Bias) + zone.StandardBias;
}

LONGLONG DaylightOffset(const TimezoneStruct& zone) {
  return static_cast<LONGLONG>(zone.Bias) + zone.DaylightBias;
}

COleDateTimeSpan Minutes(LONGLONG minutes) {
  return COleDateTimeSpan(static_cast<double>(minutes) / kMinutesPerDay);
}

COleDateTime InvalidDate() {
  COleDateTime date;
  date.SetStatus(COleDateTime::invalid);
  return date;
}

bool InDaylight(const COleDateTime& time, const COleDateTime& toStandard,
                const COleDateTime& toDaylight) {
  if (toStandard > toDaylight) {  // daylight in the middle of the year
    return toDaylight <= time && time < toStandard;
  }
  return time < toStandard || time >= toDaylight;  // daylight across the year's end
}

// The offset (UTC = wall clock + offset) in force at time. A UTC time is compared with
// the transitions moved to UTC: the change to standard time happens at a daylight
// wall-clock time, the change to daylight time at a standard one.
LONGLONG OffsetAt(const TimezoneStruct& zone, const COleDateTime& time, bool timeIsUtc) {
  const LONGLONG standard = StandardOffset(zone);
  const LONGLONG daylight = DaylightOffset(zone);
  if (zone.DaylightDate.wMonth == 0 || !IsValidTransitionRule(zone.DaylightDate) ||
      !IsValidTransitionRule(zone.StandardDate)) {
    return standard;
  }
  if (zone.StandardDate.wMonth == 0) {
    return daylight;
  }
  COleDateTime toStandard = GetTransitionDate(time.GetYear(), zone.StandardDate);
  COleDateTime toDaylight = GetTransitionDate(time.GetYear(), zone.DaylightDate);
  if (timeIsUtc) {
    toStandard += Minutes(daylight);
    toDaylight += Minutes(standard);
  }
  return InDaylight(time, toStandard, toDaylight) ? daylight : standard;
}

}  // namespace

bool IsSameTimezone(const TimezoneStruct& a, const TimezoneStruct& b) {
  return StandardOffset(a) == StandardOffset(b) && DaylightOffset(a) == DaylightOffset(b) &&
         std::memcmp(&a.StandardDate, &b.StandardDate, sizeof(SYSTEMTIME)) == 0 &&
         std::memcmp(&a.DaylightDate, &b.DaylightDate, sizeof(SYSTEMTIME)) == 0;
}

bool IsValidTransitionRule(const SYSTEMTIME& rule) {
  if (rule.wMonth == 0) {
    return true;
  }
  return rule.wMonth <= 12 && rule.wDayOfWeek <= 6 && rule.wDay <= 5 && rule.wHour <= 23 &&
         rule.wMinute <= 59 && rule.wSecond <= 59;
}

COleDateTime GetTransitionDate(int year, const SYSTEMTIME& rule) {
  if (rule.wMonth == 0 || !IsValidTransitionRule(rule)) {
    return InvalidDate();
  }
  COleDateTime date(year, rule.wMonth, 1, rule.wHour, rule.wMinute, rule.wSecond);
  if (date.GetStatus() != COleDateTime::valid) {
    return date;
  }
  const int firstWeekday = date.GetDayOfWeek() - 1;
  const int firstMatch = rule.wDayOfWeek >= firstWeekday
                             ? rule.wDayOfWeek - firstWeekday + 1
                             : rule.wDayOfWeek - firstWeekday + 1 + kDaysPerWeek;
  if (firstMatch > 1) {
    date += COleDateTimeSpan(firstMatch - 1, 0, 0, 0);
  }
  for (int week = 2; week <= rule.wDay; ++week) {
    const COleDateTime next = date + COleDateTimeSpan(kDaysPerWeek, 0, 0, 0);
    if (next.GetMonth() != date.GetMonth()) {
      break;
    }
    date = next;
  }
  return date;
}

COleDateTime ZoneTimeToUtc(const TimezoneStruct& zone, const COleDateTime& time) {
  if (time.GetStatus() != COleDateTime::valid) {
    return time;
  }
  return time + Minutes(OffsetAt(zone, time, false));
}

COleDateTime UtcToZoneTime(const TimezoneStruct& zone, const COleDateTime& utc) {
  if (utc.GetStatus() != COleDateTime::valid) {
    return utc;
  }
  return utc - Minutes(OffsetAt(zone, utc, true));
}
