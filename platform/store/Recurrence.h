// The recurrence of an appointment series, in the appointment's wall-clock
// time, and its exceptions. Plain data: the rules that derive and check a
// pattern belong to the object model over it.
#pragma once

#include <cstdint>
#include <vector>

#include "store/PropertyBag.h"
#include "store/Value.h"

namespace kelvra::store {

struct RecurrencePattern {
  std::int32_t recurrenceType = 1;  // weekly
  std::int32_t interval = 1;
  std::int32_t dayOfWeekMask = 0;
  std::int32_t dayOfMonth = 0;
  std::int32_t instance = 0;
  std::int32_t monthOfYear = 0;
  double patternStartDate = kNoDate;
  double patternEndDate = kNoDate;
  bool noEndDate = true;
  std::int32_t occurrences = 0;
  double startTime = 0.0;
  std::int32_t duration = 0;

  bool operator==(const RecurrencePattern&) const = default;
};

// One changed or deleted occurrence. `changes` holds the changed occurrence's
// properties by object-model name (Start, End, Subject, ...); empty when
// deleted.
struct RecurrenceException {
  double originalDate = kNoDate;
  bool deleted = false;
  PropertyBag changes;

  bool operator==(const RecurrenceException&) const = default;
};

}  // namespace kelvra::store
