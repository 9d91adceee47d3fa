#include "time/CalendarMath.h"

#include <array>

namespace kelvra::platform {
namespace {

constexpr std::uint64_t kTicksPerDay = 86'400 * kTicksPerSecond;
constexpr std::uint64_t kLargestFileTime = 0x7FFF'FFFF'FFFF'FFFFull;

// 1601 opens a 400-year cycle, so whole cycles can be peeled off from it.
constexpr std::int64_t kDaysPer400Years = 146'097;
constexpr std::int64_t kDaysPer100Years = 36'524;
constexpr std::int64_t kDaysPer4Years = 1'461;
constexpr std::int64_t kDaysPerYear = 365;
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

// 1601-01-01 was a Monday.
constexpr int kFirstDayOfWeek = 1;

constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  return kMonthDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

std::int64_t DaysBeforeYear(int year) {
  const std::int64_t years = year - kFirstYear;
  return years * kDaysPerYear + years / 4 - years / 100 + years / 400;
}

// Fills year, month and day from a day count since 1601-01-01.
void SplitDays(std::int64_t days, SYSTEMTIME& fields) {
  const std::int64_t cycles400 = days / kDaysPer400Years;
  days %= kDaysPer400Years;
  // The last century and the last year of a cycle are one day longer: cap them.
  std::int64_t centuries = days / kDaysPer100Years;
  if (centuries == 4) centuries = 3;
  days -= centuries * kDaysPer100Years;
  const std::int64_t olympiads = days / kDaysPer4Years;
  days %= kDaysPer4Years;
  std::int64_t years = days / kDaysPerYear;
  if (years == 4) years = 3;
  days -= years * kDaysPerYear;

  const int year =
      static_cast<int>(kFirstYear + cycles400 * 400 + centuries * 100 + olympiads * 4 + years);
  int month = 1;
  while (days >= DaysInMonth(year, month)) {
    days -= DaysInMonth(year, month);
    ++month;
  }
  fields.wYear = static_cast<WORD>(year);
  fields.wMonth = static_cast<WORD>(month);
  fields.wDay = static_cast<WORD>(days + 1);
}

bool FieldsInRange(const SYSTEMTIME& f) {
  return f.wYear >= kFirstYear && f.wYear <= kLastYear && f.wMonth >= 1 && f.wMonth <= 12 &&
         f.wDay >= 1 && f.wDay <= DaysInMonth(f.wYear, f.wMonth) && f.wHour < 24 &&
         f.wMinute < 60 && f.wSecond < 60 && f.wMilliseconds < 1000;
}

}  // namespace

bool FileTimeToFields(std::uint64_t fileTime, SYSTEMTIME& fields) {
  if (fileTime > kLargestFileTime) return false;
  const auto days = static_cast<std::int64_t>(fileTime / kTicksPerDay);
  std::uint64_t rest = fileTime % kTicksPerDay;
  SplitDays(days, fields);
  fields.wDayOfWeek = static_cast<WORD>((days + kFirstDayOfWeek) % 7);
  fields.wMilliseconds = static_cast<WORD>(rest / kTicksPerMillisecond % 1000);
  rest /= kTicksPerSecond;
  fields.wSecond = static_cast<WORD>(rest % 60);
  fields.wMinute = static_cast<WORD>(rest / 60 % 60);
  fields.wHour = static_cast<WORD>(rest / 3600);
  return true;
}

bool FieldsToFileTime(const SYSTEMTIME& fields, std::uint64_t& fileTime) {
  if (!FieldsInRange(fields)) return false;
  std::int64_t days = DaysBeforeYear(fields.wYear) + fields.wDay - 1;
  for (int month = 1; month < fields.wMonth; ++month) days += DaysInMonth(fields.wYear, month);
  const std::uint64_t seconds = static_cast<std::uint64_t>(days) * 86'400 + fields.wHour * 3600u +
                                fields.wMinute * 60u + fields.wSecond;
  fileTime = seconds * kTicksPerSecond + fields.wMilliseconds * kTicksPerMillisecond;
  return true;
}

}  // namespace kelvra::platform
