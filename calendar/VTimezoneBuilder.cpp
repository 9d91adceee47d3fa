#include "calendar/VTimezoneBuilder.h"

#include "addin/AsciiText.h"

std::optional<int> VTimezoneBuilder::ParseOffset(std::string_view text) {
  if (text.size() != 5 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  for (std::size_t i = 1; i < 5; ++i) {
    if (!AsciiText::IsDigit(text[i])) return std::nullopt;
  }
  const int hours = (text[1] - '0') * 10 + (text[2] - '0');
  const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
  if (minutes > 59) return std::nullopt;
  const int offset = hours * 60 + minutes;
  return text[0] == '-' ? -offset : offset;
}

SYSTEMTIME VTimezoneBuilder::RuleFromDate(const COleDateTime& date) {
  SYSTEMTIME rule{};
  rule.wMonth = static_cast<WORD>(date.GetMonth());
  rule.wDayOfWeek = static_cast<WORD>(date.GetDayOfWeek() - 1);
  const COleDateTime weekLater = date + COleDateTimeSpan(7, 0, 0, 0);
  const bool lastWeek =
      weekLater.GetStatus() != COleDateTime::valid || weekLater.GetMonth() != date.GetMonth();
  rule.wDay = static_cast<WORD>(lastWeek ? 5 : (date.GetDay() - 1) / 7 + 1);
  rule.wHour = static_cast<WORD>(date.GetHour());
  rule.wMinute = static_cast<WORD>(date.GetMinute());
  rule.wSecond = static_cast<WORD>(date.GetSecond());
  return rule;
}

bool VTimezoneBuilder::Add(const Component& component) {
  if (!component.start || !component.offsetFrom || !component.offsetTo) return false;
  m_components.push_back(component);
  return true;
}

const VTimezoneBuilder::Component* VTimezoneBuilder::_Latest(bool daylight, int& count) const {
  const Component* latest = nullptr;
  count = 0;
  for (const Component& component : m_components) {
    if (component.daylight != daylight) continue;
    ++count;
    if (!latest || *component.start > *latest->start) latest = &component;
  }
  return latest;
}

SYSTEMTIME VTimezoneBuilder::_RuleOf(const Component& component) {
  SYSTEMTIME rule = component.rule;
  if (rule.wMonth == 0 && component.extraDate) rule = RuleFromDate(*component.extraDate);
  if (rule.wMonth != 0) {
    rule.wHour = static_cast<WORD>(component.start->GetHour());
    rule.wMinute = static_cast<WORD>(component.start->GetMinute());
    rule.wSecond = static_cast<WORD>(component.start->GetSecond());
  }
  return rule;
}

std::optional<TimezoneStruct> VTimezoneBuilder::Build(const std::string& tzid) {
  if (tzid.empty()) {
    m_notes.push_back({true, "Bad VTIMEZONE - no TZID"});
    return std::nullopt;
  }
  int standards = 0;
  int daylights = 0;
  const Component* standard = _Latest(false, standards);
  const Component* daylight = _Latest(true, daylights);
  if (!standard) {
    m_notes.push_back({true, "Bad VTIMEZONE - no or invalid STANDARD component"});
    return std::nullopt;
  }
  if (standards > 1 || daylights > 1) {
    m_notes.push_back({false,
                       "Outlook is not supported VTIMEZONE with more than one STANDARD or "
                       "DAYLIGHT components"});
  }
  if (!standard->ruleEnd.empty()) {
    m_notes.push_back({false, "Ignoring UNTIL in VTIMEZONE.STANDARD.RRULE"});
  }
  if (daylight && !daylight->ruleEnd.empty()) {
    m_notes.push_back({false, "Ignoring UNTIL in VTIMEZONE.DAYLIGHT.RRULE"});
  }
  TimezoneStruct zone{};
  zone.Bias = -*standard->offsetTo;
  zone.DaylightBias = daylight ? *standard->offsetTo - *daylight->offsetTo : 0;
  const SYSTEMTIME standardRule = _RuleOf(*standard);
  if (standardRule.wMonth != 0) zone.StandardDate = standardRule;
  if (daylight) {
    const SYSTEMTIME daylightRule = _RuleOf(*daylight);
    if (standardRule.wMonth != 0 && daylightRule.wMonth != 0) zone.DaylightDate = daylightRule;
  }
  return zone;
}
