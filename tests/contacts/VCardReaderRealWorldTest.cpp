// Cards in the shapes that mail clients, phones and address books write them.
#include "VCardReaderFixture.h"

namespace kelvra::test {

class VCardReaderRealWorldTest : public VCardReaderTest {};

TEST_F(VCardReaderRealWorldTest, MailClient21) {
  const ParsedCard card = ParseOne(ReadData("mail-client-21.vcf"));
  EXPECT_EQ(card.lastName, u"Gump");
  EXPECT_EQ(card.firstName, u"Forrest");
  EXPECT_EQ(card.fullName, u"Forrest Gump");
  EXPECT_EQ(card.companyName, u"Bubba Gump Shrimp Co.");
  EXPECT_EQ(card.jobTitle, u"Shrimp Man");
  EXPECT_EQ(card.phones[ParsedCard::kBusinessPhone], u"(111) 555-1212");
  EXPECT_EQ(card.phones[ParsedCard::kHomePhone], u"(404) 555-1212");
  // WORK;VOICE and HOME;VOICE place their numbers; the other telephone stays free.
  EXPECT_TRUE(card.phones[ParsedCard::kOtherPhone].empty());
  EXPECT_EQ(card.business.street, u"100 Waters Edge");
  EXPECT_EQ(card.home.street, u"42 Plantation St.");
  EXPECT_EQ(card.home.country, u"United States of America");
  EXPECT_EQ(card.emails[0].address, u"forrestgump@example.com");
  EXPECT_EQ(card.emails[0].addressType, u"SMTP");
  // The LABEL's continuation line "ca" is not a property of its own.
  EXPECT_TRUE(card.other.IsEmpty());
}

TEST_F(VCardReaderRealWorldTest, Android21QuotedPrintableUtf8) {
  const ParsedCard card = ParseOne(ReadData("android-21.vcf"));
  EXPECT_EQ(card.lastName, u"M\u00FCller");
  EXPECT_EQ(card.firstName, u"J\u00FCrgen");
  EXPECT_EQ(card.fullName, u"J\u00FCrgen M\u00FCller");
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"+49 170 1234567");
  EXPECT_EQ(card.phones[ParsedCard::kPrimaryPhone], u"+49 170 1234567");
  EXPECT_EQ(card.phones[ParsedCard::kHomePhone], u"+49 30 123456");
  EXPECT_EQ(card.emails[0].address, u"juergen@example.de");
  EXPECT_EQ(card.emails[0].addressType, u"SMTP");
  EXPECT_EQ(card.home.street, u"Hauptstra\u00DFe 1");
  EXPECT_EQ(card.home.city, u"Berlin");
  EXPECT_EQ(card.home.postalCode, u"10115");
  EXPECT_EQ(card.notes, u"Erste Zeile\nZweite Zeile, die umbrochen w\u00FCrde");
  EXPECT_EQ(card.birthday, 27467.0);
}

TEST_F(VCardReaderRealWorldTest, Apple30WithGroupsAndFoldedPhoto) {
  const ParsedCard card = ParseOne(ReadData("apple-30.vcf"));
  EXPECT_EQ(card.lastName, u"Appleseed");
  EXPECT_EQ(card.companyName, u"Example Fruit Inc.");
  EXPECT_TRUE(card.department.empty());
  EXPECT_EQ(card.emails[0].address, u"johnny@example.com");
  EXPECT_EQ(card.emails[0].addressType, u"SMTP");
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"+1 408 555 0100");
  EXPECT_EQ(card.phones[ParsedCard::kPrimaryPhone], u"+1 408 555 0100");
  EXPECT_EQ(card.business.street, u"1 Orchard Loop");
  EXPECT_EQ(card.business.postalCode, u"95014");
  EXPECT_EQ(card.businessHomePage, u"http://www.example.com");
  EXPECT_EQ(card.pictureExtension, "JPG");
  ASSERT_EQ(card.picture.size(), 278u);
  EXPECT_EQ(card.picture[0], 0xFF);
  EXPECT_EQ(card.picture[20 + 200], 200);
  EXPECT_EQ(card.picture.back(), 0xD9);
}

TEST_F(VCardReaderRealWorldTest, Google30) {
  const ParsedCard card = ParseOne(ReadData("google-30.vcf"));
  EXPECT_EQ(card.middleName, u"Brewster");
  EXPECT_EQ(card.emails[0].address, u"grace@example.org");
  EXPECT_EQ(card.emails[1].address, u"ghopper@example.mil");
  EXPECT_EQ(card.emails[1].addressType, u"SMTP");
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"+1 202 555 0199");
  EXPECT_EQ(card.phones[ParsedCard::kBusinessPhone], u"+1 202 555 0100");
  EXPECT_EQ(card.home.region, u"VA");
  EXPECT_EQ(card.birthday, 2535.0);
  EXPECT_EQ(card.notes, u"Wrote the first compiler, A-0.\r\nCOBOL pioneer.");
  EXPECT_EQ(card.categories, u"myContacts,Starred in Android");
}

TEST_F(VCardReaderRealWorldTest, Rfc2426SampleLosesNoNumber) {
  const std::vector<ParsedCard> cards = Parse(ReadData("rfc2426-sample.vcf"));
  ASSERT_EQ(cards.size(), 2u);
  const ParsedCard& frank = cards[0];
  EXPECT_EQ(frank.fullName, u"Frank Dawson");
  EXPECT_EQ(frank.business.street, u"6544 Battleford Drive");
  EXPECT_EQ(frank.business.city, u"Raleigh");
  EXPECT_EQ(frank.business.postalCode, u"27613-3502");
  EXPECT_EQ(frank.other.city, u"Raleigh");
  EXPECT_EQ(frank.phones[ParsedCard::kBusinessPhone], u"+1-919-676-9515");
  EXPECT_EQ(frank.phones[ParsedCard::kBusinessFax], u"+1-919-676-9564");
  EXPECT_EQ(frank.emails[0].address, u"Frank_Dawson@Lotus.com");
  EXPECT_EQ(frank.emails[1].address, u"fdawson@earthlink.net");
  EXPECT_EQ(frank.businessHomePage, u"http://home.earthlink.net/~fdawson");
  const ParsedCard& tim = cards[1];
  EXPECT_EQ(tim.business.region, u"CA");
  EXPECT_EQ(tim.business.postalCode, u"94043");
  EXPECT_EQ(tim.business.country, u"U.S.A.");
  EXPECT_EQ(tim.phones[ParsedCard::kBusinessPhone], u"+1-415-937-3419");
  EXPECT_EQ(tim.phones[ParsedCard::kBusinessFax], u"+1-415-528-4164");
  EXPECT_EQ(tim.emails[0].address, u"howes@netscape.com");
}

TEST_F(VCardReaderRealWorldTest, MultiCardFileWithMixedLineEnds) {
  const std::vector<ParsedCard> cards = Parse(ReadData("multi-mixed-line-ends.vcf"));
  ASSERT_EQ(cards.size(), 4u);
  EXPECT_EQ(cards[0].phones[ParsedCard::kBusinessPhone], u"1");
  EXPECT_EQ(cards[1].lastName, u"Second");
  EXPECT_EQ(cards[1].notes, u"one, two");
  EXPECT_EQ(cards[2].emails[0].address, u"third@example.com");
  EXPECT_EQ(cards[3].lastName, u"Fourth");
}

}  // namespace kelvra::test
