// A calendar for the tests of the stand-in's appointments: a weekly series with a
// deleted, a moved and a changed occurrence, a meeting with its sender, recipients,
// label and global object id, and a plain appointment. The fixture loads it, pins
// the system zone to UTC, and checks when a test ends that every object the test
// took has been released.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "atl/OleDateTime.h"
#include "outlook/outlook.h"
#include "redemption/redemption.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace appointmenttest {

// The series: every Monday at 10:00 for 30 minutes, ten times from 8 January 2024
// (the last on 11 March). The exceptions are listed out of order on purpose.
inline const char* const kCalendar = R"json({
  "stores": [
    {"name": "Personal Folders", "folders": [
      {"name": "Deleted Items", "defaultItemType": 0},
      {"name": "Calendar", "defaultItemType": 1, "items": [
        {"Subject": "Standup", "Start": "2024-01-08T10:00:00", "End": "2024-01-08T10:30:00",
         "Location": "Room 1", "Categories": "Team",
         "RecurrencePattern": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 2,
           "PatternStartDate": "2024-01-08", "PatternEndDate": "2024-03-11",
           "NoEndDate": false, "Occurrences": 10, "StartTime": "10:00:00", "Duration": 30},
         "Exceptions": [
           {"OriginalDate": "2024-01-29T10:00:00", "Deleted": true},
           {"OriginalDate": "2024-01-15T10:00:00", "Start": "2024-01-16T11:00:00",
            "End": "2024-01-16T11:45:00", "Subject": "Standup (moved)"},
           {"OriginalDate": "2024-01-22T10:00:00", "Location": "Room 2"}
         ]},
        {"Subject": "Review", "Start": "2024-02-01T14:00:00", "End": "2024-02-01T15:00:00",
         "MeetingStatus": 1, "Body": "Agenda:\r\n1. Figures",
         "Recipients": [
           {"Type": 0, "Name": "Olga Organizer", "Address": "olga@example.com"},
           {"Type": 1, "Name": "Rita Required", "Address": "rita@example.com"},
           {"Type": 2, "Name": "Otto Optional", "Address": "otto@example.com"},
           {"Type": 3, "Name": "Room 7", "Address": "room7@example.com"}
         ],
         "MapiProperties": [
           {"tag": "0x0C1F001E", "value": "olga@example.com"},
           {"tag": "0x0C1A001E", "value": "Olga Organizer"}
         ],
         "NamedProperties": [
           {"set": "{6ED8DA90-450B-101B-98DA-00AA003F1305}", "id": "0x0003", "type": "0x0102",
            "value": "040000008200e00074c5b7101a82e0080000000000000000000000000000000000000000100000000102030405060708090a0b0c0d0e0f10"},
           {"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8214", "type": "0x0003",
            "value": 4}
         ]},
        {"Subject": "Dentist", "Start": "2024-03-05T08:15:00", "End": "2024-03-05T09:00:00"}
      ]}
    ]}
  ]
})json";

inline const char* const kCalendarPath = "Personal Folders/Calendar";

// An OLE date from its parts.
inline DATE Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return COleDateTime(year, month, day, hour, minute, second).m_dt;
}

// The same instant, compared to the second.
inline ::testing::AssertionResult SameTime(DATE expected, DATE actual) {
  const long long difference = std::llround((actual - expected) * 86400.0);
  if (difference == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "expected " << COleDateTime(expected).Format("%Y-%m-%d %H:%M:%S") << ", got "
         << COleDateTime(actual).Format("%Y-%m-%d %H:%M:%S");
}

inline std::string Text(const _bstr_t& text) {
  return text.length() == 0 ? std::string() : std::string(static_cast<const char*>(text));
}

// The HRESULT a call raised, S_OK when it raised nothing.
template <class Call>
HRESULT ErrorOf(Call call) {
  try {
    call();
  } catch (const _com_error& error) {
    return error.Error();
  }
  return S_OK;
}

inline TIME_ZONE_INFORMATION Utc() { return TIME_ZONE_INFORMATION{}; }

// Central Europe: UTC+1, summer time from the last Sunday of March at 02:00 to the
// last Sunday of October at 03:00.
inline TIME_ZONE_INFORMATION Berlin() {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = -60;
  zone.DaylightBias = -60;
  zone.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
  zone.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
  return zone;
}

// US Eastern: UTC-5, summer time from the second Sunday of March to the first
// Sunday of November, both at 02:00.
inline TIME_ZONE_INFORMATION NewYork() {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = 300;
  zone.DaylightBias = -60;
  zone.StandardDate = SYSTEMTIME{0, 11, 0, 1, 2, 0, 0, 0};
  zone.DaylightDate = SYSTEMTIME{0, 3, 0, 2, 2, 0, 0, 0};
  return zone;
}

class AppointmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    testkit::ClearCreateFailures();
    testkit::SetSystemTimeZone(Utc());
    testkit::LoadMailboxText(kCalendar);
    app_ = testkit::CreateOutlookApplication();
  }

  void TearDown() override {
    app_ = nullptr;
    EXPECT_EQ(testkit::LiveOutlookObjects(), 0u) << "objects were not released";
    testkit::ResetMailbox();
    testkit::ResetSystemTimeZone();
  }

  Outlook::MAPIFolderPtr Calendar() {
    return app_->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar);
  }
  Outlook::_AppointmentItemPtr Find(const char* subject) {
    return testkit::OutlookObjectOf(testkit::FindItem(kCalendarPath, subject));
  }
  Outlook::_AppointmentItemPtr Standup() { return Find("Standup"); }
  Outlook::_AppointmentItemPtr Review() { return Find("Review"); }
  Outlook::_AppointmentItemPtr NewAppointment() {
    return app_->CreateItem(Outlook::olAppointmentItem);
  }

  Outlook::_ApplicationPtr app_;
};

}  // namespace appointmenttest
