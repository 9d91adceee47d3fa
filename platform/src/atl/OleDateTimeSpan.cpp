#include <cmath>

#include "atl/OleDateTime.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Far beyond any span between two OLE dates, yet exact in seconds.
constexpr double kLargestDays = 1e9;

// A span too large to count in seconds (or not a number) counts as none; such a span
// is invalid anyway.
LONGLONG SecondsOf(double days) {
  if (!std::isfinite(days) || std::fabs(days) > kLargestDays) return 0;
  return std::llround(days * kSecondsPerDay);
}

double DaysOf(LONGLONG seconds) { return static_cast<double>(seconds) / kSecondsPerDay; }

}  // namespace

COleDateTimeSpan::COleDateTimeSpan() : m_span(0.0), m_status(valid) {}

COleDateTimeSpan::COleDateTimeSpan(double days)
    : m_span(DaysOf(SecondsOf(days))),
      m_status(std::isfinite(days) && std::fabs(days) <= kLargestDays ? valid : invalid) {}

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds) {
  SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG days, int hours, int minutes, int seconds) {
  m_span = DaysOf(static_cast<LONGLONG>(days) * 86400 + static_cast<LONGLONG>(hours) * 3600 +
                  static_cast<LONGLONG>(minutes) * 60 + seconds);
  m_status = valid;
}

double COleDateTimeSpan::GetTotalDays() const { return m_span; }
double COleDateTimeSpan::GetTotalHours() const {
  return static_cast<double>(SecondsOf(m_span)) / 3600;
}
double COleDateTimeSpan::GetTotalMinutes() const {
  return static_cast<double>(SecondsOf(m_span)) / 60;
}
double COleDateTimeSpan::GetTotalSeconds() const { return static_cast<double>(SecondsOf(m_span)); }

LONG COleDateTimeSpan::GetDays() const { return static_cast<LONG>(SecondsOf(m_span) / 86400); }
LONG COleDateTimeSpan::GetHours() const { return static_cast<LONG>(SecondsOf(m_span) / 3600 % 24); }
LONG COleDateTimeSpan::GetMinutes() const { return static_cast<LONG>(SecondsOf(m_span) / 60 % 60); }
LONG COleDateTimeSpan::GetSeconds() const { return static_cast<LONG>(SecondsOf(m_span) % 60); }

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
  COleDateTimeSpan sum(DaysOf(SecondsOf(m_span) + SecondsOf(other.m_span)));
  if (m_status != valid || other.m_status != valid) sum.m_status = invalid;
  return sum;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const {
  return *this + (-other);
}

COleDateTimeSpan COleDateTimeSpan::operator-() const {
  COleDateTimeSpan negated(-m_span);
  negated.m_status = m_status;
  return negated;
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other) {
  return *this = *this + other;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other) {
  return *this = *this - other;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const {
  return m_status == other.m_status && SecondsOf(m_span) == SecondsOf(other.m_span);
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& other) const {
  return m_status == valid && other.m_status == valid &&
         SecondsOf(m_span) < SecondsOf(other.m_span);
}
