// The Windows zone list of this platform: every Windows zone id with its rules, names
// and the IANA zones that map to it, read from the generated data file
// "timezones.txt" (format described at the top of that file). The host and tests put
// it into the registry (testkit::SeedZoneList); the system zone is mapped through it
// from its IANA name to its Windows twin.
#pragma once

#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

struct ZoneListEntry {
  std::string id;  // the Windows zone id, name of the zone's registry key
  DWORD index = 0;
  std::string iana;  // the IANA zone the rules were taken from
  LONG bias = 0;
  LONG standardBias = 0;
  LONG daylightBias = 0;
  // Transition rules: wYear 0, wMonth 0 = none, wDay = week 1-5 (5 = last).
  SYSTEMTIME standardDate{};
  SYSTEMTIME daylightDate{};
  std::string display;
  std::string standardName;
  std::string daylightName;
  // Empty when the rules give the IANA zone's transitions of the checked years exactly;
  // else why they cannot.
  std::string mismatch;

  // The registry's "TZI" value: Bias, StandardBias, DaylightBias, StandardDate,
  // DaylightDate, 44 bytes little-endian.
  std::string Tzi() const;
};

class ZoneListData {
 public:
  // The list from the data file beside the platform library or in the build's runtime
  // folder, read once; empty when neither holds a readable file.
  static const ZoneListData& Instance();

  // Nullopt when the text is malformed (a bad line is never half taken).
  static std::optional<ZoneListData> Parse(std::istream& in);
  static std::optional<ZoneListData> Load(const std::string& linuxPath);

  const std::vector<ZoneListEntry>& zones() const { return zones_; }
  // The years whose transitions the rules were checked against (0 when not stated).
  int firstCheckedYear() const { return firstYear_; }
  int lastCheckedYear() const { return lastYear_; }

  // By Windows id, case-insensitive; null when unknown.
  const ZoneListEntry* FindZone(const std::string& windowsId) const;
  // The Windows id an IANA zone name maps to (exact name, aliases included); "" when
  // unknown.
  std::string WindowsZoneForIana(const std::string& iana) const;

 private:
  bool ParseLine(const std::string& line);
  bool ParseZone(const std::vector<std::string>& fields);

  std::vector<ZoneListEntry> zones_;
  std::map<std::string, std::string> ianaToWindows_;
  int firstYear_ = 0;
  int lastYear_ = 0;
};

}  // namespace kelvra::platform
