// The zone record of a VTIMEZONE from its STANDARD and DAYLIGHT components. Outlook keeps
// one yearly rule each way, so the latest component of each kind is taken.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "atl/OleDateTime.h"
#include "calendar/TimezoneStruct.h"

class VTimezoneBuilder {
 public:
  struct Component {
    bool daylight = false;
    std::optional<COleDateTime> start;
    std::optional<int> offsetFrom;  // minutes east of UTC
    std::optional<int> offsetTo;
    // The yearly rule (month 0 = none), wYear unused, time of day not kept here.
    SYSTEMTIME rule{};
    std::string ruleEnd;
    std::optional<COleDateTime> extraDate;
  };
  struct Note {
    bool error;  // an error rather than a warning
    std::string text;
  };

  // "+HHMM" or "-HHMM" (MM at most 59) as signed minutes.
  static std::optional<int> ParseOffset(std::string_view text);
  // The yearly rule that the date is an instance of: its month, weekday, week (5 when it
  // lies in the last seven days of its month) and time of day.
  static SYSTEMTIME RuleFromDate(const COleDateTime& date);

  // A component without a start or an offset is dropped: false.
  bool Add(const Component& component);
  // The record of the zone; nothing when it has no TZID or no usable STANDARD.
  std::optional<TimezoneStruct> Build(const std::string& tzid);

  const std::vector<Note>& Notes() const { return m_notes; }

 private:
  const Component* _Latest(bool daylight, int& count) const;
  // The component's rule (from its extra date when it has none) at the time of day of
  // its start.
  static SYSTEMTIME _RuleOf(const Component& component);

  std::vector<Component> m_components;
  std::vector<Note> m_notes;
};
