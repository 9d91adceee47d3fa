// The date texts of a vCard: an OLE automation date as YYYYMMDD or YYYYMMDDTHHMMSS.
#pragma once

#include <string>

#include "com/variant.h"
#include "win32/base.h"

class VCardDate {
 public:
  // What Outlook stores for "no date": 4501-01-01.
  static constexpr DATE kNoDate = 949998.0;

  // The calendar date and time of an OLE date, rounded to the nearest second (the
  // weekday and milliseconds stay 0). False for a value outside the years 100 to 9999.
  static bool Split(DATE date, SYSTEMTIME& parts);

  // Appends YYYYMMDD, or YYYYMMDDTHHMMSS with the time, and returns true; appends
  // nothing and returns false for the no-date value and for an invalid date, neither
  // of which names a day that could be written.
  static bool Append(DATE date, bool withTime, std::string& text);
};
