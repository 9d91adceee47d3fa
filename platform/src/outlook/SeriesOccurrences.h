// The occurrences of a series that lie on a range of days, as a collection that
// lists occurrences finds them.
#pragma once

#include <cstdint>
#include <vector>

#include "store/Nodes.h"

namespace kelvra::outlook {

class SeriesOccurrences {
 public:
  // The original starts (in the series' wall clock) of the occurrences that are not
  // deleted and start, moved ones at their new start, on a day from firstDay to
  // lastDay (days of the series' wall clock, as RecurrenceDays counts them); in no
  // particular order.
  static std::vector<double> Between(const store::Item& series, std::int64_t firstDay,
                                     std::int64_t lastDay);
};

}  // namespace kelvra::outlook
