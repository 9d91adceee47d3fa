#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "atl/OleDateTime.h"

namespace {

// --- Construction and status: the OLE range and field checks.

class OleDateTimeStatusTest : public ::testing::Test {};

TEST_F(OleDateTimeStatusTest, FieldsInRangeMakeAValidDateWithTheOleValue) {
  const COleDateTime date(2024, 2, 29, 18, 0, 0);
  EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
  EXPECT_DOUBLE_EQ(date.m_dt, 45351.75);
  EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).m_dt, 0.0);
}

TEST_F(OleDateTimeStatusTest, FieldsOutOfRangeMakeAnInvalidDate) {
  EXPECT_EQ(COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2024, 13, 1, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2024, 4, 31, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2024, 1, 1, 24, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2024, 1, 1, 0, 60, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2024, 1, 1, 0, 0, 60).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(1900, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
}

TEST_F(OleDateTimeStatusTest, YearsOutsideOneHundredToNineThousandNineHundredNinetyNineAreInvalid) {
  EXPECT_EQ(COleDateTime(99, 12, 31, 23, 59, 59).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).GetStatus(), COleDateTime::valid);
  EXPECT_EQ(COleDateTime(9999, 12, 31, 23, 59, 59).GetStatus(), COleDateTime::valid);
  EXPECT_EQ(COleDateTime(10000, 1, 1, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_DOUBLE_EQ(COleDateTime(100, 1, 1, 0, 0, 0).m_dt, -657434.0);
}

TEST_F(OleDateTimeStatusTest, DatesOutsideTheRangeOrNotANumberAreInvalid) {
  EXPECT_EQ(COleDateTime(-657435.0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2958466.0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(std::numeric_limits<double>::quiet_NaN()).GetStatus(),
            COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(949998.0).GetStatus(), COleDateTime::valid);
}

TEST_F(OleDateTimeStatusTest, ReadersAnswerMinusOneForADateThatIsNotValid) {
  COleDateTime date(2024, 2, 30, 0, 0, 0);
  EXPECT_EQ(date.GetYear(), -1);
  EXPECT_EQ(date.GetDayOfWeek(), -1);
  date.SetStatus(COleDateTime::null);
  EXPECT_EQ(date.GetMonth(), -1);
  SYSTEMTIME time{};
  EXPECT_FALSE(date.GetAsSystemTime(time));
}

TEST_F(OleDateTimeStatusTest, SetDateTimeReportsAndRecordsTheOutcome) {
  COleDateTime date;
  EXPECT_EQ(date.SetDateTime(2024, 6, 31, 0, 0, 0), 1);
  EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(date.SetDate(2024, 6, 30), 0);
  EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
  EXPECT_EQ(date.GetDay(), 30);
}

// --- Reading the fields, before and after day 0.

class OleDateTimeFieldsTest : public ::testing::Test {};

TEST_F(OleDateTimeFieldsTest, NegativeDatesCountTheTimeAwayFromDayZero) {
  const COleDateTime date(-1.25);
  EXPECT_EQ(date.GetYear(), 1899);
  EXPECT_EQ(date.GetMonth(), 12);
  EXPECT_EQ(date.GetDay(), 29);
  EXPECT_EQ(date.GetHour(), 6);
  EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);
  EXPECT_DOUBLE_EQ(COleDateTime(1800, 1, 1, 18, 0, 0).m_dt, -36522.75);
}

TEST_F(OleDateTimeFieldsTest, TimesAreRoundedToTheNearestSecond) {
  const COleDateTime early(45351.0 + 59.4 / 86400.0);
  EXPECT_EQ(early.GetSecond(), 59);
  const COleDateTime late(45351.0 + 59.6 / 86400.0);
  EXPECT_EQ(late.GetMinute(), 1);
  EXPECT_EQ(late.GetSecond(), 0);
  const COleDateTime midnight(45351.0 + 86399.7 / 86400.0);
  EXPECT_EQ(midnight.GetDay(), 1);
  EXPECT_EQ(midnight.GetMonth(), 3);
  EXPECT_EQ(midnight.GetHour(), 0);
}

TEST_F(OleDateTimeFieldsTest, DayOfWeekCountsFromSundayAsOne) {
  EXPECT_EQ(COleDateTime(2024, 3, 31, 12, 0, 0).GetDayOfWeek(), 1);
  EXPECT_EQ(COleDateTime(2024, 2, 29, 0, 0, 0).GetDayOfWeek(), 5);
  EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7);
  EXPECT_EQ(COleDateTime(1899, 12, 29, 23, 0, 0).GetDayOfWeek(), 6);
  EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).GetDayOfWeek(), 6);
  EXPECT_EQ(COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
}

TEST_F(OleDateTimeFieldsTest, SystemTimeRoundTripsWithAZeroBasedWeekday) {
  const SYSTEMTIME in{2026, 10, 0, 25, 2, 59, 30, 999};
  const COleDateTime date(in);
  SYSTEMTIME out{};
  ASSERT_TRUE(date.GetAsSystemTime(out));
  EXPECT_EQ(out.wYear, 2026);
  EXPECT_EQ(out.wMonth, 10);
  EXPECT_EQ(out.wDay, 25);
  EXPECT_EQ(out.wDayOfWeek, 0);
  EXPECT_EQ(out.wHour, 2);
  EXPECT_EQ(out.wMinute, 59);
  EXPECT_EQ(out.wSecond, 30);
  EXPECT_EQ(out.wMilliseconds, 0);
}

// --- Arithmetic with spans and comparisons, exact to the second.

class OleDateTimeArithmeticTest : public ::testing::Test {};

TEST_F(OleDateTimeArithmeticTest, AddingSpansCrossesDayZeroExactly) {
  const COleDateTime start(1899, 12, 30, 3, 0, 0);
  const COleDateTime earlier = start - COleDateTimeSpan(0, 6, 0, 0);
  EXPECT_EQ(earlier.GetStatus(), COleDateTime::valid);
  EXPECT_DOUBLE_EQ(earlier.m_dt, -1.875);
  EXPECT_EQ(earlier.GetDay(), 29);
  EXPECT_EQ(earlier.GetHour(), 21);
  EXPECT_EQ(earlier + COleDateTimeSpan(0, 6, 0, 0), start);
}

TEST_F(OleDateTimeArithmeticTest, ManyMinuteStepsLeaveNoRoundingError) {
  COleDateTime date(2024, 3, 31, 0, 0, 0);
  for (int i = 0; i < 1440; ++i) date += COleDateTimeSpan(0, 0, 1, 0);
  EXPECT_EQ(date, COleDateTime(2024, 4, 1, 0, 0, 0));
  EXPECT_EQ(date.GetSecond(), 0);
}

TEST_F(OleDateTimeArithmeticTest, LeavingTheRangeOrAnInvalidOperandGivesAnInvalidResult) {
  const COleDateTime last(9999, 12, 31, 23, 59, 59);
  EXPECT_EQ((last + COleDateTimeSpan(0, 0, 0, 1)).GetStatus(), COleDateTime::invalid);
  const COleDateTime first(100, 1, 1, 0, 0, 0);
  EXPECT_EQ((first - COleDateTimeSpan(0, 0, 0, 1)).GetStatus(), COleDateTime::invalid);
  COleDateTimeSpan bad(1.0);
  bad.SetStatus(COleDateTimeSpan::invalid);
  EXPECT_EQ((COleDateTime(2024, 1, 1, 0, 0, 0) + bad).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ((COleDateTime(2024, 1, 1, 0, 0, 0) - COleDateTime(2024, 2, 30, 0, 0, 0)).GetStatus(),
            COleDateTimeSpan::invalid);
  EXPECT_EQ((COleDateTime(2024, 1, 1, 0, 0, 0) + COleDateTimeSpan(1e300)).GetStatus(),
            COleDateTime::invalid);
  EXPECT_EQ(COleDateTimeSpan(std::numeric_limits<double>::infinity()).GetStatus(),
            COleDateTimeSpan::invalid);
}

TEST_F(OleDateTimeArithmeticTest, TheDifferenceOfTwoDatesIsASignedSpan) {
  const COleDateTimeSpan span =
      COleDateTime(1899, 12, 29, 6, 0, 0) - COleDateTime(1899, 12, 30, 12, 30, 15);
  EXPECT_DOUBLE_EQ(span.GetTotalSeconds(), -(30.0 * 3600 + 30 * 60 + 15));
  EXPECT_EQ(span.GetDays(), -1);
  EXPECT_EQ(span.GetHours(), -6);
  EXPECT_EQ(span.GetMinutes(), -30);
  EXPECT_EQ(span.GetSeconds(), -15);
  EXPECT_DOUBLE_EQ(COleDateTimeSpan(1, 12, 0, 0).GetTotalHours(), 36.0);
}

TEST_F(OleDateTimeArithmeticTest, ComparisonFollowsTheInstantNotTheStoredNumber) {
  const COleDateTime six(-1.25);  // 1899-12-29 06:00
  const COleDateTime noon(-1.5);  // 1899-12-29 12:00
  EXPECT_LT(six, noon);
  EXPECT_GT(noon, six);
  EXPECT_LT(noon, COleDateTime(0.25));
  EXPECT_EQ(COleDateTime(-0.5), COleDateTime(0.5));
  EXPECT_NE(COleDateTime(2024, 1, 1, 0, 0, 0), COleDateTime(2024, 1, 1, 0, 0, 1));
}

TEST_F(OleDateTimeArithmeticTest, DatesThatAreNotValidNeverOrderAndMatchOnlyByStatus) {
  const COleDateTime invalidA(2024, 2, 30, 0, 0, 0);
  const COleDateTime invalidB(1e9);
  EXPECT_EQ(invalidA, invalidB);
  EXPECT_FALSE(invalidA < COleDateTime(2024, 1, 1, 0, 0, 0));
  EXPECT_FALSE(COleDateTime(2024, 1, 1, 0, 0, 0) < invalidA);
  EXPECT_NE(invalidA, COleDateTime(0.0));
}

// --- Formatting.

class OleDateTimeFormatTest : public ::testing::Test {};

TEST_F(OleDateTimeFormatTest, NumericFieldsArePaddedWithZeros) {
  const COleDateTime date(987, 3, 4, 5, 6, 7);
  EXPECT_EQ(date.Format("%Y%m%dT%H%M%S"), "09870304T050607");
  EXPECT_EQ(date.Format("%m%d"), "0304");
  EXPECT_EQ(date.Format("%y/%j"), "87/063");
}

TEST_F(OleDateTimeFormatTest, TwelveHourClockAndNames) {
  EXPECT_EQ(COleDateTime(2024, 7, 1, 0, 5, 0).Format("%I:%M %p"), "12:05 AM");
  EXPECT_EQ(COleDateTime(2024, 7, 1, 12, 0, 0).Format("%I:%M %p"), "12:00 PM");
  EXPECT_EQ(COleDateTime(2024, 7, 1, 23, 59, 0).Format("%H:%M %p"), "23:59 PM");
  EXPECT_EQ(COleDateTime(2024, 7, 1, 0, 0, 0).Format("%a %A %b %B 100%%"),
            "Mon Monday Jul July 100%");
}

TEST_F(OleDateTimeFormatTest, InvalidAndNullDatesHaveTheirOwnTexts) {
  EXPECT_EQ(COleDateTime(2024, 2, 30, 0, 0, 0).Format("%Y"), "Invalid DateTime");
  COleDateTime nothing;
  nothing.SetStatus(COleDateTime::null);
  EXPECT_EQ(nothing.Format("%Y"), "");
}

}  // namespace
