// The calendar around the events: header, line ends, the closing line, and what a
// run's settings change in it.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "testkit/Locale.h"

namespace calwriter {
namespace {

class CalWriterFormatTest : public CalWriterTest {};

TEST_F(CalWriterFormatTest, EveryLineEndsInCrLfButTheClosingOne) {
  for (const int format : {k10, k20}) {
    for (const std::string& text :
         {ItemFile("Meeting", format), OneFile(Subjects(kCalendar), format)}) {
      ASSERT_GE(text.size(), 15u);
      EXPECT_EQ(text.substr(text.size() - 15), "\r\nEND:VCALENDAR") << format;
      const std::vector<std::string> lines = Lines(text);
      EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
      EXPECT_EQ(lines.back(), "END:VCALENDAR");
    }
  }
}

TEST_F(CalWriterFormatTest, AFormatOfNeitherVersionStartsNoRun) {
  CvCalExport writer;
  writer.SetFormat(21);
  Prepare(writer, false);
  EXPECT_FALSE(writer.BeforeExport());
  Prepare(writer, true);
  EXPECT_FALSE(writer.BeforeExport());
  EXPECT_EQ(writer.CurrentFile(), "");
}

TEST_F(CalWriterFormatTest, PerItemCalendarsStandAlone) {
  CvCalExport writer;
  writer.SetFormat(k20);
  Prepare(writer, false);
  ASSERT_TRUE(writer.BeforeExport());
  writer.SetItem(Appointment("Timed single"));
  ASSERT_EQ(writer.ExportItem(), 0);
  const std::string first = Written(writer);
  writer.SetItem(Appointment("All-day"));
  ASSERT_EQ(writer.ExportItem(), 0);
  writer.FinishExport();
  EXPECT_EQ(LinesStarting(first, "SUMMARY"), std::vector<std::string>{"SUMMARY:Timed single"});
  EXPECT_EQ(LinesStarting(Written(writer), "SUMMARY"), std::vector<std::string>{"SUMMARY:All-day"});
  EXPECT_EQ(LinesStarting(Written(writer), "BEGIN:VCALENDAR").size(), 1u);
  EXPECT_EQ(writer.Written().size(), 2u);
}

TEST_F(CalWriterFormatTest, TheCharsetParameterFollowsTheEncoding) {
  // UTF-8 is iCalendar's own charset; vCalendar names it.
  EXPECT_EQ(LineStarting(ItemFile("Timed single", k20), "SUMMARY"), "SUMMARY:Timed single");
  EXPECT_EQ(LineStarting(ItemFile("Timed single", k10), "SUMMARY"),
            "SUMMARY;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Timed single");
  UseEncoding("Western European (Windows)");
  EXPECT_EQ(LineStarting(ItemFile("Lunch, drinks; and \\ more", k20), "LOCATION"),
            "LOCATION;CHARSET=windows-1252:Caf\xE9 Z\xFCrich\\, 1st floor");
  EXPECT_EQ(LineStarting(ItemFile("Lunch, drinks; and \\ more", k10), "LOCATION"),
            "LOCATION;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:Caf=E9 Z=FCrich, 1st floor");
}

TEST_F(CalWriterFormatTest, AnEncodingNameOutsideTheListWritesTheAnsiCodePageWithoutCharset) {
  g_CharConverter->SetCurrentByName("");
  EXPECT_EQ(LineStarting(ItemFile("Lunch, drinks; and \\ more", k10), "LOCATION"),
            "LOCATION;ENCODING=QUOTED-PRINTABLE:Caf=C3=A9 Z=C3=BCrich, 1st floor");
}

TEST_F(CalWriterFormatTest, CategoriesTakeEachVersionsSeparator) {
  testkit::SetListSeparator(";");
  LoadCalendar(
      R"({"Subject": "Tagged", "Start": "2026-06-01T10:00:00", "End": "2026-06-01T11:00:00",
                   "Categories": "Holiday; Family;Trip"})");
  // iCalendar lists the names; blanks around them stay.
  EXPECT_EQ(LineStarting(ItemFile("Tagged", k20), "CATEGORIES"), "CATEGORIES:Holiday, Family,Trip");
  EXPECT_EQ(LineStarting(ItemFile("Tagged", k10), "CATEGORIES"),
            "CATEGORIES;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Holiday; Family;Trip");
  // Each iCalendar name is escaped as a text of its own.
  LoadCalendar(
      R"({"Subject": "Tagged", "Start": "2026-06-01T10:00:00", "End": "2026-06-01T11:00:00",
                   "Categories": "R&D, Labs;Back\\slash"})");
  EXPECT_EQ(LineStarting(ItemFile("Tagged", k20), "CATEGORIES"),
            "CATEGORIES:R&D\\, Labs,Back\\\\slash");
}

TEST_F(CalWriterFormatTest, AQuotedPrintableContinuationNeverOpensWithABlank) {
  const std::string body(65, 'x');
  LoadCalendar(R"({"Subject": "Long", "Start": "2026-06-01T10:00:00", "End": "2026-06-01T11:00:00",
                   "Body": ")" +
               body + R"( tail"})");
  const std::string text = ItemFile("Long", k10);
  EXPECT_NE(text.find("QUOTED-PRINTABLE:" + body + "=\r\n=20tail\r\n"), std::string::npos) << text;
}

TEST_F(CalWriterFormatTest, NewMeetingIdsHaveTheFixedHeadAndDiffer) {
  const std::string first = LineStarting(ItemFile("Timed single", k20), "UID:").substr(4);
  const std::string second = LineStarting(ItemFile("Timed single", k20), "UID:").substr(4);
  ASSERT_EQ(first.size(), 112u);
  EXPECT_EQ(first.substr(0, 80),
            "040000008200E00074C5B7101A82E008"
            "00000000000000000000000000000000"
            "0000000010000000");
  EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF"), std::string::npos) << first;
  EXPECT_EQ(first.substr(80), "67452301AB89EFCD0123456789ABCDEF");
  EXPECT_NE(first, second);
  // vCalendar writes no id it does not have.
  EXPECT_EQ(LineStarting(ItemFile("Timed single", k10), "UID"), "<none>");
}

}  // namespace
}  // namespace calwriter

namespace calwriter {
namespace {

TEST_F(CalWriterFormatTest, EscapesAreMadeOnTheTextNotOnTheBytesOfItsCharset) {
  // 表 is 0x95 0x5C in Shift_JIS: its second byte is a backslash.
  LoadCalendar(
      R"({"Subject": "表示; ok", "Start": "2026-05-04T10:00:00", "End": "2026-05-04T11:00:00"})");
  UseEncoding("Japanese (Shift-JIS)");
  const std::string line = EventLine(ItemFile("表示; ok", k20), "SUMMARY");
  EXPECT_EQ(line, "SUMMARY;CHARSET=Shift_JIS:\x95\x5C\x8E\xA6\\; ok");
}

}  // namespace
}  // namespace calwriter
