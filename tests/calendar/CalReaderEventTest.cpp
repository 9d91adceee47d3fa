// VEVENT properties in both formats, VALARM variants, unended components and the
// defaults an event gets at its end.
#include <gtest/gtest.h>

#include "CalReaderFixture.h"
#include "testkit/Locale.h"

namespace caltest {
namespace {

class CalReaderEventTest : public CalReaderTest {
 protected:
  ParsedEvent Ics(const std::vector<std::string>& lines) {
    std::vector<std::string> all = {"DTSTART:20240101T100000Z"};
    all.insert(all.end(), lines.begin(), lines.end());
    return ParseOne(Calendar("2.0", all), "e.ics");
  }
  ParsedEvent Vcs(const std::vector<std::string>& lines) {
    std::vector<std::string> all = {"DTSTART:20240101T100000Z"};
    all.insert(all.end(), lines.begin(), lines.end());
    return ParseOne(Calendar("1.0", all), "e.vcs");
  }
  bool Logged(const std::string& text) const { return LogText().find(text) != std::string::npos; }
  // The VERSION a file of that name is written in.
  static const char* VersionOf(const std::string& file) {
    return file.ends_with(".vcs") ? "1.0" : "2.0";
  }
};

TEST_F(CalReaderEventTest, TextPropertiesAreDecodedAndUnescaped) {
  const ParsedEvent event =
      Ics({"SUMMARY:a\\, b\\; c\\\\d", "DESCRIPTION:line1\\nline2", "LOCATION:Room 1\\, B",
           "RESOURCES:Beamer\\, Flipchart", "UID:  uid-1 "});
  EXPECT_EQ(event.summary, u"a, b; c\\d");
  EXPECT_EQ(event.description, u"line1\nline2");
  EXPECT_EQ(event.location, u"Room 1, B");
  EXPECT_EQ(event.resources, u"Beamer\\, Flipchart");
  EXPECT_EQ(event.uid, "  uid-1 ");
}

TEST_F(CalReaderEventTest, VCalendarTextKeepsBackslashesAndDecodesQuotedPrintable) {
  const ParsedEvent event =
      Vcs({"SUMMARY;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:C:\\new=0D=0A=C3=BC",
           "DESCRIPTION;QUOTED-PRINTABLE:a=\r\n b"});
  EXPECT_EQ(event.summary, u"C:\\new\r\n\u00FC");
  EXPECT_EQ(event.description, u"a b");
}

TEST_F(CalReaderEventTest, LinesFoldedWithATabKeepTheirWholeValueInBothFormats) {
  for (const char* file : {"f.ics", "f.vcs"}) {
    const ParsedEvent event =
        ParseOne(Calendar(VersionOf(file),
                          {"DTSTART:20240101T100000Z", "SUMMARY:Quarterly planning\r\n\tmeeting",
                           "DESCRIPTION:Agenda: budget,\r\n\t staffing"}),
                 file);
    EXPECT_EQ(event.summary, u"Quarterly planningmeeting") << file;
    EXPECT_EQ(event.description, u"Agenda: budget, staffing") << file;
  }
}

TEST_F(CalReaderEventTest, ComponentNamesInAnyCaseInBothFormats) {
  for (const char* file : {"c.ics", "c.vcs"}) {
    const std::string text = std::string("begin:vcalendar\r\nversion:") + VersionOf(file) +
                             "\r\nBegin:VEvent\r\ndtstart:20240101T100000Z\r\n"
                             "begin:valarm\r\ntrigger:-PT10M\r\nend:valarm\r\n"
                             "Begin:X-Custom\r\nSUMMARY:inside\r\nend:x-custom\r\n"
                             "summary:First\r\nEND:vevent\r\n"
                             "begin:vtodo\r\nSUMMARY:task\r\nend:VTodo\r\n"
                             "begin:vevent\r\ndtstart:20240102T100000Z\r\nsummary:Second\r\n"
                             "end:vevent\r\nend:vcalendar\r\n";
    const std::vector<ParsedEvent> events = Parse(text, file);
    ASSERT_EQ(events.size(), 2u) << file << LogText();
    EXPECT_EQ(events[0].summary, u"First") << file;
    EXPECT_EQ(events[0].start.text, "20240101T100000Z") << file;
    EXPECT_EQ(events[1].summary, u"Second") << file;
    EXPECT_EQ(events[1].start.text, "20240102T100000Z") << file;
  }
  EXPECT_EQ(ParseOne(Calendar("2.0", {"DTSTART:20240101T100000Z", "BEGIN:valarm", "TRIGGER:-PT10M",
                                      "End:VAlarm"}))
                .reminderOffset,
            -10);
}

TEST_F(CalReaderEventTest, QuotedPrintableComesOffBeforeTheEscapes) {
  EXPECT_EQ(Ics({"SUMMARY;ENCODING=QUOTED-PRINTABLE:a\\nb=3Dc\\,d"}).summary, u"a\nb=c,d");
}

TEST_F(CalReaderEventTest, ParametersOfLocationAndResourcesAreLogged) {
  Ics({"LOCATION;LANGUAGE=de:Raum", "SUMMARY;LANGUAGE=de:Titel"});
  EXPECT_TRUE(Logged("Ignoring param LANGUAGE=de for prop LOCATION"));
  EXPECT_FALSE(Logged("for prop SUMMARY"));
}

TEST_F(CalReaderEventTest, CategoriesUseTheListSeparatorAndRepeatedLinesJoin) {
  testkit::SetListSeparator("|");
  EXPECT_EQ(Ics({"CATEGORIES:A,B"}).categories, u"A|B");
  EXPECT_EQ(Ics({"CATEGORIES:A\\,B"}).categories, u"A|B");
  EXPECT_EQ(Vcs({"CATEGORIES:A;B"}).categories, u"A|B");
  EXPECT_EQ(Ics({"CATEGORIES:A", "CATEGORIES:B,C", "CATEGORIES:"}).categories, u"A|B|C");
  EXPECT_EQ(Ics({"SUMMARY:one", "SUMMARY:two"}).summary, u"two");
}

TEST_F(CalReaderEventTest, ClassPriorityTransparencyAndImportance) {
  EXPECT_EQ(Ics({"CLASS:PRIVATE"}).sensitivity, ParsedEvent::kSensitivityPrivate);
  EXPECT_EQ(Ics({"CLASS: CONFIDENTIAL "}).sensitivity, ParsedEvent::kSensitivityConfidential);
  EXPECT_EQ(Ics({"CLASS:PRIVATE", "CLASS:PUBLIC"}).sensitivity, ParsedEvent::kSensitivityNormal);
  struct Case {
    bool vcal;
    const char* priority;
    int importance;
  };
  const Case cases[] = {{true, "1", 2},  {true, "2", 2},  {true, "3", 1},  {true, "4", 1},
                        {true, "5", 0},  {true, "0", 1},  {true, "x", 1},  {false, "1", 2},
                        {false, "4", 2}, {false, "5", 1}, {false, "7", 1}, {false, "8", 1},
                        {false, "9", 0}, {false, "0", 1}};
  for (const Case& c : cases) {
    const std::string line = std::string("PRIORITY:") + c.priority;
    EXPECT_EQ((c.vcal ? Vcs({line}) : Ics({line})).importance, c.importance)
        << line << (c.vcal ? " vcs" : " ics");
  }
  EXPECT_EQ(Ics({"TRANSP:transparent"}).busyStatus, ParsedEvent::kBusyFree);
  EXPECT_EQ(Ics({"TRANSP:OPAQUE"}).busyStatus, ParsedEvent::kBusyBusy);
  EXPECT_EQ(Ics({"TRANSP:MAYBE"}).busyStatus, ParsedEvent::kBusyBusy);
  EXPECT_TRUE(Logged("Invalid value\tin line(TRANSP:MAYBE)"));
  EXPECT_EQ(Vcs({"TRANSP:1"}).busyStatus, ParsedEvent::kBusyFree);
  EXPECT_EQ(Vcs({"TRANSP:0"}).busyStatus, ParsedEvent::kBusyBusy);
}

TEST_F(CalReaderEventTest, ImportanceOutsideItsRangeIsIgnored) {
  EXPECT_EQ(Ics({"PRIORITY:1", "X-MICROSOFT-CDO-IMPORTANCE:0"}).importance, 0);
  EXPECT_EQ(Ics({"PRIORITY:1", "X-MICROSOFT-CDO-IMPORTANCE:7"}).importance, 2);
  EXPECT_EQ(Ics({"PRIORITY:9", "X-MICROSOFT-CDO-IMPORTANCE:-1"}).importance, 0);
  EXPECT_TRUE(Logged("Invalid value\tin line(X-MICROSOFT-CDO-IMPORTANCE:7)"));
  // In a vCalendar file the property is unknown.
  EXPECT_EQ(Vcs({"X-MICROSOFT-CDO-IMPORTANCE:2"}).importance, 1);
}

TEST_F(CalReaderEventTest, OrganizerAndAttendeesOfICalendar) {
  const ParsedEvent event =
      Ics({"ORGANIZER;CN=\"Doe, Jane\":mailto:jane@example.com",
           "ATTENDEE;CN=\"Team: Sales\";ROLE=OPT-PARTICIPANT;RSVP=TRUE:MAILTO:sales@example.com",
           "ATTENDEE;ROLE=CHAIR;PARTSTAT=ACCEPTED:MaIlTo:chair@example.com",
           "ATTENDEE:plain@example.com", "ATTENDEE:mailto:"});
  EXPECT_EQ(event.organizer, u"jane@example.com");
  EXPECT_EQ(event.attendees,
            (std::vector<std::u16string>{u"sales@example.com", u"chair@example.com",
                                         u"plain@example.com"}));
  EXPECT_TRUE(Logged("Ignoring ATTENDEE.ROLE"));
  EXPECT_TRUE(Logged("Ignoring ATTENDEE.PARTSTAT=ACCEPTED"));
  EXPECT_TRUE(Logged("prop value has no \"MAILTO:\"\tin line(ATTENDEE:plain@example.com)"));
}

TEST_F(CalReaderEventTest, OrganizerAndAttendeesOfVCalendar) {
  const ParsedEvent event =
      Vcs({"ATTENDEE;ROLE=ORGANIZER;ENCODING=QUOTED-PRINTABLE:boss=40example.com",
           "ATTENDEE;ROLE=ATTENDEE;ENCODING=QUOTED-PRINTABLE:a=40example.com",
           "ATTENDEE;STATUS=CONFIRMED:b@example.com", "ATTENDEE;ROLE=OWNER:c@example.com",
           "ORGANIZER:MAILTO:nobody@example.com"});
  EXPECT_EQ(event.organizer, u"boss@example.com");
  EXPECT_EQ(event.attendees,
            (std::vector<std::u16string>{u"a@example.com", u"b@example.com", u"c@example.com"}));
  EXPECT_TRUE(Logged("Ignoring ATTENDEE.STATUS=CONFIRMED"));
  EXPECT_TRUE(Logged("Unknown VEVENT Prop\tin line(ORGANIZER:MAILTO:nobody@example.com)"));
}

TEST_F(CalReaderEventTest, StartEndAndDuration) {
  const ParsedEvent zoned =
      ParseOne(Calendar("2.0", {"DTSTART;TZID=\"Nowhere\";VALUE=DATE-TIME:20240101T100000",
                                "DTEND;TZID=Nowhere:20240101T113000", "DURATION:PT90M"}));
  EXPECT_EQ(zoned.start, (CalDateText{"20240101T100000", CvCalImport::DefaultZoneKey}));
  EXPECT_EQ(zoned.end.text, "20240101T113000");
  EXPECT_EQ(zoned.duration, 90);
  EXPECT_FALSE(zoned.badStart);
  EXPECT_EQ(Ics({"DURATION:-PT5M"}).duration, ParsedEvent::kNoDuration);
  EXPECT_TRUE(Logged("Invalid duration\tin line(DURATION:-PT5M)"));
  EXPECT_EQ(Ics({"DTSTART:2024-01-01"}).start.text, "20240101T100000Z");
  EXPECT_TRUE(Logged("Invalid date \"2024-01-01\""));
}

TEST_F(CalReaderEventTest, EventsWithoutStartTakeTheEndOrCannotBeImported) {
  const ParsedEvent endOnly = ParseOne(Calendar("2.0", {"DTEND:20240101T100000Z"}));
  EXPECT_EQ(endOnly.start, endOnly.end);
  EXPECT_EQ(endOnly.start.text, "20240101T100000Z");
  EXPECT_FALSE(endOnly.badStart);
  // Handed over all the same, so that the run counts it as failed, and named by its line.
  for (const char* start : {"X-NOTE:no start", "DTSTART:tomorrow"}) {
    const ParsedEvent none = ParseOne(Calendar("2.0", {"SUMMARY:nothing", start}), "n.ics");
    EXPECT_TRUE(none.badStart) << start;
    EXPECT_EQ(none.summary, u"nothing");
    EXPECT_TRUE(
        Logged("No START and END in the event of line 3 - the event cannot be imported\t"
               "in file(name='n.ics',line~6)"))
        << LogText();
  }
  // Periods without a rule give the starts.
  for (const char* dates :
       {"RDATE;VALUE=PERIOD:20240109T100000Z/PT1H", "RDATE:20240109T100000Z,20240110T100000Z"}) {
    const ParsedEvent periods = ParseOne(Calendar("2.0", {dates}));
    EXPECT_FALSE(periods.badStart) << dates;
    EXPECT_TRUE(periods.SplitsIntoPeriods()) << dates;
  }
  EXPECT_TRUE(ParseOne(Calendar("2.0", {"RDATE:20240109T100000Z", "RRULE:FREQ=DAILY"})).badStart);
}

TEST_F(CalReaderEventTest, DateOnlyStartAloneIsOneWholeDay) {
  EXPECT_EQ(ParseOne(Calendar("2.0", {"DTSTART;VALUE=DATE:20240501"})).duration, 24 * 60);
  EXPECT_EQ(ParseOne(Calendar("2.0", {"DTSTART;VALUE=DATE:20240501", "DURATION:P2D"})).duration,
            2 * 24 * 60);
  const ParsedEvent withEnd =
      ParseOne(Calendar("2.0", {"DTSTART;VALUE=DATE:20240501", "DTEND;VALUE=DATE:20240503"}));
  EXPECT_EQ(withEnd.duration, ParsedEvent::kNoDuration);
  EXPECT_EQ(ParseOne(Calendar("2.0", {"DTSTART:20240501T100000"})).duration,
            ParsedEvent::kNoDuration);
}

TEST_F(CalReaderEventTest, ImpossibleStartMarksTheEvent) {
  const ParsedEvent event = ParseOne(Calendar("2.0", {"DTSTART:20240231T100000", "SUMMARY:x"}));
  EXPECT_TRUE(event.badStart);
  EXPECT_EQ(event.summary, u"x");
  EXPECT_TRUE(Logged("Impossible start date \"20240231T100000\""));
}

TEST_F(CalReaderEventTest, ExceptionAndExtraDates) {
  const ParsedEvent event = ParseOne(Calendar(
      "2.0", {"DTSTART:20240101T100000Z", "EXDATE:20240108T100000Z,bad, 20240115T100000Z",
              "EXDATE;TZID=Nowhere:20240122T100000",
              "RDATE;VALUE=PERIOD:20240109T100000Z/PT1H,20240110T100000Z/20240110T120000Z,x/y",
              "RDATE:20240111T100000Z"}));
  ASSERT_EQ(event.exceptionDates.size(), 3u);
  EXPECT_EQ(event.exceptionDates[1],
            (CalDateText{"20240115T100000Z", CvCalImport::DefaultZoneKey}));
  EXPECT_EQ(event.exceptionDates[2].text, "20240122T100000");
  ASSERT_EQ(event.extraDates.size(), 3u);
  EXPECT_EQ(event.extraDates[0],
            (CalExtraDate{"20240109T100000Z", CvCalImport::DefaultZoneKey, "", "PT1H"}));
  EXPECT_EQ(event.extraDates[1].endText, "20240110T120000Z");
  EXPECT_EQ(event.extraDates[2].text, "20240111T100000Z");
  EXPECT_TRUE(Logged("Invalid period \"x/y\""));
  const ParsedEvent vcal = Vcs({"EXDATE:20240108T100000Z;20240115T100000Z"});
  EXPECT_EQ(vcal.exceptionDates.size(), 2u);
}

TEST_F(CalReaderEventTest, IgnoredAndUnknownProperties) {
  Ics({"DTSTAMP:20240101T000000Z", "X-ANYTHING:1", "AALARM:20240101T090000", "RELATED-TO:abc",
       "EXRULE:FREQ=DAILY"});
  EXPECT_TRUE(Logged("Unknown VEVENT Prop\tin line(AALARM:20240101T090000)"));
  EXPECT_TRUE(Logged("Ingnoring:\tin line(RELATED-TO:abc)"));
  EXPECT_TRUE(Logged("Exception Rule not supported"));
  EXPECT_FALSE(Logged("X-ANYTHING"));
  EXPECT_FALSE(Logged("DTSTAMP"));
}

TEST_F(CalReaderEventTest, SoftBrokenValuesOfIgnoredPropertiesStayValues) {
  const ParsedEvent event =
      Vcs({"X-NOTE;ENCODING=QUOTED-PRINTABLE:a=", "SUMMARY:not a property", "SUMMARY:real"});
  EXPECT_EQ(event.summary, u"real");
  EXPECT_EQ(Vcs({"X-NOTE;ENCODING=QUOTED-PRINTABLE:a=", "SUMMARY:swallowed"}).summary, u"");
}

class CalReaderAlarmTest : public CalReaderEventTest {
 protected:
  ParsedEvent Alarm(const std::vector<std::string>& lines) {
    std::vector<std::string> all = {"BEGIN:VALARM"};
    all.insert(all.end(), lines.begin(), lines.end());
    all.push_back("END:VALARM");
    return Ics(all);
  }
};

TEST_F(CalReaderAlarmTest, RelativeTriggers) {
  EXPECT_EQ(Alarm({"TRIGGER:-PT15M", "ACTION:DISPLAY"}).reminderOffset, -15);
  EXPECT_EQ(Alarm({"TRIGGER;VALUE=DURATION;RELATED=START:-P1D"}).reminderOffset, -1440);
  EXPECT_EQ(Alarm({"TRIGGER:PT0S"}).reminderOffset, 0);
  EXPECT_EQ(Alarm({"TRIGGER:PT5M"}).reminderOffset, ParsedEvent::kNoReminderOffset);
  EXPECT_TRUE(Logged("duraton must be negative"));
  EXPECT_EQ(Alarm({"TRIGGER:soon"}).reminderOffset, ParsedEvent::kNoReminderOffset);
  EXPECT_TRUE(Logged("Invalid duraton"));
  EXPECT_EQ(Alarm({"TRIGGER:-PT2147483647M"}).reminderOffset, -2147483647);
  EXPECT_EQ(Alarm({"TRIGGER:-PT2147483648M"}).reminderOffset, ParsedEvent::kNoReminderOffset);
  const ParsedEvent fromEnd = Alarm({"TRIGGER;RELATED=END:-PT5M"});
  EXPECT_EQ(fromEnd.reminderOffset, -5);
  EXPECT_TRUE(fromEnd.reminderFromEnd);
  EXPECT_FALSE(Alarm({"TRIGGER;RELATED=START:-PT5M"}).reminderFromEnd);
  // A later trigger of the event replaces the earlier one with its relation.
  EXPECT_FALSE(Alarm({"TRIGGER;RELATED=END:-PT5M", "TRIGGER:-PT9M"}).reminderFromEnd);
}

TEST_F(CalReaderAlarmTest, AbsoluteTriggersAndDalarm) {
  const ParsedEvent absolute = Alarm({"TRIGGER;VALUE=DATE-TIME:20240101T094500Z"});
  EXPECT_EQ(absolute.alarmTime, "20240101T094500Z");
  EXPECT_EQ(absolute.reminderOffset, ParsedEvent::kNoReminderOffset);
  EXPECT_EQ(Vcs({"DALARM:20240101T094500Z; ; ;Reminder"}).alarmTime, "20240101T094500Z");
  EXPECT_EQ(Vcs({"DALARM:soon;PT5M"}).alarmTime, "");
  EXPECT_EQ(Ics({"DALARM:20240101T094500Z"}).alarmTime, "");
}

TEST_F(CalReaderAlarmTest, APhonesAudioAlarmIsTheReminderWithoutADisplayAlarm) {
  EXPECT_EQ(Vcs({"AALARM:20240101T095000Z;;0;"}).alarmTime, "20240101T095000Z");
  // The display alarm wins, before or after the audio alarm.
  EXPECT_EQ(Vcs({"AALARM:20240101T095000Z", "DALARM:20240101T094500Z"}).alarmTime,
            "20240101T094500Z");
  EXPECT_EQ(Vcs({"DALARM:20240101T094500Z", "AALARM:20240101T095000Z"}).alarmTime,
            "20240101T094500Z");
  // The next event has an alarm of its own or none.
  const std::vector<ParsedEvent> events =
      Parse(Calendar("1.0", {"DTSTART:20240101T100000Z", "AALARM:20240101T095000Z"}) + "\r\n" +
                Calendar("1.0", {"DTSTART:20240102T100000Z"}),
            "two.vcs");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].alarmTime, "");
}

TEST_F(CalReaderAlarmTest, UnendedAlarmEndsWithItsEvent) {
  const std::string text =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
      "DTSTART:20240101T100000Z\r\nBEGIN:VALARM\r\nTRIGGER:-PT5M\r\n"
      "END:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART:20240102T100000Z\r\n"
      "SUMMARY:second\r\nEND:VEVENT\r\nEND:VCALENDAR";
  const std::vector<ParsedEvent> events = Parse(text);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].reminderOffset, -5);
  EXPECT_EQ(events[1].summary, u"second");
  EXPECT_TRUE(Logged("expected END:VARALM"));
}

TEST_F(CalReaderAlarmTest, UnendedEventEndsAtTheNextOne) {
  const std::string text =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
      "DTSTART:20240101T100000Z\r\nSUMMARY:first\r\nBEGIN:VEVENT\r\n"
      "DTSTART:20240102T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n" +
      Calendar("2.0", {"DTSTART:20240103T100000Z", "SUMMARY:third"});
  const std::vector<ParsedEvent> events = Parse(text);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].summary, u"first");
  EXPECT_EQ(events[1].start.text, "20240102T100000Z");
  EXPECT_EQ(events[2].summary, u"third");
  EXPECT_TRUE(Logged("BEGIN:VEVENT inside VEVENT"));
}

TEST_F(CalReaderAlarmTest, EventUnendedAtTheCalendarsEnd) {
  const std::string text =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
      "DTSTART:20240101T100000Z\r\nEND:VCALENDAR\r\n" +
      Calendar("2.0", {"DTSTART:20240103T100000Z", "SUMMARY:next"});
  const std::vector<ParsedEvent> events = Parse(text);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].summary, u"next");
}

}  // namespace
}  // namespace caltest
