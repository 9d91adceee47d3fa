// OLE dates as whole seconds since 1899-12-30 00:00, and the civil calendar behind
// them. The OLE form counts the time of day away from day 0 on both sides, so it
// cannot be added to directly; seconds can.
#pragma once

#include <cstdint>
#include <optional>

namespace kelvra::atl {

struct CivilTime {
  int year, month, day, hour, minute, second;
};

class OleSeconds {
 public:
  // 100-01-01 00:00:00 and 9999-12-31 23:59:59.
  static constexpr std::int64_t kMin = -657434LL * 86400;
  static constexpr std::int64_t kMax = 2958466LL * 86400 - 1;

  // Rounded to the second; nothing for a date outside the OLE range or not a number.
  static std::optional<std::int64_t> FromDate(double date);
  static double ToDate(std::int64_t seconds);
  // Nothing for a field out of range or a result outside the OLE range.
  static std::optional<std::int64_t> FromCivil(const CivilTime& time);
  static CivilTime ToCivil(std::int64_t seconds);
  // 0 = Sunday.
  static int DayOfWeek(std::int64_t seconds);
  // 1 = 1 January.
  static int DayOfYear(std::int64_t seconds);
  static bool InRange(std::int64_t seconds) { return seconds >= kMin && seconds <= kMax; }
  static int DaysInMonth(int year, int month);
};

}  // namespace kelvra::atl
