// Property lines and their values: groups, CHARSET per property, quoted-printable with
// soft breaks and repair, 3.0 unfolding and unescaping, structured values.
#include "VCardReaderFixture.h"
#include "testkit/Operator.h"

namespace kelvra::test {

class VCardReaderLineTest : public VCardReaderTest {};

TEST_F(VCardReaderLineTest, GroupPrefixAndCaseOfTheNameDoNotMatter) {
  const ParsedCard card = ParseOne(Card("3.0", {"item1.EMAIL;type=INTERNET;type=pref:a@b.example",
                                                "item2.tel;type=CELL:0170", "n:Doe;Jo"}));
  EXPECT_EQ(card.emails[0].address, u"a@b.example");
  EXPECT_EQ(card.emails[0].addressType, u"SMTP");
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"0170");
  EXPECT_EQ(card.lastName, u"Doe");
}

TEST_F(VCardReaderLineTest, EachPropertyIsConvertedInItsOwnCharset) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"N;CHARSET=windows-1252:M\xFCller", "FN;CHARSET=UTF-8:M\xC3\xBCller",
                            "TITLE;CHARSET=windows-1251:\xC8\xE2\xE0\xED", "NOTE:caf\xC3\xA9"}));
  EXPECT_EQ(card.lastName, u"M\u00FCller");
  EXPECT_EQ(card.fullName, u"M\u00FCller");
  EXPECT_EQ(card.jobTitle, u"\u0418\u0432\u0430\u043D");
  EXPECT_EQ(card.notes, u"caf\u00E9");  // no CHARSET: the ANSI code page (UTF-8 here)
}

TEST_F(VCardReaderLineTest, LinesWithoutSeparatorAndUnknownPropertiesAreIgnored) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"just words", "X-UNKNOWN:1", "N:Doe", "REV:20240101T000000"}));
  ParsedCard expected;
  expected.lastName = u"Doe";
  EXPECT_EQ(card, expected);
}

class VCardReaderQuotedPrintableTest : public VCardReaderTest {};

TEST_F(VCardReaderQuotedPrintableTest, ValuesAreDecodedAndSoftBreaksJoined) {
  struct Case {
    std::vector<std::string> lines;
    std::u16string notes;
  };
  const std::vector<Case> cases = {
      {{"NOTE;ENCODING=QUOTED-PRINTABLE:Line=0D=0Atwo"}, u"Line\r\ntwo"},
      {{"NOTE;QUOTED-PRINTABLE:abc=", "def"}, u"abcdef"},
      {{"NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=BC=", "=C3=A4=", " x"},
       u"\u00FC\u00E4 x"},
      {{"NOTE;ENCODING=quoted-printable;CHARSET=windows-1252:=FC"}, u"\u00FC"},
      {{"NOTE;ENCODING=QUOTED-PRINTABLE:a=", "TEL:1"}, u"aTEL:1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    EXPECT_EQ(ParseOne(Card("2.1", c.lines)).notes, c.notes);
  }
}

TEST_F(VCardReaderQuotedPrintableTest, StrayEqualsSignsAreRepaired) {
  const ParsedCard card = ParseOne(Card("2.1", {"NOTE;ENCODING=QUOTED-PRINTABLE:1+1=2 =C3=BC"}));
  EXPECT_EQ(card.notes, u"1+1=2 \u00FC");
  EXPECT_TRUE(testkit::MessageBoxes().empty());
}

TEST_F(VCardReaderQuotedPrintableTest, OutlookExtensionsCategoriesAndClassTakeParameters) {
  const ParsedCard card = ParseOne(Card(
      "2.1", {"X-OUTL-SPOUSE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=B6rg",
              "X-OUTL-CATEGORIES;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Fr=C3=BCnde=", ",Work",
              "X-OUTL-CLASS:PRIVATE", "X-OUTL-ANNIVERSARY;CHARSET=UTF-8:20100615",
              "X-OUTL-MANAGERNAME;CHARSET=windows-1252:Ren\xE9"}));
  EXPECT_EQ(card.spouse, u"J\u00F6rg");
  EXPECT_EQ(card.categories, u"Fr\u00FCnde,Work");
  EXPECT_EQ(card.sensitivity, ParsedCard::kSensitivityPrivate);
  EXPECT_EQ(card.anniversary, 40344.0);
  EXPECT_EQ(card.managerName, u"Ren\u00E9");
}

class VCardReaderFoldingTest : public VCardReaderTest {};

TEST_F(VCardReaderFoldingTest, ThreeZeroUnfoldsAndUnescapes) {
  struct Case {
    std::vector<std::string> lines;
    std::u16string notes;
  };
  const std::vector<Case> cases = {
      {{"NOTE:one\\ntwo", " three"}, u"one\r\ntwothree"},
      {{"NOTE:a", "  b"}, u"a b"},  // exactly the one folding blank goes
      {{"NOTE:a", "\tb"}, u"ab"},   // a tab folds as a blank does
      {{"NOTE:a", "\t b"}, u"a b"},
      {{"NOTE:x\\,y\\;z\\\\w\\N\\q"}, u"x,y\\;z\\w\r\n\\q"},
      {{"NOTE:  padded  "}, u"padded"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    EXPECT_EQ(ParseOne(Card("3.0", c.lines)).notes, c.notes);
  }
}

TEST_F(VCardReaderFoldingTest, TwoOneJoinsFoldedLinesWithTheirBlankAndDoesNotUnescape) {
  // 2.1 folds at white space: the line break goes, the blank or tab stays.
  struct Case {
    std::vector<std::string> lines;
    std::u16string notes;
  };
  const std::vector<Case> cases = {
      {{"NOTE:first\\nline", " second"}, u"first\\nline second"},
      {{"NOTE:a", "\tb", "  c"}, u"a\tb  c"},
      {{"NOTE:see", " TEL:555"}, u"see TEL:555"},
      {{"NOTE;CHARSET=UTF-8:Gr\xC3\xBC",
        " \xC3\x9F"
        "e"},
       u"Gr\u00FC \u00DFe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    const ParsedCard card = ParseOne(Card("2.1", c.lines));
    EXPECT_EQ(card.notes, c.notes);
    EXPECT_TRUE(card.phones[ParsedCard::kOtherPhone].empty());
  }
}

TEST_F(VCardReaderFoldingTest, TwoOneFoldedAddressesAndNumbersComeWhole) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"EMAIL;INTERNET:first.second.third@", " example.org", "TEL;HOME:+49 30",
                            " 1234 5678", "N:a\\;b;c"}));
  EXPECT_EQ(card.emails[0].address, u"first.second.third@ example.org");
  EXPECT_EQ(card.phones[ParsedCard::kHomePhone], u"+49 30 1234 5678");
  EXPECT_EQ(card.lastName, u"a;b");
  EXPECT_EQ(card.firstName, u"c");
}

TEST_F(VCardReaderFoldingTest, FourZeroIsReadWithTheRulesOfThreeZeroAndOneWarning) {
  const std::vector<ParsedCard> cards = Parse(
      Card("4.0", {"NOTE:one\\ntwo\\, and", " three", "N:Doe\\, Jr.;Jo"}) + Card("4.0", {"N:Roe"}));
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].notes, u"one\r\ntwo, andthree");
  EXPECT_EQ(cards[0].lastName, u"Doe, Jr.");
  // One warning for each such card.
  const std::string log = Log().Lines();
  const std::string warning = "vCard 4.0 is read as vCard 3.0";
  int warnings = 0;
  for (std::size_t at = log.find(warning); at != std::string::npos; at = log.find(warning, at + 1))
    ++warnings;
  EXPECT_EQ(warnings, 2) << log;
}

TEST_F(VCardReaderFoldingTest, FoldedLinesOfIgnoredPropertiesAreNotProperties) {
  const ParsedCard card =
      ParseOne(Card("3.0", {"X-SOCIAL:https://example.org/a", " TEL:555", "N:Doe"}));
  EXPECT_TRUE(card.phones[ParsedCard::kOtherPhone].empty());
  EXPECT_EQ(card.lastName, u"Doe");
}

class VCardReaderStructuredTest : public VCardReaderTest {};

TEST_F(VCardReaderStructuredTest, ComponentsSplitOnlyAtUnescapedSemicolons) {
  struct Case {
    const char* version;
    std::string line;
    std::u16string last, first, middle, prefix, suffix;
  };
  const std::vector<Case> cases = {
      {"3.0", "N:Doe;John;Q.;Dr.;Jr.", u"Doe", u"John", u"Q.", u"Dr.", u"Jr."},
      {"3.0", "N:Doe\\, Sr.;John", u"Doe, Sr.", u"John", u"", u"", u""},
      {"3.0", "N:a\\;b;c", u"a;b", u"c", u"", u"", u""},
      {"3.0", "N:back\\\\;slash", u"back\\", u"slash", u"", u"", u""},
      {"3.0", "N:;;;;Jr.;more", u"", u"", u"", u"", u"Jr.;more"},
      {"2.1", "N: Doe ; John ", u"Doe", u"John", u"", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const ParsedCard card = ParseOne(Card(c.version, {c.line}));
    EXPECT_EQ(card.lastName, c.last);
    EXPECT_EQ(card.firstName, c.first);
    EXPECT_EQ(card.middleName, c.middle);
    EXPECT_EQ(card.namePrefix, c.prefix);
    EXPECT_EQ(card.nameSuffix, c.suffix);
  }
}

TEST_F(VCardReaderStructuredTest, DoubleByteTrailBackslashDoesNotEscape) {
  // Shift_JIS 0x83 0x5C is one katakana letter whose second byte is a backslash.
  const ParsedCard card = ParseOne(Card("2.1", {"N;CHARSET=Shift_JIS:\x83\x5C;\x91\xBE\x98\x59"}));
  EXPECT_EQ(card.lastName, u"\u30BD");
  EXPECT_EQ(card.firstName, u"\u592A\u90CE");
}

TEST_F(VCardReaderStructuredTest, SecondNOverwritesOnlyTheComponentsItHas) {
  const ParsedCard card =
      ParseOne(Card("3.0", {"N:Doe;John;Q.", "N:;Jim", "FN:First", "FN:Second"}));
  EXPECT_EQ(card.lastName, u"Doe");
  EXPECT_EQ(card.firstName, u"Jim");
  EXPECT_EQ(card.middleName, u"Q.");
  EXPECT_EQ(card.fullName, u"First");
}

TEST_F(VCardReaderStructuredTest, OrgKeepsTheRestAsDepartmentAndTheFirstOrgWins) {
  const ParsedCard card = ParseOne(Card("3.0", {"ORG:Acme\\, Inc.;R&D;Lab 2", "ORG:Other;Dept"}));
  EXPECT_EQ(card.companyName, u"Acme, Inc.");
  EXPECT_EQ(card.department, u"R&D;Lab 2");
}

}  // namespace kelvra::test
