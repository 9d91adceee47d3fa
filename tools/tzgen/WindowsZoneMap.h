// ICU's mapping between Windows zone ids and IANA zone names (the CLDR windowsZones
// table). Only the mapping is taken from ICU: its own copy of the zone rules may be
// older than the system's tzdata, which the rules are taken from instead.
#pragma once

#include <map>
#include <string>

namespace tzgen {

class WindowsZoneMap {
 public:
  // Reads the whole mapping; throws std::runtime_error when ICU fails.
  WindowsZoneMap();

  // Windows id -> the IANA zone that represents it for the world ("001").
  const std::map<std::string, std::string>& representatives() const { return representatives_; }
  // Every other IANA name ICU maps to a Windows id -> that id.
  const std::map<std::string, std::string>& aliases() const { return aliases_; }
  // The UTC offset ICU gives the zone now, in seconds; for zones tzdata lacks.
  static int RawOffset(const std::string& iana);

 private:
  std::map<std::string, std::string> representatives_;
  std::map<std::string, std::string> aliases_;
};

}  // namespace tzgen
