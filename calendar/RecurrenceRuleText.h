// The RRULE values of both calendar versions, built from the fields of an Outlook
// recurrence pattern, and the week start the iCalendar rule carries.
#pragma once

#include <string>

#include "outlook/Enums.h"

// What the rules need of a pattern. The day mask has Sunday in bit 0 up to Saturday
// in bit 6; the instance counts 1 to 5, 5 meaning the last.
struct RecurrenceRule {
  long type = Outlook::olRecursWeekly;
  long interval = 1;
  long dayOfWeekMask = 0;
  long dayOfMonth = 0;
  long instance = 0;
  long monthOfYear = 0;
  bool noEndDate = true;
  long occurrences = 0;
};

// vCalendar 1.0, e.g. "W2 MO WE #10" or "YM1 6 #0 MD1 15"; a type Outlook does not
// have gives the end alone.
void AppendVCalendarRule(const RecurrenceRule& rule, std::string& out);

// iCalendar 2.0, e.g. "FREQ=DAILY;COUNT=5;INTERVAL=3", followed by ";WKST=" and the
// day code when weekStart is 0 (Sunday) to 6; a type Outlook does not have gives no
// rule but the week start.
void AppendICalendarRule(const RecurrenceRule& rule, int weekStart, std::string& out);

// The first day of the week that Outlook of that major version is set to (0 Sunday to
// 6 Saturday), or -1 when the setting is missing or not a number of that range.
int ReadFirstDayOfWeek(int outlookVersion);
