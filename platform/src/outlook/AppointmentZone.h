// The wall clock that an appointment series keeps its recurrence in: the zone
// the appointment was entered in (its 48-byte zone record, when it has a valid one),
// else the system zone. The object model shows those times in the system zone, so
// that a series entered elsewhere reads like every other appointment.
#pragma once

#include <optional>

#include "com/variant.h"
#include "store/Nodes.h"
#include "win32/time.h"

namespace kelvra::outlook {

class AppointmentZone {
 public:
  explicit AppointmentZone(const store::Item& item);

  // Both pass a date unchanged when the appointment keeps no zone of its own, when
  // its zone is the system zone, or when the date is outside the OLE range.
  DATE ToLocal(DATE zoneTime) const;
  DATE ToZone(DATE localTime) const;

 private:
  std::optional<TIME_ZONE_INFORMATION> zone_;
  std::optional<TIME_ZONE_INFORMATION> system_;
};

}  // namespace kelvra::outlook
