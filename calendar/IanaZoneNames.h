// The IANA zone names ("Asia/Tokyo", "America/New_York") of the Windows zones, from the
// zone list file shipped beside the add-in ("timezones.txt"): Windows knows its zones
// by their own ids only, while calendars of other programs name them the IANA way.
#pragma once

#include <string>

class IanaZoneNames {
 public:
  // The Windows zone id the IANA name (or one of its aliases) maps to; "" when the
  // file does not know it or cannot be read.
  static std::string WindowsZoneFor(const std::string& iana);

 private:
  // The id of the file's line for the name, or "" when the line is about another.
  static std::string _IdOfLine(const std::string& line, const std::string& iana);
};
