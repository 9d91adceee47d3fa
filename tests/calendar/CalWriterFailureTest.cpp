// Items that cannot be written: what is logged, what the result says, and that nothing
// of them reaches the calendar while the items around them are written whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CalWriterFixture.h"
#include "ZoneTestData.h"
#include "calendar/CalendarDateText.h"
#include "testkit/Files.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace calwriter {
namespace {

class CalWriterFailureTest : public CalWriterTest {
 protected:
  // A one-file calendar of three items whose middle one fails.
  // middleWord is a word of the middle item's subject as it stands in the text.
  void ExpectMiddleItemDropped(int format, const std::string& middle, const std::string& middleWord,
                               const std::string& logged) {
    CvCalExport writer;
    const std::vector<int> results =
        WriteOneFile(writer, {"Timed single", middle, "All-day"}, format);
    EXPECT_EQ(results, (std::vector<int>{0, -1, 0})) << format;
    const std::string text = Written(writer);
    EXPECT_EQ(LinesStarting(text, "BEGIN:VEVENT").size(), 2u) << text;
    EXPECT_EQ(LinesStarting(text, "END:VEVENT").size(), 2u) << text;
    EXPECT_EQ(text.find(middleWord), std::string::npos) << text;
    EXPECT_NE(Log().Text().find(logged), std::string::npos) << Log().Text();
  }
};

TEST_F(CalWriterFailureTest, AFailingOutlookCallFailsOnlyThatItem) {
  testkit::FailCall("AppointmentItem.Location", 2, E_FAIL);
  ExpectMiddleItemDropped(k20, "Lunch, drinks; and \\ more", "Lunch", "_com_error(");
}

TEST_F(CalWriterFailureTest, ATextThatCannotBeConvertedFailsTheItem) {
  // Addresses go out in UTF-8, which this list does not know.
  UseEncodingsList("Western European (Windows)|windows-1252|1252\r\n");
  UseEncoding("Western European (Windows)");
  ExpectMiddleItemDropped(k20, "Meeting", "Meeting", "cannot convert the organizer's address");
  // A charset the system cannot convert to fails every item with text.
  UseEncodingsList("UTF-8|UTF-8|65001\r\nBroken|x-broken|99999\r\n");
  UseEncoding("Broken");
  CvCalExport writer;
  EXPECT_EQ(WriteOneFile(writer, {"Timed single"}, k10), std::vector<int>{-1});
  EXPECT_EQ(Written(writer).find("BEGIN:VEVENT"), std::string::npos);
}

TEST_F(CalWriterFailureTest, WithoutTheMapiHelpersEveryItemFails) {
  testkit::FailCreate("Redemption.MapiUtils", REGDB_E_CLASSNOTREG);
  CvCalExport writer;
  EXPECT_EQ(WriteOneFile(writer, {"Timed single", "All-day"}, k20), (std::vector<int>{-1, -1}));
  EXPECT_EQ(Written(writer).find("BEGIN:VEVENT"), std::string::npos);
  EXPECT_EQ(Lines(Written(writer)).back(), "END:VCALENDAR");
}

TEST_F(CalWriterFailureTest, AFailedItemLeavesNoFileOfItsOwn) {
  testkit::FailCall("AppointmentItem.Location", 0, E_FAIL);
  CvCalExport writer;
  writer.SetFormat(k10);
  Prepare(writer, false);
  ASSERT_TRUE(writer.BeforeExport());
  writer.SetItem(Appointment("Weekly Europe"));
  EXPECT_EQ(writer.ExportItem(), -1);
  EXPECT_FALSE(writer.CurrentFile().empty());
  EXPECT_EQ(Written(writer), "");
  EXPECT_TRUE(std::filesystem::is_empty(testkit::ToLinuxPath(
      writer.CurrentFile().substr(0, writer.CurrentFile().find_last_of('\\')))));
  EXPECT_TRUE(writer.Written().empty());
}

TEST_F(CalWriterFailureTest, ADateOutsideTheCalendarIsWrittenAsZeros) {
  COleDateTime invalid;
  invalid.SetStatus(COleDateTime::invalid);
  std::string text;
  AppendCalendarDate(invalid, true, true, text);
  text += ' ';
  AppendCalendarDate(invalid, false, false, text);
  EXPECT_EQ(text, "-0010000T000000Z -0010000");
  // Half an hour before the year 10000 in New York is already past it in UTC.
  testkit::SetSystemTimeZone(zonetest::AsSystemZone(zonetest::UsEastern()));
  LoadCalendar(
      R"({"Subject": "Last", "Start": "9999-12-31T18:00:00", "End": "9999-12-31T23:30:00"})");
  const std::string file = ItemFile("Last", k20);
  EXPECT_EQ(EventLine(file, "DTSTART"), "DTSTART:99991231T230000Z");
  EXPECT_EQ(EventLine(file, "DTEND"), "DTEND:-0010000T000000Z");
}

}  // namespace
}  // namespace calwriter
