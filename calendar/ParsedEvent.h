// One event as the calendar reader leaves it for the import run: texts in UTF-16, times
// as the date texts of the file with the id of the zone they are written in, and the
// recurrence rule in Outlook's terms. Plain values, filled from scratch for every VEVENT.
#pragma once

#include <string>
#include <vector>

#include "win32/base.h"

// A date or date-time text of the file ("YYYYMMDD", "YYYYMMDDTHHMMSS", "...Z") and the
// key of its zone in the reader's zone map.
struct CalDateText {
  std::string text;
  std::string zoneId;

  bool operator==(const CalDateText&) const = default;
};

// One RDATE value: a date-time, or a period with its end or its duration text.
struct CalExtraDate {
  std::string text;
  std::string zoneId;
  std::string endText;
  std::string durationText;

  bool operator==(const CalExtraDate&) const = default;
};

// A recurrence rule in the terms of Outlook's recurrence pattern.
struct ParsedRule {
  enum Type {
    kNone = -1,
    kDaily = 0,
    kWeekly = 1,
    kMonthly = 2,
    kMonthNth = 3,
    kYearly = 5,
    kYearNth = 6,
  };
  static constexpr int kLastInstance = 5;

  int type = kNone;
  int interval = -1;
  int occurrences = -1;  // -1 none; 0 no end
  int instance = 0;      // week of the month 1-5 (5 = last), 0 none
  std::string endDate;   // date text, empty = none
  int dayMask = 0;       // bit 0 Sunday ... bit 6 Saturday
  int dayOfMonth = 0;    // 1-31, 0 none
  int monthOfYear = 0;   // 1-12, 0 none

  bool operator==(const ParsedRule&) const = default;
};

struct ParsedEvent {
  static constexpr int kSensitivityNormal = 0;
  static constexpr int kSensitivityPrivate = 2;
  static constexpr int kSensitivityConfidential = 3;
  static constexpr int kImportanceLow = 0;
  static constexpr int kImportanceNormal = 1;
  static constexpr int kImportanceHigh = 2;
  static constexpr int kBusyFree = 0;
  static constexpr int kBusyBusy = 2;
  // Reminder offset meaning "no relative reminder".
  static constexpr int kNoReminderOffset = 1;
  static constexpr int kNoDuration = -1;

  int sensitivity = kSensitivityNormal;
  int importance = kImportanceNormal;
  int busyStatus = kBusyBusy;
  std::basic_string<WCHAR> organizer;
  std::vector<std::basic_string<WCHAR>> attendees;
  std::basic_string<WCHAR> categories;  // joined with the user's list separator
  std::basic_string<WCHAR> description;
  std::basic_string<WCHAR> summary;
  std::string alarmTime;  // absolute alarm: a date text in the start's zone or UTC
  // A relative reminder: at or below 0 it lies -reminderOffset minutes before the
  // start; kNoReminderOffset (or any positive value) means none.
  int reminderOffset = kNoReminderOffset;
  // The relative reminder counts from the end (TRIGGER;RELATED=END), not the start.
  bool reminderFromEnd = false;
  CalDateText start;
  CalDateText end;
  int duration = kNoDuration;  // minutes
  std::basic_string<WCHAR> location;
  std::basic_string<WCHAR> resources;
  std::string uid;
  ParsedRule rule;
  std::vector<CalDateText> exceptionDates;
  std::vector<CalExtraDate> extraDates;
  // The start names no possible date or time: the run must not create the event and
  // counts it as failed.
  bool badStart = false;
  // RECURRENCE-ID: the original start of the occurrence of the series (the event of
  // the same uid) that this event overrides; empty for any other event.
  CalDateText recurrenceId;
  // STATUS:CANCELLED.
  bool cancelled = false;

  // Without a rule, RDATE values are appointments of their own: when there are several,
  // or when one stands in for the start the event lacks.
  bool SplitsIntoPeriods() const {
    return rule.type == ParsedRule::kNone &&
           (extraDates.size() > 1 || (extraDates.size() == 1 && start.text.empty()));
  }

  bool operator==(const ParsedEvent&) const = default;
};
