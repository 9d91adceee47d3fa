// What Outlook does to a recurrence pattern beyond storing a value: the pattern a
// single appointment becomes, the fields a new recurrence type derives, the end a
// count or an end date gives, and the values it refuses. Dates are in the series'
// wall clock.
#pragma once

#include <cstdint>

#include "store/Recurrence.h"

namespace kelvra::outlook {

class RecurrenceRules {
 public:
  // Weekly, every week, on the start's weekday; day, month, instance, start date and
  // time of day from the start; no end.
  static store::RecurrencePattern NewPattern(double start, std::int32_t durationMinutes);
  // The type with its interval 1 and its day fields from the pattern start date.
  static void Derive(store::RecurrencePattern& pattern, std::int32_t type);

  static bool IsValidType(std::int32_t type);
  // A mask with no day beyond Saturday, not empty for the types that need days.
  static bool IsValidMask(std::int32_t type, std::int32_t mask);
  static bool IsValidInterval(std::int32_t type, std::int32_t interval);

  // A valid interval; 0 (daily: every weekday) sets the days to Monday-Friday.
  static void SetInterval(store::RecurrencePattern& pattern, std::int32_t interval);

  // Ends the series after `count` occurrences: the end date is the last one's day.
  // False (nothing changed) when the series has fewer.
  static bool EndAfter(store::RecurrencePattern& pattern, std::int32_t count);
  // Ends the series on that day: the count is the occurrences through it. False
  // (nothing changed) for a day before the start.
  static bool EndOn(store::RecurrencePattern& pattern, double endDate);
  // Keeps an ended series' count and end date in step after a change of its days:
  // the count holds, the end date follows it.
  static void Reconcile(store::RecurrencePattern& pattern);
};

}  // namespace kelvra::outlook
