// Content lines: physical and logical lines, folds, groups, parameters with and without
// double quotes, quoted-printable soft breaks, and the small value readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/ContentLineReader.h"
#include "contacts/DovantCharConverter.h"

namespace {

class ContentLineTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    m_text = text;
    reader.Init(m_text.data(), m_text.size());
  }
  // Every property name of the text, in order.
  std::vector<std::string> Names(const std::string& text) {
    Load(text);
    std::vector<std::string> names;
    while (reader.NextProperty()) names.push_back(reader.Name());
    return names;
  }
  // The value of the first property, read with the encoding.
  std::string FirstValue(const std::string& text, int encoding = ContentLineReader::kNone) {
    Load(text);
    EXPECT_TRUE(reader.NextProperty());
    while (reader.NextParam()) {
    }
    EXPECT_TRUE(reader.ReadValue(encoding));
    return reader.Value();
  }

  ContentLineReader reader;

 private:
  std::string m_text;
};

TEST_F(ContentLineTest, LineEndsOfEveryKindEndLines) {
  const std::vector<std::string> expected = {"A", "B", "C", "D"};
  EXPECT_EQ(Names("A:1\r\nB:2\r\nC:3\r\nD:4"), expected);
  EXPECT_EQ(Names("A:1\nB:2\r\nC:3\nD:4\n"), expected);
  // A CR alone is made a CR LF before the reader sees the text; a lone CR in the
  // reader's own input stays inside its line.
  Load("A:1\rB:2\n");
  ASSERT_TRUE(reader.NextProperty());
  ASSERT_TRUE(reader.ReadValue(0));
  EXPECT_EQ(reader.Value(), "1\rB:2");
}

TEST_F(ContentLineTest, FoldsDropOneBlankAndCountPhysicalLines) {
  EXPECT_EQ(FirstValue("DESCRIPTION:abc\r\n def\r\nX:1"), "abcdef");
  EXPECT_EQ(FirstValue("DESCRIPTION:abc\r\n  def"), "abc def");
  EXPECT_EQ(FirstValue("DESCRIPTION:abc\n def\r\n ghi\nX:1"), "abcdefghi");
  EXPECT_EQ(reader.LineNumber(), 3);
  // A tab folds like a space, and only the one tab goes.
  EXPECT_EQ(FirstValue("DESCRIPTION:abc\r\n\tdef\r\n \tghi\r\nX:1"), "abcdef\tghi");
  EXPECT_EQ(reader.LineNumber(), 3);
  EXPECT_EQ(Names("A:abc\r\n\tdef\r\nB:1"), (std::vector<std::string>{"A", "B"}));
}

TEST_F(ContentLineTest, AFoldAfterASoftBreakKeepsItsBlankOrTab) {
  const int qp = ContentLineReader::kQuotedPrintable;
  EXPECT_EQ(FirstValue("D;QUOTED-PRINTABLE:a=\r\n\tb\r\nX:1", qp), "a=\r\n\tb");
  EXPECT_EQ(FirstValue("D;QUOTED-PRINTABLE:a=\r\nb\r\n\tc\r\nX:1", qp), "a=\r\nbc");
}

TEST_F(ContentLineTest, NamesLoseGroupAndBlanksAndAreUpperCase) {
  EXPECT_EQ(Names("  x-y :z\r\nA.SUMMARY;LANGUAGE=en:Hi\r\ndtstart:20240101\r\nnothing\r\n"),
            (std::vector<std::string>{"X-Y", "SUMMARY", "DTSTART"}));
  // A dot inside the value is no group.
  EXPECT_EQ(Names("URL:http://a.b/c"), std::vector<std::string>{"URL"});
}

TEST_F(ContentLineTest, ParametersSplitWithOrWithoutName) {
  Load("DESCRIPTION;ENCODING=QUOTED-PRINTABLE ; charset = UTF-8;QUOTED-PRINTABLE;;X=1:v");
  ASSERT_TRUE(reader.NextProperty());
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.ParamName(), "ENCODING");
  EXPECT_EQ(reader.ParamValue(), "QUOTED-PRINTABLE");
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.ParamName(), "CHARSET");
  EXPECT_EQ(reader.ParamValue(), "UTF-8");
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.ParamName(), "");
  EXPECT_EQ(reader.ParamValue(), "QUOTED-PRINTABLE");
  // The empty parameter ends the list; the value is still found.
  EXPECT_FALSE(reader.NextParam());
  ASSERT_TRUE(reader.ReadValue(0));
  EXPECT_EQ(reader.Value(), "v");
}

TEST_F(ContentLineTest, QuotedParameterValuesKeepColonsAndSemicolons) {
  Load("DTSTART;TZID=\"GMT+01:00; Berlin\";VALUE=DATE-TIME:20240101T100000\r\n");
  ASSERT_TRUE(reader.NextProperty());
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.ParamValue(), "\"GMT+01:00; Berlin\"");
  EXPECT_EQ(reader.GetParamValue(), "GMT+01:00; Berlin");
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.ParamName(), "VALUE");
  ASSERT_TRUE(reader.ReadValue(0));
  EXPECT_EQ(reader.Value(), "20240101T100000");
  // Without reading the parameters the value is found past the quotes too.
  EXPECT_EQ(FirstValue("DESCRIPTION;ALTREP=\"cid:part1@example.org\":The text"), "The text");
  EXPECT_EQ(FirstValue("ATTENDEE;CN=\"Team: Sales\":mailto:s@example.com"), "mailto:s@example.com");
}

TEST_F(ContentLineTest, UnclosedQuoteFallsBackToThePlainSplit) {
  Load("ATTENDEE;CN=\"Broken:mailto:a@b.c\r\n");
  ASSERT_TRUE(reader.NextProperty());
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.ParamValue(), "\"Broken");
  ASSERT_TRUE(reader.ReadValue(0));
  EXPECT_EQ(reader.Value(), "mailto:a@b.c");
  EXPECT_EQ(reader.GetParamValue(), "\"Broken");
}

TEST_F(ContentLineTest, ParamValueLosesOnlyEnclosingQuotes) {
  Load("X;A=\"\";B= \"x\" ;C=\"y:v");
  ASSERT_TRUE(reader.NextProperty());
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.GetParamValue(), "");
  ASSERT_TRUE(reader.NextParam());
  EXPECT_EQ(reader.GetParamValue(), "x");
}

TEST_F(ContentLineTest, ValueWithoutColonIsRefusedAndEmpty) {
  Load("SUMMARY:earlier\r\nVERSION;X=1;Y=2\r\n");
  ASSERT_TRUE(reader.NextProperty());
  ASSERT_TRUE(reader.ReadValue(0));
  ASSERT_TRUE(reader.NextProperty());
  EXPECT_FALSE(reader.ReadValue(0));
  EXPECT_EQ(reader.Value(), "");
}

TEST_F(ContentLineTest, SoftBreaksJoinPhysicalLinesAsTheyStand) {
  const int qp = ContentLineReader::kQuotedPrintable;
  EXPECT_EQ(FirstValue("D;QUOTED-PRINTABLE:a=\r\n   b\r\nX:1", qp), "a=\r\n   b");
  EXPECT_EQ(FirstValue("D;QUOTED-PRINTABLE:a=\r\nb=\r\nc\r\nX:1", qp), "a=\r\nb=\r\nc");
  // A soft-broken line that holds ":" is value, not a property of its own.
  EXPECT_EQ(FirstValue("D:a=\r\nEND:VEVENT\r\n", qp), "a=\r\nEND:VEVENT");
  // A fold after a line that does not end in "=" unfolds as usual.
  EXPECT_EQ(FirstValue("D:a=\r\nb\r\n c\r\nX:1", qp), "a=\r\nbc");
  // The end of the text ends the joining.
  EXPECT_EQ(FirstValue("D:a=", qp), "a=");
  // Without quoted-printable the "=" is plain text.
  EXPECT_EQ(FirstValue("D:a=\r\nX:1"), "a=");
}

TEST_F(ContentLineTest, KelvraEncodedValuesDecodeBackWhole) {
  std::string text(150, 'x');
  text += "   trailing blanks and a line break\r\nsecond line  ";
  std::string encoded;
  DovantCharConverter::EncodeQuotedPrintable(text, encoded);
  ASSERT_NE(encoded.find("=\r\n"), std::string::npos);
  const std::string value =
      FirstValue("DESCRIPTION;ENCODING=QUOTED-PRINTABLE:" + encoded + "\r\nEND:VEVENT\r\n",
                 ContentLineReader::kQuotedPrintable);
  std::string decoded;
  ASSERT_TRUE(DovantCharConverter::DecodeQuotedPrintable(value, decoded, true));
  EXPECT_EQ(decoded, text);
}

TEST_F(ContentLineTest, GetIntAcceptsOnlyPlainDecimalNumbers) {
  struct Case {
    const char* value;
    int expected;
    bool error;
  };
  const Case cases[] = {{"007", 7, false},        {" 12 ", 12, false},
                        {"12a", -5, true},        {"", -5, true},
                        {"-3", -5, true},         {"2147483647", 2147483647, false},
                        {"2147483648", -5, true}, {"99999999999999999999", -5, true}};
  for (const Case& c : cases) {
    FirstValue(std::string("PRIORITY:") + c.value);
    bool error = false;
    EXPECT_EQ(reader.GetInt(-5, &error), c.expected) << c.value;
    EXPECT_EQ(error, c.error) << c.value;
  }
}

TEST_F(ContentLineTest, SplitDropsEmptyPieces) {
  FirstValue("EXDATE:;a;;b ; c;");
  std::vector<std::string> pieces;
  reader.Split(";", pieces);
  EXPECT_EQ(pieces, (std::vector<std::string>{"a", "b ", " c"}));
}

TEST_F(ContentLineTest, PushBackReadsThePropertyAgain) {
  Load("A:1\r\n continued\r\nB:2\r\n");
  ASSERT_TRUE(reader.NextProperty());
  reader.PushBack();
  ASSERT_TRUE(reader.NextProperty());
  EXPECT_EQ(reader.Name(), "A");
  EXPECT_EQ(reader.LineNumber(), 2);
  ASSERT_TRUE(reader.NextProperty());
  EXPECT_EQ(reader.Name(), "B");
  EXPECT_FALSE(reader.NextProperty());
}

}  // namespace
