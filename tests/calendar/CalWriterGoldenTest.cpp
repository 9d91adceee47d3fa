// Whole calendars compared byte for byte with files written from the format's rules:
// one event per file in both versions, and one calendar holding every appointment.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "testkit/Registry.h"

namespace calwriter {
namespace {

class CalWriterGoldenTest : public CalWriterTest {
 protected:
  void ExpectBoth(const std::string& subject, const std::string& golden) {
    EXPECT_EQ(ItemFile(subject, k10), Golden(golden + "-10.vcs")) << golden << " 1.0";
    EXPECT_EQ(ItemFile(subject, k20), Golden(golden + "-20.ics")) << golden << " 2.0";
  }

  // "subject: RRULE line", one a line, for every appointment of the rules folder.
  std::string RuleLines(int format) {
    std::string lines;
    for (const std::string& subject : Subjects(kRules))
      lines += subject + ": " + EventLine(ItemFile(subject, format, kRules), "RRULE") + "\n";
    return lines;
  }
};

TEST_F(CalWriterGoldenTest, ATimedEventIsWrittenInUtc) { ExpectBoth("Timed single", "timed"); }

TEST_F(CalWriterGoldenTest, AnAllDayEventHasDatesOnlyInICalendar) {
  ExpectBoth("All-day", "allday");
}

TEST_F(CalWriterGoldenTest, TextIsEscapedInICalendarAndQuotedPrintableInVCalendar) {
  ExpectBoth("Lunch, drinks; and \\ more", "escapes");
}

TEST_F(CalWriterGoldenTest, ImportanceBusyStatusAndClass) {
  ExpectBoth("Flags high", "flags-high");
  ExpectBoth("Flags low", "flags-low");
  ExpectBoth("Flags free", "flags-free");
}

TEST_F(CalWriterGoldenTest, TheReminderInBothForms) { ExpectBoth("Reminder", "reminder"); }

TEST_F(CalWriterGoldenTest, OrganizerAttendeesCategoriesAndAnExistingUid) {
  ExpectBoth("Meeting", "meeting");
}

TEST_F(CalWriterGoldenTest, AWeeklySeriesOfTheSystemZoneWithItsExceptions) {
  ExpectBoth("Weekly Europe", "weekly-europe");
}

TEST_F(CalWriterGoldenTest, ADailySeriesKeptInAUsZone) { ExpectBoth("Daily US", "daily-us"); }

TEST_F(CalWriterGoldenTest, AMonthlySeriesKeptInAZoneWithoutDaylightSaving) {
  ExpectBoth("Monthly India", "monthly-india");
}

TEST_F(CalWriterGoldenTest, OneCalendarForEveryAppointment) {
  EXPECT_EQ(OneFile(Subjects(kCalendar), k10), Golden("onefile-10.vcs"));
  EXPECT_EQ(OneFile(Subjects(kCalendar), k20), Golden("onefile-20.ics"));
}

TEST_F(CalWriterGoldenTest, TheRecurrenceRuleOfEveryType) {
  EXPECT_EQ(RuleLines(k10), Golden("rules-10.txt"));
  testkit::WriteDword(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Office\\14.0\\Outlook\\Options\\Calendar", "FirstDOW",
                      1);
  EXPECT_EQ(RuleLines(k20), Golden("rules-20.txt"));
}

}  // namespace
}  // namespace calwriter
