#include "contacts/VCardDate.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

constexpr long long kSecondsPerDay = 86400;
// Beyond these no value can round into the years 100 to 9999; checking first keeps
// the conversions below in range.
constexpr DATE kBeforeFirstDay = -657435.0;
constexpr DATE kAfterLastDay = 2958466.0;

constexpr std::chrono::sys_days kOleEpoch{std::chrono::year{1899} / 12 / 30};

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
  char buffer[24];
  const int length =
      withTime ? std::snprintf(buffer, sizeof buffer, "%04d%02d%02dT%02d%02d%02d", parts.wYear,
                               parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond)
               : std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", parts.wYear, parts.wMonth,
                               parts.wDay);
  text.append(buffer, static_cast<size_t>(length));
  return true;
}
