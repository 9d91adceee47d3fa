#include "calendar/VCalRuleParser.h"

#include <algorithm>
#include <climits>

#include "addin/AsciiText.h"
#include "calendar/CalValueParser.h"
#include "calendar/ICalRuleParser.h"

namespace {

constexpr int kAllDays = 127;

bool IsTime(std::string_view token) {
  return !token.empty() && std::all_of(token.begin(), token.end(),
                                       [](char c) { return AsciiText::IsDigit(c) || c == '$'; });
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Digits followed by the given suffix characters (any one of them, or none when
// allowed); the number in value.
bool NumberWithSuffix(std::string_view token, const char* suffixes, bool suffixNeeded, int& value,
                      char& suffix) {
  suffix = 0;
  if (!token.empty() && std::string_view(suffixes).find(token.back()) != std::string_view::npos) {
    suffix = token.back();
    token.remove_suffix(1);
  } else if (suffixNeeded) {
    return false;
  }
  long long number = 0;
  if (!AsciiText::ParseUnsigned(token, INT_MAX, number)) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace

VCalRuleParser::Result VCalRuleParser::Parse(std::string_view value) {
  Result result;
  VCalRuleParser parser(result);
  bool first = true;
  while (!value.empty()) {
    const std::size_t end = std::min(value.find(' '), value.size());
    const std::string_view token = value.substr(0, end);
    value.remove_prefix(end < value.size() ? end + 1 : end);
    if (token.empty()) continue;
    if (first) {
      parser._ReadFirst(token);
      first = false;
    } else if (!parser._ReadToken(token)) {
      break;
    }
  }
  parser._Finish();
  return result;
}

void VCalRuleParser::_ReadFirst(std::string_view token) {
  ParsedRule& rule = m_result.rule;
  static constexpr struct {
    const char* code;
    Kind kind;
    int type;
  } kKinds[] = {{"MD", Kind::kMonthDay, ParsedRule::kMonthly},
                {"MP", Kind::kMonthNth, ParsedRule::kMonthNth},
                {"YM", Kind::kYearly, ParsedRule::kYearly},
                {"D", Kind::kDaily, ParsedRule::kDaily},
                {"W", Kind::kWeekly, ParsedRule::kWeekly}};
  if (AsciiText::IStartsWith(token, "YD")) {
    _Warn("Rule \"yearly by day\" is not supported");
    return;
  }
  for (const auto& kind : kKinds) {
    const std::string_view code(kind.code);
    if (token.substr(0, code.size()) != code) continue;
    // Outlook's yearly patterns repeat every year: any other interval names no rule.
    if (kind.kind == Kind::kYearly && token != "YM1") return;
    m_kind = kind.kind;
    rule.type = kind.type;
    long long interval = 0;
    if (AsciiText::ParseUnsigned(token.substr(code.size()), INT_MAX, interval)) {
      rule.interval = static_cast<int>(interval);
    }
    return;
  }
}

bool VCalRuleParser::_ReadToken(std::string_view token) {
  ParsedRule& rule = m_result.rule;
  if (token[0] == '#') {
    long long count = 0;
    if (AsciiText::ParseUnsigned(token.substr(1), INT_MAX, count)) {
      rule.occurrences = static_cast<int>(count);
    }
    return true;
  }
  if (token.size() == 15 || token.size() == 16) {
    m_endDate = token;
    return true;
  }
  switch (m_kind) {
    case Kind::kDaily:
      return _Daily(token);
    case Kind::kWeekly:
      return _Weekly(token);
    case Kind::kMonthNth:
      return _MonthNth(token);
    case Kind::kMonthDay:
      return _MonthDay(token);
    case Kind::kYearly:
      _Yearly(token);
      return true;
    case Kind::kNone:
      return false;
  }
  return false;
}

bool VCalRuleParser::_Daily(std::string_view token) {
  if (IsTime(token)) {
    _Warn("<time> not supported");
    return true;
  }
  _Warn("<minuteop> not supported");
  return false;
}

bool VCalRuleParser::_Weekly(std::string_view token) {
  if (_Weekday(token)) {
    m_weekdaysGiven = true;
    return true;
  }
  if (IsTime(token)) {
    _Warn("<timelist> not supported");
    return true;
  }
  _Warn("<minuteop> not supported");
  return false;
}

bool VCalRuleParser::_Weekday(std::string_view token) {
  const bool marked = token.size() == 3 && token[2] == '$';
  if ((token.size() != 2 && !marked) || !IsLetter(token[0]) || !IsLetter(token[1])) {
    return false;
  }
  const int day = ICalRuleParser::WeekdayIndex(token.substr(0, 2));
  if (day < 0) {
    _Warn("<weekday> is invalid");
  } else {
    m_result.rule.dayMask |= 1 << day;
  }
  if (marked) _Inform("<endmarker> is not supported");
  return true;
}

bool VCalRuleParser::_Occurrence(std::string_view token) {
  int number = 0;
  char sign = 0;
  if (!NumberWithSuffix(token, "+-", true, number, sign)) return false;
  m_inWeekdayList = false;
  if (m_haveOccurrence) {
    _Warn("multiple occurrences is not supported");
    return true;
  }
  if (number < 1 || number > 5) {
    _Warn("invalid occurrence");
    return true;
  }
  m_haveOccurrence = true;
  m_result.rule.instance = sign == '-' ? 6 - number : number;
  if (sign == '-' && number != 1) _Warn("occurrence with \"-\" is not correctly supported");
  return true;
}

bool VCalRuleParser::_MonthNth(std::string_view token) {
  if (_Occurrence(token)) return true;
  const bool weekday = token.size() >= 2 && IsLetter(token[0]) && IsLetter(token[1]);
  if (weekday) {
    if (!m_inWeekdayList && ++m_weekdayLists > 1) {
      _Warn("multiple <weekdaylist> is not supported");
    }
    m_inWeekdayList = true;
    if (_Weekday(token)) return true;
  }
  const bool time =
      (token.size() == 4 && IsTime(token) && token.find('$') == std::string_view::npos) ||
      (token.size() == 5 && IsTime(token));
  if (time) {
    _Warn("<timelist> not supported");
    return true;
  }
  _Warn("embedded rules not supported");
  return false;
}

bool VCalRuleParser::_MonthDay(std::string_view token) {
  ParsedRule& rule = m_result.rule;
  int day = 0;
  char sign = 0;
  const bool last = token == "LD";
  if (!last && !NumberWithSuffix(token, "+-", false, day, sign)) {
    _Warn("embedded rules not supported");
    return false;
  }
  m_dayGiven = true;
  if (m_haveDay) {
    _Warn("multiple daynumbers is not supported");
    return true;
  }
  if (!last && day == 0) {
    _Warn("invalid DayOfMonth");
    return true;
  }
  m_haveDay = true;
  if (last || (sign == '-' && day == 1)) {
    rule.type = ParsedRule::kMonthNth;
    rule.dayMask = kAllDays;
    rule.instance = ParsedRule::kLastInstance;
    return true;
  }
  rule.dayOfMonth = sign == '-' ? 32 - day : day;
  return true;
}

void VCalRuleParser::_Yearly(std::string_view token) {
  ParsedRule& rule = m_result.rule;
  if (token == "MD1" || token == "MP1") {
    m_yearPart = token == "MD1" ? YearPart::kDay : YearPart::kNth;
    rule.type = token == "MD1" ? ParsedRule::kYearly : ParsedRule::kYearNth;
    return;
  }
  long long number = 0;
  const bool numeric = AsciiText::ParseUnsigned(token, INT_MAX, number);
  if (m_yearPart == YearPart::kMonths && numeric) {
    m_monthGiven = true;
    if (m_haveMonth) {
      _Inform("mutiple <month> is not supported");
    } else if (number < 1 || number > 12) {
      _Inform("invalid <month>");
    } else {
      m_haveMonth = true;
      rule.monthOfYear = static_cast<int>(number);
    }
  } else if (m_yearPart == YearPart::kDay && numeric && number >= 1 && number <= 31 &&
             rule.dayOfMonth == 0) {
    m_dayGiven = true;
    rule.dayOfMonth = static_cast<int>(number);
  } else if (m_yearPart == YearPart::kDay && numeric) {
    m_dayGiven = true;
    _Warn("rule is not supported");
  } else if (m_yearPart != YearPart::kNth || !(_Occurrence(token) || _Weekday(token))) {
    _Warn("rule is not supported");
  }
}

void VCalRuleParser::_Finish() {
  ParsedRule& rule = m_result.rule;
  if (!m_endDate.empty()) {
    if (CalValueParser::IsDateForm(m_endDate)) {
      rule.endDate = m_endDate;
    } else {
      _Warn("<enddate> error");
    }
  }
  if (rule.occurrences < 0 && rule.endDate.empty()) rule.occurrences = 2;
  if (!_IsValid()) {
    _Warn("RRULE is invalid");
    rule.type = ParsedRule::kNone;
  }
}

bool VCalRuleParser::_IsValid() const {
  const ParsedRule& rule = m_result.rule;
  // A weekday list, day or month the rule leaves out is the start's (the reader fills
  // it in once the event's start is known); one given wrong makes the rule invalid.
  const bool day =
      (rule.dayOfMonth >= 1 && rule.dayOfMonth <= 31) || (rule.dayOfMonth == 0 && !m_dayGiven);
  const bool month =
      (rule.monthOfYear >= 1 && rule.monthOfYear <= 12) || (rule.monthOfYear == 0 && !m_monthGiven);
  const bool nth = rule.instance >= 1 && rule.instance <= 5 && rule.dayMask != 0;
  switch (rule.type) {
    case ParsedRule::kDaily:
      return rule.interval > 0 || rule.dayMask != 0;
    case ParsedRule::kWeekly:
      return rule.dayMask != 0 || !m_weekdaysGiven;
    case ParsedRule::kMonthly:
      return day;
    case ParsedRule::kMonthNth:
      return nth;
    case ParsedRule::kYearly:
      return day && month;
    case ParsedRule::kYearNth:
      return month && nth;
    default:
      return false;
  }
}

void VCalRuleParser::_Warn(std::string text) { m_result.notes.push_back({false, std::move(text)}); }

void VCalRuleParser::_Inform(std::string text) {
  m_result.notes.push_back({true, std::move(text)});
}
