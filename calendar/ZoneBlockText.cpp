#include "calendar/ZoneBlockText.h"

#include <cstdio>

#include "calendar/CalendarDateText.h"
#include "calendar/TimezoneRules.h"

namespace {

// The transitions written are those of this year.
constexpr int kTransitionYear = 1980;
// Two letters a weekday, Sunday first.
constexpr char kDayCodes[] = "SUMOTUWETHFRSA";

long long StandardOffset(const TimezoneStruct& zone) {
  return static_cast<long long>(zone.Bias) + zone.StandardBias;
}

long long DaylightOffset(const TimezoneStruct& zone) {
  return static_cast<long long>(zone.Bias) + zone.DaylightBias;
}

void AppendTransition(const SYSTEMTIME& rule, std::string& out) {
  AppendCalendarDate(GetTransitionDate(kTransitionYear, rule), false, true, out);
}

void AppendOffsetLine(const char* name, long long offset, std::string& out) {
  out += name;
  AppendZoneOffset(offset, false, out);
  out += "\r\n";
}

// The yearly rule of a transition: the week (the last one as -1, week 0 as the first, as
// the zone arithmetic reads it), the weekday and the month. A weekday out of range has no
// day code.
void AppendYearlyRule(const SYSTEMTIME& rule, std::string& out) {
  char text[96];
  const int week = rule.wDay == 5 ? -1 : (rule.wDay == 0 ? 1 : rule.wDay);
  const int length =
      std::snprintf(text, sizeof text, "RRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=%d%.*s;BYMONTH=%d\r\n",
                    week, rule.wDayOfWeek <= 6 ? 2 : 0,
                    kDayCodes + 2 * (rule.wDayOfWeek <= 6 ? rule.wDayOfWeek : 0), rule.wMonth);
  out.append(text, static_cast<size_t>(length));
}

}  // namespace

void AppendZoneOffset(long long offset, bool colon, std::string& out) {
  const char sign = offset > 0 ? '-' : '+';
  const unsigned long long magnitude = offset > 0 ? static_cast<unsigned long long>(offset)
                                                  : 0ULL - static_cast<unsigned long long>(offset);
  char text[64];
  const int length = std::snprintf(text, sizeof text, colon ? "%c%02llu:%02llu" : "%c%02llu%02llu",
                                   sign, magnitude / 60, magnitude % 60);
  out.append(text, static_cast<size_t>(length));
}

void AppendTzLines(const TimezoneStruct& zone, std::string& out) {
  out += "TZ:";
  AppendZoneOffset(StandardOffset(zone), true, out);
  out += "\r\nDAYLIGHT:";
  if (zone.DaylightDate.wMonth == 0) {
    out += "FALSE\r\n";
    return;
  }
  out += "TRUE;";
  AppendZoneOffset(DaylightOffset(zone), true, out);
  out += ';';
  AppendTransition(zone.DaylightDate, out);
  out += ';';
  AppendTransition(zone.StandardDate, out);
  out += ";;\r\n";
}

void AppendVTimezone(const TimezoneStruct& zone, const std::string& name, std::string& out) {
  const bool hasStandardRule = zone.StandardDate.wMonth != 0;
  const bool hasDaylightRule = zone.DaylightDate.wMonth != 0;
  out += "BEGIN:VTIMEZONE\r\nTZID:";
  out += name;
  out += "\r\nBEGIN:STANDARD\r\nDTSTART:";
  if (hasStandardRule) {
    AppendTransition(zone.StandardDate, out);
    out += "\r\n";
    AppendYearlyRule(zone.StandardDate, out);
  } else {
    // No transition: the zone's offset holds since the first date Windows knows.
    out += "16010101T000000\r\n";
  }
  AppendOffsetLine("TZOFFSETFROM:",
                   hasStandardRule && hasDaylightRule ? DaylightOffset(zone) : StandardOffset(zone),
                   out);
  AppendOffsetLine("TZOFFSETTO:", StandardOffset(zone), out);
  out += "END:STANDARD\r\n";
  if (hasDaylightRule) {
    out += "BEGIN:DAYLIGHT\r\nDTSTART:";
    AppendTransition(zone.DaylightDate, out);
    out += "\r\n";
    AppendYearlyRule(zone.DaylightDate, out);
    AppendOffsetLine("TZOFFSETFROM:", StandardOffset(zone), out);
    AppendOffsetLine("TZOFFSETTO:", DaylightOffset(zone), out);
    out += "END:DAYLIGHT\r\n";
  }
  out += "END:VTIMEZONE\r\n";
}
