// The iCalendar recurrence rule (FREQ=...;BYDAY=...) in Outlook's terms. Parts Outlook
// cannot keep are noted; the notes and the rule's validity make one log message.
#pragma once

#include <string>
#include <string_view>

#include "calendar/ParsedEvent.h"

class ICalRuleParser {
 public:
  struct Result {
    ParsedRule rule;
    std::string errors;       // notes on parts that are wrong, each ending ";"
    std::string unsupported;  // notes on parts Outlook cannot keep
    bool valid = false;

    // The warning for the log: empty when the rule is valid and nothing was noted.
    std::string Message() const;
  };

  // Weekday code ("SU" ... "SA") to its bit index 0-6; -1 for anything else.
  static int WeekdayIndex(std::string_view code);

  static Result Parse(std::string_view value);

 private:
  struct Parts;

  static void _ReadPart(std::string_view name, std::string_view value, Parts& parts,
                        Result& result);
  static void _ReadByDay(std::string_view list, Parts& parts, Result& result);
  static void _Daily(const Parts& parts, Result& result);
  static void _Weekly(const Parts& parts, Result& result);
  static void _Monthly(const Parts& parts, Result& result);
  static void _Yearly(const Parts& parts, Result& result);
  // BYMONTHDAY beside other day parts: the day-of-month rule of the given type.
  static void _ByMonthDay(const Parts& parts, const char* kind, int type, Result& result);
  // The nth-weekday rule: its instance from BYSETPOS or the first BYDAY entry.
  static void _NthWeekday(const Parts& parts, int type, Result& result);
  static bool _IsValid(const ParsedRule& rule);
};
