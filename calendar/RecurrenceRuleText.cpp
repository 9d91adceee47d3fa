#include "calendar/RecurrenceRuleText.h"

#include <algorithm>
#include <cstdio>

#include "addin/RegKey.h"

namespace {

constexpr char kDayCodes[] = "SUMOTUWETHFRSA";
constexpr int kDaysPerWeek = 7;
constexpr long kLastInstance = 5;

const char* DayCode(int day) { return kDayCodes + 2 * day; }

// The set days, Sunday first, each after the separator: " MO WE" or ",MO,WE".
std::string DayList(long mask, char separator) {
  std::string days;
  for (int day = 0; day < kDaysPerWeek; ++day) {
    if ((mask & (1L << day)) == 0) continue;
    days += separator;
    days.append(DayCode(day), 2);
  }
  return days;
}

void AppendFormatted(std::string& out, const char* format, auto... values) {
  char text[160];
  const int length = std::snprintf(text, sizeof text, format, values...);
  if (length > 0) out.append(text, static_cast<size_t>(std::min<int>(length, sizeof text - 1)));
}

}  // namespace

void AppendVCalendarRule(const RecurrenceRule& rule, std::string& out) {
  const long n = rule.interval > 0 ? rule.interval : 1;
  const std::string days = DayList(rule.dayOfWeekMask, ' ');
  const long end = rule.noEndDate ? 0 : rule.occurrences;
  switch (rule.type) {
    case Outlook::olRecursDaily:
      if (rule.interval != 0) {
        AppendFormatted(out, "D%ld", rule.interval);
      } else {
        AppendFormatted(out, "W1%s", days.c_str());
      }
      break;
    case Outlook::olRecursWeekly:
      AppendFormatted(out, "W%ld%s", n, days.c_str());
      break;
    case Outlook::olRecursMonthly:
      AppendFormatted(out, "MD%ld %ld", n, rule.dayOfMonth);
      break;
    case Outlook::olRecursMonthNth:
      AppendFormatted(out, "MP%ld %ld+%s", n, rule.instance, days.c_str());
      break;
    case Outlook::olRecursYearly:
    case Outlook::olRecursYearNth:
      AppendFormatted(out, "YM1 %ld", rule.monthOfYear);
      break;
    default:
      break;
  }
  // The end belongs to the first part; a yearly rule's day follows as a second part.
  AppendFormatted(out, " #%ld", end);
  if (rule.type == Outlook::olRecursYearly) AppendFormatted(out, " MD1 %ld", rule.dayOfMonth);
  if (rule.type == Outlook::olRecursYearNth)
    AppendFormatted(out, " MP1 %ld+%s", rule.instance, days.c_str());
}

void AppendICalendarRule(const RecurrenceRule& rule, int weekStart, std::string& out) {
  char count[32] = "";
  if (!rule.noEndDate) std::snprintf(count, sizeof count, ";COUNT=%ld", rule.occurrences);
  const long interval = rule.interval > 0 ? rule.interval : 1;
  const std::string dayList = DayList(rule.dayOfWeekMask, ',');
  const char* days = dayList.empty() ? "" : dayList.c_str() + 1;
  const long position = rule.instance == kLastInstance ? -1 : rule.instance;
  switch (rule.type) {
    case Outlook::olRecursDaily:
      AppendFormatted(out, "FREQ=DAILY%s;INTERVAL=%ld", count, interval);
      if (rule.interval == 0) AppendFormatted(out, ";BYDAY=%s", days);
      break;
    case Outlook::olRecursWeekly:
      AppendFormatted(out, "FREQ=%s%s;INTERVAL=%ld;BYDAY=%s",
                      rule.interval != 0 ? "WEEKLY" : "DAILY", count, interval, days);
      break;
    case Outlook::olRecursMonthly:
      AppendFormatted(out, "FREQ=MONTHLY%s;INTERVAL=%ld;BYMONTHDAY=%ld", count, interval,
                      rule.dayOfMonth);
      break;
    case Outlook::olRecursMonthNth:
      AppendFormatted(out, "FREQ=MONTHLY%s;INTERVAL=%ld;BYDAY=%s;BYSETPOS=%ld", count, interval,
                      days, position);
      break;
    case Outlook::olRecursYearly:
      AppendFormatted(out, "FREQ=YEARLY%s;INTERVAL=1;BYMONTHDAY=%ld;BYMONTH=%ld", count,
                      rule.dayOfMonth, rule.monthOfYear);
      break;
    case Outlook::olRecursYearNth:
      AppendFormatted(out, "FREQ=YEARLY%s;INTERVAL=1;BYDAY=%s;BYMONTH=%ld;BYSETPOS=%ld", count,
                      days, rule.monthOfYear, position);
      break;
    default:
      break;
  }
  if (weekStart >= 0 && weekStart < kDaysPerWeek) {
    out += ";WKST=";
    out.append(DayCode(weekStart), 2);
  }
}

int ReadFirstDayOfWeek(int outlookVersion) {
  char path[96];
  std::snprintf(path, sizeof path, "Software\\Microsoft\\Office\\%d.0\\Outlook\\Options\\Calendar",
                outlookVersion);
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE) != ERROR_SUCCESS) return -1;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key.Get(), "FirstDOW", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || value > 6) {
    return -1;
  }
  return static_cast<int>(value);
}
