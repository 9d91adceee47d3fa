#include "outlook/RecurrencePattern.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

#define KELVRA_DEFINE_PROPERTY(Type, Name)                                                       \
  Type RecurrencePattern::Get##Name() { return GetValue(this, &RecurrencePattern::get_##Name); } \
  void RecurrencePattern::Put##Name(Type value) {                                                \
    Call(this, &RecurrencePattern::put_##Name, value);                                           \
  }

KELVRA_DEFINE_PROPERTY(OlRecurrenceType, RecurrenceType)
KELVRA_DEFINE_PROPERTY(long, Interval)
KELVRA_DEFINE_PROPERTY(OlDaysOfWeek, DayOfWeekMask)
KELVRA_DEFINE_PROPERTY(long, DayOfMonth)
KELVRA_DEFINE_PROPERTY(long, Instance)
KELVRA_DEFINE_PROPERTY(long, MonthOfYear)
KELVRA_DEFINE_PROPERTY(DATE, PatternStartDate)
KELVRA_DEFINE_PROPERTY(DATE, PatternEndDate)
KELVRA_DEFINE_PROPERTY(VARIANT_BOOL, NoEndDate)
KELVRA_DEFINE_PROPERTY(long, Occurrences)
KELVRA_DEFINE_PROPERTY(DATE, StartTime)
KELVRA_DEFINE_PROPERTY(long, Duration)

#undef KELVRA_DEFINE_PROPERTY

DATE RecurrencePattern::GetEndTime() { return GetValue(this, &RecurrencePattern::get_EndTime); }

ExceptionsPtr RecurrencePattern::GetExceptions() {
  return GetObject<ExceptionsPtr>(this, &RecurrencePattern::get_Exceptions);
}

_AppointmentItemPtr RecurrencePattern::GetOccurrence(DATE start) {
  return FetchObject<_AppointmentItemPtr>(
      this, [&](_AppointmentItem** item) { return raw_GetOccurrence(start, item); });
}

}  // namespace Outlook
