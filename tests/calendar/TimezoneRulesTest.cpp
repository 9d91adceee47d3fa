// Zone records: layout, comparison, transition dates and the conversions between a
// zone's wall clock and UTC around both transitions.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ZoneTestData.h"
#include "calendar/TimezoneRules.h"

namespace {

using namespace zonetest;

class TimezoneLayoutTest : public ::testing::Test {};

TEST_F(TimezoneLayoutTest, RecordBytesAreLittleEndianWithoutPadding) {
  TimezoneStruct zone = CentralEurope();
  zone.StandardYear = 0x0102;
  zone.DaylightYear = 0x0304;
  const unsigned char expected[48] = {0xC4, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                      0xC4, 0xFF, 0xFF, 0xFF,  // biases
                                      0x02, 0x01,              // year
                                      0,    0,    10,   0,    0,    0,    5,    0,
                                      3,    0,    0,    0,    0,    0,    0,    0,  // standard
                                      0x04, 0x03,                                   // year
                                      0,    0,    3,    0,    0,    0,    5,    0,
                                      2,    0,    0,    0,    0,    0,    0,    0};  // daylight
  EXPECT_EQ(0, std::memcmp(expected, &zone, sizeof expected));
}

TEST_F(TimezoneLayoutTest, TziBecomesRecordWithZeroYears) {
  const BYTE tzi[kTziSize] = {0x2C, 0x01, 0, 0, 0, 0, 0, 0, 0xC4, 0xFF, 0xFF, 0xFF, 0, 0, 11,
                              0,    0,    0, 1, 0, 2, 0, 0, 0,    0,    0,    0,    0, 0, 0,
                              3,    0,    0, 0, 2, 0, 2, 0, 0,    0,    0,    0,    0, 0};
  const TimezoneStruct zone = TimezoneFromTzi(tzi);
  const TimezoneStruct expected = UsEastern();
  EXPECT_EQ(0, std::memcmp(&expected, &zone, sizeof zone));
  EXPECT_EQ(0, zone.StandardYear);
  EXPECT_EQ(0, zone.DaylightYear);
}

class SameTimezoneTest : public ::testing::Test {};

TEST_F(SameTimezoneTest, OffsetsSplitDifferentlyAreTheSameZone) {
  const TimezoneStruct a = Zone(60, 0, -60, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2));
  const TimezoneStruct b = Zone(0, 60, 0, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2));
  EXPECT_TRUE(IsSameTimezone(a, b));
  EXPECT_TRUE(IsSameTimezone(b, a));
}

TEST_F(SameTimezoneTest, YearWordsAreIgnored) {
  TimezoneStruct a = CentralEurope();
  a.StandardYear = 2000;
  a.DaylightYear = 1999;
  EXPECT_TRUE(IsSameTimezone(a, CentralEurope()));
}

TEST_F(SameTimezoneTest, AnyRuleByteOrOffsetMakesADifference) {
  TimezoneStruct otherDaylightOffset = CentralEurope();
  otherDaylightOffset.DaylightBias = -30;
  TimezoneStruct otherMilliseconds = CentralEurope();
  otherMilliseconds.DaylightDate.wMilliseconds = 1;
  TimezoneStruct otherStandardRule = CentralEurope();
  otherStandardRule.StandardDate.wHour = 2;
  EXPECT_FALSE(IsSameTimezone(otherDaylightOffset, CentralEurope()));
  EXPECT_FALSE(IsSameTimezone(otherMilliseconds, CentralEurope()));
  EXPECT_FALSE(IsSameTimezone(otherStandardRule, CentralEurope()));
  EXPECT_FALSE(IsSameTimezone(UsEastern(), CentralEurope()));
}

TEST_F(SameTimezoneTest, ExtremeBiasesDoNotOverflow) {
  const TimezoneStruct a = Zone(0x7FFFFFFF, 1, 1, SYSTEMTIME{}, SYSTEMTIME{});
  const TimezoneStruct b = Zone(static_cast<LONG>(0x80000000u), 0, 0, SYSTEMTIME{}, SYSTEMTIME{});
  EXPECT_FALSE(IsSameTimezone(a, b));
}

class TransitionDateTest : public ::testing::Test {};

struct TransitionCase {
  int year;
  SYSTEMTIME rule;
  COleDateTime expected;
};

TEST_F(TransitionDateTest, GoldenTable) {
  const std::vector<TransitionCase> cases = {
      {2026, Rule(3, 0, 5, 2), Dt(2026, 3, 29, 2)},    // last Sunday, the fifth
      {2026, Rule(3, 0, 4, 2), Dt(2026, 3, 22, 2)},    // week 4 of five Sundays
      {2026, Rule(10, 0, 5, 3), Dt(2026, 10, 25, 3)},  // 31st is a Saturday
      {2027, Rule(10, 0, 5, 3), Dt(2027, 10, 31, 3)},  // 31st is a Sunday
      {2026, Rule(3, 0, 2, 2), Dt(2026, 3, 8, 2)},     // second Sunday
      {2026, Rule(11, 0, 1, 2), Dt(2026, 11, 1, 2)},   // first Sunday on the 1st
      {2026, Rule(4, 0, 1, 3), Dt(2026, 4, 5, 3)},     // first Sunday later
      {2025, Rule(10, 0, 1, 2, 30), Dt(2025, 10, 5, 2, 30)},
      {2024, Rule(2, 4, 5, 23, 59), Dt(2024, 2, 29, 23, 59)},  // leap day, Thursday
      {2023, Rule(2, 2, 5, 0), Dt(2023, 2, 28, 0)},            // last Tuesday
      {2026, Rule(1, 6, 1, 0), Dt(2026, 1, 3, 0)},             // first Saturday
      {2026, Rule(3, 0, 0, 2), Dt(2026, 3, 1, 2)},             // week 0: the first Sunday
      {2026, Rule(4, 0, 0, 3), Dt(2026, 4, 5, 3)},
      {1980, Rule(4, 0, 1, 2), Dt(1980, 4, 6, 2)},
      {1980, Rule(9, 0, 5, 3), Dt(1980, 9, 28, 3)},
  };
  for (const TransitionCase& c : cases) {
    EXPECT_EQ(Text(c.expected), Text(GetTransitionDate(c.year, c.rule)))
        << c.year << " month " << c.rule.wMonth << " week " << c.rule.wDay;
  }
}

TEST_F(TransitionDateTest, RulesOutOfRangeGiveInvalidDates) {
  const std::vector<SYSTEMTIME> rules = {
      Rule(13, 0, 1, 2), Rule(3, 7, 1, 2),     Rule(3, 0, 6, 2),
      Rule(3, 0, 5, 24), Rule(3, 0, 5, 2, 60), SYSTEMTIME{0, 3, 0, 5, 2, 0, 60, 0},
      SYSTEMTIME{},  // no transition at all
  };
  for (const SYSTEMTIME& rule : rules) {
    EXPECT_NE(COleDateTime::valid, GetTransitionDate(2026, rule).GetStatus())
        << "month " << rule.wMonth << " weekday " << rule.wDayOfWeek << " week " << rule.wDay;
  }
  EXPECT_TRUE(IsValidTransitionRule(SYSTEMTIME{}));
  EXPECT_TRUE(IsValidTransitionRule(Rule(12, 6, 5, 23, 59)));
  EXPECT_FALSE(IsValidTransitionRule(Rule(13, 0, 1, 2)));
  EXPECT_TRUE(IsValidTransitionRule(Rule(3, 0, 0, 2)));
}

TEST_F(TransitionDateTest, YearOutsideTheDateRangeIsInvalid) {
  EXPECT_NE(COleDateTime::valid, GetTransitionDate(10000, Rule(3, 0, 5, 2)).GetStatus());
}

// One conversion and its expected result.
struct Conversion {
  COleDateTime from;
  COleDateTime to;
};

class ZoneConversionTest : public ::testing::Test {
 protected:
  static void ExpectToUtc(const TimezoneStruct& zone, const std::vector<Conversion>& cases) {
    for (const Conversion& c : cases) {
      EXPECT_EQ(Text(c.to), Text(ZoneTimeToUtc(zone, c.from))) << "from " << Text(c.from);
    }
  }
  static void ExpectFromUtc(const TimezoneStruct& zone, const std::vector<Conversion>& cases) {
    for (const Conversion& c : cases) {
      EXPECT_EQ(Text(c.to), Text(UtcToZoneTime(zone, c.from))) << "from " << Text(c.from);
    }
  }
};

TEST_F(ZoneConversionTest, EuropeanWallClockToUtc) {
  ExpectToUtc(CentralEurope(), {
                                   {Dt(2026, 1, 15, 15), Dt(2026, 1, 15, 14)},
                                   {Dt(2026, 7, 1, 12), Dt(2026, 7, 1, 10)},
                                   {Dt(2026, 3, 29, 1, 59, 59), Dt(2026, 3, 29, 0, 59, 59)},
                                   {Dt(2026, 3, 29, 2), Dt(2026, 3, 29, 0)},          // at daylight
                                   {Dt(2026, 3, 29, 2, 30), Dt(2026, 3, 29, 0, 30)},  // skipped
                                   {Dt(2026, 10, 25, 2, 30), Dt(2026, 10, 25, 0, 30)},  // repeated
                                   {Dt(2026, 10, 25, 3), Dt(2026, 10, 25, 2)},  // at standard
                                   {Dt(2027, 10, 31, 2, 59), Dt(2027, 10, 31, 0, 59)},
                                   {Dt(2027, 1, 1, 0, 30), Dt(2026, 12, 31, 23, 30)},
                               });
}

TEST_F(ZoneConversionTest, EuropeanUtcToWallClock) {
  ExpectFromUtc(CentralEurope(), {
                                     {Dt(2026, 3, 29, 0, 59, 59), Dt(2026, 3, 29, 1, 59, 59)},
                                     {Dt(2026, 3, 29, 1), Dt(2026, 3, 29, 3)},
                                     {Dt(2026, 10, 25, 0, 59, 59), Dt(2026, 10, 25, 2, 59, 59)},
                                     {Dt(2026, 10, 25, 1), Dt(2026, 10, 25, 2)},
                                     {Dt(2026, 12, 31, 23, 30), Dt(2027, 1, 1, 0, 30)},
                                 });
}

TEST_F(ZoneConversionTest, UsWallClockToUtcAndBack) {
  ExpectToUtc(UsEastern(), {
                               {Dt(2026, 3, 8, 1, 59), Dt(2026, 3, 8, 6, 59)},
                               {Dt(2026, 3, 8, 2, 30), Dt(2026, 3, 8, 6, 30)},
                               {Dt(2026, 11, 1, 1, 30), Dt(2026, 11, 1, 5, 30)},
                               {Dt(2026, 11, 1, 2), Dt(2026, 11, 1, 7)},
                               {Dt(2026, 12, 31, 22), Dt(2027, 1, 1, 3)},
                           });
  ExpectFromUtc(UsEastern(), {
                                 {Dt(2026, 3, 8, 6, 59, 59), Dt(2026, 3, 8, 1, 59, 59)},
                                 {Dt(2026, 3, 8, 7), Dt(2026, 3, 8, 3)},
                                 {Dt(2026, 11, 1, 5, 59, 59), Dt(2026, 11, 1, 1, 59, 59)},
                                 {Dt(2026, 11, 1, 6), Dt(2026, 11, 1, 1)},
                             });
}

TEST_F(ZoneConversionTest, SouthernZoneHasDaylightAcrossTheNewYear) {
  ExpectToUtc(SydneyLike(), {
                                {Dt(2026, 1, 15, 12), Dt(2026, 1, 15, 1)},
                                {Dt(2026, 7, 15, 12), Dt(2026, 7, 15, 2)},
                                {Dt(2026, 4, 5, 2, 30), Dt(2026, 4, 4, 15, 30)},  // repeated
                                {Dt(2026, 4, 5, 3), Dt(2026, 4, 4, 17)},
                                {Dt(2026, 10, 4, 1, 59, 59), Dt(2026, 10, 3, 15, 59, 59)},
                                {Dt(2026, 10, 4, 2), Dt(2026, 10, 3, 15)},
                            });
  ExpectFromUtc(SydneyLike(), {
                                  {Dt(2026, 4, 4, 15, 59, 59), Dt(2026, 4, 5, 2, 59, 59)},
                                  {Dt(2026, 4, 4, 16), Dt(2026, 4, 5, 2)},
                                  {Dt(2026, 10, 3, 15, 59, 59), Dt(2026, 10, 4, 1, 59, 59)},
                                  {Dt(2026, 10, 3, 16), Dt(2026, 10, 4, 3)},
                              });
}

TEST_F(ZoneConversionTest, ZonesWithOneRuleOrNone) {
  ExpectToUtc(IndiaLike(), {{Dt(2026, 6, 1, 12), Dt(2026, 6, 1, 6, 30)},
                            {Dt(2026, 1, 1, 3), Dt(2025, 12, 31, 21, 30)}});
  const TimezoneStruct daylightOnly = Zone(0, 0, -60, SYSTEMTIME{}, Rule(3, 0, 5, 2));
  ExpectToUtc(daylightOnly,
              {{Dt(2026, 1, 1, 12), Dt(2026, 1, 1, 11)}, {Dt(2026, 8, 1, 12), Dt(2026, 8, 1, 11)}});
  ExpectFromUtc(daylightOnly, {{Dt(2026, 1, 1, 11), Dt(2026, 1, 1, 12)}});
  // Standard bias applies even when a standard rule exists but no daylight one.
  const TimezoneStruct standardOnly = Zone(-60, -30, -60, Rule(10, 0, 5, 3), SYSTEMTIME{});
  ExpectToUtc(standardOnly, {{Dt(2026, 7, 1, 12), Dt(2026, 7, 1, 10, 30)}});
}

TEST_F(ZoneConversionTest, RulesOutOfRangeFallBackToStandardTime) {
  TimezoneStruct badMonth = CentralEurope();
  badMonth.StandardDate.wMonth = 13;
  TimezoneStruct badWeek = CentralEurope();
  badWeek.DaylightDate.wDay = 6;
  TimezoneStruct badWeekday = CentralEurope();
  badWeekday.DaylightDate.wDayOfWeek = 9;
  TimezoneStruct badHour = CentralEurope();
  badHour.StandardDate.wHour = 25;
  for (const TimezoneStruct& zone : {badMonth, badWeek, badWeekday, badHour}) {
    ExpectToUtc(zone, {{Dt(2026, 7, 1, 12), Dt(2026, 7, 1, 11)}});
    ExpectFromUtc(zone, {{Dt(2026, 7, 1, 11), Dt(2026, 7, 1, 12)}});
  }
}

TEST_F(ZoneConversionTest, WeekZeroRulesKeepDaylightTime) {
  // Daylight from the first Sunday of March (1 March 2026) to the first of October (4th).
  const TimezoneStruct zone = Zone(-60, 0, -60, Rule(10, 0, 0, 3), Rule(3, 0, 0, 2));
  ExpectToUtc(zone, {{Dt(2026, 7, 1, 12), Dt(2026, 7, 1, 10)},
                     {Dt(2026, 3, 1, 2), Dt(2026, 3, 1, 0)},
                     {Dt(2026, 2, 28, 12), Dt(2026, 2, 28, 11)},
                     {Dt(2026, 10, 4, 3), Dt(2026, 10, 4, 2)}});
  ExpectFromUtc(zone, {{Dt(2026, 7, 1, 10), Dt(2026, 7, 1, 12)}});
}

TEST_F(ZoneConversionTest, InvalidDatesPassThrough) {
  COleDateTime invalid;
  invalid.SetStatus(COleDateTime::invalid);
  EXPECT_EQ(COleDateTime::invalid, ZoneTimeToUtc(CentralEurope(), invalid).GetStatus());
  EXPECT_EQ(COleDateTime::invalid, UtcToZoneTime(CentralEurope(), invalid).GetStatus());
}

TEST_F(ZoneConversionTest, RoundTripOutsideSkippedAndRepeatedHours) {
  for (const TimezoneStruct& zone : {CentralEurope(), UsEastern(), SydneyLike(), IndiaLike()}) {
    const bool daylight = zone.DaylightDate.wMonth != 0;
    const COleDateTime toDaylight = GetTransitionDate(2026, zone.DaylightDate);
    const COleDateTime toStandard = GetTransitionDate(2026, zone.StandardDate);
    const COleDateTimeSpan hour(0, 1, 0, 0);
    for (COleDateTime t = Dt(2026, 1, 1, 0, 30); t < Dt(2027, 1, 1, 0);
         t += COleDateTimeSpan(0, 0, 30, 0)) {
      if (daylight && ((t >= toDaylight && t < toDaylight + hour) ||
                       (t >= toStandard - hour && t < toStandard))) {
        continue;
      }
      ASSERT_EQ(Text(t), Text(UtcToZoneTime(zone, ZoneTimeToUtc(zone, t)))) << "bias " << zone.Bias;
    }
  }
}

}  // namespace
