#include "time/ZoneRules.h"

#include "atl/OleSeconds.h"

namespace kelvra::platform {

using atl::CivilTime;
using atl::OleSeconds;

bool ZoneRules::IsValidRule(const SYSTEMTIME& rule) {
  return rule.wMonth >= 1 && rule.wMonth <= 12 && rule.wDayOfWeek <= 6 && rule.wDay >= 1 &&
         rule.wDay <= 5 && rule.wHour <= 23 && rule.wMinute <= 59 && rule.wSecond <= 59;
}

bool ZoneRules::ObservesDaylight() const {
  return zone_.DaylightDate.wMonth != 0 && IsValidRule(zone_.DaylightDate) &&
         IsValidRule(zone_.StandardDate);
}

std::int64_t ZoneRules::StandardOffset() const {
  return (static_cast<std::int64_t>(zone_.Bias) + zone_.StandardBias) * 60;
}

std::int64_t ZoneRules::DaylightOffset() const {
  return (static_cast<std::int64_t>(zone_.Bias) + zone_.DaylightBias) * 60;
}

std::int64_t ZoneRules::TransitionIn(int year, const SYSTEMTIME& rule) {
  const int firstWeekday =
      OleSeconds::DayOfWeek(*OleSeconds::FromCivil(CivilTime{year, rule.wMonth, 1, 0, 0, 0}));
  int day = 1 + (rule.wDayOfWeek - firstWeekday + 7) % 7 + (rule.wDay - 1) * 7;
  while (day > OleSeconds::DaysInMonth(year, rule.wMonth)) day -= 7;
  return *OleSeconds::FromCivil(
      CivilTime{year, rule.wMonth, day, rule.wHour, rule.wMinute, rule.wSecond});
}

bool ZoneRules::IsDaylightAt(std::int64_t utc) const {
  if (!ObservesDaylight()) return false;
  const int year = OleSeconds::ToCivil(utc - StandardOffset()).year;
  if (year < 100 || year > 9999) return false;
  // The change into daylight time is read on the standard clock, the change back on
  // the daylight clock.
  const std::int64_t start = TransitionIn(year, zone_.DaylightDate) + StandardOffset();
  const std::int64_t end = TransitionIn(year, zone_.StandardDate) + DaylightOffset();
  if (start < end) return utc >= start && utc < end;
  return utc >= start || utc < end;
}

std::int64_t ZoneRules::UtcToLocal(std::int64_t utc) const {
  return utc - (IsDaylightAt(utc) ? DaylightOffset() : StandardOffset());
}

std::int64_t ZoneRules::LocalToUtc(std::int64_t local) const {
  const std::int64_t asDaylight = local + DaylightOffset();
  if (IsDaylightAt(asDaylight)) return asDaylight;
  return local + StandardOffset();
}

}  // namespace kelvra::platform
