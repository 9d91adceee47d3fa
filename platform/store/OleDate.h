// OLE dates (days since 1899-12-30, the time as a fraction that counts away
// from day 0 on either side) to and from the mailbox file's text, exact to the
// second.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvra::store {

struct DateParts {
  int year, month, day, hour, minute, second;
};

class OleDate {
 public:
  // Years 100 to 9999; nothing for a field out of range.
  static std::optional<double> FromParts(const DateParts& parts);
  // Rounded to the second; nothing outside years 100 to 9999 (or not a number).
  static std::optional<DateParts> ToParts(double oleDate);

  // "YYYY-MM-DDTHH:MM:SS", or "YYYY-MM-DD" for midnight; with timeOfDay also
  // "HH:MM:SS" for that time on day 0.
  static std::optional<double> Parse(std::string_view text, bool timeOfDay = false);
  // "YYYY-MM-DDTHH:MM:SS"; with timeOfDay a time on day 0 as "HH:MM:SS".
  static std::optional<std::string> Format(double oleDate, bool timeOfDay = false);
};

}  // namespace kelvra::store
