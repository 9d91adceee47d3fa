// The exceptions of a series as the object model keeps them: one per original
// occurrence start (compared to the second), in the order of those starts. Times
// are in the series' wall clock.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "store/Nodes.h"
#include "store/Recurrence.h"

namespace kelvra::outlook {

class SeriesExceptions {
 public:
  static bool SameSecond(double a, double b);

  static std::vector<store::RecurrenceException> Sorted(const store::Item& series);
  static std::optional<store::RecurrenceException> Find(const store::Item& series,
                                                        double originalDate);
  // Replaces the exception of the same original start, or adds it in its place.
  static void Record(store::Item& series, store::RecurrenceException exception);

  // The original start of the pattern's occurrence on that day.
  static double OriginalStart(const store::RecurrencePattern& pattern, std::int64_t day);
  // The start an exception gives its occurrence (the original one unless moved).
  static double StartOf(const store::RecurrenceException& exception);
  // Whether an occurrence other than the one of `ownOriginal` starts on that day.
  static bool DayTaken(const store::Item& series, std::int64_t day, double ownOriginal);
  // Whether the series has an occurrence that originally starts at that time.
  static bool IsOccurrence(const store::Item& series, double originalDate);
};

}  // namespace kelvra::outlook
