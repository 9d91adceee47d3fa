// Value forms: date texts, periods, durations, and the conversion of date texts with
// their zones into the times Outlook is given, against two system zones.
#include <gtest/gtest.h>

#include <climits>

#include "CalReaderFixture.h"
#include "ZoneTestData.h"
#include "calendar/CalValueParser.h"
#include "testkit/TimeZone.h"

namespace caltest {
namespace {

using zonetest::Dt;
using zonetest::Text;

TEST(CalValueFormTest, DateFormsAreCheckedByShapeOnly) {
  struct Case {
    const char* text;
    bool valid;
  };
  const Case cases[] = {{"20240101", true},
                        {"20241399", true},
                        {"20240101T100000", true},
                        {"20240101t100000", true},
                        {"20240101T100000Z", true},
                        {"20240101T100000z", true},
                        {"20240131T2500XX", false},
                        {"2024010", false},
                        {"20240101X100000", false},
                        {"20240101T100000ZZ", false},
                        {"20240101T10000Z", false},
                        {"2024-01-01", false},
                        {"", false},
                        {"20240101T100000+", false}};
  for (const Case& c : cases) EXPECT_EQ(CalValueParser::IsDateForm(c.text), c.valid) << c.text;
}

TEST(CalValueFormTest, DurationsAreSignedMinutes) {
  struct Case {
    const char* text;
    bool valid;
    int minutes;
  };
  const Case cases[] = {{"PT15M", true, 15},
                        {"-PT15M", true, -15},
                        {"+PT1H", true, 60},
                        {"P1W2DT3H4M59S", true, 13144},
                        {"P", true, 0},
                        {"pt2h", true, 120},
                        {"PT1H1H", true, 120},
                        {"PT90S", true, 1},
                        {"P1DX", false, 0},
                        {"PT-15M", false, 0},
                        {"15M", false, 0},
                        {"PT15", false, 0},
                        {"P1Y", false, 0},
                        {"", false, 0},
                        {"PT2147483647M", true, INT_MAX},
                        {"PT2147483648M", false, 0},
                        {"P99999999999999999999W", false, 0},
                        {"P3000000W", false, 0}};
  for (const Case& c : cases) {
    int minutes = -7;
    EXPECT_EQ(CalValueParser::ParseDuration(c.text, minutes), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(minutes, c.minutes) << c.text;
    }
  }
}

TEST(CalValueFormTest, PeriodsHaveAnEndOrADuration) {
  std::string start;
  std::string end = "x";
  std::string duration = "x";
  ASSERT_TRUE(CalValueParser::ParsePeriod("20240101T100000Z/PT1H", &start, &end, &duration));
  EXPECT_EQ(start, "20240101T100000Z");
  EXPECT_EQ(end, "");
  EXPECT_EQ(duration, "PT1H");
  ASSERT_TRUE(
      CalValueParser::ParsePeriod("20240101T100000/20240101T120000", &start, &end, &duration));
  EXPECT_EQ(end, "20240101T120000");
  EXPECT_EQ(duration, "");
  for (const char* bad : {"20240101/-P1D", "20240101T100000Z", "20240101T100000Z/", "2024/PT1H",
                          "20240101T100000Z/PT1X", "20240101/2024"}) {
    EXPECT_FALSE(CalValueParser::ParsePeriod(bad, &start, nullptr, nullptr)) << bad;
  }
}

class CalReaderToDateTest : public CalReaderTest {
 protected:
  void SetUp() override {
    CalReaderTest::SetUp();
    testkit::SetSystemTimeZone(zonetest::AsSystemZone(zonetest::UsEastern()));
    // A calendar that defines two zones; the reader keeps them after parsing.
    Parse(Calendar("2.0", {"DTSTART:20240101T100000Z"},
                   {"BEGIN:VTIMEZONE",
                    "TZID:Berlin",
                    "BEGIN:STANDARD",
                    "DTSTART:19701025T030000",
                    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
                    "TZOFFSETFROM:+0200",
                    "TZOFFSETTO:+0100",
                    "END:STANDARD",
                    "BEGIN:DAYLIGHT",
                    "DTSTART:19700329T020000",
                    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
                    "TZOFFSETFROM:+0100",
                    "TZOFFSETTO:+0200",
                    "END:DAYLIGHT",
                    "END:VTIMEZONE",
                    "BEGIN:VTIMEZONE",
                    "TZID:Kolkata",
                    "BEGIN:STANDARD",
                    "DTSTART:19700101T000000",
                    "TZOFFSETFROM:+0530",
                    "TZOFFSETTO:+0530",
                    "END:STANDARD",
                    "END:VTIMEZONE"}));
  }

  std::string Convert(const char* text, const std::string& zone, int mode,
                      const std::string& target = "") {
    COleDateTime date = Dt(1999, 9, 9, 9);
    if (!Reader().ToDate(text, zone, date, mode, target)) return "refused";
    return Text(date);
  }
};

TEST_F(CalReaderToDateTest, AsWrittenTakesTheFieldsAsTheyStand) {
  EXPECT_EQ(Convert("20240115T100000Z", "", CvCalImport::kAsWritten), "2024-01-15 10:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Berlin", CvCalImport::kAsWritten), "2024-01-15 10:00:00");
  EXPECT_EQ(Convert("20240115", "", CvCalImport::kAsWritten), "2024-01-15 00:00:00");
  EXPECT_EQ(Convert("20240115T100000Z", "", 7), "2024-01-15 10:00:00");
}

TEST_F(CalReaderToDateTest, ImpossibleDatesAndTimesAreRefused) {
  for (const char* text : {"20240230T100000", "20241399", "20230229", "20240101T240000",
                           "20240101T106000", "20240101T100060Z", "00000101", "20240131T2500XX"}) {
    for (int mode = 0; mode <= 2; ++mode) {
      EXPECT_EQ(Convert(text, "", mode), "refused") << text << " mode " << mode;
    }
  }
  EXPECT_EQ(Convert("20240229T235959", "", 0), "2024-02-29 23:59:59");
}

TEST_F(CalReaderToDateTest, ToLocalConvertsUtcAndZonedTimes) {
  const int mode = CvCalImport::kToLocal;
  EXPECT_EQ(Convert("20240115T100000Z", "", mode), "2024-01-15 05:00:00");
  EXPECT_EQ(Convert("20240715T100000Z", "", mode), "2024-07-15 06:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Berlin", mode), "2024-01-15 04:00:00");
  EXPECT_EQ(Convert("20240715T100000", "Berlin", mode), "2024-07-15 04:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Kolkata", mode), "2024-01-14 23:30:00");
  // Floating times and unknown zones stay as written.
  EXPECT_EQ(Convert("20240115T100000", "", mode), "2024-01-15 10:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Nowhere", mode), "2024-01-15 10:00:00");
  // A UTC mark wins over a zone id.
  EXPECT_EQ(Convert("20240115T100000Z", "Berlin", mode), "2024-01-15 05:00:00");
}

TEST_F(CalReaderToDateTest, ToLocalFollowsTheSystemZone) {
  testkit::SetSystemTimeZone(zonetest::AsSystemZone(zonetest::CentralEurope()));
  EXPECT_EQ(Convert("20240115T100000Z", "", CvCalImport::kToLocal), "2024-01-15 11:00:00");
  EXPECT_EQ(Convert("20240715T100000Z", "", CvCalImport::kToLocal), "2024-07-15 12:00:00");
  EXPECT_EQ(Convert("20240715T100000", "Berlin", CvCalImport::kToLocal), "2024-07-15 10:00:00");
}

TEST_F(CalReaderToDateTest, ToTargetGoesThroughUtcUnlessTheZoneIsTheTarget) {
  const int mode = CvCalImport::kToTarget;
  EXPECT_EQ(Convert("20240115T100000", "Berlin", mode, "Berlin"), "2024-01-15 10:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Berlin", mode, "Kolkata"), "2024-01-15 14:30:00");
  EXPECT_EQ(Convert("20240115T100000Z", "Berlin", mode, "Berlin"), "2024-01-15 11:00:00");
  // A floating time is the system's local time; an empty target is the system zone.
  EXPECT_EQ(Convert("20240115T100000", "", mode, "Berlin"), "2024-01-15 16:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Kolkata", mode, ""), "2024-01-14 23:30:00");
  EXPECT_EQ(Convert("20240115T100000", "Nowhere", mode, "Nowhere"), "2024-01-15 10:00:00");
  EXPECT_EQ(Convert("20240115T100000", "Nowhere", mode, "Berlin"), "2024-01-15 16:00:00");
}

TEST_F(CalReaderToDateTest, TheDefaultZoneStandsUnderItsKey) {
  Reader().SetDefaultZone(zonetest::IndiaLike());
  const std::string empty = "BEGIN:VCALENDAR\r\nEND:VCALENDAR";
  Reader().ParseBytes(empty.data(), empty.size(), "d.ics");
  EXPECT_EQ(Convert("20240115T100000", CvCalImport::DefaultZoneKey, CvCalImport::kToLocal),
            "2024-01-14 23:30:00");
  EXPECT_EQ(CvCalImport::DefaultZoneKey.size(), 32u);
}

}  // namespace
}  // namespace caltest
