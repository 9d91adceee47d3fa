// One zone of the Windows zone list.
#pragma once

#include <string>

#include "calendar/TimezoneStruct.h"

struct TimezoneEntry {
  TimezoneStruct zone{};    // from the zone's "TZI" value, year words 0
  std::string displayName;  // the zone's "Display" value
  LONG index = -1;          // the zone's "Index" value; -1 when it has none
};
