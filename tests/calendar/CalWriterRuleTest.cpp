// The RRULE values of both versions for the corners of Outlook's patterns, and the week
// start that iCalendar rules take from Outlook's options.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "calendar/RecurrenceRuleText.h"
#include "testkit/Registry.h"

namespace calwriter {
namespace {

constexpr const char* kOptions14 = "Software\\Microsoft\\Office\\14.0\\Outlook\\Options\\Calendar";

RecurrenceRule Rule(long type, long interval, long mask, bool noEnd = true, long occurrences = 0) {
  RecurrenceRule rule;
  rule.type = type;
  rule.interval = interval;
  rule.dayOfWeekMask = mask;
  rule.noEndDate = noEnd;
  rule.occurrences = occurrences;
  return rule;
}

std::string VCal(const RecurrenceRule& rule) {
  std::string text;
  AppendVCalendarRule(rule, text);
  return text;
}

std::string ICal(const RecurrenceRule& rule, int weekStart = -1) {
  std::string text;
  AppendICalendarRule(rule, weekStart, text);
  return text;
}

class CalWriterRuleTest : public CalWriterTest {};

TEST_F(CalWriterRuleTest, IntervalZeroMeansEveryWeekday) {
  EXPECT_EQ(VCal(Rule(Outlook::olRecursDaily, 0, 62)), "W1 MO TU WE TH FR #0");
  EXPECT_EQ(ICal(Rule(Outlook::olRecursDaily, 0, 62)),
            "FREQ=DAILY;INTERVAL=1;BYDAY=MO,TU,WE,TH,FR");
  // A weekly pattern without interval repeats daily on its days.
  EXPECT_EQ(ICal(Rule(Outlook::olRecursWeekly, 0, 2)), "FREQ=DAILY;INTERVAL=1;BYDAY=MO");
  EXPECT_EQ(VCal(Rule(Outlook::olRecursWeekly, 0, 2)), "W1 MO #0");
}

TEST_F(CalWriterRuleTest, DaysRunFromSundayToSaturday) {
  EXPECT_EQ(VCal(Rule(Outlook::olRecursWeekly, 1, 127, false, 3)), "W1 SU MO TU WE TH FR SA #3");
  EXPECT_EQ(ICal(Rule(Outlook::olRecursWeekly, 1, 65)), "FREQ=WEEKLY;INTERVAL=1;BYDAY=SU,SA");
  // Bits above Saturday name no day.
  EXPECT_EQ(ICal(Rule(Outlook::olRecursWeekly, 1, 128 | 4)), "FREQ=WEEKLY;INTERVAL=1;BYDAY=TU");
}

TEST_F(CalWriterRuleTest, TheLastInstanceIsMinusOneInICalendarAndFivePlusInVCalendar) {
  RecurrenceRule rule = Rule(Outlook::olRecursMonthNth, 2, 32);
  rule.instance = 5;
  EXPECT_EQ(VCal(rule), "MP2 5+ FR #0");
  EXPECT_EQ(ICal(rule), "FREQ=MONTHLY;INTERVAL=2;BYDAY=FR;BYSETPOS=-1");
  rule.type = Outlook::olRecursYearNth;
  rule.monthOfYear = 10;
  EXPECT_EQ(VCal(rule), "YM1 10 #0 MP1 5+ FR");
  EXPECT_EQ(ICal(rule), "FREQ=YEARLY;INTERVAL=1;BYDAY=FR;BYMONTH=10;BYSETPOS=-1");
}

TEST_F(CalWriterRuleTest, AnUnknownTypeKeepsOnlyTheEndOrTheWeekStart) {
  EXPECT_EQ(VCal(Rule(4, 1, 2, false, 7)), " #7");
  EXPECT_EQ(ICal(Rule(4, 1, 2, false, 7)), "");
  EXPECT_EQ(ICal(Rule(4, 1, 2), 1), ";WKST=MO");
}

TEST_F(CalWriterRuleTest, TheWeekStartIsReadFromTheRunningOutlooksOptions) {
  EXPECT_EQ(ReadFirstDayOfWeek(14), -1);
  testkit::WriteDword(HKEY_CURRENT_USER, kOptions14, "FirstDOW", 1);
  EXPECT_EQ(ReadFirstDayOfWeek(14), 1);
  EXPECT_EQ(ReadFirstDayOfWeek(12), -1);
  testkit::WriteDword(HKEY_CURRENT_USER, kOptions14, "FirstDOW", 6);
  EXPECT_EQ(ReadFirstDayOfWeek(14), 6);
  EXPECT_EQ(ICal(Rule(Outlook::olRecursDaily, 1, 0), ReadFirstDayOfWeek(14)),
            "FREQ=DAILY;INTERVAL=1;WKST=SA");
  EXPECT_EQ(testkit::OpenKeyCount(), 0u);
}

TEST_F(CalWriterRuleTest, AWeekStartOutOfRangeOrNotANumberIsLeftOut) {
  testkit::WriteDword(HKEY_CURRENT_USER, kOptions14, "FirstDOW", 7);
  EXPECT_EQ(ReadFirstDayOfWeek(14), -1);
  testkit::WriteDword(HKEY_CURRENT_USER, kOptions14, "FirstDOW", 0xFFFFFFFF);
  EXPECT_EQ(ReadFirstDayOfWeek(14), -1);
  testkit::WriteString(HKEY_CURRENT_USER, kOptions14, "FirstDOW", "1");
  EXPECT_EQ(ReadFirstDayOfWeek(14), -1);
  EXPECT_EQ(EventLine(ItemFile("Weekly Europe", k20), "RRULE"),
            "RRULE:FREQ=WEEKLY;COUNT=10;INTERVAL=2;BYDAY=MO,WE");
  testkit::DenyAccess(HKEY_CURRENT_USER, kOptions14, KEY_QUERY_VALUE);
  EXPECT_EQ(ReadFirstDayOfWeek(14), -1);
}

TEST_F(CalWriterRuleTest, TheWriterAsksTheVersionItWasGiven) {
  testkit::WriteDword(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Office\\11.0\\Outlook\\Options\\Calendar", "FirstDOW",
                      1);
  CvCalExport writer;
  writer.SetOutlookVersion(11);
  writer.SetFormat(k20);
  Prepare(writer, false);
  ASSERT_TRUE(writer.BeforeExport());
  writer.SetItem(Appointment("Weekly Europe"));
  ASSERT_EQ(writer.ExportItem(), 0);
  EXPECT_EQ(EventLine(Written(writer), "RRULE"),
            "RRULE:FREQ=WEEKLY;COUNT=10;INTERVAL=2;BYDAY=MO,WE;WKST=MO");
  // vCalendar has no week start.
  writer.SetFormat(k10);
  ASSERT_TRUE(writer.BeforeExport());
  ASSERT_EQ(writer.ExportItem(), 0);
  EXPECT_EQ(EventLine(Written(writer), "RRULE"), "RRULE:W2 MO WE #10");
}

}  // namespace
}  // namespace calwriter
