// Local time of a Windows zone record: which of its two offsets holds at an instant,
// and the conversions between UTC and the zone's wall clock. Times are whole seconds
// since 1899-12-30 00:00 (OLE day 0).
#pragma once

#include <cstdint>

#include "win32/time.h"

namespace kelvra::platform {

class ZoneRules {
 public:
  explicit ZoneRules(const TIME_ZONE_INFORMATION& zone) : zone_(zone) {}

  // False for a zone without daylight saving, or one whose rules are out of range.
  bool ObservesDaylight() const;
  bool IsDaylightAt(std::int64_t utc) const;
  std::int64_t UtcToLocal(std::int64_t utc) const;
  // A wall-clock time in the skipped hour is read with the standard offset; one in
  // the repeated hour as the daylight (earlier) instant.
  std::int64_t LocalToUtc(std::int64_t local) const;

 private:
  // Seconds to add to local time for UTC.
  std::int64_t StandardOffset() const;
  std::int64_t DaylightOffset() const;
  // The local wall-clock time at which the rule's change happens in that year.
  static std::int64_t TransitionIn(int year, const SYSTEMTIME& rule);
  static bool IsValidRule(const SYSTEMTIME& rule);

  TIME_ZONE_INFORMATION zone_;
};

}  // namespace kelvra::platform
