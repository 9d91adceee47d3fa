// Calendar files in the shapes that the common calendar programs export: RFC 5545's own
// examples, Google Calendar, Outlook, Thunderbird and a phone's vCalendar 1.0.
#include <gtest/gtest.h>

#include <cstring>

#include "CalReaderFixture.h"
#include "ZoneTestData.h"

namespace caltest {
namespace {

void ExpectZone(const CvCalImport::ZoneMap& zones, const std::string& id,
                const TimezoneStruct& expected) {
  const auto found = zones.find(id);
  ASSERT_NE(found, zones.end()) << id;
  EXPECT_EQ(found->second.Bias + found->second.StandardBias, expected.Bias + expected.StandardBias)
      << id;
  EXPECT_EQ(found->second.Bias + found->second.DaylightBias, expected.Bias + expected.DaylightBias)
      << id;
  EXPECT_EQ(0, std::memcmp(&found->second.StandardDate, &expected.StandardDate, sizeof(SYSTEMTIME)))
      << id;
  EXPECT_EQ(0, std::memcmp(&found->second.DaylightDate, &expected.DaylightDate, sizeof(SYSTEMTIME)))
      << id;
}

class CalReaderRealWorldTest : public CalReaderTest {
 protected:
  std::vector<ParsedEvent> ReadFile(const char* name, std::size_t count) {
    std::vector<ParsedEvent> events = Parse(ReadData(name), name);
    EXPECT_EQ(events.size(), count) << name;
    events.resize(count);
    return events;
  }
};

TEST_F(CalReaderRealWorldTest, RfcExamples) {
  const std::vector<ParsedEvent> events = ReadFile("rfc-examples.ics", 4);
  const auto& zones = LastZones();
  ExpectZone(zones, "America/New_York", zonetest::Zone(300, 0, -60, SYSTEMTIME{}, SYSTEMTIME{}));
  ExpectZone(zones, "America/Los_Angeles",
             zonetest::Zone(480, 0, -60, zonetest::Rule(11, 0, 1, 2), zonetest::Rule(3, 0, 2, 2)));

  const ParsedEvent& review = events[0];
  EXPECT_EQ(review.organizer, u"mrbig@example.com");
  EXPECT_EQ(review.attendees, std::vector<std::u16string>{u"employee-A@example.com"});
  EXPECT_EQ(review.summary, u"XYZ Project Review");
  EXPECT_EQ(review.location, u"1CP Conference Room 4350");
  EXPECT_EQ(review.start, (CalDateText{"19980312T083000", "America/New_York"}));
  EXPECT_EQ(review.end, (CalDateText{"19980312T093000", "America/New_York"}));
  EXPECT_EQ(review.uid, "guid-1.example.com");

  const ParsedEvent& anniversary = events[1];
  EXPECT_EQ(anniversary.start.text, "19971102");
  EXPECT_EQ(anniversary.duration, 24 * 60);
  EXPECT_EQ(anniversary.busyStatus, ParsedEvent::kBusyFree);
  EXPECT_EQ(anniversary.sensitivity, ParsedEvent::kSensitivityConfidential);
  EXPECT_EQ(anniversary.categories, u"ANNIVERSARY;PERSONAL;SPECIAL OCCASION");
  EXPECT_EQ(anniversary.rule.type, ParsedRule::kYearly);

  EXPECT_EQ(events[2].end.text, "20070709");
  EXPECT_EQ(events[2].duration, ParsedEvent::kNoDuration);

  const ParsedEvent& conference = events[3];
  EXPECT_EQ(conference.description, u"The Fall'98 Wild Wizards Conference - - Las Vegas, NV, USA");
  EXPECT_EQ(conference.attendees, std::vector<std::u16string>{u"sales@example.com"});
  EXPECT_EQ(conference.duration, 60);
  EXPECT_EQ(conference.reminderOffset, -30);
  EXPECT_EQ(conference.rule.type, ParsedRule::kMonthNth);
  EXPECT_EQ(conference.rule.instance, 5);
  EXPECT_EQ(conference.rule.dayMask, 32);
  EXPECT_EQ(conference.rule.occurrences, 10);
}

TEST_F(CalReaderRealWorldTest, GoogleCalendarExport) {
  const std::vector<ParsedEvent> events = ReadFile("google-export.ics", 2);
  ExpectZone(LastZones(), "Europe/Berlin", zonetest::CentralEurope());
  const ParsedEvent& standUp = events[0];
  EXPECT_EQ(standUp.start, (CalDateText{"20240506T093000", "Europe/Berlin"}));
  EXPECT_EQ(standUp.rule.type, ParsedRule::kWeekly);
  EXPECT_EQ(standUp.rule.dayMask, 2 | 8 | 32);
  EXPECT_EQ(standUp.rule.endDate, "20241230T082959Z");
  ASSERT_EQ(standUp.exceptionDates.size(), 2u);
  EXPECT_EQ(standUp.exceptionDates[1], (CalDateText{"20240527T093000", "Europe/Berlin"}));
  EXPECT_EQ(standUp.organizer, u"anna.berg@example.com");
  EXPECT_EQ(standUp.attendees,
            (std::vector<std::u16string>{u"anna.berg@example.com", u"jonas@example.com"}));
  EXPECT_EQ(standUp.description,
            u"Daily stand-up for the platform team.\nAgenda: blockers, news; nothing else.");
  EXPECT_EQ(standUp.location, u"Room 4.12, Building B");
  EXPECT_EQ(standUp.reminderOffset, -10);
  EXPECT_EQ(standUp.uid, "5k1v9d0m3s0q3lq3b0g4s0t6vu@google.com");

  const ParsedEvent& holiday = events[1];
  EXPECT_EQ(holiday.summary, U16("\xC3\x96"
                                 "ffentlicher Feiertag \xE2\x80\x93 B\xC3\xBCro geschlossen"));
  EXPECT_EQ(holiday.start.text, "20240704");
  EXPECT_EQ(holiday.end.text, "20240705");
  EXPECT_EQ(holiday.busyStatus, ParsedEvent::kBusyFree);
  EXPECT_EQ(holiday.description, u"");
}

TEST_F(CalReaderRealWorldTest, OutlookExport) {
  const std::vector<ParsedEvent> events = ReadFile("outlook-export.ics", 1);
  ExpectZone(LastZones(), "W. Europe Standard Time", zonetest::CentralEurope());
  const ParsedEvent& planning = events[0];
  EXPECT_EQ(planning.start, (CalDateText{"20240612T143000", "W. Europe Standard Time"}));
  EXPECT_EQ(planning.attendees,
            (std::vector<std::u16string>{u"john.smith@example.com", u"eva.mueller@example.com"}));
  EXPECT_EQ(planning.organizer, u"jane.doe@example.com");
  EXPECT_EQ(planning.sensitivity, ParsedEvent::kSensitivityPrivate);
  EXPECT_EQ(planning.importance, ParsedEvent::kImportanceHigh);
  EXPECT_EQ(planning.description, u"Quarterly planning.\n\nPlease bring the numbers.\n");
  EXPECT_EQ(planning.location, u"Besprechungsraum 3");
  EXPECT_EQ(planning.summary, u"Quartalsplanung");
  EXPECT_EQ(planning.rule.type, ParsedRule::kMonthNth);
  EXPECT_EQ(planning.rule.instance, 2);
  EXPECT_EQ(planning.rule.dayMask, 8);
  EXPECT_EQ(planning.rule.occurrences, 6);
  EXPECT_EQ(planning.reminderOffset, -15);
  EXPECT_EQ(planning.uid.size(), 112u);
}

TEST_F(CalReaderRealWorldTest, ThunderbirdExport) {
  const std::vector<ParsedEvent> events = ReadFile("thunderbird-export.ics", 2);
  ExpectZone(LastZones(), "Asia/Kolkata", zonetest::IndiaLike());
  EXPECT_EQ(events[0].rule.type, ParsedRule::kDaily);
  EXPECT_EQ(events[0].rule.interval, 2);
  EXPECT_EQ(events[0].rule.occurrences, 5);
  EXPECT_EQ(events[0].categories, u"Business;Follow up");
  EXPECT_EQ(events[0].sensitivity, ParsedEvent::kSensitivityConfidential);
  EXPECT_EQ(events[0].reminderOffset, -60);
  EXPECT_EQ(events[1].alarmTime, "20240305T074500Z");
  EXPECT_EQ(events[1].end.text, "20240305T081500Z");
}

TEST_F(CalReaderRealWorldTest, PhoneVCalendar) {
  const std::vector<ParsedEvent> events = ReadFile("phone.vcs", 2);
  ExpectZone(LastZones(), CvCalImport::kVCalZoneId, zonetest::CentralEurope());
  const ParsedEvent& dentist = events[0];
  EXPECT_EQ(dentist.summary, u"Zahnarzt M\u00FCller");
  EXPECT_EQ(dentist.description, u"Bitte Versichertenkarte mitnehmen.\r\nZweite Zeile");
  EXPECT_EQ(dentist.categories, u"MEETING;BUSINESS");
  EXPECT_EQ(dentist.start, (CalDateText{"20240415T080000Z", CvCalImport::kVCalZoneId}));
  EXPECT_EQ(dentist.alarmTime, "20240415T074500Z");
  EXPECT_EQ(dentist.importance, ParsedEvent::kImportanceHigh);
  EXPECT_EQ(dentist.busyStatus, ParsedEvent::kBusyBusy);
  const ParsedEvent& gym = events[1];
  EXPECT_EQ(gym.rule.type, ParsedRule::kWeekly);
  EXPECT_EQ(gym.rule.dayMask, 4 | 16);
  EXPECT_EQ(gym.rule.endDate, "20240630T000000");
  EXPECT_EQ(gym.rule.occurrences, -1);
  EXPECT_EQ(gym.exceptionDates.size(), 2u);
  EXPECT_EQ(gym.busyStatus, ParsedEvent::kBusyFree);
}

}  // namespace
}  // namespace caltest
