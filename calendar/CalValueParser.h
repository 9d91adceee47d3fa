// The value forms of calendar properties that the reader checks: date and date-time
// texts, periods and durations. Nothing here logs; the reader reports refusals.
#pragma once

#include <string>
#include <string_view>

class CalValueParser {
 public:
  // YYYYMMDD, YYYYMMDDTHHMMSS or that followed by "Z": digits where digits belong, "T"
  // and "Z" in either case. Ranges are not checked.
  static bool IsDateForm(std::string_view text);
  // "start/end" or "start/duration"; the outputs given are filled on success only.
  static bool ParsePeriod(std::string_view text, std::string* start, std::string* end,
                          std::string* duration);
  // [+|-]P followed by numbers with the units W D H M S (a "T" anywhere between them),
  // as signed minutes (seconds cut to whole minutes). False for any other text and for
  // a total that does not fit an int.
  static bool ParseDuration(std::string_view text, int& minutes);
};
