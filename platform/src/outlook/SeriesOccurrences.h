// The occurrences of a series that lie on a range of days, made as a collection that
// lists occurrences walks to them: a series of millions of occurrences costs only
// the ones the walk reaches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <vector>

#include "outlook/RecurrenceDays.h"
#include "store/Nodes.h"
#include "store/Recurrence.h"

namespace kelvra::outlook {

class SeriesOccurrences {
 public:
  // The series' occurrences on a day from firstDay to lastDay (days of the series'
  // wall clock, as RecurrenceDays counts them), as the series is now.
  SeriesOccurrences(const store::Item& series, std::int64_t firstDay, std::int64_t lastDay);

  // The original start (in the series' wall clock) of the next occurrence the
  // pattern places there and no exception changed, in start order; nullopt past
  // the last.
  std::optional<double> NextPlaced();
  // The original starts of the changed occurrences, not deleted, that start there
  // (at their new start); in the exceptions' order.
  const std::vector<double>& Moved() const { return moved_; }

  // How many occurrences NextPlaced has made in this process, for tests that check
  // the work a walk costs.
  static std::uint64_t Made();

 private:
  // Takes the next few days of the pattern into pending_; false when none is left.
  bool Refill();

  std::optional<store::RecurrencePattern> pattern_;
  std::set<std::int64_t> excepted_;
  std::vector<double> moved_;
  std::int64_t nextDay_;
  std::int64_t lastDay_;
  std::deque<std::int64_t> pending_;
};

}  // namespace kelvra::outlook
