#include "atl/OleSeconds.h"

#include <cmath>

namespace kelvra::atl {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days since 1970-01-01 of a proleptic Gregorian date (valid for years >= 1).
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = y / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

const std::int64_t kOleEpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

int OleSeconds::DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::optional<std::int64_t> OleSeconds::FromDate(double date) {
  if (!std::isfinite(date) || date < -657434.0 || date >= 2958466.0) return std::nullopt;
  const double wholeDays = std::trunc(date);
  const auto timeOfDay = std::llround(std::fabs(date - wholeDays) * kSecondsPerDay);
  const std::int64_t seconds = static_cast<std::int64_t>(wholeDays) * kSecondsPerDay + timeOfDay;
  if (!InRange(seconds)) return std::nullopt;
  return seconds;
}

double OleSeconds::ToDate(std::int64_t seconds) {
  const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const double fraction = static_cast<double>(seconds - days * kSecondsPerDay) / kSecondsPerDay;
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<std::int64_t> OleSeconds::FromCivil(const CivilTime& time) {
  if (time.year < 100 || time.year > 9999 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > DaysInMonth(time.year, time.month) || time.hour < 0 || time.hour > 23 ||
      time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59) {
    return std::nullopt;
  }
  const std::int64_t days = DaysFromCivil(time.year, time.month, time.day) - kOleEpochDays;
  return days * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
}

CivilTime OleSeconds::ToCivil(std::int64_t seconds) {
  const std::int64_t oleDays = FloorDiv(seconds, kSecondsPerDay);
  const std::int64_t secondOfDay = seconds - oleDays * kSecondsPerDay;
  const std::int64_t z = oleDays + kOleEpochDays + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return CivilTime{year,
                   month,
                   day,
                   static_cast<int>(secondOfDay / 3600),
                   static_cast<int>(secondOfDay / 60 % 60),
                   static_cast<int>(secondOfDay % 60)};
}

int OleSeconds::DayOfWeek(std::int64_t seconds) {
  // Day 0, 1899-12-30, was a Saturday.
  return static_cast<int>((FloorDiv(seconds, kSecondsPerDay) % 7 + 7 + 6) % 7);
}

int OleSeconds::DayOfYear(std::int64_t seconds) {
  const CivilTime civil = ToCivil(seconds);
  return static_cast<int>(DaysFromCivil(civil.year, civil.month, civil.day) -
                          DaysFromCivil(civil.year, 1, 1)) +
         1;
}

}  // namespace kelvra::atl
