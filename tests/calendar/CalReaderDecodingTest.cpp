// File bytes to reader text: byte-order marks, UTF-16 without a mark, NUL characters,
// line ends, and how values of converted files and of unknown charsets are decoded.
#include <gtest/gtest.h>

#include <fstream>

#include "CalReaderFixture.h"
#include "support/TempDir.h"
#include "testkit/Locale.h"
#include "testkit/Operator.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace caltest {
namespace {

class CalReaderDecodingTest : public CalReaderTest {
 protected:
  // The summary of the one event of an iCalendar text given as these bytes.
  std::u16string SummaryOf(const std::string& bytes, const char* fileName = "test.ics") {
    return ParseOne(bytes, fileName).summary;
  }
  static std::string SummaryCalendar(const std::string& summaryLine) {
    return Calendar("2.0", {"DTSTART:20240101T100000Z", summaryLine});
  }
};

TEST_F(CalReaderDecodingTest, MarksAndWideFormsAllGiveTheSameText) {
  const std::string utf8 = SummaryCalendar("SUMMARY:Caf\xC3\xA9 \xE2\x82\xAC");
  const std::u16string expected = u"Caf\u00E9 \u20AC";
  const std::u16string wide = U16(utf8);
  EXPECT_EQ(SummaryOf(utf8), expected);
  EXPECT_EQ(SummaryOf("\xEF\xBB\xBF" + utf8), expected);
  EXPECT_EQ(SummaryOf(Utf16Bytes(wide, false, true)), expected);
  EXPECT_EQ(SummaryOf(Utf16Bytes(wide, true, true)), expected);
  EXPECT_EQ(SummaryOf(Utf16Bytes(wide, false, false)), expected);
  EXPECT_EQ(SummaryOf(Utf16Bytes(wide, true, false)), expected);
}

TEST_F(CalReaderDecodingTest, WideFilesOpeningWithALineEndAreKnown) {
  const std::u16string text = U16("\r\n" + SummaryCalendar("SUMMARY:Line first"));
  // Big-endian: a zero byte, then the CR.
  EXPECT_EQ(SummaryOf(Utf16Bytes(text, true, false)), u"Line first");
  // Little-endian text whose second byte is a CR, LF or tab is 8-bit text.
  const std::string eightBit = "\n\r" + SummaryCalendar("SUMMARY:Eight bit");
  EXPECT_EQ(SummaryOf(eightBit), u"Eight bit");
}

TEST_F(CalReaderDecodingTest, ConvertedFilesAreNotDecodedTwice) {
  // The UTF-8 default of iCalendar values, and a CHARSET, would decode the ANSI text
  // (here windows-1252) a second time.
  testkit::SetAcp(1252);
  const std::u16string wide =
      U16(SummaryCalendar("SUMMARY;CHARSET=UTF-8:Gr\xC3\xBC\xC3\x9F"
                          "e"));
  EXPECT_EQ(SummaryOf(Utf16Bytes(wide, false, true)), u"Gr\u00FC\u00DFe");
  EXPECT_EQ(SummaryOf("\xEF\xBB\xBF" + SummaryCalendar("SUMMARY:\xC3\xA9t\xC3\xA9")),
            u"\u00E9t\u00E9");
}

TEST_F(CalReaderDecodingTest, QuotedPrintableBytesOfConvertedFilesKeepTheirCharset) {
  // The conversion of the file never saw the bytes behind the escapes.
  testkit::SetAcp(1252);
  const std::u16string wide =
      U16(SummaryCalendar("SUMMARY;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller"));
  EXPECT_EQ(SummaryOf(Utf16Bytes(wide, false, true)), u"M\u00FCller");
}

TEST_F(CalReaderDecodingTest, UnknownAndLowerCaseCharsetsReadInTheAnsiCodePage) {
  testkit::SetAcp(1252);
  EXPECT_EQ(SummaryOf(SummaryCalendar("SUMMARY;CHARSET=x-unknown:caf\xE9")), u"caf\u00E9");
  EXPECT_EQ(SummaryOf(SummaryCalendar("SUMMARY;CHARSET=utf-8:caf\xE9")), u"caf\u00E9");
  EXPECT_EQ(SummaryOf(SummaryCalendar("SUMMARY;CHARSET=windows-1251:\xC4\xE0")), u"\u0414\u0430");
  // Without CHARSET, iCalendar text is UTF-8 and vCalendar text ANSI.
  EXPECT_EQ(SummaryOf(SummaryCalendar("SUMMARY:caf\xC3\xA9")), u"caf\u00E9");
  const std::string vcal = Calendar("1.0", {"DTSTART:20240101T100000Z", "SUMMARY:caf\xE9"});
  EXPECT_EQ(SummaryOf(vcal, "test.vcs"), u"caf\u00E9");
}

TEST_F(CalReaderDecodingTest, EscapesAreResolvedInTheTextNotInTheCharsetsBytes) {
  // Second bytes of double-byte characters, and bytes inside a shifted sequence, may be
  // backslashes that stand before "n", ";", "," or another backslash.
  struct Case {
    std::string line;
    std::u16string summary;
  };
  const std::vector<Case> cases = {
      {"SUMMARY;CHARSET=Shift_JIS:\x95\x5Cn\\,x", u"\u8868n,x"},
      {"SUMMARY;CHARSET=Big5:\xA4\x5C;\xB3\x5C\x5C", u"\u4E48;\u8A31\\"},
      {"SUMMARY;CHARSET=ISO-2022-JP:\x1B$B\\,\\n\\;\\\\\x1B(B\\n", u"\u68EF\u6A0C\u6939\u6A1B\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SummaryOf(SummaryCalendar(c.line)), c.summary);
  }
}

TEST_F(CalReaderDecodingTest, NulCharactersBecomeBlanksAndAreLogged) {
  std::string bytes = SummaryCalendar("SUMMARY:a");
  bytes.insert(bytes.find(":a") + 2, std::string("\0b", 2));
  Reader().LoadBytes(bytes.data(), bytes.size(), "nul.ics");
  ASSERT_EQ(Reader().Parse(), 0);
  ASSERT_EQ(Reader().events.size(), 1u);
  EXPECT_EQ(Reader().events[0].summary, u"a b");
  EXPECT_NE(LogText().find("File(nul.ics) contains unencoded binary data(1 bad symbols)!"),
            std::string::npos);
}

TEST_F(CalReaderDecodingTest, CarriageReturnsAloneEndLines) {
  std::string text = SummaryCalendar("SUMMARY:cr only");
  std::string crOnly;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') crOnly += text[i];
  }
  EXPECT_EQ(SummaryOf(crOnly), u"cr only");
  // CR, LF and CR LF mixed inside one folded line.
  const std::string mixed =
      "BEGIN:VCALENDAR\rVERSION:2.0\nBEGIN:VEVENT\r\nDTSTART:20240101\r"
      "SUMMARY:ab\n c\r d\r\n e\rEND:VEVENT\nEND:VCALENDAR";
  EXPECT_EQ(SummaryOf(mixed), u"abcde");
}

TEST_F(CalReaderDecodingTest, StrayEqualSignsInQuotedPrintableAreRepaired) {
  const std::string vcal =
      Calendar("1.0", {"DTSTART:20240101T100000Z", "SUMMARY;ENCODING=QUOTED-PRINTABLE:a=\r\n=ZZ"});
  // The repair makes the stray "=" a literal one; nothing is lost.
  EXPECT_EQ(SummaryOf(vcal, "test.vcs"), u"a=ZZ");
  EXPECT_TRUE(testkit::MessageBoxes().empty());
}

}  // namespace
}  // namespace caltest

namespace caltest {
namespace {

class CalReaderFileTest : public CalReaderTest {
 protected:
  kelvra::test::TempDir dir;
};

TEST_F(CalReaderFileTest, ReadsAWholeFileAndLeavesTheHandleToItsOwner) {
  const std::string text = Calendar("1.0", {"DTSTART:20240101T100000Z", "TRANSP:1"});
  std::ofstream(dir.linux() + "/ev.ICS", std::ios::binary) << text;
  const std::string path = dir.windows() + "\\ev.ICS";
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  ASSERT_TRUE(Reader()._ReadFile(file.Get(), path.c_str()));
  EXPECT_EQ(Reader().Parse(), 0);
  ASSERT_EQ(Reader().events.size(), 1u);
  EXPECT_EQ(Reader().events[0].busyStatus, ParsedEvent::kBusyFree);
  // The handle is still open: its owner closes it.
  DWORD high = 0;
  EXPECT_EQ(GetFileSize(file.Get(), &high), text.size());
}

TEST_F(CalReaderFileTest, AFileThatCannotBeReadLeavesNothingToParse) {
  const std::string text = Calendar("2.0", {"DTSTART:20240101T100000Z"});
  Reader().LoadBytes(text.data(), text.size(), "old.ics");
  EXPECT_FALSE(Reader()._ReadFile(INVALID_HANDLE_VALUE, "gone.ics"));
  EXPECT_EQ(Reader().Parse(), 0);
  EXPECT_TRUE(Reader().events.empty());
  EXPECT_NE(LogText().find("File(gone.ics) cannot be read"), std::string::npos);
}

}  // namespace
}  // namespace caltest
