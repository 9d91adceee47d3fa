#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "testkit/Clock.h"
#include "testkit/TimeZone.h"
#include "win32/windows.h"

namespace {

// Europe: UTC+1, daylight from the last Sunday of March 02:00 to the last Sunday of
// October 03:00 (local).
TIME_ZONE_INFORMATION CentralEurope() {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = -60;
  zone.DaylightBias = -60;
  zone.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
  zone.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
  zone.StandardName[0] = u'W';
  return zone;
}

// Sydney: UTC+10, daylight from the first Sunday of October 02:00 to the first Sunday
// of April 03:00 (local).
TIME_ZONE_INFORMATION EasternAustralia() {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = -600;
  zone.DaylightBias = -60;
  zone.StandardDate = SYSTEMTIME{0, 4, 0, 1, 3, 0, 0, 0};
  zone.DaylightDate = SYSTEMTIME{0, 10, 0, 1, 2, 0, 0, 0};
  return zone;
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

void SetUtc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  testkit::SetSystemTime(Time(year, month, day, hour, minute, second));
}

void SetLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  testkit::SetLocalTime(Time(year, month, day, hour, minute, second));
}

// Date and time of day of a SYSTEMTIME, to compare in one go.
std::string Text(const SYSTEMTIME& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond);
  return text;
}

std::string LocalNow() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return Text(t);
}

std::string UtcNow() {
  SYSTEMTIME t{};
  GetSystemTime(&t);
  return Text(t);
}

class TimeZoneInfoTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::ResetSystemTimeZone();
    testkit::UseRealClock();
  }

  DWORD Query() { return GetTimeZoneInformation(&zone_); }

  TIME_ZONE_INFORMATION zone_{};
};

// --- The settable record.

class SystemZoneRecordTest : public TimeZoneInfoTest {};

TEST_F(SystemZoneRecordTest, TheSetRecordIsHandedBackWhole) {
  testkit::SetSystemTimeZone(CentralEurope());
  SetUtc(2026, 1, 15, 12, 0, 0);
  Query();
  EXPECT_EQ(zone_.Bias, -60);
  EXPECT_EQ(zone_.StandardBias, 0);
  EXPECT_EQ(zone_.DaylightBias, -60);
  EXPECT_EQ(zone_.StandardDate.wMonth, 10);
  EXPECT_EQ(zone_.StandardDate.wDay, 5);
  EXPECT_EQ(zone_.StandardDate.wHour, 3);
  EXPECT_EQ(zone_.DaylightDate.wMonth, 3);
  EXPECT_EQ(zone_.DaylightDate.wHour, 2);
  EXPECT_EQ(zone_.StandardName[0], u'W');
}

TEST_F(SystemZoneRecordTest, AnUnreadableZoneIsInvalidWithALastError) {
  testkit::SetSystemTimeZoneInvalid();
  SetLastError(0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_INVALID);
  EXPECT_NE(GetLastError(), 0u);
  testkit::SetSystemTimeZone(CentralEurope());
  EXPECT_NE(Query(), TIME_ZONE_ID_INVALID);
}

TEST_F(SystemZoneRecordTest, TheMachineZoneIsReadableByDefault) {
  testkit::ResetSystemTimeZone();
  EXPECT_NE(Query(), TIME_ZONE_ID_INVALID);
  EXPECT_EQ(zone_.StandardDate.wYear, 0);
  EXPECT_EQ(zone_.DaylightDate.wYear, 0);
  if (zone_.DaylightDate.wMonth == 0) {
    EXPECT_EQ(zone_.DaylightBias, 0);
  }
}

TEST_F(SystemZoneRecordTest, ANullRecordIsRefused) {
  EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
}

// --- Standard or daylight time now.

class SystemZonePeriodTest : public TimeZoneInfoTest {};

TEST_F(SystemZonePeriodTest, AZoneWithoutDaylightSavingIsUnknown) {
  TIME_ZONE_INFORMATION tokyo{};
  tokyo.Bias = -540;
  testkit::SetSystemTimeZone(tokyo);
  SetUtc(2026, 7, 1, 0, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_UNKNOWN);
}

TEST_F(SystemZonePeriodTest, NorthernZoneChangesAtItsLocalTransitionTimes) {
  testkit::SetSystemTimeZone(CentralEurope());
  SetUtc(2026, 3, 29, 0, 59, 59);  // 01:59:59 standard
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  SetUtc(2026, 3, 29, 1, 0, 0);  // 02:00 standard becomes 03:00 daylight
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetUtc(2026, 10, 25, 0, 59, 59);  // 02:59:59 daylight
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetUtc(2026, 10, 25, 1, 0, 0);  // 03:00 daylight becomes 02:00 standard
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
}

TEST_F(SystemZonePeriodTest, SouthernZoneHasDaylightAcrossTheNewYear) {
  testkit::SetSystemTimeZone(EasternAustralia());
  SetUtc(2026, 1, 10, 0, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetUtc(2026, 7, 10, 0, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  // 2026-04-05 03:00 daylight = 2026-04-04 16:00 UTC.
  SetUtc(2026, 4, 4, 15, 59, 59);
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetUtc(2026, 4, 4, 16, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  // 2026-10-04 02:00 standard = 2026-10-03 16:00 UTC.
  SetUtc(2026, 10, 3, 15, 59, 59);
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  SetUtc(2026, 10, 3, 16, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
}

TEST_F(SystemZonePeriodTest, AFifthWeekRuleMeansTheLastSuchWeekday) {
  // The last Sunday of March 2027 is the 28th (there is no fifth one).
  testkit::SetSystemTimeZone(CentralEurope());
  SetUtc(2027, 3, 28, 0, 59, 59);
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  SetUtc(2027, 3, 28, 1, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
}

TEST_F(SystemZonePeriodTest, RulesOutOfRangeCountAsNoDaylightSaving) {
  TIME_ZONE_INFORMATION broken = CentralEurope();
  broken.DaylightDate.wDay = 6;
  testkit::SetSystemTimeZone(broken);
  SetUtc(2026, 7, 1, 0, 0, 0);
  EXPECT_EQ(Query(), TIME_ZONE_ID_UNKNOWN);
  broken = CentralEurope();
  broken.StandardDate.wMonth = 13;
  testkit::SetSystemTimeZone(broken);
  EXPECT_EQ(Query(), TIME_ZONE_ID_UNKNOWN);
}

// --- Local and UTC views of the frozen clock around a transition.

class TransitionClockTest : public TimeZoneInfoTest {
 protected:
  void SetUp() override { testkit::SetSystemTimeZone(CentralEurope()); }
};

TEST_F(TransitionClockTest, AUtcInstantIsShownOnEitherSideOfTheSpringGap) {
  SetUtc(2026, 3, 29, 0, 59, 59);
  EXPECT_EQ(LocalNow(), "2026-03-29 01:59:59");
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  SetUtc(2026, 3, 29, 1, 0, 0);
  EXPECT_EQ(LocalNow(), "2026-03-29 03:00:00");
  EXPECT_EQ(UtcNow(), "2026-03-29 01:00:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
}

TEST_F(TransitionClockTest, AUtcInstantInTheRepeatedHourShowsItsOwnLocalTime) {
  SetUtc(2026, 10, 25, 0, 30, 0);  // the first 02:30, daylight
  EXPECT_EQ(LocalNow(), "2026-10-25 02:30:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetUtc(2026, 10, 25, 1, 30, 0);  // the second 02:30, standard
  EXPECT_EQ(LocalNow(), "2026-10-25 02:30:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
}

TEST_F(TransitionClockTest, ALocalTimeJustBeforeAndAfterTheSpringGap) {
  SetLocal(2026, 3, 29, 1, 59, 59);
  EXPECT_EQ(UtcNow(), "2026-03-29 00:59:59");
  EXPECT_EQ(LocalNow(), "2026-03-29 01:59:59");
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
  SetLocal(2026, 3, 29, 3, 0, 0);
  EXPECT_EQ(UtcNow(), "2026-03-29 01:00:00");
  EXPECT_EQ(LocalNow(), "2026-03-29 03:00:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
}

TEST_F(TransitionClockTest, ALocalTimeJustBeforeAndAfterTheAutumnChange) {
  // Read as UTC, 02:59:59 and 03:00:00 would both lie after the change.
  SetLocal(2026, 10, 25, 2, 59, 59);
  EXPECT_EQ(UtcNow(), "2026-10-25 00:59:59");
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetLocal(2026, 10, 25, 3, 0, 0);
  EXPECT_EQ(UtcNow(), "2026-10-25 02:00:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
}

TEST_F(TransitionClockTest, AFarEasternLocalTimeIsJudgedByItsInstant) {
  // Sydney changes on the UTC day before its local one: taken for UTC, these local
  // times would land on the other side of their change.
  testkit::SetSystemTimeZone(EasternAustralia());
  SetLocal(2026, 4, 5, 2, 30, 0);  // the first 02:30 of the repeated hour: daylight
  EXPECT_EQ(UtcNow(), "2026-04-04 15:30:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
  SetLocal(2026, 10, 4, 1, 30, 0);  // half an hour before the gap: standard
  EXPECT_EQ(UtcNow(), "2026-10-03 15:30:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
}

TEST_F(TransitionClockTest, AdvancingThroughTheSpringGapSkipsItsHour) {
  SetLocal(2026, 3, 29, 1, 59, 59);
  testkit::AdvanceClock(1000);
  EXPECT_EQ(LocalNow(), "2026-03-29 03:00:00");
  EXPECT_EQ(UtcNow(), "2026-03-29 01:00:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_DAYLIGHT);
}

TEST_F(TransitionClockTest, SleepingThroughTheAutumnChangeRepeatsItsHour) {
  SetLocal(2026, 10, 25, 2, 59, 59);
  Sleep(1000);
  EXPECT_EQ(LocalNow(), "2026-10-25 02:00:00");
  EXPECT_EQ(UtcNow(), "2026-10-25 01:00:00");
  EXPECT_EQ(Query(), TIME_ZONE_ID_STANDARD);
}

TEST_F(TransitionClockTest, EachSetterKeepsItsOwnSideWhenTheZoneChanges) {
  SetUtc(2026, 7, 1, 12, 0, 0);
  EXPECT_EQ(LocalNow(), "2026-07-01 14:00:00");
  testkit::SetSystemTimeZone(EasternAustralia());
  EXPECT_EQ(UtcNow(), "2026-07-01 12:00:00");
  EXPECT_EQ(LocalNow(), "2026-07-01 22:00:00");

  SetLocal(2026, 7, 1, 12, 0, 0);
  EXPECT_EQ(UtcNow(), "2026-07-01 02:00:00");
  testkit::SetSystemTimeZone(CentralEurope());
  EXPECT_EQ(LocalNow(), "2026-07-01 12:00:00");
  EXPECT_EQ(UtcNow(), "2026-07-01 10:00:00");
}

TEST_F(TransitionClockTest, AnUnreadableZoneShowsUtcAsLocalTime) {
  testkit::SetSystemTimeZoneInvalid();
  SetUtc(2026, 7, 1, 12, 0, 0);
  EXPECT_EQ(LocalNow(), "2026-07-01 12:00:00");
  SetLocal(2026, 7, 1, 9, 0, 0);
  EXPECT_EQ(UtcNow(), "2026-07-01 09:00:00");
}

TEST_F(TransitionClockTest, SetSystemTimeRejectsAnInvalidTime) {
  EXPECT_THROW(testkit::SetSystemTime(Time(2026, 2, 29, 0, 0, 0)), std::invalid_argument);
  EXPECT_THROW(testkit::SetSystemTime(Time(1600, 1, 1, 0, 0, 0)), std::invalid_argument);
}

}  // namespace
