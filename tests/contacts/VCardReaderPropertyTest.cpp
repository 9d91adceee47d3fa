// Where the reader puts addresses, telephone numbers, e-mail addresses, home pages,
// categories, sensitivity and dates.
#include "VCardReaderFixture.h"
#include "testkit/Locale.h"

namespace kelvra::test {

class VCardReaderAddressTest : public VCardReaderTest {};

TEST_F(VCardReaderAddressTest, TypesChooseTheAddress) {
  const ParsedCard card = ParseOne(
      Card("2.1", {"ADR;WORK:box;Room 5;1 Main St;Town;ST;111;Land",
                   "ADR;HOME:;ext;street;city;;12345;", "ADR;POSTAL:;;9 Post Rd;Ville;;999;"}));
  EXPECT_EQ(card.business.postOfficeBox, u"box");
  EXPECT_EQ(card.officeLocation, u"Room 5");
  EXPECT_EQ(card.business.street, u"1 Main St");
  EXPECT_EQ(card.business.city, u"Town");
  EXPECT_EQ(card.business.region, u"ST");
  EXPECT_EQ(card.business.postalCode, u"111");
  EXPECT_EQ(card.business.country, u"Land");
  EXPECT_EQ(card.home.street, u"ext street");
  EXPECT_EQ(card.home.city, u"city");
  EXPECT_EQ(card.home.postalCode, u"12345");
  EXPECT_TRUE(card.home.region.empty());
  EXPECT_EQ(card.other.street, u"9 Post Rd");
  EXPECT_EQ(card.other.city, u"Ville");
}

TEST_F(VCardReaderAddressTest, UntypedIsWorkAndAFilledAddressOverflowsToOther) {
  const ParsedCard card =
      ParseOne(Card("3.0", {"ADR:;;First St;A;;;", "ADR;TYPE=WORK:;;Second St;B;;;",
                            "ADR;TYPE=HOME:;;Home St;C;;;", "ADR;TYPE=HOME:;;Dropped St;D;;;"}));
  EXPECT_EQ(card.business.street, u"First St");
  EXPECT_EQ(card.other.street, u"Second St");
  EXPECT_EQ(card.home.street, u"Home St");
}

TEST_F(VCardReaderAddressTest, CommaListOfTypesFillsEachAddress) {
  const ParsedCard card = ParseOne(
      Card("3.0", {"ADR;TYPE=WORK,POSTAL,PARCEL:;;6544 Battleford Drive;Raleigh;NC;27613;U.S.A."}));
  EXPECT_EQ(card.business.street, u"6544 Battleford Drive");
  EXPECT_EQ(card.other.street, u"6544 Battleford Drive");
  EXPECT_EQ(card.other.country, u"U.S.A.");
  EXPECT_TRUE(card.home.IsEmpty());
}

TEST_F(VCardReaderAddressTest, ComponentsBeyondSevenGoToTheCountry) {
  const ParsedCard card = ParseOne(Card("3.0", {"ADR;TYPE=HOME:;;S;C;R;P;Land;Extra;More"}));
  EXPECT_EQ(card.home.country, u"Land;Extra;More");
  EXPECT_EQ(card.home.postalCode, u"P");
}

class VCardReaderPhoneTest : public VCardReaderTest {};

TEST_F(VCardReaderPhoneTest, EachTypeFindsItsNumber) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<ParsedCard::Phone> filled;
  };
  using P = ParsedCard;
  const std::vector<Case> cases = {
      {{"TEL;WORK:1"}, {P::kBusinessPhone}},
      {{"TEL;WORK:1", "TEL;WORK:1"}, {P::kBusinessPhone, P::kBusiness2Phone}},
      {{"TEL;WORK;VOICE:1"}, {P::kBusinessPhone}},
      {{"TEL;TYPE=WORK,VOICE:1"}, {P::kBusinessPhone}},
      {{"TEL;HOME;VOICE:1"}, {P::kHomePhone}},
      {{"TEL;VOICE;FAX:1"}, {P::kOtherFax}},
      {{"TEL;PREF;VOICE:1"}, {P::kPrimaryPhone}},
      {{"TEL;VOICE:1"}, {P::kOtherPhone}},
      {{"TEL;WORK;FAX:1"}, {P::kBusinessFax}},
      {{"TEL;FAX:1"}, {P::kBusinessFax}},
      {{"TEL;FAX:1", "TEL;FAX:1"}, {P::kBusinessFax, P::kOtherFax}},
      {{"TEL;HOME:1", "TEL;HOME:1"}, {P::kHomePhone, P::kHome2Phone}},
      {{"TEL;HOME;FAX:1"}, {P::kHomeFax}},
      {{"TEL;CELL;PREF:1"}, {P::kMobilePhone, P::kPrimaryPhone}},
      {{"TEL;CAR:1", "TEL;PAGER:1", "TEL;ISDN:1"}, {P::kCarPhone, P::kPager, P::kIsdn}},
      {{"TEL;COMPANYMAIN:1"}, {P::kCompanyMainPhone}},
      {{"TEL:1"}, {P::kOtherPhone}},
      {{"TEL;MSG:1"}, {P::kOtherPhone}},
      {{"TEL;type=cell:1"}, {P::kMobilePhone}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.back());
    const ParsedCard card = ParseOne(Card("3.0", c.lines));
    for (int i = 0; i < P::kPhoneCount; ++i) {
      const bool expected = std::find(c.filled.begin(), c.filled.end(), i) != c.filled.end();
      EXPECT_EQ(card.phones[i] == u"1", expected) << "slot " << i;
    }
  }
}

TEST_F(VCardReaderPhoneTest, AVoiceNumberPlacedByAnotherTypeLeavesTheOtherTelephoneFree) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"TEL;WORK;VOICE:1", "TEL;CELL;VOICE:2", "TEL;VOICE:3"}));
  EXPECT_EQ(card.phones[ParsedCard::kBusinessPhone], u"1");
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"2");
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"3");
}

TEST_F(VCardReaderPhoneTest, FirstNumberOfASlotIsKept) {
  const ParsedCard card = ParseOne(Card("2.1", {"TEL;CELL:1", "TEL;CELL:2", "TEL: 3 "}));
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"1");
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"3");
}

class VCardReaderEmailTest : public VCardReaderTest {};

TEST_F(VCardReaderEmailTest, AddressesFillSlotsInOrderAndPrefMovesThemDown) {
  const ParsedCard card = ParseOne(Card("2.1", {"EMAIL;INTERNET:one@x", "EMAIL;X400:two",
                                                "EMAIL;PREF;INTERNET:three@x", "EMAIL:four@x"}));
  EXPECT_EQ(card.emails[0].address, u"three@x");
  EXPECT_EQ(card.emails[0].addressType, u"SMTP");
  EXPECT_EQ(card.emails[1].address, u"one@x");
  EXPECT_EQ(card.emails[1].addressType, u"SMTP");
  EXPECT_EQ(card.emails[2].address, u"two");
  EXPECT_TRUE(card.emails[2].addressType.empty());
}

TEST_F(VCardReaderEmailTest, InternetAmongOtherTypesIsSmtp) {
  struct Case {
    std::string line;
    bool smtp;
  };
  const std::vector<Case> cases = {
      {"EMAIL:a@x", true},
      {"EMAIL;WORK:a@x", true},
      {"EMAIL;TYPE=INTERNET,WORK:a@x", true},
      {"EMAIL;TYPE=INTERNET;TYPE=X400:a@x", true},
      {"EMAIL;X400:a@x", false},
      {"EMAIL;TYPE=X400,PREF:a@x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ParseOne(Card("3.0", {c.line})).emails[0].addressType == u"SMTP", c.smtp);
  }
}

TEST_F(VCardReaderEmailTest, ParametersWithAnotherNameThanTypeAreNoTypes) {
  // Slot and label parameters that desktop and webmail programs add.
  const ParsedCard card = ParseOne(
      Card("3.0", {"EMAIL;X-SLOT=2;NAME=Office:a@x", "item1.EMAIL;type=INTERNET;X-ABLabel=Work:b@x",
                   "TEL;X-LABEL=CELL:1", "ADR;HOME;LABEL=Home:;;Street"}));
  EXPECT_EQ(card.emails[0].address, u"a@x");
  EXPECT_EQ(card.emails[0].addressType, u"SMTP");
  EXPECT_EQ(card.emails[1].addressType, u"SMTP");
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"1");
  EXPECT_TRUE(card.phones[ParsedCard::kMobilePhone].empty());
  EXPECT_EQ(card.home.street, u"Street");
}

TEST_F(VCardReaderEmailTest, FourthAddressIsDropped) {
  const ParsedCard card =
      ParseOne(Card("3.0", {"EMAIL:1@x", "EMAIL:2@x", "EMAIL:3@x", "EMAIL:4@x"}));
  EXPECT_EQ(card.emails[2].address, u"3@x");
}

class VCardReaderOtherFieldsTest : public VCardReaderTest {};

TEST_F(VCardReaderOtherFieldsTest, UrlTypesChooseTheHomePage) {
  const ParsedCard card = ParseOne(
      Card("3.0", {"URL;TYPE=HOME:http://me", "URL:http://w1", "URL;TYPE=WORK,HOME:http://w2"}));
  EXPECT_EQ(card.personalHomePage, u"http://me");
  EXPECT_EQ(card.businessHomePage, u"http://w2");
}

TEST_F(VCardReaderOtherFieldsTest, ClassSetsSensitivityWithoutRegardToCaseOrBlanks) {
  struct Case {
    std::string line;
    int sensitivity;
  };
  const std::vector<Case> cases = {
      {"CLASS:public", 0},         {"CLASS:Private", 2}, {"CLASS: CONFIDENTIAL ", 3},
      {"X-OUTL-CLASS:private", 2}, {"CLASS:secret", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ParseOne(Card("3.0", {c.line})).sensitivity, c.sensitivity);
  }
}

TEST_F(VCardReaderOtherFieldsTest, ThreeZeroCategoriesTakeTheListSeparator) {
  testkit::SetListSeparator(";");
  EXPECT_EQ(ParseOne(Card("3.0", {"CATEGORIES:Friends,Golf\\,Tennis"})).categories,
            u"Friends;Golf;Tennis");
  EXPECT_EQ(ParseOne(Card("2.1", {"X-OUTL-CATEGORIES:Friends,Golf"})).categories, u"Friends,Golf");
}

TEST_F(VCardReaderOtherFieldsTest, ImAddressIsIgnoredForOutlook2000) {
  const std::string bytes = Card("2.1", {"X-OUTL-IMADDRESS:im@x"});
  EXPECT_EQ(Parse(bytes, 14).at(0).imAddress, u"im@x");
  EXPECT_TRUE(Parse(bytes, 9).at(0).imAddress.empty());
}

TEST_F(VCardReaderOtherFieldsTest, OutlookExtensionsFillTheirFields) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"X-OUTL-MANAGERNAME:M", "X-OUTL-ASSISTANTNAME:A", "X-OUTL-NMSERVER:S",
                            "X-OUTL-NMALIAS:L", "X-OUTL-IFBADDRESS:F", "NICKNAME:Nick", "ROLE:Prof",
                            "TITLE:Boss"}));
  EXPECT_EQ(card.managerName, u"M");
  EXPECT_EQ(card.assistantName, u"A");
  EXPECT_EQ(card.netMeetingServer, u"S");
  EXPECT_EQ(card.netMeetingAlias, u"L");
  EXPECT_EQ(card.freeBusyAddress, u"F");
  EXPECT_EQ(card.nickName, u"Nick");
  EXPECT_EQ(card.profession, u"Prof");
  EXPECT_EQ(card.jobTitle, u"Boss");
}

class VCardReaderDateTest : public VCardReaderTest {};

TEST_F(VCardReaderDateTest, DateFormsAndImpossibleDates) {
  struct Case {
    std::string line;
    DATE birthday;
  };
  const std::vector<Case> cases = {
      {"BDAY:19800102", 29222.0},
      {"BDAY:1980-01-02", 29222.0},
      {"BDAY;VALUE=date:1980-01-02T00:00:00Z", 29222.0},
      {"BDAY:20000229", 36585.0},
      {"BDAY:19000101", 2.0},
      {"BDAY:19001301", 0},
      {"BDAY:19990229", 0},
      {"BDAY:1999-04-31", 0},
      {"BDAY:0050-01-01", 0},
      {"BDAY:1980-00-10", 0},
      {"BDAY:--0102", 0},
      {"BDAY:1980", 0},
      {"BDAY:1980-1-2", 29222.0},
      {"BDAY:99999999999999999999-01-01", 0},
      {"BDAY:1980-01-99999999999999999999", 0},
      {"BDAY:", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ParseOne(Card("3.0", {c.line})).birthday, c.birthday);
  }
}

TEST_F(VCardReaderDateTest, AnniversaryReadsTheTextAfterTheSeparator) {
  EXPECT_EQ(ParseOne(Card("2.1", {"X-OUTL-ANNIVERSARY:20100615"})).anniversary, 40344.0);
  EXPECT_EQ(ParseOne(Card("2.1", {"X-OUTL-ANNIVERSARY:2010-06-15"})).anniversary, 40344.0);
}

}  // namespace kelvra::test

namespace kelvra::test {

// A value for which the card has no free field is logged with its property and the card.
class VCardReaderDroppedValueTest : public VCardReaderTest {
 protected:
  // The log's messages about dropped values, in order, each from its property on.
  std::vector<std::string> Dropped() const {
    std::vector<std::string> messages;
    const std::string lines = Log().Lines();
    const std::string tag = "War[0] in CvCardImport::ParseCards: ";
    for (std::size_t at = 0; (at = lines.find(tag, at)) != std::string::npos;) {
      at += tag.size();
      const std::size_t end = lines.find('\n', at);
      std::string message = lines.substr(at, end - at);
      if (!message.empty() && message.back() == '\r') message.pop_back();
      messages.push_back(message);
    }
    return messages;
  }
  static std::string Message(const std::string& line, const std::string& card) {
    return line + " of card(" + card + ") in file() has no free field: it is not imported";
  }
};

TEST_F(VCardReaderDroppedValueTest, ASpareNumberTakesTheOtherTelephoneUnlessTheCardGivesOne) {
  const ParsedCard card = ParseOne(
      Card("3.0", {"FN:Ann Lee", "TEL;TYPE=CELL:1", "TEL;TYPE=CELL:2", "TEL;FAX:f1", "TEL;FAX:f2",
                   "TEL;FAX:f3", "TEL;TYPE=HOME:h1", "TEL;TYPE=HOME:h2", "TEL;TYPE=HOME:h3"}));
  EXPECT_EQ(card.phones[ParsedCard::kMobilePhone], u"1");
  EXPECT_EQ(card.phones[ParsedCard::kBusinessFax], u"f1");
  EXPECT_EQ(card.phones[ParsedCard::kOtherFax], u"f2");
  EXPECT_EQ(card.phones[ParsedCard::kHomePhone], u"h1");
  EXPECT_EQ(card.phones[ParsedCard::kHome2Phone], u"h2");
  // The spares in the order of the card: the second mobile number first.
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"2");
  EXPECT_EQ(Dropped(), (std::vector<std::string>{Message("TEL;FAX:f3", "Ann Lee"),
                                                 Message("TEL;HOME:h3", "Ann Lee")}));

  const ParsedCard typed = ParseOne(Card(
      "2.1", {"N:Lee;Ann;;Dr.", "TEL;CELL:1", "TEL;CELL:2", "TEL;VOICE:3", "TEL;CELL;PREF:4"}));
  EXPECT_EQ(typed.phones[ParsedCard::kOtherPhone], u"3");
  EXPECT_EQ(typed.phones[ParsedCard::kPrimaryPhone], u"4");
  EXPECT_EQ(Dropped(), (std::vector<std::string>{Message("TEL;FAX:f3", "Ann Lee"),
                                                 Message("TEL;HOME:h3", "Ann Lee"),
                                                 Message("TEL;CELL:2", "Dr. Ann Lee")}));
}

TEST_F(VCardReaderDroppedValueTest, AFaxNumberTakesTheOtherFaxFirst) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"ORG:Acme", "TEL;WORK;FAX:f1", "TEL;WORK:w1", "TEL;WORK:w2",
                            "TEL;WORK;FAX:f2", "TEL;WORK;FAX:f3", "TEL;WORK;FAX:f4"}));
  EXPECT_EQ(card.phones[ParsedCard::kBusinessFax], u"f1");
  EXPECT_EQ(card.phones[ParsedCard::kOtherFax], u"f2");
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"f3");
  EXPECT_EQ(Dropped(), std::vector<std::string>{Message("TEL;WORK;FAX:f4", "Acme")});
}

TEST_F(VCardReaderDroppedValueTest, AValueTheCardHoldsAlreadyIsNotLost) {
  const ParsedCard card =
      ParseOne(Card("3.0", {"FN:Ann Lee", "TEL;TYPE=CELL:1", "TEL;TYPE=CELL:1", "EMAIL:a@x",
                            "EMAIL:b@x", "EMAIL:c@x", "EMAIL:b@x", "ADR;TYPE=HOME:;;Home St;C;;;",
                            "ADR;TYPE=HOME:;;Other St;D;;;", "ADR;TYPE=HOME:;;Home St;C;;;",
                            "ADR;TYPE=HOME:;;;;;;", "ADR;TYPE=WORK,HOME:;;Work St;W;;;",
                            "ADR;TYPE=HOME:;;Work St;W;;;"}));
  EXPECT_TRUE(card.phones[ParsedCard::kOtherPhone].empty());
  EXPECT_EQ(card.emails[2].address, u"c@x");
  EXPECT_EQ(card.business.street, u"Work St");
  EXPECT_EQ(card.home.street, u"Home St");
  EXPECT_EQ(card.other.street, u"Other St");
  EXPECT_EQ(Dropped(), std::vector<std::string>());
}

TEST_F(VCardReaderDroppedValueTest, AFourthAddressAndAThirdHomeAddressAreLogged) {
  const ParsedCard card = ParseOne(
      Card("3.0", {"EMAIL;TYPE=INTERNET:1@x", "EMAIL:2@x", "EMAIL:3@x", "EMAIL;TYPE=INTERNET:4@x",
                   "ADR;TYPE=HOME:;;Home St;C;;;", "ADR;TYPE=HOME:;;Second St;D;;;",
                   "ADR;TYPE=HOME:;;Third St;E;;;", "N:Lee;Ann", "FN:Ann Lee"}));
  EXPECT_EQ(card.emails[2].address, u"3@x");
  EXPECT_EQ(card.other.street, u"Second St");
  EXPECT_EQ(Dropped(), (std::vector<std::string>{Message("EMAIL;INTERNET:4@x", "Ann Lee"),
                                                 Message("ADR;HOME:;;Third St;E;;;", "Ann Lee")}));

  // A card known by its address is named by it, though that is no name to import.
  const ParsedCard nameless =
      ParseOne(Card("3.0", {"FN:info@x", "EMAIL:info@x", "EMAIL:b@x", "EMAIL:c@x", "EMAIL:d@x"}));
  EXPECT_TRUE(nameless.fullName.empty());
  ASSERT_EQ(Dropped().size(), 3u);
  EXPECT_EQ(Dropped().back(), Message("EMAIL:d@x", "info@x"));
}

TEST_F(VCardReaderDroppedValueTest, APreferredAddressPushesTheThirdOneOut) {
  const ParsedCard card =
      ParseOne(Card("2.1", {"N:Lee", "EMAIL;X400:one", "EMAIL;WORK:two@x", "EMAIL;HOME:three@x",
                            "EMAIL;PREF;INTERNET:four@x"}));
  EXPECT_EQ(card.emails[0].address, u"four@x");
  EXPECT_EQ(card.emails[1].address, u"one");
  EXPECT_EQ(card.emails[2].address, u"two@x");
  EXPECT_EQ(Dropped(), std::vector<std::string>{Message("EMAIL;HOME:three@x", "Lee")});

  // Moved along with its address, the property of the third slot is the one it came from.
  ParseOne(Card("2.1", {"EMAIL;X400:one", "EMAIL;INTERNET:two@x", "EMAIL;PREF:three@x",
                        "EMAIL;PREF:four@x"}));
  EXPECT_EQ(Dropped(), (std::vector<std::string>{Message("EMAIL;HOME:three@x", "Lee"),
                                                 Message("EMAIL;INTERNET:two@x", "")}));
}

}  // namespace kelvra::test
