#include "calendar/CalendarDateText.h"

namespace {

char* PutTwoDigits(int value, char* at) {
  at[0] = static_cast<char>('0' + value / 10);
  at[1] = static_cast<char>('0' + value % 10);
  return at + 2;
}

}  // namespace

void AppendCalendarYear(const COleDateTime& date, std::string& out) {
  const int year = date.GetStatus() == COleDateTime::valid ? date.GetYear() : -1;
  if (year < 0) {
    out += "-001";
    return;
  }
  char text[4];
  PutTwoDigits(year % 100, PutTwoDigits(year / 100, text));
  out.append(text, sizeof text);
}

void AppendCalendarDate(const COleDateTime& date, bool utc, bool withTime, std::string& out) {
  AppendCalendarYear(date, out);
  SYSTEMTIME parts{};
  if (date.GetStatus() != COleDateTime::valid || !date.GetAsSystemTime(parts)) parts = SYSTEMTIME{};
  char text[12];
  char* at = PutTwoDigits(parts.wDay, PutTwoDigits(parts.wMonth, text));
  if (withTime) {
    *at++ = 'T';
    at = PutTwoDigits(parts.wSecond, PutTwoDigits(parts.wMinute, PutTwoDigits(parts.wHour, at)));
    if (utc) *at++ = 'Z';
  }
  out.append(text, static_cast<size_t>(at - text));
}
