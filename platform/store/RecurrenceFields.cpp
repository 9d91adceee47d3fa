#include "store/RecurrenceFields.h"

namespace kelvra::store {

const std::array<RecurrenceField, 12> kRecurrenceFields{{
    {"RecurrenceType", &RecurrencePattern::recurrenceType},
    {"Interval", &RecurrencePattern::interval},
    {"DayOfWeekMask", &RecurrencePattern::dayOfWeekMask},
    {"DayOfMonth", &RecurrencePattern::dayOfMonth},
    {"Instance", &RecurrencePattern::instance},
    {"MonthOfYear", &RecurrencePattern::monthOfYear},
    {"PatternStartDate", &RecurrencePattern::patternStartDate},
    {"PatternEndDate", &RecurrencePattern::patternEndDate},
    {"NoEndDate", &RecurrencePattern::noEndDate},
    {"Occurrences", &RecurrencePattern::occurrences},
    {"StartTime", &RecurrencePattern::startTime, true},
    {"Duration", &RecurrencePattern::duration},
}};

ValueType RecurrenceField::Type() const {
  static constexpr ValueType kTypes[] = {ValueType::Long, ValueType::Date, ValueType::Bool};
  return kTypes[member.index()];
}

Value RecurrenceField::Read(const RecurrencePattern& pattern) const {
  if (const auto* number = std::get_if<std::int32_t RecurrencePattern::*>(&member)) {
    return Value::Long(pattern.**number);
  }
  if (const auto* date = std::get_if<double RecurrencePattern::*>(&member)) {
    return Value::Date(pattern.**date);
  }
  return Value::Bool(pattern.*std::get<bool RecurrencePattern::*>(member));
}

void RecurrenceField::Write(RecurrencePattern& pattern, const Value& value) const {
  if (const auto* number = std::get_if<std::int32_t RecurrencePattern::*>(&member)) {
    pattern.** number = value.AsLong();
  } else if (const auto* date = std::get_if<double RecurrencePattern::*>(&member)) {
    pattern.** date = value.AsDate();
  } else {
    pattern.*std::get<bool RecurrencePattern::*>(member) = value.AsBool();
  }
}

}  // namespace kelvra::store
