// The zone a recurring appointment is written in, the name it goes by in the file, and
// the zone blocks of both versions.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "ZoneTestData.h"
#include "calendar/ZoneBlockText.h"
#include "testkit/TimeZone.h"

namespace calwriter {
namespace {

using zonetest::CentralEurope;

constexpr const char* kUsZoneBlob =
    "2C01000000000000C4FFFFFF000000000B000000010002000000000000000000000003000000020002000000000000"
    "00";
// The same rules as kUsZoneBlob with the offset held in StandardBias instead of Bias.
constexpr const char* kUsZoneBlobSplit =
    "000000002C010000F0000000000000000B000000010002000000000000000000000003000000020002000000000000"
    "00";
constexpr const char* kUkZoneBlob =
    "0000000000000000C4FFFFFF000000000A000000050002000000000000000000000003000000050001000000000000"
    "00";

std::string VTimezone(const TimezoneStruct& zone, const std::string& name) {
  std::string text;
  AppendVTimezone(zone, name, text);
  return text;
}

// A weekly series with its own zone (a hex zone record) and zone name.
std::string ZonedSeries(const std::string& subject, const char* blob, const std::string& name) {
  return R"({"Subject": ")" + subject +
         R"(", "Start": "2026-06-01T16:00:00", "End": "2026-06-01T17:00:00",
      "RecurrencePattern": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 2,
        "PatternStartDate": "2026-06-01", "NoEndDate": true, "StartTime": "10:00:00", "Duration": 60},
      "NamedProperties": [
        {"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8233", "type": "0x0102", "value": ")" +
         blob + R"("},
        {"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8234", "type": "0x001E", "value": ")" +
         name + R"("}]})";
}

class CalWriterZoneTest : public CalWriterTest {};

TEST_F(CalWriterZoneTest, OffsetsCarryTheSignOfTheWallClock) {
  std::string text;
  AppendZoneOffset(-60, true, text);
  AppendZoneOffset(0, true, text);
  AppendZoneOffset(300, false, text);
  AppendZoneOffset(-330, false, text);
  EXPECT_EQ(text, "+01:00+00:00-0500+0530");
}

TEST_F(CalWriterZoneTest, ABrokenWeekdayInARuleNamesNoDay) {
  TimezoneStruct zone = CentralEurope();
  zone.StandardDate.wDayOfWeek = 9;
  const std::string block = VTimezone(zone, "Broken");
  EXPECT_NE(block.find("BYDAY=-1;BYMONTH=10"), std::string::npos) << block;
  // Its transition date cannot be found either; it is written as zeros.
  EXPECT_NE(block.find("DTSTART:-0010000T000000\r\n"), std::string::npos) << block;
}

TEST_F(CalWriterZoneTest, WeekZeroOfARuleIsWrittenAsTheFirstWeekday) {
  TimezoneStruct zone = CentralEurope();
  zone.DaylightDate.wDay = 0;
  const std::string block = VTimezone(zone, "Week zero");
  EXPECT_EQ(block.find("BYDAY=0"), std::string::npos) << block;
  EXPECT_NE(block.find("BYDAY=1SU;BYMONTH=3"), std::string::npos) << block;
  // The first Sunday of March 1980 is the 2nd.
  EXPECT_NE(block.find("DTSTART:19800302T020000\r\n"), std::string::npos) << block;
}

TEST_F(CalWriterZoneTest, ASingleAppointmentIsWrittenInUtcWhateverItsZone) {
  LoadCalendar(
      R"({"Subject": "Single", "Start": "2026-06-01T16:00:00", "End": "2026-06-01T17:00:00",
      "NamedProperties": [{"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8233",
        "type": "0x0102", "value": ")" +
      std::string(kUsZoneBlob) + R"("}]})");
  const std::string text = ItemFile("Single", k20);
  EXPECT_EQ(text.find("VTIMEZONE"), std::string::npos);
  EXPECT_EQ(EventLine(text, "DTSTART"), "DTSTART:20260601T140000Z");
  EXPECT_EQ(LineStarting(ItemFile("Single", k10), "TZ"), "<none>");
}

TEST_F(CalWriterZoneTest, ASeriesWithoutAZoneOfItsOwnIsWrittenInTheSystemZone) {
  const std::string text = ItemFile("Weekly Europe", k20);
  EXPECT_EQ(LineStarting(text, "TZID"), "TZID:(GMT+01:00)");
  EXPECT_EQ(EventLine(text, "DTSTART;"), "DTSTART;TZID=\"(GMT+01:00)\":20260302T100000");
  const std::string v10 = ItemFile("Weekly Europe", k10);
  EXPECT_EQ(LineStarting(v10, "TZ:"), "TZ:+01:00");
  EXPECT_EQ(EventLine(v10, "DTSTART"), "DTSTART:20260302T100000");
}

TEST_F(CalWriterZoneTest, WithoutTheSystemZoneASeriesIsWrittenInUtcAndThatIsLogged) {
  testkit::SetSystemTimeZoneInvalid();
  const std::string text = ItemFile("Weekly Europe", k20);
  EXPECT_EQ(text.find("VTIMEZONE"), std::string::npos);
  EXPECT_EQ(EventLine(text, "DTSTART"), "DTSTART:20260302T100000Z");
  EXPECT_NE(Log().Text().find("Cant get System Timezone Information"), std::string::npos);
}

TEST_F(CalWriterZoneTest, OneCalendarWritesEachZoneOnceAndNumbersNamesTakenByOtherZones) {
  LoadCalendar(ZonedSeries("First", kUsZoneBlob, "Eastern") + "," +
               ZonedSeries("Second", kUsZoneBlobSplit, "Eastern, again") + "," +
               ZonedSeries("Third", kUkZoneBlob, "Eastern") + "," +
               ZonedSeries("Fourth", kUkZoneBlob, "Eastern"));
  const std::string text = OneFile({"First", "Second", "Third", "Fourth"}, k20);
  EXPECT_EQ(LinesStarting(text, "TZID:"),
            (std::vector<std::string>{"TZID:Eastern", "TZID:Eastern (2)"}));
  EXPECT_EQ(EventLines(text, "DTSTART;TZID"),
            (std::vector<std::string>{"DTSTART;TZID=\"Eastern\":20260601T100000",
                                      "DTSTART;TZID=\"Eastern\":20260601T100000",
                                      "DTSTART;TZID=\"Eastern (2)\":20260601T150000",
                                      "DTSTART;TZID=\"Eastern (2)\":20260601T150000"}));
}

TEST_F(CalWriterZoneTest, AZoneWithoutANameIsNamedByItsOffset) {
  LoadCalendar(ZonedSeries("Unnamed", kUsZoneBlob, ""));
  EXPECT_EQ(LineStarting(ItemFile("Unnamed", k20), "TZID:"), "TZID:(GMT-05:00)");
}

TEST_F(CalWriterZoneTest, AQuoteInAZoneNameBecomesAnApostropheInBothPlaces) {
  const std::string text = ItemFile("Monthly India", k20);
  EXPECT_EQ(LineStarting(text, "TZID:"), "TZID:India 'Standard' Time");
  EXPECT_EQ(EventLine(text, "DTSTART;"), "DTSTART;TZID=\"India 'Standard' Time\":20260130T170000");
}

TEST_F(CalWriterZoneTest, OneVCalendarFileWritesEverySeriesInTheSystemZonesLocalTime) {
  const std::string text = OneFile({"Daily US", "Weekly Europe", "Timed single"}, k10);
  EXPECT_EQ(LinesStarting(text, "TZ:"), std::vector<std::string>{"TZ:+01:00"});
  EXPECT_EQ(LinesStarting(text, "DAYLIGHT:"),
            std::vector<std::string>{"DAYLIGHT:TRUE;+02:00;19800330T020000;19801026T030000;;"});
  // 09:00 in New York is 15:00 in Central Europe; the single event stays in UTC.
  EXPECT_EQ(EventLines(text, "DTSTART"),
            (std::vector<std::string>{"DTSTART:20260610T150000", "DTSTART:20260302T100000",
                                      "DTSTART:20260504T080000Z"}));
}

TEST_F(CalWriterZoneTest, OneVCalendarFileWithoutTheSystemZoneIsAllUtc) {
  testkit::SetSystemTimeZoneInvalid();
  const std::string text = OneFile({"Daily US", "Weekly Europe"}, k10);
  EXPECT_EQ(LinesStarting(text, "TZ:").size(), 0u);
  for (const std::string& line : EventLines(text, "DTSTART")) EXPECT_EQ(line.back(), 'Z') << line;
  EXPECT_NE(Log().Text().find("Cant get System Timezone Information"), std::string::npos);
}

TEST_F(CalWriterZoneTest, PerItemVCalendarFilesKeepTheSeriesOwnZone) {
  const std::string text = ItemFile("Daily US", k10);
  EXPECT_EQ(LineStarting(text, "TZ:"), "TZ:-05:00");
  EXPECT_EQ(EventLine(text, "DTSTART"), "DTSTART:20260610T090000");
}

}  // namespace
}  // namespace calwriter
