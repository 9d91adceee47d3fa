// Writes the zone list file that the platform reads (its format is described in the
// header comment the writer puts at the top of the file).
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "RuleFitter.h"

namespace tzgen {

struct ZoneRecord {
  std::string id;
  std::string iana;
  WindowsZoneRules rules;
};

class ZoneListWriter {
 public:
  ZoneListWriter(std::string sources, int firstYear, int lastYear);

  // Zones are numbered in the order given; aliases map IANA names to zone ids.
  void Write(std::ostream& out, const std::vector<ZoneRecord>& zones,
             const std::map<std::string, std::string>& aliases) const;

  // "(UTC+01:00) W. Europe Standard Time".
  static std::string DisplayName(const ZoneRecord& zone);
  // "W. Europe Daylight Time" for "W. Europe Standard Time", "Pacific Daylight Time
  // (Mexico)" for "Pacific Standard Time (Mexico)"; other ids stand for both.
  static std::string DaylightName(const std::string& id);

 private:
  void WriteHeader(std::ostream& out, const std::vector<ZoneRecord>& zones) const;

  std::string sources_;
  int firstYear_;
  int lastYear_;
};

}  // namespace tzgen
