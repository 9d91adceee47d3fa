// Calendar objects and their zones: VCALENDAR dispatch and version, vCalendar 1.0 TZ
// and DAYLIGHT lines, iCalendar VTIMEZONE components.
#include <gtest/gtest.h>

#include <cstring>

#include "CalReaderFixture.h"
#include "ZoneTestData.h"
#include "testkit/Registry.h"
#include "testkit/ZoneList.h"

namespace caltest {
namespace {

using zonetest::Rule;

void ExpectZone(const TimezoneStruct& actual, const TimezoneStruct& expected) {
  EXPECT_EQ(actual.Bias, expected.Bias);
  EXPECT_EQ(actual.StandardBias, expected.StandardBias);
  EXPECT_EQ(actual.DaylightBias, expected.DaylightBias);
  EXPECT_EQ(0, std::memcmp(&actual.StandardDate, &expected.StandardDate, sizeof(SYSTEMTIME)))
      << "standard rule month " << actual.StandardDate.wMonth << " week "
      << actual.StandardDate.wDay << " hour " << actual.StandardDate.wHour;
  EXPECT_EQ(0, std::memcmp(&actual.DaylightDate, &expected.DaylightDate, sizeof(SYSTEMTIME)))
      << "daylight rule month " << actual.DaylightDate.wMonth << " week "
      << actual.DaylightDate.wDay << " hour " << actual.DaylightDate.wHour;
}

class CalReaderCalendarTest : public CalReaderTest {};

TEST_F(CalReaderCalendarTest, FormatFollowsTheFileNameUntilVersionSaysOtherwise) {
  const std::string body =
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20240101T100000Z\r\n"
      "TRANSP:1\r\nEND:VEVENT\r\n";
  // "1" means free in vCalendar 1.0 and nothing in iCalendar.
  EXPECT_EQ(ParseOne(body + "END:VCALENDAR", "A.ICS").busyStatus, ParsedEvent::kBusyBusy);
  EXPECT_EQ(ParseOne(body + "END:VCALENDAR", "a.vcs").busyStatus, ParsedEvent::kBusyFree);
  const std::string switched =
      "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
      "DTSTART:20240101T100000Z\r\nTRANSP:1\r\nEND:VEVENT\r\nEND:VCALENDAR";
  EXPECT_EQ(ParseOne(switched, "a.ics").busyStatus, ParsedEvent::kBusyFree);
  EXPECT_EQ(Reader().Format(), CvCalImport::kVCal10);
}

TEST_F(CalReaderCalendarTest, UnknownVersionStopsTheFile) {
  const std::string first = Calendar("2.0", {"DTSTART:20240101T100000Z", "SUMMARY:one"});
  const std::string second = Calendar("3.0", {"DTSTART:20240101T100000Z", "SUMMARY:two"});
  const std::vector<ParsedEvent> events =
      Parse(first + "\r\n" + second + "\r\n" + first, "a.ics", -1);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].summary, u"one");
  EXPECT_NE(LogText().find("Unknown version\tin line(VERSION:3.0)"), std::string::npos);
}

TEST_F(CalReaderCalendarTest, CalendarsFollowEachOtherUntilOtherTextComes) {
  const std::string one = Calendar("2.0", {"DTSTART:20240101T100000Z", "SUMMARY:one"});
  EXPECT_EQ(Parse(one + "\r\n" + one + "\r\n").size(), 2u);
  EXPECT_EQ(Parse(one + "\r\nX-AFTER:1\r\n" + one).size(), 1u);
  EXPECT_EQ(Parse("BEGIN:VTODO\r\n" + one).size(), 1u);
  EXPECT_EQ(Parse("BEGIN:VEVENT\r\nEND:VEVENT\r\n" + one).size(), 0u);
  EXPECT_EQ(Parse("PRODID:x\r\n" + one).size(), 0u);
}

TEST_F(CalReaderCalendarTest, OtherComponentsAreSkippedWhole) {
  const std::string text =
      Calendar("2.0", {"DTSTART:20240101T100000Z", "SUMMARY:kept"},
               {"BEGIN:VTODO", "BEGIN:VEVENT", "SUMMARY:todo", "END:VEVENT", "END:VTODO",
                "BEGIN:X-THING", "BEGIN:VEVENT", "END:VEVENT", "END:X-THING", "BEGIN:VFREEBUSY",
                "BEGIN:VEVENT", "END:VEVENT", "END:VFREEBUSY", "X-WR-CALNAME:Mine"});
  const std::vector<ParsedEvent> events = Parse(text);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].summary, u"kept");
  EXPECT_NE(LogText().find("skipping unknown grouping - X-THING"), std::string::npos);
  EXPECT_NE(LogText().find("Unknown VCALENDAR prop\tin line(X-WR-CALNAME:Mine)"),
            std::string::npos);
}

TEST_F(CalReaderCalendarTest, NegativeAddEventStopsTheFile) {
  const std::string one = Calendar("2.0", {"DTSTART:20240101T100000Z"});
  Reader().result = -1;
  const std::string text = one + "\r\n" + one;
  EXPECT_EQ(Reader().ParseBytes(text.data(), text.size(), "a.ics"), -1);
  EXPECT_EQ(Reader().events.size(), 1u);
}

TEST_F(CalReaderCalendarTest, UnendedCalendarEndsAtTheNextOne) {
  const std::string text =
      "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nDTSTART:20240101T100000Z\r\nEND:"
      "VEVENT\r\n" +
      Calendar("2.0", {"DTSTART:20240102T100000Z", "TRANSP:TRANSPARENT"});
  const std::vector<ParsedEvent> events = Parse(text, "a.vcs");
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].busyStatus, ParsedEvent::kBusyFree);
}

class CalReaderVCalZoneTest : public CalReaderTest {
 protected:
  TimezoneStruct ZoneOf(const std::vector<std::string>& lines) {
    ParseOne(Calendar("1.0", {"DTSTART:20240101T100000"}, lines), "z.vcs");
    const auto found = LastZones().find(CvCalImport::kVCalZoneId);
    EXPECT_NE(found, LastZones().end());
    return found == LastZones().end() ? TimezoneStruct{} : found->second;
  }
};

TEST_F(CalReaderVCalZoneTest, TzAndDaylightGiveBiasesAndRules) {
  ExpectZone(ZoneOf({"TZ:-05", "DAYLIGHT:TRUE;-04;20240310T020000;20241103T020000;EST;EDT"}),
             zonetest::UsEastern());
  const TimezoneStruct lastWeek =
      ZoneOf({"TZ:-05", "DAYLIGHT:TRUE;-04;20240331T010000;20241103T020000;EST;EDT"});
  EXPECT_EQ(lastWeek.DaylightDate.wDay, 5);
  EXPECT_EQ(lastWeek.DaylightDate.wHour, 1);
  // As Kelvra writes a central European zone.
  ExpectZone(ZoneOf({"TZ:+01:00", "DAYLIGHT:TRUE;+02:00;19800330T020000;19801026T030000;;"}),
             zonetest::CentralEurope());
}

TEST_F(CalReaderVCalZoneTest, OffsetForms) {
  EXPECT_EQ(ZoneOf({"TZ:-04:30"}).Bias, 270);
  EXPECT_EQ(ZoneOf({"TZ:+05:30"}).Bias, -330);
  EXPECT_EQ(ZoneOf({"TZ:-00:30"}).Bias, 30);
  EXPECT_EQ(ZoneOf({"TZ:+0100"}).Bias, -60);
  EXPECT_EQ(ZoneOf({"TZ:+01", "TZ:bad"}).Bias, -60);
}

TEST_F(CalReaderVCalZoneTest, TzAfterDaylightKeepsTheDaylightOffset) {
  const TimezoneStruct zone =
      ZoneOf({"DAYLIGHT:TRUE;-04;20240310T020000;20241103T020000;;", "TZ:-05"});
  EXPECT_EQ(zone.Bias, 300);
  EXPECT_EQ(zone.Bias + zone.DaylightBias, 240);
}

TEST_F(CalReaderVCalZoneTest, BadOrFalseDaylightLeavesTheZone) {
  ExpectZone(ZoneOf({"TZ:-05", "DAYLIGHT:FALSE", "DAYLIGHT:TRUE;-04;20240310T020000"}),
             zonetest::Zone(300, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
  ExpectZone(ZoneOf({"TZ:-05", "DAYLIGHT:TRUE;-04;20240230T020000;20241103T020000;;"}),
             zonetest::Zone(300, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
  EXPECT_NE(LogText().find("Invalid Daylight Savings Rule:TRUE;-04;20240230T020000"),
            std::string::npos);
}

TEST_F(CalReaderVCalZoneTest, EventTimesNameTheFileZoneOrTheDefault) {
  const ParsedEvent zoned =
      ParseOne(Calendar("1.0", {"DTSTART:20240101T100000"}, {"TZ:-05"}), "a.vcs");
  EXPECT_EQ(zoned.start.zoneId, CvCalImport::kVCalZoneId);
  const ParsedEvent plain = ParseOne(Calendar("1.0", {"DTSTART:20240101T100000"}), "a.vcs");
  EXPECT_EQ(plain.start.zoneId, CvCalImport::DefaultZoneKey);
}

// Nine hours east of UTC, no daylight saving time.
TimezoneStruct Tokyo() { return zonetest::Zone(-540, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}); }

class CalReaderSystemZoneTest : public CalReaderTest {
 protected:
  void SetUp() override {
    CalReaderTest::SetUp();
    testkit::ResetRegistry();
    testkit::SeedZoneList();
  }
  void TearDown() override {
    testkit::ResetRegistry();
    CalReaderTest::TearDown();
  }
  std::size_t Count(const std::string& text) const {
    std::size_t count = 0;
    const std::string log = LogText();
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
      ++count;
    return count;
  }
};

TEST_F(CalReaderSystemZoneTest, AnUndefinedTzidNamingASystemZoneIsThatZone) {
  const ParsedEvent tokyo =
      ParseOne(Calendar("2.0", {"DTSTART;TZID=Asia/Tokyo:20240101T100000",
                                "DTEND;TZID=Tokyo Standard Time:20240101T110000",
                                "EXDATE;TZID=Asia/Tokyo:20240108T100000"}));
  EXPECT_EQ(tokyo.start.zoneId, "Asia/Tokyo");
  EXPECT_EQ(tokyo.end.zoneId, "Tokyo Standard Time");
  EXPECT_EQ(tokyo.exceptionDates.at(0).zoneId, "Asia/Tokyo");
  ExpectZone(LastZones().at("Asia/Tokyo"), Tokyo());
  ExpectZone(LastZones().at("Tokyo Standard Time"), Tokyo());
  const ParsedEvent newYork =
      ParseOne(Calendar("2.0", {"DTSTART;TZID=\"America/New_York\":20240101T100000"}));
  EXPECT_EQ(newYork.start.zoneId, "America/New_York");
  ExpectZone(LastZones().at("America/New_York"), zonetest::UsEastern());
  EXPECT_EQ(LogText().find("neither defined"), std::string::npos) << LogText();
}

TEST_F(CalReaderSystemZoneTest, AnyOtherUndefinedTzidIsTheDefaultZoneWithOneWarning) {
  const std::string event =
      "BEGIN:VEVENT\r\nDTSTART;TZID=Nowhere/Land:20240101T100000\r\n"
      "DTEND;TZID=Nowhere/Land:20240101T110000\r\nEND:VEVENT\r\n";
  const std::vector<ParsedEvent> events =
      Parse("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + event + event + "END:VCALENDAR\r\n" +
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + event + "END:VCALENDAR\r\n");
  ASSERT_EQ(events.size(), 3u);
  for (const ParsedEvent& parsed : events) {
    EXPECT_EQ(parsed.start.zoneId, CvCalImport::DefaultZoneKey);
    EXPECT_EQ(parsed.end.zoneId, CvCalImport::DefaultZoneKey);
  }
  EXPECT_EQ(Count("TZID 'Nowhere/Land' is neither defined in the file nor a known zone"), 1u)
      << LogText();
  // The next file is warned of again; a vCalendar file without TZ names no zone.
  ParseOne(Calendar("2.0", {"DTSTART;TZID=Nowhere/Land:20240101T100000"}));
  EXPECT_EQ(Count("TZID 'Nowhere/Land'"), 2u);
  ParseOne(Calendar("1.0", {"DTSTART:20240101T100000"}), "a.vcs");
  EXPECT_EQ(Count("is neither defined"), 2u);
}

TEST_F(CalReaderSystemZoneTest, AZoneTheFileDefinesWinsOverTheSystemsAndNamesAnyCase) {
  const std::vector<std::string> block = {
      "begin:vtimezone",    "TZID:Asia/Tokyo",  "Begin:Standard", "DTSTART:19700101T000000",
      "TZOFFSETFROM:+0800", "TZOFFSETTO:+0800", "End:STANDARD",   "end:VTimezone"};
  ParseOne(Calendar("2.0", {"DTSTART;TZID=Asia/Tokyo:20240101T100000"}, block));
  EXPECT_EQ(LastZones().at("Asia/Tokyo").Bias, -480);
}

class CalReaderVTimezoneTest : public CalReaderTest {
 protected:
  static std::vector<std::string> Component(const char* kind, const char* start, const char* from,
                                            const char* to, const char* rule) {
    std::vector<std::string> lines = {std::string("BEGIN:") + kind, std::string("DTSTART:") + start,
                                      std::string("TZOFFSETFROM:") + from,
                                      std::string("TZOFFSETTO:") + to};
    if (rule) lines.push_back(std::string("RRULE:") + rule);
    lines.push_back(std::string("END:") + kind);
    return lines;
  }
  static std::vector<std::string> Block(const char* tzid,
                                        const std::vector<std::vector<std::string>>& parts) {
    std::vector<std::string> lines = {"BEGIN:VTIMEZONE"};
    if (tzid) lines.push_back(std::string("TZID:") + tzid);
    for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
    lines.push_back("END:VTIMEZONE");
    return lines;
  }
  // The zones known after a calendar with the block and one event in that zone.
  const CvCalImport::ZoneMap& ZonesOf(const std::vector<std::string>& block,
                                      const char* file = "z.ics") {
    ParseOne(Calendar("2.0", {"DTSTART;TZID=\"Z 1\":20240101T100000"}, block), file);
    return LastZones();
  }
  bool Has(const char* tzid) const { return LastZones().count(tzid) == 1; }
};

TEST_F(CalReaderVTimezoneTest, KelvrasEuropeanZoneReadsBack) {
  const auto& zones =
      ZonesOf(Block("Z 1", {Component("STANDARD", "19801026T030000", "+0200", "+0100",
                                      "FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=10"),
                            Component("DAYLIGHT", "19800330T020000", "+0100", "+0200",
                                      "FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=3")}));
  ASSERT_TRUE(Has("Z 1"));
  ExpectZone(zones.at("Z 1"), zonetest::CentralEurope());
  EXPECT_EQ(Reader().events[0].start.zoneId, "Z 1");
}

TEST_F(CalReaderVTimezoneTest, NewYorkAndAZoneWithoutDaylight) {
  ZonesOf(Block("Z 1", {Component("DAYLIGHT", "20070311T020000", "-0500", "-0400",
                                  "FREQ=YEARLY;BYMONTH=3;BYDAY=2SU"),
                        Component("STANDARD", "20071104T020000", "-0400", "-0500",
                                  "FREQ=YEARLY;BYMONTH=11;BYDAY=1SU")}));
  ExpectZone(LastZones().at("Z 1"), zonetest::UsEastern());
  ZonesOf(Block("Z 1", {Component("STANDARD", "16010101T000000", "+0530", "+0530", nullptr)}));
  ExpectZone(LastZones().at("Z 1"), zonetest::IndiaLike());
}

TEST_F(CalReaderVTimezoneTest, LatestComponentOfEachKindWins) {
  ZonesOf(Block("Z 1", {Component("STANDARD", "20071104T020000", "-0400", "-0500",
                                  "FREQ=YEARLY;BYMONTH=11;BYDAY=1SU"),
                        Component("STANDARD", "19671029T020000", "-0400", "-0500",
                                  "FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU"),
                        Component("DAYLIGHT", "20070311T020000", "-0500", "-0400",
                                  "FREQ=YEARLY;BYMONTH=3;BYDAY=2SU")}));
  ExpectZone(LastZones().at("Z 1"), zonetest::UsEastern());
  EXPECT_NE(LogText().find("Outlook is not supported VTIMEZONE with more than one STANDARD or "
                           "DAYLIGHT components"),
            std::string::npos);
}

TEST_F(CalReaderVTimezoneTest, OffsetsMustBeSignAndFourDigits) {
  ZonesOf(Block("Z 1", {Component("STANDARD", "19701025T030000", "-0500", "-0500", nullptr)}));
  EXPECT_EQ(LastZones().at("Z 1").Bias, 300);
  for (const char* bad : {"+0560", "0100", "+100", "+01:00", "+01000"}) {
    ZonesOf(Block("Z 1", {Component("STANDARD", "19701025T030000", "+0100", bad, nullptr)}));
    EXPECT_FALSE(Has("Z 1")) << bad;
    EXPECT_EQ(Reader().events[0].start.zoneId, CvCalImport::DefaultZoneKey);
  }
  const std::string log = LogText();
  EXPECT_NE(log.find("Invalid VTIMEZONE.COMPONENT.TZOFFSET - +0560"), std::string::npos);
  EXPECT_NE(log.find("Skipping Invalid VTIMEZONE.COMPONENT"), std::string::npos);
  EXPECT_NE(log.find("Bad VTIMEZONE - no or invalid STANDARD component"), std::string::npos);
}

TEST_F(CalReaderVTimezoneTest, ZoneWithoutIdOrStandardIsNotKept) {
  ZonesOf(Block(nullptr, {Component("STANDARD", "19701025T030000", "+0100", "+0100", nullptr)}));
  EXPECT_EQ(LastZones().size(), 1u);
  EXPECT_NE(LogText().find("Bad VTIMEZONE - no TZID"), std::string::npos);
  ZonesOf(Block("Z 1", {Component("DAYLIGHT", "19700329T020000", "+0100", "+0200",
                                  "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU")}));
  EXPECT_FALSE(Has("Z 1"));
}

TEST_F(CalReaderVTimezoneTest, RulesFromExtraDatesAndRefusedRules) {
  std::vector<std::string> standard =
      Component("STANDARD", "20241027T030000", "+0200", "+0100", nullptr);
  // The extra date gives the day; the time of day is the start's.
  standard.insert(standard.end() - 1, "RDATE:20241027T010000");
  std::vector<std::string> daylight =
      Component("DAYLIGHT", "20240331T020000", "+0100", "+0200",
                "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU;UNTIL=20300101T000000Z");
  ZonesOf(Block("Z 1", {standard, daylight}));
  ExpectZone(LastZones().at("Z 1"), zonetest::CentralEurope());
  EXPECT_NE(LogText().find("Ignoring UNTIL in VTIMEZONE.DAYLIGHT.RRULE"), std::string::npos);

  ZonesOf(Block(
      "Z 1", {Component("STANDARD", "19701025T030000", "+0200", "+0100", "FREQ=MONTHLY;BYDAY=-1SU"),
              Component("DAYLIGHT", "19700329T020000", "+0100", "+0200",
                        "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU")}));
  const TimezoneStruct& zone = LastZones().at("Z 1");
  EXPECT_EQ(zone.StandardDate.wMonth, 0);
  EXPECT_EQ(zone.DaylightDate.wMonth, 0);
  EXPECT_EQ(zone.Bias, -60);
  EXPECT_NE(LogText().find("Invalid VTIMEZONE.COMPONENT.RRULE"), std::string::npos);
}

TEST_F(CalReaderVTimezoneTest, UnendedComponentEndsWithItsZone) {
  std::vector<std::string> standard =
      Component("STANDARD", "19701025T030000", "+0100", "+0100", nullptr);
  standard.pop_back();
  ZonesOf(Block("Z 1", {standard}));
  EXPECT_TRUE(Has("Z 1"));
  EXPECT_EQ(Reader().events.size(), 1u);
}

TEST_F(CalReaderVTimezoneTest, VCalendarFilesHaveNoVtimezone) {
  const std::vector<std::string> block =
      Block("Z 1", {Component("STANDARD", "19701025T030000", "+0100", "+0100", nullptr)});
  ParseOne(Calendar("1.0", {"DTSTART:20240101T100000"}, block), "a.vcs");
  EXPECT_FALSE(Has("Z 1"));
}

}  // namespace
}  // namespace caltest
