#include "outlook/RecurrenceDays.h"

#include <algorithm>
#include <vector>

#include "atl/OleSeconds.h"
#include "outlook/Enums.h"
#include "store/Value.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

constexpr std::int64_t kSecondsPerDay = 86400;
// Monday to Friday: what "every weekday" means.
constexpr std::int32_t kWeekdays = 0x3E;
constexpr std::int32_t kAllDays = 0x7F;
constexpr std::int32_t kLastInstance = 5;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && (a < 0)); }

int DayOfWeek(std::int64_t day) { return OleSeconds::DayOfWeek(day * kSecondsPerDay); }

bool HasDay(std::int32_t mask, std::int64_t day) { return (mask >> DayOfWeek(day)) & 1; }

std::optional<std::int64_t> DayOfCivil(int year, int month, int day) {
  const std::optional<std::int64_t> seconds = OleSeconds::FromCivil({year, month, day, 0, 0, 0});
  if (!seconds.has_value()) return std::nullopt;
  return *seconds / kSecondsPerDay;
}

// The last day the OLE range holds, so that an endless pattern's walk ends.
std::int64_t LastOleDay() { return OleSeconds::kMax / kSecondsPerDay; }

}  // namespace

std::int64_t RecurrenceDays::DayOf(double oleDate) {
  return FloorDiv(OleSeconds::FromDate(oleDate).value_or(0), kSecondsPerDay);
}

double RecurrenceDays::DateOf(std::int64_t day) { return OleSeconds::ToDate(day * kSecondsPerDay); }

void RecurrenceDays::ForEach(std::int64_t lastDay,
                             const std::function<bool(std::int64_t)>& visit) const {
  std::int32_t left = 0;
  if (!pattern_.noEndDate) {
    if (pattern_.occurrences > 0) left = pattern_.occurrences;
    if (pattern_.patternEndDate != store::kNoDate) {
      lastDay = std::min(lastDay, DayOf(pattern_.patternEndDate));
    }
  }
  const bool counted = left > 0;
  Walk(DayOf(pattern_.patternStartDate), lastDay, [&](std::int64_t day) {
    if (!visit(day)) return false;
    return !counted || --left > 0;
  });
}

bool RecurrenceDays::Contains(std::int64_t day) const {
  bool found = false;
  ForEach(day, [&](std::int64_t candidate) {
    found = candidate == day;
    return !found;
  });
  return found;
}

std::int64_t RecurrenceDays::EndDay() const {
  std::int64_t last = LastOleDay();
  if (pattern_.noEndDate) return last;
  if (pattern_.patternEndDate != store::kNoDate) last = DayOf(pattern_.patternEndDate);
  if (pattern_.occurrences > 0) last = std::min(last, NthDay(pattern_.occurrences).value_or(last));
  return last;
}

void RecurrenceDays::ForEachFrom(std::int64_t fromDay, std::int64_t lastDay,
                                 const std::function<bool(std::int64_t)>& visit) const {
  Walk(fromDay, lastDay, visit);
}

std::optional<std::int64_t> RecurrenceDays::NthDay(std::int32_t n) const {
  std::optional<std::int64_t> found;
  if (n < 1) return found;
  Walk(DayOf(pattern_.patternStartDate), LastOleDay(), [&](std::int64_t day) {
    if (--n > 0) return true;
    found = day;
    return false;
  });
  return found;
}

std::int32_t RecurrenceDays::CountThrough(std::int64_t lastDay) const {
  std::int32_t count = 0;
  Walk(DayOf(pattern_.patternStartDate), lastDay, [&](std::int64_t) {
    ++count;
    return true;
  });
  return count;
}

bool RecurrenceDays::Walk(std::int64_t fromDay, std::int64_t lastDay,
                          const std::function<bool(std::int64_t)>& visit) const {
  const std::int64_t first = DayOf(pattern_.patternStartDate);
  fromDay = std::max(fromDay, first);
  switch (pattern_.recurrenceType) {
    case Outlook::olRecursDaily:
      return WalkDaily(first, fromDay, lastDay, visit);
    case Outlook::olRecursWeekly:
      return WalkWeekly(first, fromDay, lastDay, visit);
    case Outlook::olRecursMonthly:
    case Outlook::olRecursMonthNth:
      return WalkMonths(first, fromDay, lastDay, std::max(pattern_.interval, 1), false, visit);
    case Outlook::olRecursYearly:
    case Outlook::olRecursYearNth:
      return WalkMonths(first, fromDay, lastDay, 12, true, visit);
    default:
      return true;
  }
}

bool RecurrenceDays::WalkDaily(std::int64_t first, std::int64_t fromDay, std::int64_t lastDay,
                               const std::function<bool(std::int64_t)>& visit) const {
  if (pattern_.interval < 0) return true;
  const std::int32_t mask = pattern_.dayOfWeekMask & kAllDays;
  const std::int32_t weekdays = mask != 0 ? mask : kWeekdays;
  const std::int64_t step = std::max(pattern_.interval, 1);
  // The first day of the step's rhythm on or after fromDay.
  const std::int64_t start = first + (fromDay - first + step - 1) / step * step;
  for (std::int64_t day = start; day <= lastDay; day += step) {
    if (pattern_.interval == 0 && !HasDay(weekdays, day)) continue;
    if (!visit(day)) return false;
  }
  return true;
}

bool RecurrenceDays::WalkWeekly(std::int64_t first, std::int64_t fromDay, std::int64_t lastDay,
                                const std::function<bool(std::int64_t)>& visit) const {
  const std::int32_t mask = pattern_.dayOfWeekMask & kAllDays;
  if (mask == 0) return true;
  const std::int64_t step = 7 * static_cast<std::int64_t>(std::max(pattern_.interval, 1));
  const std::int64_t firstWeek = first - DayOfWeek(first);
  // The week of the rhythm that holds fromDay, or the last one before it.
  const std::int64_t fromWeek = firstWeek + (fromDay - firstWeek) / step * step;
  for (std::int64_t week = fromWeek; week <= lastDay; week += step) {
    for (std::int64_t day = std::max(week, fromDay); day < week + 7; ++day) {
      if (day > lastDay) return true;
      if (HasDay(mask, day) && !visit(day)) return false;
    }
  }
  return true;
}

bool RecurrenceDays::WalkMonths(std::int64_t first, std::int64_t fromDay, std::int64_t lastDay,
                                int monthStep, bool yearly,
                                const std::function<bool(std::int64_t)>& visit) const {
  const atl::CivilTime start = OleSeconds::ToCivil(first * kSecondsPerDay);
  const atl::CivilTime from = OleSeconds::ToCivil(fromDay * kSecondsPerDay);
  if (yearly && (pattern_.monthOfYear < 1 || pattern_.monthOfYear > 12)) return true;
  // Months counted from year 0, so that a step of any size cannot overflow.
  const std::int64_t lastMonth = 9999LL * 12 + 11;
  const std::int64_t firstMonth =
      start.year * 12LL + (yearly ? pattern_.monthOfYear : start.month) - 1;
  const std::int64_t fromMonth = from.year * 12LL + from.month - 1;
  std::int64_t month = firstMonth;
  if (fromMonth > firstMonth) month += (fromMonth - firstMonth) / monthStep * monthStep;
  for (; month <= lastMonth; month += monthStep) {
    const int year = static_cast<int>(month / 12);
    const int monthOfYear = static_cast<int>(month % 12) + 1;
    const std::optional<std::int64_t> monthStart = DayOfCivil(year, monthOfYear, 1);
    if (!monthStart.has_value() || *monthStart > lastDay) return true;
    const std::optional<std::int64_t> day = DayInMonth(year, monthOfYear);
    if (day.has_value() && *day >= fromDay && *day <= lastDay && !visit(*day)) return false;
  }
  return true;
}

std::optional<std::int64_t> RecurrenceDays::DayInMonth(int year, int month) const {
  const int length = OleSeconds::DaysInMonth(year, month);
  const bool byWeekday = pattern_.recurrenceType == Outlook::olRecursMonthNth ||
                         pattern_.recurrenceType == Outlook::olRecursYearNth;
  if (!byWeekday) {
    if (pattern_.dayOfMonth < 1 || pattern_.dayOfMonth > 31) return std::nullopt;
    return DayOfCivil(year, month, std::min(pattern_.dayOfMonth, length));
  }
  const std::optional<std::int64_t> firstDay = DayOfCivil(year, month, 1);
  const std::int32_t mask = pattern_.dayOfWeekMask & kAllDays;
  if (!firstDay.has_value() || pattern_.instance < 1 || pattern_.instance > kLastInstance) {
    return std::nullopt;
  }
  std::vector<std::int64_t> matching;
  for (std::int64_t day = *firstDay; day < *firstDay + length; ++day) {
    if (HasDay(mask, day)) matching.push_back(day);
  }
  if (matching.empty()) return std::nullopt;
  if (pattern_.instance == kLastInstance) return matching.back();
  if (static_cast<std::size_t>(pattern_.instance) > matching.size()) return std::nullopt;
  return matching[static_cast<std::size_t>(pattern_.instance) - 1];
}

}  // namespace kelvra::outlook
