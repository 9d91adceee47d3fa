// The vCalendar 1.0 recurrence rule ("W2 MO WE #10", "MP1 1+ FR", "YM1 6 MD1 15") in
// Outlook's terms. What Outlook cannot keep is noted; the reader logs every note.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/ParsedEvent.h"

class VCalRuleParser {
 public:
  struct Note {
    bool information;  // an information line rather than a warning
    std::string text;
  };
  struct Result {
    ParsedRule rule;
    std::vector<Note> notes;
  };

  static Result Parse(std::string_view value);

 private:
  enum class Kind { kNone, kDaily, kWeekly, kMonthDay, kMonthNth, kYearly };
  enum class YearPart { kMonths, kDay, kNth };

  explicit VCalRuleParser(Result& result) : m_result(result) {}

  void _ReadFirst(std::string_view token);
  // False when the rest of the rule is not to be read.
  bool _ReadToken(std::string_view token);
  bool _Daily(std::string_view token);
  bool _Weekly(std::string_view token);
  bool _MonthNth(std::string_view token);
  bool _MonthDay(std::string_view token);
  void _Yearly(std::string_view token);
  // A weekday code with an optional "$": true when the token has that shape.
  bool _Weekday(std::string_view token);
  // An occurrence "n+" or "n-": true when the token has that shape.
  bool _Occurrence(std::string_view token);
  void _Finish();
  bool _IsValid() const;
  void _Warn(std::string text);
  void _Inform(std::string text);

  Result& m_result;
  Kind m_kind = Kind::kNone;
  YearPart m_yearPart = YearPart::kMonths;
  std::string m_endDate;
  bool m_haveOccurrence = false;
  bool m_haveDay = false;
  bool m_haveMonth = false;
  // The rule names weekdays, a day or a month, valid or not.
  bool m_weekdaysGiven = false;
  bool m_dayGiven = false;
  bool m_monthGiven = false;
  int m_weekdayLists = 0;
  bool m_inWeekdayList = false;
};
