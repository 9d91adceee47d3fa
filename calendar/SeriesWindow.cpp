#include "calendar/SeriesWindow.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr std::int64_t kDaySeconds = 86400;
constexpr int kAllDays = 0x7F;
constexpr int kLastInstance = 5;
// The last month a date can lie in (December 9999), counted from year 0.
constexpr std::int64_t kLastMonth = 9999LL * 12 + 11;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && (a < 0)); }

// Days from 1899-12-30, as OLE dates count them at midnight.
std::optional<std::int64_t> DayOf(int year, int month, int day) {
  const COleDateTime date(year, month, day, 0, 0, 0);
  if (date.GetStatus() != COleDateTime::valid) return std::nullopt;
  return static_cast<std::int64_t>(std::llround(date.m_dt));
}

std::int64_t DayOf(const COleDateTime& date) {
  return DayOf(date.GetYear(), date.GetMonth(), date.GetDay()).value_or(0);
}

std::int64_t SecondOfDay(const COleDateTime& date) {
  return date.GetHour() * 3600LL + date.GetMinute() * 60LL + date.GetSecond();
}

std::int64_t SecondsOf(const COleDateTime& date) {
  return DayOf(date) * kDaySeconds + SecondOfDay(date);
}

// 0 Sunday ... 6 Saturday; day 0 was a Saturday.
int WeekdayOf(std::int64_t day) { return static_cast<int>(((day % 7) + 13) % 7); }

int DaysInMonth(int year, int month) {
  const std::optional<std::int64_t> first = DayOf(year, month, 1);
  const std::optional<std::int64_t> next =
      month == 12 ? DayOf(year + 1, 1, 1) : DayOf(year, month + 1, 1);
  return first && next ? static_cast<int>(*next - *first) : 31;
}

// The rule's day in that month: the day of month (the month's last day when it is
// shorter) or the nth of the rule's weekdays.
std::optional<std::int64_t> DayInMonth(const SeriesWindow::Rule& rule, bool byWeekday, int year,
                                       int month) {
  const std::optional<std::int64_t> first = DayOf(year, month, 1);
  if (!first) return std::nullopt;
  const int length = DaysInMonth(year, month);
  if (!byWeekday) return *first + std::min(rule.dayOfMonth, length) - 1;
  std::vector<std::int64_t> matching;
  for (std::int64_t day = *first; day < *first + length; ++day) {
    if ((rule.dayMask >> WeekdayOf(day)) & 1) matching.push_back(day);
  }
  if (matching.empty()) return std::nullopt;
  if (rule.instance >= kLastInstance) return matching.back();
  if (static_cast<std::size_t>(rule.instance) > matching.size()) return std::nullopt;
  return matching[static_cast<std::size_t>(rule.instance) - 1];
}

// The fields Outlook takes from the first start when a rule leaves them out.
SeriesWindow::Rule Completed(SeriesWindow::Rule rule, const COleDateTime& firstStart) {
  rule.interval = std::max(rule.interval, 1);
  rule.dayMask &= kAllDays;
  if (rule.dayMask == 0) rule.dayMask = 1 << (firstStart.GetDayOfWeek() - 1);
  if (rule.dayOfMonth < 1 || rule.dayOfMonth > 31) rule.dayOfMonth = firstStart.GetDay();
  if (rule.monthOfYear < 1 || rule.monthOfYear > 12) rule.monthOfYear = firstStart.GetMonth();
  if (rule.instance < 1 || rule.instance > kLastInstance)
    rule.instance = (firstStart.GetDay() - 1) / 7 + 1;
  return rule;
}

}  // namespace

bool SeriesWindow::HasOccurrenceIn(const Rule& given, const COleDateTime& firstStart,
                                   const COleDateTimeSpan& duration, const COleDateTime& from,
                                   const COleDateTime& to) {
  if (firstStart.GetStatus() != COleDateTime::valid || from.GetStatus() != COleDateTime::valid ||
      to.GetStatus() != COleDateTime::valid)
    return true;
  const Rule rule = Completed(given, firstStart);
  const std::int64_t clock = SecondOfDay(firstStart);
  const std::int64_t length =
      duration.GetStatus() == COleDateTimeSpan::valid
          ? std::max<std::int64_t>(0, std::llround(duration.GetTotalSeconds()))
          : 0;
  const std::int64_t fromSecond = SecondsOf(from);
  const std::int64_t toSecond = SecondsOf(to);
  // Occurrences on these days may overlap the window; later ones start after it.
  const std::int64_t fromDay = FloorDiv(fromSecond - clock - length, kDaySeconds);
  std::int64_t lastDay = FloorDiv(toSecond - clock - 1, kDaySeconds);
  if (rule.lastDay && rule.lastDay->GetStatus() == COleDateTime::valid)
    lastDay = std::min(lastDay, DayOf(*rule.lastDay));
  int left = rule.occurrences;
  bool found = false;
  Walk(rule, DayOf(firstStart), left > 0 ? DayOf(firstStart) : fromDay, lastDay,
       [&](std::int64_t day) {
         const std::int64_t start = day * kDaySeconds + clock;
         found = start < toSecond && start + length > fromSecond;
         return !found && (rule.occurrences <= 0 || --left > 0);
       });
  return found;
}

void SeriesWindow::Walk(const Rule& rule, std::int64_t firstDay, std::int64_t fromDay,
                        std::int64_t lastDay, const Visit& visit) {
  fromDay = std::max(fromDay, firstDay);
  switch (rule.type) {
    case 0: {
      // The first day of the interval's rhythm on or after fromDay.
      const std::int64_t step = rule.interval;
      for (std::int64_t day = firstDay + (fromDay - firstDay + step - 1) / step * step;
           day <= lastDay; day += step) {
        if (!visit(day)) return;
      }
      return;
    }
    case 1:
      return WalkWeeks(rule, firstDay, fromDay, lastDay, visit);
    case 2:
    case 3:
    case 5:
    case 6:
      return WalkMonths(rule, firstDay, fromDay, lastDay, visit);
    default:
      return;
  }
}

void SeriesWindow::WalkWeeks(const Rule& rule, std::int64_t firstDay, std::int64_t fromDay,
                             std::int64_t lastDay, const Visit& visit) {
  const std::int64_t step = 7LL * rule.interval;
  const std::int64_t firstWeek = firstDay - WeekdayOf(firstDay);
  for (std::int64_t week = firstWeek + (fromDay - firstWeek) / step * step; week <= lastDay;
       week += step) {
    for (std::int64_t day = std::max(week, fromDay); day < week + 7 && day <= lastDay; ++day) {
      if (((rule.dayMask >> WeekdayOf(day)) & 1) && !visit(day)) return;
    }
  }
}

void SeriesWindow::WalkMonths(const Rule& rule, std::int64_t firstDay, std::int64_t fromDay,
                              std::int64_t lastDay, const Visit& visit) {
  const bool yearly = rule.type == 5 || rule.type == 6;
  const bool byWeekday = rule.type == 3 || rule.type == 6;
  const std::int64_t step = yearly ? 12 : rule.interval;
  const COleDateTime first(static_cast<DATE>(firstDay));
  const COleDateTime from(static_cast<DATE>(fromDay));
  const std::int64_t firstMonth =
      first.GetYear() * 12LL + (yearly ? rule.monthOfYear : first.GetMonth()) - 1;
  const std::int64_t fromMonth = from.GetYear() * 12LL + from.GetMonth() - 1;
  std::int64_t month = firstMonth;
  if (fromMonth > firstMonth) month += (fromMonth - firstMonth) / step * step;
  for (; month <= kLastMonth; month += step) {
    const int year = static_cast<int>(month / 12);
    const std::optional<std::int64_t> monthStart = DayOf(year, static_cast<int>(month % 12) + 1, 1);
    if (!monthStart || *monthStart > lastDay) return;
    const std::optional<std::int64_t> day =
        DayInMonth(rule, byWeekday, year, static_cast<int>(month % 12) + 1);
    if (day && *day >= fromDay && *day <= lastDay && !visit(*day)) return;
  }
}
