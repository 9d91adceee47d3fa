// The days on which a recurrence pattern has occurrences, in the pattern's own
// wall clock. Days are counted from 1899-12-30 (OLE day 0). A pattern as a mailbox
// file may give it (an interval of 0, a mask of 0, a month 13) gives no days
// where it makes no sense, rather than looping.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "store/Recurrence.h"

namespace kelvra::outlook {

class RecurrenceDays {
 public:
  explicit RecurrenceDays(const store::RecurrencePattern& pattern) : pattern_(pattern) {}

  static std::int64_t DayOf(double oleDate);
  static double DateOf(std::int64_t day);

  // The occurrence days in order, from the pattern start up to and including
  // lastDay and within the pattern's end (count or end date), while visit answers
  // true.
  void ForEach(std::int64_t lastDay, const std::function<bool(std::int64_t)>& visit) const;
  bool Contains(std::int64_t day) const;
  // The last day on which the pattern's end (count or end date) lets an occurrence
  // fall; the last OLE day for a pattern without an end.
  std::int64_t EndDay() const;
  // The occurrence days from fromDay through lastDay in order, while visit answers
  // true, ignoring the pattern's end (bound lastDay by EndDay). The walk starts at
  // fromDay's period, so it costs the days visited, however long the series ran
  // before.
  void ForEachFrom(std::int64_t fromDay, std::int64_t lastDay,
                   const std::function<bool(std::int64_t)>& visit) const;
  // The day of the nth (1-based) occurrence, ignoring the pattern's end.
  std::optional<std::int64_t> NthDay(std::int32_t n) const;
  // How many occurrences lie from the pattern start through that day, ignoring the
  // pattern's end.
  std::int32_t CountThrough(std::int64_t day) const;

 private:
  // The occurrence days of each period (a day, a week, a month, a year) in order,
  // from the period that holds fromDay on, none before fromDay; false from visit
  // stops.
  bool Walk(std::int64_t fromDay, std::int64_t lastDay,
            const std::function<bool(std::int64_t)>& visit) const;
  bool WalkDaily(std::int64_t first, std::int64_t fromDay, std::int64_t lastDay,
                 const std::function<bool(std::int64_t)>& visit) const;
  bool WalkWeekly(std::int64_t first, std::int64_t fromDay, std::int64_t lastDay,
                  const std::function<bool(std::int64_t)>& visit) const;
  bool WalkMonths(std::int64_t first, std::int64_t fromDay, std::int64_t lastDay, int monthStep,
                  bool yearly, const std::function<bool(std::int64_t)>& visit) const;
  // The pattern's day in that month (by day of month or by nth weekday); nothing
  // when the month has none.
  std::optional<std::int64_t> DayInMonth(int year, int month) const;

  store::RecurrencePattern pattern_;
};

}  // namespace kelvra::outlook
