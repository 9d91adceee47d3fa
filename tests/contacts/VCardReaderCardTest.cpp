// Card boundaries, the stop answer of the import run, and the fix for cards of a
// program that packs several addresses into one EMAIL line.
#include "VCardReaderFixture.h"

namespace kelvra::test {

class VCardReaderBoundaryTest : public VCardReaderTest {};

TEST_F(VCardReaderBoundaryTest, CardWithoutEndIsNotSaved) {
  const std::string bytes = Card("2.1", {"N:One"}) + "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Two\r\n";
  const std::vector<ParsedCard> cards = Parse(bytes);
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].lastName, u"One");
}

TEST_F(VCardReaderBoundaryTest, BeginInsideAnOpenCardDropsThatCard) {
  const std::string bytes =
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lost\r\nTEL:1\r\n" + Card("2.1", {"N:Kept"});
  const std::vector<ParsedCard> cards = Parse(bytes);
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].lastName, u"Kept");
  EXPECT_TRUE(cards[0].phones[ParsedCard::kOtherPhone].empty());
  EXPECT_NE(Log().Lines().find("has no END:VCARD before the next BEGIN:VCARD"), std::string::npos);
}

TEST_F(VCardReaderBoundaryTest, EveryCardStartsEmptyAndAsVersion21) {
  const std::string bytes = Card("3.0", {"N:A", "TEL:1", "CLASS:PRIVATE"}) + "N:Between\r\n" +
                            "begin:vcard\r\nN:B\r\nNOTE:a\\nb\r\nend:vcard\r\n";
  const std::vector<ParsedCard> cards = Parse(bytes);
  ASSERT_EQ(cards.size(), 2u);
  ParsedCard second;
  second.lastName = u"B";
  second.notes = u"a\\nb";
  EXPECT_EQ(cards[1], second);
}

TEST_F(VCardReaderBoundaryTest, EndOfAnotherObjectDoesNotEndTheCard) {
  const ParsedCard card = ParseOne(Card("3.0", {"N:A", "END:VCALENDAR", "TEL:1"}));
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"1");
}

TEST_F(VCardReaderBoundaryTest, NegativeAnswerOfTheRunStopsParsing) {
  RecordingImport reader;
  reader.result = -5;
  const std::string bytes = Card("2.1", {"N:A"}) + Card("2.1", {"N:B"});
  EXPECT_EQ(reader.ParseBytes(bytes.data(), bytes.size()), -1);
  EXPECT_EQ(reader.cards.size(), 1u);
}

class VCardReaderNamelessTest : public VCardReaderTest {};

// A card needs a formatted name; a company or an address that stands in for a
// person's name must not become one.
TEST_F(VCardReaderNamelessTest, AFormattedNameThatOnlyRepeatsTheCompanyOrAnAddressIsNoName) {
  struct Case {
    std::vector<std::string> lines;
    std::u16string fullName;
  };
  const std::vector<Case> cases = {
      {{"N:;;;;", "FN:Acme\\, Inc.", "ORG:Acme\\, Inc.;"}, u""},
      {{"ORG:Acme", "FN:Acme"}, u""},
      // A ";" of the company comes back from ORG as ",".
      {{"N:;;;;", "FN:R;D", "ORG:R\\,D;Labs"}, u""},
      {{"N:;;;;", "FN:info@acme.example", "EMAIL;TYPE=INTERNET:info@acme.example"}, u""},
      {{"EMAIL:a@x", "EMAIL:b@x", "FN:b@x"}, u""},
      // A name prefix alone names no person.
      {{"N:;;;Dr.;", "FN:Acme", "ORG:Acme"}, u""},
      // A name of its own stays, as does a person who is called like the company.
      {{"N:;;;;", "FN:Ann Lee", "ORG:Acme;"}, u"Ann Lee"},
      {{"FN:Acme", "ORG:Acme Two"}, u"Acme"},
      {{"N:Acme", "FN:Acme", "ORG:Acme"}, u"Acme"},
      {{"N:;;;;Jr.", "FN:Acme", "ORG:Acme"}, u"Acme"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.at(1));
    const ParsedCard card = ParseOne(Card("3.0", c.lines));
    EXPECT_EQ(card.fullName, c.fullName);
    EXPECT_FALSE(card.companyName.empty() && card.emails[0].address.empty());
  }
}

class VCardReaderSkypeTest : public VCardReaderTest {};

TEST_F(VCardReaderSkypeTest, ForeignCardKeepsItsNameInTheFullNameAndSplitsAddresses) {
  const ParsedCard card = ParseOne(Card("3.0", {"N:Skyper", "FN:Sky Per", "X-SKYPE-USERNAME:sky",
                                                "EMAIL;TYPE=INTERNET:a@x\tb@x   c@x d@x"}));
  EXPECT_TRUE(card.lastName.empty());
  EXPECT_EQ(card.fullName, u"Sky Per");
  EXPECT_EQ(card.emails[0].address, u"a@x");
  EXPECT_EQ(card.emails[1].address, u"b@x");
  EXPECT_EQ(card.emails[2].address, u"c@x d@x");
  for (const ParsedEmail& email : card.emails) EXPECT_EQ(email.addressType, u"SMTP");
}

TEST_F(VCardReaderSkypeTest, SplitWorksOnCharactersNotBytes) {
  const ParsedCard card = ParseOne(
      Card("2.1", {"X-SKYPE-PSTNNUMBER:1", "EMAIL;CHARSET=UTF-8:\xE3\x83\x86@x \xE3\x83\x88@x"}));
  EXPECT_EQ(card.emails[0].address, u"\u30C6@x");
  EXPECT_EQ(card.emails[1].address, u"\u30C8@x");
}

TEST_F(VCardReaderSkypeTest, OrdinaryCardsAreLeftAsTheyAre) {
  const ParsedCard card = ParseOne(Card("3.0", {"N:Skyper", "FN:Sky Per", "EMAIL:a@x b@x"}));
  EXPECT_EQ(card.lastName, u"Skyper");
  EXPECT_EQ(card.emails[0].address, u"a@x b@x");
}

TEST_F(VCardReaderSkypeTest, NameWithMorePartsIsKept) {
  const ParsedCard card = ParseOne(Card("3.0", {"N:Per;Sky", "FN:Sky Per", "X-SKYPE-X:1"}));
  EXPECT_EQ(card.lastName, u"Per");
}

}  // namespace kelvra::test
