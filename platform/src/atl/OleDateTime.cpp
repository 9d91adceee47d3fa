#include "atl/OleDateTime.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "atl/OleSeconds.h"
#include "win32/time.h"

using kelvra::atl::CivilTime;
using kelvra::atl::OleSeconds;

namespace {

constexpr int kNotValid = -1;

const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

std::string Number(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

// Spans longer than the OLE range cannot move a date anywhere valid.
std::optional<LONGLONG> SecondsOfSpan(const COleDateTimeSpan& span) {
  constexpr double kLongestDays = 4e6;
  if (span.GetStatus() != COleDateTimeSpan::valid || !std::isfinite(span.m_span) ||
      std::fabs(span.m_span) > kLongestDays) {
    return std::nullopt;
  }
  return std::llround(span.m_span * 86400.0);
}

}  // namespace

COleDateTime::COleDateTime() : m_dt(0.0), m_status(valid) {}

COleDateTime::COleDateTime(DATE date) { *this = date; }

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
  SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time)
    : COleDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond) {}

COleDateTime COleDateTime::GetCurrentTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return COleDateTime(now);
}

COleDateTime& COleDateTime::operator=(DATE date) {
  m_dt = date;
  m_status = OleSeconds::FromDate(date).has_value() ? valid : invalid;
  return *this;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  const std::optional<LONGLONG> seconds =
      OleSeconds::FromCivil(CivilTime{year, month, day, hour, minute, second});
  if (!seconds.has_value()) {
    m_dt = 0.0;
    m_status = invalid;
    return 1;
  }
  m_dt = OleSeconds::ToDate(*seconds);
  m_status = valid;
  return 0;
}

int COleDateTime::SetDate(int year, int month, int day) {
  return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
  return SetDateTime(1899, 12, 30, hour, minute, second);
}

namespace {

std::optional<CivilTime> CivilOf(const COleDateTime& date) {
  if (date.GetStatus() != COleDateTime::valid) return std::nullopt;
  const std::optional<LONGLONG> seconds = OleSeconds::FromDate(date.m_dt);
  if (!seconds.has_value()) return std::nullopt;
  return OleSeconds::ToCivil(*seconds);
}

std::optional<LONGLONG> SecondsOfDate(const COleDateTime& date) {
  if (date.GetStatus() != COleDateTime::valid) return std::nullopt;
  return OleSeconds::FromDate(date.m_dt);
}

}  // namespace

int COleDateTime::GetYear() const {
  const auto civil = CivilOf(*this);
  return civil ? civil->year : kNotValid;
}

int COleDateTime::GetMonth() const {
  const auto civil = CivilOf(*this);
  return civil ? civil->month : kNotValid;
}

int COleDateTime::GetDay() const {
  const auto civil = CivilOf(*this);
  return civil ? civil->day : kNotValid;
}

int COleDateTime::GetHour() const {
  const auto civil = CivilOf(*this);
  return civil ? civil->hour : kNotValid;
}

int COleDateTime::GetMinute() const {
  const auto civil = CivilOf(*this);
  return civil ? civil->minute : kNotValid;
}

int COleDateTime::GetSecond() const {
  const auto civil = CivilOf(*this);
  return civil ? civil->second : kNotValid;
}

int COleDateTime::GetDayOfWeek() const {
  const auto seconds = SecondsOfDate(*this);
  return seconds ? OleSeconds::DayOfWeek(*seconds) + 1 : kNotValid;
}

int COleDateTime::GetDayOfYear() const {
  const auto seconds = SecondsOfDate(*this);
  return seconds ? OleSeconds::DayOfYear(*seconds) : kNotValid;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
  const auto seconds = SecondsOfDate(*this);
  if (!seconds) return false;
  const CivilTime civil = OleSeconds::ToCivil(*seconds);
  time = SYSTEMTIME{static_cast<WORD>(civil.year),
                    static_cast<WORD>(civil.month),
                    static_cast<WORD>(OleSeconds::DayOfWeek(*seconds)),
                    static_cast<WORD>(civil.day),
                    static_cast<WORD>(civil.hour),
                    static_cast<WORD>(civil.minute),
                    static_cast<WORD>(civil.second),
                    0};
  return true;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
  const auto mine = SecondsOfDate(*this);
  const auto theirs = SecondsOfDate(other);
  if (mine && theirs) return *mine == *theirs;
  return m_status == other.m_status && !mine && !theirs;
}

bool COleDateTime::operator<(const COleDateTime& other) const {
  const auto mine = SecondsOfDate(*this);
  const auto theirs = SecondsOfDate(other);
  return mine && theirs && *mine < *theirs;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
  COleDateTime result;
  const auto seconds = SecondsOfDate(*this);
  const auto offset = SecondsOfSpan(span);
  if (!seconds || !offset || !OleSeconds::InRange(*seconds + *offset)) {
    result.m_status = invalid;
    return result;
  }
  result.m_dt = OleSeconds::ToDate(*seconds + *offset);
  return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const { return *this + (-span); }

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span) {
  return *this = *this + span;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span) {
  return *this = *this - span;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
  const auto mine = SecondsOfDate(*this);
  const auto theirs = SecondsOfDate(other);
  COleDateTimeSpan span;
  if (!mine || !theirs) {
    span.SetStatus(COleDateTimeSpan::invalid);
    return span;
  }
  span.m_span = static_cast<double>(*mine - *theirs) / 86400.0;
  return span;
}

namespace {

std::string FormatField(char field, const CivilTime& civil, LONGLONG seconds) {
  switch (field) {
    case 'Y':
      return Number(civil.year, 4);
    case 'y':
      return Number(civil.year % 100, 2);
    case 'm':
      return Number(civil.month, 2);
    case 'd':
      return Number(civil.day, 2);
    case 'H':
      return Number(civil.hour, 2);
    case 'I':
      return Number(civil.hour % 12 == 0 ? 12 : civil.hour % 12, 2);
    case 'M':
      return Number(civil.minute, 2);
    case 'S':
      return Number(civil.second, 2);
    case 'p':
      return civil.hour < 12 ? "AM" : "PM";
    case 'j':
      return Number(OleSeconds::DayOfYear(seconds), 3);
    case 'A':
      return kDayNames[OleSeconds::DayOfWeek(seconds)];
    case 'a':
      return std::string(kDayNames[OleSeconds::DayOfWeek(seconds)], 3);
    case 'B':
      return kMonthNames[civil.month - 1];
    case 'b':
      return std::string(kMonthNames[civil.month - 1], 3);
    case '%':
      return "%";
    default:
      return std::string("%") + field;
  }
}

}  // namespace

std::string COleDateTime::Format(const char* format) const {
  if (m_status == null) return "";
  const auto seconds = SecondsOfDate(*this);
  if (!seconds) return "Invalid DateTime";
  const CivilTime civil = OleSeconds::ToCivil(*seconds);
  std::string text;
  for (const char* at = format; *at != '\0'; ++at) {
    if (*at != '%' || at[1] == '\0') {
      text += *at;
      continue;
    }
    text += FormatField(*++at, civil, *seconds);
  }
  return text;
}
