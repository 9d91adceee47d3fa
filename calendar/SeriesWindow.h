// Whether a recurring series has an occurrence in a date window, decided from its rule
// alone, as the calendar filter needs it on export (the Outlook pattern) and on import
// (the parsed rule, before the series is in the store). The rule's fields are those of
// Outlook's recurrence pattern; a field left at 0 is taken from the first start, as
// Outlook takes it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "atl/OleDateTime.h"

class SeriesWindow {
 public:
  struct Rule {
    // Outlook's recurrence type: 0 daily, 1 weekly, 2 monthly, 3 monthly on the nth
    // weekday, 5 yearly, 6 yearly on the nth weekday.
    int type = 0;
    int interval = 0;
    // Outlook's day bits: 1 Sunday ... 64 Saturday.
    int dayMask = 0;
    int dayOfMonth = 0;
    // 1-4, 5 the last.
    int instance = 0;
    int monthOfYear = 0;
    // Above 0: the series ends after that many occurrences.
    int occurrences = 0;
    // No occurrence after that day.
    std::optional<COleDateTime> lastDay;
  };

  // The series' occurrences start at firstStart's time of day and last `duration`;
  // true when one of them overlaps [from, to), also by part of it.
  static bool HasOccurrenceIn(const Rule& rule, const COleDateTime& firstStart,
                              const COleDateTimeSpan& duration, const COleDateTime& from,
                              const COleDateTime& to);

 private:
  using Visit = std::function<bool(std::int64_t day)>;

  // The occurrence days from the first one on, in order, while visit answers true.
  // Without a count the walk may begin at the period of fromDay.
  static void Walk(const Rule& rule, std::int64_t firstDay, std::int64_t fromDay,
                   std::int64_t lastDay, const Visit& visit);
  static void WalkWeeks(const Rule& rule, std::int64_t firstDay, std::int64_t fromDay,
                        std::int64_t lastDay, const Visit& visit);
  static void WalkMonths(const Rule& rule, std::int64_t firstDay, std::int64_t fromDay,
                         std::int64_t lastDay, const Visit& visit);
};
