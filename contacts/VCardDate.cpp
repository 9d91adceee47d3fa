#include "contacts/VCardDate.h"

#include <chrono>
#include <cmath>

namespace {

constexpr long long kSecondsPerDay = 86400;
// Beyond these no value can round into the years 100 to 9999; checking first keeps
// the conversions below in range.
constexpr DATE kBeforeFirstDay = -657435.0;
constexpr DATE kAfterLastDay = 2958466.0;

constexpr std::chrono::sys_days kOleEpoch{std::chrono::year{1899} / 12 / 30};

// The number in exactly `digits` decimal digits, leading zeros included.
void AppendDigits(unsigned number, int digits, std::string& text) {
  char buffer[4];
  for (int i = digits - 1; i >= 0; --i, number /= 10)
    buffer[i] = static_cast<char>('0' + number % 10);
  text.append(buffer, static_cast<size_t>(digits));
}

}  // namespace

bool VCardDate::Split(DATE date, SYSTEMTIME& parts) {
  if (!(date > kBeforeFirstDay && date < kAfterLastDay)) return false;
  // The fraction is the time of day on either side of the epoch: -1.25 is 06:00 on
  // the day before it.
  const double whole = std::trunc(date);
  long long day = static_cast<long long>(whole);
  long long seconds = std::llround(std::fabs(date - whole) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++day;
    seconds = 0;
  }
  const std::chrono::year_month_day ymd{kOleEpoch + std::chrono::days{day}};
  const int year = static_cast<int>(ymd.year());
  if (year < 100 || year > 9999) return false;
  parts = SYSTEMTIME{};
  parts.wYear = static_cast<WORD>(year);
  parts.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
  parts.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
  parts.wHour = static_cast<WORD>(seconds / 3600);
  parts.wMinute = static_cast<WORD>(seconds / 60 % 60);
  parts.wSecond = static_cast<WORD>(seconds % 60);
  return true;
}

bool VCardDate::Append(DATE date, bool withTime, std::string& text) {
  SYSTEMTIME parts;
  if (date == kNoDate || !Split(date, parts)) return false;
  AppendDigits(parts.wYear, 4, text);
  AppendDigits(parts.wMonth, 2, text);
  AppendDigits(parts.wDay, 2, text);
  if (withTime) {
    text += 'T';
    AppendDigits(parts.wHour, 2, text);
    AppendDigits(parts.wMinute, 2, text);
    AppendDigits(parts.wSecond, 2, text);
  }
  return true;
}
