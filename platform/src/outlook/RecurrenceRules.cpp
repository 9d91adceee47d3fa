#include "outlook/RecurrenceRules.h"

#include "atl/OleSeconds.h"
#include "outlook/Enums.h"
#include "outlook/RecurrenceDays.h"
#include "store/Value.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

constexpr std::int32_t kAllDays = 0x7F;
constexpr std::int32_t kWeekdays = 0x3E;

bool NeedsDays(std::int32_t type) {
  return type == Outlook::olRecursWeekly || type == Outlook::olRecursMonthNth ||
         type == Outlook::olRecursYearNth;
}

double TimeOfDay(double date) {
  const std::int64_t seconds = OleSeconds::FromDate(date).value_or(0);
  const std::int64_t day = RecurrenceDays::DayOf(date);
  return OleSeconds::ToDate(seconds - day * 86400);
}

}  // namespace

store::RecurrencePattern RecurrenceRules::NewPattern(double start, std::int32_t durationMinutes) {
  store::RecurrencePattern pattern;
  pattern.patternStartDate = RecurrenceDays::DateOf(RecurrenceDays::DayOf(start));
  pattern.startTime = TimeOfDay(start);
  pattern.duration = durationMinutes;
  Derive(pattern, Outlook::olRecursWeekly);
  return pattern;
}

void RecurrenceRules::Derive(store::RecurrencePattern& pattern, std::int32_t type) {
  const std::int64_t day = RecurrenceDays::DayOf(pattern.patternStartDate);
  const atl::CivilTime civil = OleSeconds::ToCivil(day * 86400);
  pattern.recurrenceType = type;
  pattern.interval = 1;
  pattern.dayOfWeekMask = 1 << OleSeconds::DayOfWeek(day * 86400);
  pattern.dayOfMonth = civil.day;
  pattern.monthOfYear = civil.month;
  pattern.instance = (civil.day - 1) / 7 + 1;
  Reconcile(pattern);
}

bool RecurrenceRules::IsValidType(std::int32_t type) {
  switch (type) {
    case Outlook::olRecursDaily:
    case Outlook::olRecursWeekly:
    case Outlook::olRecursMonthly:
    case Outlook::olRecursMonthNth:
    case Outlook::olRecursYearly:
    case Outlook::olRecursYearNth:
      return true;
    default:
      return false;
  }
}

bool RecurrenceRules::IsValidMask(std::int32_t type, std::int32_t mask) {
  if ((mask & ~kAllDays) != 0) return false;
  return mask != 0 || !NeedsDays(type);
}

bool RecurrenceRules::IsValidInterval(std::int32_t type, std::int32_t interval) {
  return interval > 0 || (interval == 0 && type == Outlook::olRecursDaily);
}

void RecurrenceRules::SetInterval(store::RecurrencePattern& pattern, std::int32_t interval) {
  pattern.interval = interval;
  if (interval == 0) pattern.dayOfWeekMask = kWeekdays;
  Reconcile(pattern);
}

bool RecurrenceRules::EndAfter(store::RecurrencePattern& pattern, std::int32_t count) {
  const std::optional<std::int64_t> last = RecurrenceDays(pattern).NthDay(count);
  if (!last.has_value()) return false;
  pattern.noEndDate = false;
  pattern.occurrences = count;
  pattern.patternEndDate = RecurrenceDays::DateOf(*last);
  return true;
}

bool RecurrenceRules::EndOn(store::RecurrencePattern& pattern, double endDate) {
  const std::int64_t day = RecurrenceDays::DayOf(endDate);
  if (day < RecurrenceDays::DayOf(pattern.patternStartDate)) return false;
  pattern.noEndDate = false;
  pattern.occurrences = RecurrenceDays(pattern).CountThrough(day);
  pattern.patternEndDate = RecurrenceDays::DateOf(day);
  return true;
}

void RecurrenceRules::Reconcile(store::RecurrencePattern& pattern) {
  if (pattern.noEndDate || pattern.occurrences < 1) return;
  if (!EndAfter(pattern, pattern.occurrences)) pattern.patternEndDate = store::kNoDate;
}

}  // namespace kelvra::outlook
