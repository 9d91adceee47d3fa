// An appointment's Start, End and Duration as the object model shows them: local
// views, in the system zone, of the UTC times the item keeps as MAPI named
// properties. An item that has no UTC time yet (a new one, or one a mailbox file
// describes by its local times) shows the local values of its property bag.
#pragma once

#include "com/variant.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class AppointmentTimes {
 public:
  explicit AppointmentTimes(store::ItemPtr item) : item_(std::move(item)) {}

  DATE Start() const;
  DATE End() const;
  long Duration() const;
  // Keeps the duration (elapsed time, so across a change of the zone's offset the
  // end's local reading moves with it).
  void SetStart(DATE local);
  // False (nothing changed) for an end before the start.
  bool SetEnd(DATE local);
  // False (nothing changed) for a negative duration.
  bool SetDuration(long minutes);

 private:
  DATE UtcStart() const;
  void Store(DATE utcStart, DATE utcEnd);

  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
