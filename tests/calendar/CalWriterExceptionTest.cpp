// EXDATE and RDATE: what moved, deleted and changed occurrences leave in the event.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "testkit/TimeZone.h"

namespace calwriter {
namespace {

// A weekly Monday series at 10:00 of its zone with these exceptions (JSON objects joined
// by ","; their dates in the series' zone). zone is a hex zone record, or "" for the
// system zone; localStart the first occurrence in the system zone's time.
std::string Series(const std::string& exceptions, const std::string& zone = "",
                   int localStart = 10) {
  std::string json = R"({"Subject": "Series", "Start": "2026-06-01T)" + std::to_string(localStart) +
                     R"(:00:00", "End": "2026-06-01T)" + std::to_string(localStart + 1) +
                     R"(:00:00",
      "RecurrencePattern": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 2,
        "PatternStartDate": "2026-06-01", "NoEndDate": false, "Occurrences": 6,
        "StartTime": "10:00:00", "Duration": 60},
      "Exceptions": [)" +
                     exceptions + "]";
  if (!zone.empty()) {
    json +=
        R"(, "NamedProperties": [{"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8233",
        "type": "0x0102", "value": ")" +
        zone + R"("}])";
  }
  return json + "}";
}

constexpr const char* kUsZoneBlob =
    "2C01000000000000C4FFFFFF000000000B000000010002000000000000000000000003000000020002000000000000"
    "00";

class CalWriterExceptionTest : public CalWriterTest {};

TEST_F(CalWriterExceptionTest, AnOccurrenceMovedToAnotherDayExcludesBothDaysRegularTime) {
  LoadCalendar(Series(R"({"OriginalDate": "2026-06-08T10:00:00", "Start": "2026-06-09T15:00:00",
                          "End": "2026-06-09T16:00:00"})"));
  const std::string v20 = ItemFile("Series", k20);
  EXPECT_EQ(EventLine(v20, "EXDATE"),
            "EXDATE;TZID=\"(GMT+01:00)\":20260608T100000,20260609T100000");
  EXPECT_EQ(EventLine(v20, "RDATE"), "RDATE;TZID=\"(GMT+01:00)\":20260609T150000");
  const std::string v10 = ItemFile("Series", k10);
  EXPECT_EQ(EventLine(v10, "EXDATE"), "EXDATE:20260608T100000;20260609T100000");
  EXPECT_EQ(EventLine(v10, "RDATE"), "RDATE:20260609T150000");
}

TEST_F(CalWriterExceptionTest, OnlyInPlaceChangesWriteNoDateLists) {
  LoadCalendar(Series(R"({"OriginalDate": "2026-06-15T10:00:00", "Location": "Elsewhere"})"));
  const std::string text = ItemFile("Series", k10);
  EXPECT_EQ(EventLine(text, "EXDATE"), "<none>");
  EXPECT_EQ(EventLine(text, "RDATE"), "<none>");
}

TEST_F(CalWriterExceptionTest, ADateIsListedOnce) {
  // The second move lands on the day the first one left: its regular time is listed already.
  LoadCalendar(Series(R"({"OriginalDate": "2026-06-08T10:00:00", "Start": "2026-06-09T15:00:00",
                          "End": "2026-06-09T16:00:00"},
                         {"OriginalDate": "2026-06-15T10:00:00", "Start": "2026-06-08T18:00:00",
                          "End": "2026-06-08T19:00:00"})"));
  EXPECT_EQ(EventLine(ItemFile("Series", k20), "EXDATE"),
            "EXDATE;TZID=\"(GMT+01:00)\":20260608T100000,20260609T100000,20260615T100000");
}

TEST_F(CalWriterExceptionTest, ASeriesWithoutZoneListsItsDatesInUtc) {
  testkit::SetSystemTimeZoneInvalid();
  LoadCalendar(Series(R"({"OriginalDate": "2026-06-08T10:00:00", "Start": "2026-06-08T12:00:00",
                          "End": "2026-06-08T13:00:00"})"));
  const std::string text = ItemFile("Series", k20);
  EXPECT_EQ(EventLine(text, "EXDATE"), "EXDATE:20260608T100000Z");
  EXPECT_EQ(EventLine(text, "RDATE"), "RDATE:20260608T120000Z");
}

TEST_F(CalWriterExceptionTest, DeletedAndMovedOccurrencesOfAZonedSeriesAgree) {
  // 16:00 in Central Europe is 10:00 in New York: the deleted occurrence's exclusion
  // is converted like the moved one's, so both name 10:00 of the series' own zone.
  LoadCalendar(Series(R"({"OriginalDate": "2026-06-08T10:00:00", "Deleted": true},
                         {"OriginalDate": "2026-06-15T10:00:00", "Start": "2026-06-15T12:00:00",
                          "End": "2026-06-15T13:00:00"})",
                      kUsZoneBlob, 16));
  const std::string text = ItemFile("Series", k20);
  EXPECT_EQ(EventLine(text, "DTSTART"), "DTSTART;TZID=\"(GMT-05:00)\":20260601T100000");
  EXPECT_EQ(EventLine(text, "EXDATE"),
            "EXDATE;TZID=\"(GMT-05:00)\":20260608T100000,20260615T100000");
  EXPECT_EQ(EventLine(text, "RDATE"), "RDATE;TZID=\"(GMT-05:00)\":20260615T120000");
}

}  // namespace
}  // namespace calwriter
