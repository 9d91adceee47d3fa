// The fields of a recurrence pattern by their object-model names, with the
// value type each has in the mailbox file; one table for reading and writing.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "store/Recurrence.h"
#include "store/Value.h"

namespace kelvra::store {

struct RecurrenceField {
  using Member = std::variant<std::int32_t RecurrencePattern::*, double RecurrencePattern::*,
                              bool RecurrencePattern::*>;
  std::string_view name;
  Member member;
  bool timeOfDay = false;

  // Long, Date or Bool, by the member's type.
  ValueType Type() const;

  Value Read(const RecurrencePattern& pattern) const;
  void Write(RecurrencePattern& pattern, const Value& value) const;
};

extern const std::array<RecurrenceField, 12> kRecurrenceFields;

}  // namespace kelvra::store
