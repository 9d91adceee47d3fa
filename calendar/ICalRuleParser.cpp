#include "calendar/ICalRuleParser.h"

#include <algorithm>
#include <climits>

#include "addin/AsciiText.h"
#include "calendar/CalValueParser.h"

namespace {

constexpr std::string_view kWeekdays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr int kMaxByDayEntries = 365;

// A signed decimal number of the whole text; false when it is not one or overflows.
bool ParseSigned(std::string_view text, int& number) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  long long value = 0;
  if (!AsciiText::ParseUnsigned(text, INT_MAX, value)) return false;
  number = static_cast<int>(negative ? -value : value);
  return true;
}

// The first number of a comma list; def when it is not a number.
int FirstNumber(std::string_view list, int def) {
  int number = def;
  return ParseSigned(list.substr(0, list.find(',')), number) ? number : def;
}

bool HasSeveral(std::string_view list) { return list.find(',') != std::string_view::npos; }

// A week of the month as Outlook counts it: 1-4, or the last one (5) for -1; 0 otherwise.
int InstanceOf(int position) {
  if (position >= 1 && position <= 4) return position;
  return position == -1 ? ParsedRule::kLastInstance : 0;
}

int DayOfMonth(int day) { return day < 0 ? 32 + day : day; }

}  // namespace

struct ICalRuleParser::Parts {
  std::string freq;
  std::string byMonthDay;
  std::string byMonth;
  std::string bySetPos;
  bool hasByDay = false;
  int dayMask = 0;
  int dayCount = 0;
  int firstInstance = 0;  // of the first BYDAY entry, 0 when it has none
  bool hasInstances = false;
};

int ICalRuleParser::WeekdayIndex(std::string_view code) {
  for (int i = 0; i < 7; ++i) {
    if (code == kWeekdays[i]) return i;
  }
  return -1;
}

std::string ICalRuleParser::Result::Message() const {
  if (valid && errors.empty() && unsupported.empty()) return std::string();
  std::string message = valid ? "" : "RRULE is invalid\n";
  return message + "Was errors:" + errors + "\nNot supported:" + unsupported;
}

ICalRuleParser::Result ICalRuleParser::Parse(std::string_view value) {
  Result result;
  result.rule.interval = 1;
  Parts parts;
  while (!value.empty()) {
    const std::size_t end = std::min(value.find(';'), value.size());
    const std::string_view part = value.substr(0, end);
    value.remove_prefix(end < value.size() ? end + 1 : end);
    const std::size_t equals = part.find('=');
    if (equals == std::string_view::npos) continue;
    _ReadPart(part.substr(0, equals), part.substr(equals + 1), parts, result);
  }
  if (parts.freq == "DAILY") {
    _Daily(parts, result);
  } else if (parts.freq == "WEEKLY") {
    _Weekly(parts, result);
  } else if (parts.freq == "MONTHLY") {
    _Monthly(parts, result);
  } else if (parts.freq == "YEARLY") {
    _Yearly(parts, result);
  } else {
    result.unsupported += "FREQ=" + parts.freq;
  }
  result.valid = _IsValid(result.rule);
  if (!result.valid) result.rule.type = ParsedRule::kNone;
  return result;
}

void ICalRuleParser::_ReadPart(std::string_view name, std::string_view value, Parts& parts,
                               Result& result) {
  ParsedRule& rule = result.rule;
  if (name == "FREQ") {
    parts.freq = value;
  } else if (name == "UNTIL") {
    if (CalValueParser::IsDateForm(value)) {
      rule.endDate = value;
    } else {
      result.errors += "invalid UNTIL;";
    }
  } else if (name == "COUNT" || name == "INTERVAL") {
    int number = 0;
    if (!ParseSigned(value, number)) {
      result.errors += "invalid " + std::string(name) + ";";
    } else {
      (name == "COUNT" ? rule.occurrences : rule.interval) = number;
    }
  } else if (name == "BYSECOND" || name == "BYMINUTE" || name == "BYHOUR" || name == "BYYEARDAY" ||
             name == "BYWEEKNO") {
    result.unsupported += std::string(name) + "=" + std::string(value) + ";";
  } else if (name == "BYDAY") {
    _ReadByDay(value, parts, result);
  } else if (name == "BYMONTHDAY") {
    parts.byMonthDay = value;
  } else if (name == "BYMONTH") {
    parts.byMonth = value;
  } else if (name == "BYSETPOS") {
    parts.bySetPos = value;
  } else if (name == "WKST" && WeekdayIndex(value) < 0) {
    result.errors += "invalid WKST;";
  }
}

void ICalRuleParser::_ReadByDay(std::string_view list, Parts& parts, Result& result) {
  parts.hasByDay = true;
  bool invalid = false;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(','), list.size());
    const std::string_view entry = list.substr(0, end);
    list.remove_prefix(end < list.size() ? end + 1 : end);
    if (parts.dayCount >= kMaxByDayEntries) {
      result.errors += "Too many days in BYDAY;";
      break;
    }
    const int day = entry.size() >= 2 ? WeekdayIndex(entry.substr(entry.size() - 2)) : -1;
    const std::string_view position = entry.substr(0, entry.size() >= 2 ? entry.size() - 2 : 0);
    int instance = 0;
    if (day < 0 || (!position.empty() && !ParseSigned(position, instance))) {
      invalid = true;
      continue;
    }
    if (parts.dayCount == 0) parts.firstInstance = instance;
    if (!position.empty()) parts.hasInstances = true;
    parts.dayMask |= 1 << day;
    ++parts.dayCount;
  }
  if (invalid) result.errors += "Invalid WEEKDAY(s) in BYDAY;";
}

void ICalRuleParser::_Daily(const Parts& parts, Result& result) {
  ParsedRule& rule = result.rule;
  if (!parts.byMonth.empty()) result.unsupported += "BYMONTH in DAILY rule;";
  if (!parts.byMonthDay.empty()) result.unsupported += "BYMONTHDAY in DAILY rule;";
  if (!parts.bySetPos.empty()) result.unsupported += "BYSETPOS in DAILY rule;";
  if (!parts.hasByDay) {
    rule.type = ParsedRule::kDaily;
    return;
  }
  rule.type = ParsedRule::kWeekly;
  rule.dayMask = parts.dayMask;
  if (parts.hasInstances) result.unsupported += "BYDAY INSTANCE;";
  if (rule.interval > 1) {
    result.unsupported += "INTERVAL != 1 IN DAILY RULE WITH BYDAY;";
    rule.interval = 0;
  }
}

void ICalRuleParser::_Weekly(const Parts& parts, Result& result) {
  if (!parts.byMonth.empty()) result.unsupported += "BYMONTH in WEEKLY rule;";
  if (!parts.byMonthDay.empty()) result.unsupported += "BYMONTHDAY in WEEKLY rule;";
  if (!parts.bySetPos.empty()) result.unsupported += "BYSETPOS in WEEKLY rule;";
  if (parts.hasInstances) result.unsupported += "BYDAY INSTANCE;";
  result.rule.type = ParsedRule::kWeekly;
  result.rule.dayMask = parts.dayMask;
}

void ICalRuleParser::_Monthly(const Parts& parts, Result& result) {
  if (!parts.byMonth.empty()) result.unsupported += "BYMONTH in MONTHLY rule;";
  if (!parts.byMonthDay.empty()) {
    _ByMonthDay(parts, "MONTHLY", ParsedRule::kMonthly, result);
  } else if (parts.bySetPos.empty() && !parts.hasByDay) {
    result.rule.type = ParsedRule::kMonthly;
  } else {
    _NthWeekday(parts, ParsedRule::kMonthNth, result);
  }
}

void ICalRuleParser::_Yearly(const Parts& parts, Result& result) {
  ParsedRule& rule = result.rule;
  if (rule.interval > 1) {
    result.unsupported += "INTERVAL > 1 in YEARLY RULE";
    rule.interval = 1;
  }
  if (HasSeveral(parts.byMonth)) result.unsupported += "multiple month in BYMONTH";
  rule.monthOfYear = parts.byMonth.empty() ? 0 : FirstNumber(parts.byMonth, -1);
  if (!parts.byMonthDay.empty()) {
    _ByMonthDay(parts, "YEARLY", ParsedRule::kYearly, result);
  } else if (parts.bySetPos.empty() && !parts.hasByDay) {
    rule.type = ParsedRule::kYearly;
  } else {
    _NthWeekday(parts, ParsedRule::kYearNth, result);
  }
}

void ICalRuleParser::_ByMonthDay(const Parts& parts, const char* kind, int type, Result& result) {
  result.rule.type = type;
  result.rule.dayOfMonth = DayOfMonth(FirstNumber(parts.byMonthDay, -32));
  const std::string in = std::string(" in ") + kind + " rule;";
  if (parts.hasByDay) result.unsupported += "BYDAY & BYMONTHDAY" + in;
  if (!parts.bySetPos.empty()) result.unsupported += "BYSETPOS & BYMONTHDAY" + in;
  if (HasSeveral(parts.byMonthDay)) result.unsupported += "Multi days in BYMONTHDAY;";
}

void ICalRuleParser::_NthWeekday(const Parts& parts, int type, Result& result) {
  ParsedRule& rule = result.rule;
  rule.type = type;
  rule.dayMask = parts.dayMask;
  if (!parts.bySetPos.empty()) {
    rule.instance = InstanceOf(FirstNumber(parts.bySetPos, 0));
    if (rule.instance == 0) result.unsupported += "Day not equal(-1, or 1-4) in BYSETPOS;";
    if (HasSeveral(parts.bySetPos)) result.unsupported += "Multi days in BYSETPOS;";
    if (parts.hasInstances) result.unsupported += "BYSETPOS & BYDAY instances;";
    return;
  }
  if (parts.firstInstance == 0) {
    result.unsupported += "No instance was defined;";
  } else {
    rule.instance = InstanceOf(parts.firstInstance);
    if (rule.instance == 0) {
      result.unsupported += "Instance not equal(-1, or 1-4) in first day in BYDAY;";
    }
  }
  if (parts.dayCount > 1) {
    result.unsupported += "Instance day & multi days in BYDAY without BYSETPOS;";
  }
}

bool ICalRuleParser::_IsValid(const ParsedRule& rule) {
  const bool nthValid =
      (rule.instance >= 1 && rule.instance <= 5) || (rule.instance == 0 && rule.dayMask != 0);
  const bool dayValid = rule.dayOfMonth >= 0 && rule.dayOfMonth <= 31;
  const bool monthValid = rule.monthOfYear >= 0 && rule.monthOfYear <= 12;
  switch (rule.type) {
    case ParsedRule::kDaily:
    case ParsedRule::kWeekly:
      return rule.interval >= 0;
    case ParsedRule::kMonthly:
      return dayValid;
    case ParsedRule::kMonthNth:
      return nthValid;
    case ParsedRule::kYearly:
      return dayValid && monthValid;
    case ParsedRule::kYearNth:
      return monthValid && nthValid;
    default:
      return false;
  }
}
