// A date and time in a filter of Items.Restrict: the date in the user's short date
// picture (as GetDateFormatA writes it), one or more blanks, and the time as
// "h:mm AM", "hh:mm PM" (12-hour), "HH:mm" (24-hour) or "HH:mm PM" (24-hour with a
// suffix that agrees with it).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvra::store {

class FilterTime {
 public:
  // Minutes since 1899-12-30 00:00 (local time); nothing for a text of another shape
  // or a day or time that does not exist.
  static std::optional<std::int64_t> Minutes(std::u16string_view text);
};

}  // namespace kelvra::store
