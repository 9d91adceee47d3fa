#include "store/OleDate.h"

#include <cmath>
#include <cstdio>

namespace kelvra::store {

namespace {

constexpr long long kSecondsPerDay = 86400;
// Day number of 1899-12-30 counted from 1970-01-01.
constexpr long long kOleEpochFromUnix = -25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, DateParts& parts) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  parts.year = static_cast<int>(yoe + era * 400 + (month <= 2));
  parts.month = month;
  parts.day = day;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Reads exactly `width` digits at text[pos].
std::optional<int> Digits(std::string_view text, std::size_t pos, std::size_t width) {
  if (pos + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool ParseTime(std::string_view text, DateParts& parts) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
  const auto hour = Digits(text, 0, 2), minute = Digits(text, 3, 2), second = Digits(text, 6, 2);
  if (!hour || !minute || !second) return false;
  parts.hour = *hour, parts.minute = *minute, parts.second = *second;
  return true;
}

bool ParseDate(std::string_view text, DateParts& parts) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  if (!year || !month || !day) return false;
  parts.year = *year, parts.month = *month, parts.day = *day;
  return true;
}

}  // namespace

std::optional<double> OleDate::FromParts(const DateParts& p) {
  if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
      p.day > DaysInMonth(p.year, p.month) || p.hour < 0 || p.hour > 23 || p.minute < 0 ||
      p.minute > 59 || p.second < 0 || p.second > 59) {
    return std::nullopt;
  }
  const long long day = DaysFromCivil(p.year, p.month, p.day) - kOleEpochFromUnix;
  const double fraction =
      static_cast<double>(p.hour * 3600 + p.minute * 60 + p.second) / kSecondsPerDay;
  // Before day 0 the time still counts forward from midnight, so it moves the
  // value away from zero: -1.25 is 1899-12-29 06:00.
  return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

std::optional<DateParts> OleDate::ToParts(double oleDate) {
  // Outside ±3 million days no year fits in 100..9999; checking first keeps the
  // conversions below in range.
  if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3.0e6) return std::nullopt;
  long long day = static_cast<long long>(std::trunc(oleDate));
  long long seconds = std::llround(std::fabs(oleDate - static_cast<double>(day)) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++day;
  }
  DateParts parts{};
  CivilFromDays(day + kOleEpochFromUnix, parts);
  if (parts.year < 100 || parts.year > 9999) return std::nullopt;
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

std::optional<double> OleDate::Parse(std::string_view text, bool timeOfDay) {
  DateParts parts{1899, 12, 30, 0, 0, 0};
  if (timeOfDay && ParseTime(text, parts)) return FromParts(parts);
  if (text.size() == 10) {
    if (!ParseDate(text, parts)) return std::nullopt;
  } else if (text.size() != 19 || text[10] != 'T' || !ParseDate(text.substr(0, 10), parts) ||
             !ParseTime(text.substr(11), parts)) {
    return std::nullopt;
  }
  return FromParts(parts);
}

std::optional<std::string> OleDate::Format(double oleDate, bool timeOfDay) {
  const auto parts = ToParts(oleDate);
  if (!parts) return std::nullopt;
  char text[80];
  if (timeOfDay && parts->year == 1899 && parts->month == 12 && parts->day == 30) {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts->hour, parts->minute, parts->second);
  } else {
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", parts->year, parts->month,
                  parts->day, parts->hour, parts->minute, parts->second);
  }
  return std::string(text);
}

}  // namespace kelvra::store
