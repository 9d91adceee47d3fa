// The IANA zone names ("Asia/Tokyo", "America/New_York") of the Windows zones, from the
// zone list file shipped beside the add-in ("timezones.txt"): Windows knows its zones
// by their own ids only, while calendars of other programs name them the IANA way.
#pragma once

#include <string>
#include <unordered_map>

class IanaZoneNames {
 public:
  // The Windows zone id the IANA name (or one of its aliases) maps to; "" when the
  // file does not know it or cannot be read. The file is read once for its folder.
  static std::string WindowsZoneFor(const std::string& iana);

 private:
  using Table = std::unordered_map<std::string, std::string>;
  // The names of the file at the path, IANA name to Windows id; empty when unreadable.
  static Table _ReadTable(const std::string& path);
  // Adds the name the line gives ("zone|<id>|<index>|<iana>|...", "alias|<iana>|<id>").
  static void _AddLine(const std::string& line, Table& table);
};
