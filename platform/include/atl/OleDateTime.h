// ATL's automation date and date span (COleDateTime, COleDateTimeSpan).
//
// A date is an OLE DATE: days since 1899-12-30 00:00 with the time of day as a
// fraction that counts away from day 0 on both sides (-1.25 is 1899-12-29 06:00).
// Every computation is done on whole seconds, so a value that went through
// arithmetic reads back exactly. Valid dates lie in the years 100 to 9999; anything
// that would leave that range makes the result invalid.
#pragma once

#include <string>

#include "com/variant.h"
#include "win32/base.h"

class COleDateTimeSpan {
 public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

  // A zero span.
  COleDateTimeSpan();
  // A span of that many days (the fraction is the time), rounded to the second.
  COleDateTimeSpan(double days);  // NOLINT: implicit as ATL's
  COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

  DateTimeSpanStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeSpanStatus status) { m_status = status; }
  void SetDateTimeSpan(LONG days, int hours, int minutes, int seconds);

  double GetTotalDays() const;
  double GetTotalHours() const;
  double GetTotalMinutes() const;
  double GetTotalSeconds() const;
  // The parts of the span; all carry its sign.
  LONG GetDays() const;
  LONG GetHours() const;
  LONG GetMinutes() const;
  LONG GetSeconds() const;

  COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-() const;
  COleDateTimeSpan& operator+=(const COleDateTimeSpan& other);
  COleDateTimeSpan& operator-=(const COleDateTimeSpan& other);

  bool operator==(const COleDateTimeSpan& other) const;
  bool operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
  bool operator<(const COleDateTimeSpan& other) const;
  bool operator>(const COleDateTimeSpan& other) const { return other < *this; }
  bool operator<=(const COleDateTimeSpan& other) const { return !(other < *this); }
  bool operator>=(const COleDateTimeSpan& other) const { return !(*this < other); }

  double m_span;
  DateTimeSpanStatus m_status;
};

class COleDateTime {
 public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  // 1899-12-30 00:00, valid.
  COleDateTime();
  // Invalid when the date lies outside the years 100 to 9999 or is not a number.
  COleDateTime(DATE date);  // NOLINT: implicit as ATL's
  // Invalid when a field is out of range (month 1-12, day of that month, hour 0-23,
  // minute and second 0-59) or the year outside 100 to 9999.
  COleDateTime(int year, int month, int day, int hour, int minute, int second);
  // wMilliseconds is ignored; wDayOfWeek is not read.
  explicit COleDateTime(const SYSTEMTIME& time);

  // The settable clock's local time.
  static COleDateTime GetCurrentTime();

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }

  // 0 when valid, else 1 with the status invalid.
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  int SetDate(int year, int month, int day);
  int SetTime(int hour, int minute, int second);

  // Each is -1 (AFX_OLE_DATETIME_ERROR) when the date is not valid.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  // 1 = Sunday ... 7 = Saturday.
  int GetDayOfWeek() const;
  // 1 = 1 January.
  int GetDayOfYear() const;

  // false when the date is not valid; wMilliseconds is 0, wDayOfWeek 0 = Sunday.
  bool GetAsSystemTime(SYSTEMTIME& time) const;

  operator DATE() const { return m_dt; }  // NOLINT: implicit as ATL's
  COleDateTime& operator=(DATE date);

  // Two valid dates compare by their instant (to the second); otherwise dates are
  // equal when their statuses are, and none is less than another.
  bool operator==(const COleDateTime& other) const;
  bool operator!=(const COleDateTime& other) const { return !(*this == other); }
  bool operator<(const COleDateTime& other) const;
  bool operator>(const COleDateTime& other) const { return other < *this; }
  bool operator<=(const COleDateTime& other) const { return !(other < *this); }
  bool operator>=(const COleDateTime& other) const { return !(*this < other); }

  // An invalid date or span gives an invalid result; so does a result outside the
  // OLE range.
  COleDateTime operator+(const COleDateTimeSpan& span) const;
  COleDateTime operator-(const COleDateTimeSpan& span) const;
  COleDateTime& operator+=(const COleDateTimeSpan& span);
  COleDateTime& operator-=(const COleDateTimeSpan& span);
  COleDateTimeSpan operator-(const COleDateTime& other) const;

  // strftime-style: %Y %y %m %d %H %I %M %S %p %j %a %A %b %B %%; other characters
  // stand as they are. An invalid date formats as "Invalid DateTime", a null one as "".
  std::string Format(const char* format) const;

  DATE m_dt;
  DateTimeStatus m_status;
};
