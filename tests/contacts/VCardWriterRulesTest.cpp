// The writer's rules one at a time: charsets, categories, sensitivity, dates, the
// Outlook version, e-mail resolution and the card buffer.
#include <gtest/gtest.h>

#include <string>

#include "VCardWriterFixture.h"
#include "com/comdef.h"
#include "testkit/Locale.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

// --- Charsets ---------------------------------------------------------------------

class VCardWriterCharsetTest : public VCardWriterTest {};

TEST_F(VCardWriterCharsetTest, TheAnsiCodePageWritesNoCharsetAnywhere) {
  testkit::SetAcp(1252);
  UseEncoding("");
  for (const int format : {k21, k30}) {
    const std::string card = Card("full", format);
    EXPECT_EQ(card.find("CHARSET"), std::string::npos) << card;
    EXPECT_EQ(LineStarting(card, "TEL"),
              format == k21 ? "TEL;WORK:+49 30 1000" : "TEL;TYPE=WORK:+49 30 1000");
  }
  EXPECT_EQ(LineStarting(Card("full", k21), "N"),
            "N;ENCODING=QUOTED-PRINTABLE:M=FCller;J=FCrgen;K.;Dr.;Jr.");
  EXPECT_EQ(LineStarting(Card("full", k30), "N"), "N:M\xFCller;J\xFCrgen;K.;Dr.;Jr.");
}

TEST_F(VCardWriterCharsetTest, AValueTheSystemCannotEncodeIsWrittenInTheAnsiCodePage) {
  UseEncodingsList("UTF-8|UTF-8|65001\nMystery|x-mystery|12345\n");
  UseEncoding("Mystery");
  const std::string card = Card("full", k21);
  EXPECT_EQ(LineStarting(card, "FN"),
            "FN;CHARSET=x-mystery;ENCODING=QUOTED-PRINTABLE:J=C3=BCrgen K. M=C3=BCller Jr.");
  EXPECT_EQ(LineStarting(card, "TITLE"), "TITLE;CHARSET=x-mystery:Chief Engineer");
}

TEST_F(VCardWriterCharsetTest, Version21QuotesEveryByteBelowTwentyHexOrFromEightyHexOn) {
  LoadContacts(ContactJson("b", R"("JobTitle": "5 \u20ac", "NickName": "a\u001fb",
                                   "Profession": "~ !\u007f", "Spouse": "\u00ff")"));
  UseEncoding("Western European (Windows)");
  const std::string card = Card("b", k21);
  EXPECT_EQ(LineStarting(card, "TITLE"),
            "TITLE;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:5 =80");
  EXPECT_EQ(LineStarting(card, "NICKNAME"),
            "NICKNAME;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:a=1Fb");
  EXPECT_EQ(LineStarting(card, "ROLE"), "ROLE;CHARSET=windows-1252:~ !\x7F");
  EXPECT_EQ(LineStarting(card, "X-OUTL-SPOUSE"),
            "X-OUTL-SPOUSE;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:=FF");
}

// --- Categories ---------------------------------------------------------------------

class VCardWriterCategoriesTest : public VCardWriterTest {
 protected:
  std::string CategoriesLine(const char* separator, const char* categories, int format) {
    testkit::SetListSeparator(separator);
    LoadContacts(ContactJson("c", std::string(R"("Categories": ")") + categories + "\""));
    return LineStarting(Card("c", format), format == k21 ? "X-OUTL-CATEGORIES" : "CATEGORIES");
  }
};

TEST_F(VCardWriterCategoriesTest, Version21KeepsTheTextAsItIs) {
  EXPECT_EQ(CategoriesLine(",", "Business,Friends", k21),
            "X-OUTL-CATEGORIES;CHARSET=UTF-8:Business,Friends");
  EXPECT_EQ(CategoriesLine(";", "Business;Friends", k21),
            "X-OUTL-CATEGORIES;CHARSET=UTF-8:Business;Friends");
  EXPECT_EQ(CategoriesLine(",", " \\t ", k21), "<none>");
}

TEST_F(VCardWriterCategoriesTest, Version30ListsTheNamesSeparatedByPlainCommas) {
  EXPECT_EQ(CategoriesLine(",", "Business,Friends", k30),
            "CATEGORIES;CHARSET=UTF-8:Business,Friends");
  EXPECT_EQ(CategoriesLine(";", "Business;Friends;VIP", k30),
            "CATEGORIES;CHARSET=UTF-8:Business,Friends,VIP");
  // Each name is escaped as a text of its own: a comma inside one stays in it.
  EXPECT_EQ(CategoriesLine(";", "A,B;C\\\\D", k30), "CATEGORIES;CHARSET=UTF-8:A\\,B,C\\\\D");
  // Only the whole separator separates; blanks around the names stay.
  EXPECT_EQ(CategoriesLine("; ", "A; B;C", k30), "CATEGORIES;CHARSET=UTF-8:A,B;C");
}

// --- Sensitivity --------------------------------------------------------------------

class VCardWriterSensitivityTest : public VCardWriterTest {
 protected:
  void SetUp() override {
    VCardWriterTest::SetUp();
    LoadContacts(ContactJson("0", R"("Sensitivity": 0)") + "," +
                 ContactJson("1", R"("Sensitivity": 1)") + "," +
                 ContactJson("2", R"("Sensitivity": 2)") + "," +
                 ContactJson("3", R"("Sensitivity": 3)"));
  }
};

TEST_F(VCardWriterSensitivityTest, OnlyPrivateAndConfidentialContactsGetAClassLine) {
  EXPECT_EQ(LineStarting(Card("0", k21), "X-OUTL-CLASS"), "<none>");
  EXPECT_EQ(LineStarting(Card("1", k21), "X-OUTL-CLASS"), "<none>");
  EXPECT_EQ(LineStarting(Card("2", k21), "X-OUTL-CLASS"), "X-OUTL-CLASS:PRIVATE");
  EXPECT_EQ(LineStarting(Card("3", k21), "X-OUTL-CLASS"), "X-OUTL-CLASS:CONFIDENTIAL");
  EXPECT_EQ(LineStarting(Card("1", k30), "CLASS"), "<none>");
  EXPECT_EQ(LineStarting(Card("2", k30), "CLASS"), "CLASS:PRIVATE");
  EXPECT_EQ(LineStarting(Card("3", k30), "CLASS"), "CLASS:CONFIDENTIAL");
}

// --- Dates --------------------------------------------------------------------------

class VCardWriterDatesTest : public VCardWriterTest {};

// The no-date value is left out in the golden cards.
TEST_F(VCardWriterDatesTest, TheRevisionIsTheLastModificationRoundedToTheSecond) {
  const kelvra::store::ItemPtr item = testkit::FindItem("Personal Folders/Contacts", "Ann");
  ASSERT_NE(item, nullptr);
  const double second = 1.0 / 86400.0;
  // 2023-12-31 23:59:59.6 and 2024-07-09 08:07:06.499
  item->Set("LastModificationTime", kelvra::store::Value::Date(45292.0 - 0.4 * second));
  EXPECT_EQ(LineStarting(Card("minimal", k30), "REV"), "REV;CHARSET=UTF-8:20240101T000000");
  item->Set("LastModificationTime",
            kelvra::store::Value::Date(45482.0 + (8 * 3600 + 7 * 60 + 6.499) * second));
  EXPECT_EQ(LineStarting(Card("minimal", k21), "REV"), "REV;CHARSET=UTF-8:20240709T080706");
}

TEST_F(VCardWriterDatesTest, ABirthdayOutsideTheCalendarIsNotWritten) {
  Outlook::_ContactItemPtr contact = Contact("minimal");
  contact->PutBirthday(3000000.0);
  contact->PutAnniversary(-700000.0);
  const std::string card = Card("minimal", k21);
  EXPECT_EQ(LineStarting(card, "BDAY"), "<none>");
  EXPECT_EQ(LineStarting(card, "X-OUTL-ANNIVERSARY"), "<none>");
  contact->PutBirthday(29222.75);
  EXPECT_EQ(LineStarting(Card("minimal", k21), "BDAY"), "BDAY;CHARSET=UTF-8:19800102");
}

// --- Outlook version ----------------------------------------------------------------

class VCardWriterOutlookVersionTest : public VCardWriterTest {};

TEST_F(VCardWriterOutlookVersionTest, Outlook2000WritesNoImAddressAndReadsNone) {
  SetOutlookVersion(9);
  testkit::FailCall("SafeContactItem.IMAddress", 0, E_FAIL);
  EXPECT_EQ(LineStarting(Card("full", k21), "X-OUTL-IMADDRESS"), "<none>");
}

TEST_F(VCardWriterOutlookVersionTest, FromOutlook2002OnTheImAddressIsWritten) {
  for (const int version : {10, 11, 14}) {
    SetOutlookVersion(version);
    EXPECT_EQ(LineStarting(Card("full", k30), "X-OUTL-IMADDRESS"),
              "X-OUTL-IMADDRESS;CHARSET=UTF-8:jm@im.example")
        << version;
  }
}

TEST_F(VCardWriterOutlookVersionTest, ThePhotoIsWrittenFromOutlook2003On) {
  for (const int version : {9, 10}) {
    SetOutlookVersion(version);
    EXPECT_EQ(LineStarting(Card("photo", k21), "PHOTO"), "<none>") << version;
  }
  for (const int version : {11, 12, 14}) {
    SetOutlookVersion(version);
    EXPECT_EQ(LineStarting(Card("photo", k21), "PHOTO"), "PHOTO;ENCODING=BASE64;TYPE=JPEG:")
        << version;
  }
}

// --- E-mail addresses ---------------------------------------------------------------

class VCardWriterEmailTest : public VCardWriterTest {
 protected:
  std::vector<std::string> EmailLines(const std::string& fileAs, int format = k21) {
    std::vector<std::string> emails;
    for (const std::string& line : Lines(Card(fileAs, format)))
      if (line.rfind("EMAIL", 0) == 0) emails.push_back(line);
    return emails;
  }
};

TEST_F(VCardWriterEmailTest, WithoutMapiUtilitiesExchangeAddressesAreWrittenAsRead) {
  testkit::FailCreate("Redemption.MapiUtils", REGDB_E_CLASSNOTREG);
  EXPECT_EQ(EmailLines("full"), (std::vector<std::string>{
                                    "EMAIL;CHARSET=UTF-8;PREF;INTERNET:juergen@example.com",
                                    "EMAIL;CHARSET=UTF-8:/o=Acme/ou=Exchange/cn=Recipients/cn=jm",
                                    "EMAIL;CHARSET=UTF-8:/o=Acme/cn=unknown",
                                }));
}

TEST_F(VCardWriterEmailTest, AnAddressEntryThatCannotBeHadLeavesTheAddressAsRead) {
  for (const char* member : {"MAPIUtils.GetAddressEntryFromID", "AddressEntry.SMTPAddress",
                             "SafeContactItem.Email2EntryID"}) {
    testkit::ClearFaults();
    testkit::FailCall(member, 0, E_FAIL);
    EXPECT_EQ(EmailLines("full", k30)[1],
              "EMAIL;CHARSET=UTF-8:/o=Acme/ou=Exchange/cn=Recipients/cn=jm")
        << member;
  }
}

TEST_F(VCardWriterEmailTest, AnAddressThatCannotBeReadIsLoggedAndLeftOut) {
  testkit::FailCall("SafeContactItem.Email1Address", 1, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(EmailLines("full"), (std::vector<std::string>{
                                    "EMAIL;CHARSET=UTF-8;INTERNET:j.mueller@acme.example",
                                    "EMAIL;CHARSET=UTF-8:/o=Acme/cn=unknown",
                                }));
  EXPECT_NE(Log().Lines().find("Err[-2147024891] in CvCardExport::addEMAIL: "
                               "SafeContactItem->get_EmailAddress failed"),
            std::string::npos)
      << Log().Lines();
}

TEST_F(VCardWriterEmailTest, AnUnreadableAddressTypeIsNotSmtp) {
  testkit::FailCall("SafeContactItem.Email1AddressType", 0, E_FAIL);
  EXPECT_EQ(EmailLines("full")[0], "EMAIL;CHARSET=UTF-8;PREF:juergen@example.com");
}

// --- The card buffer ----------------------------------------------------------------

class VCardWriterBufferTest : public VCardWriterTest {};

TEST_F(VCardWriterBufferTest, OneWriterBuildsCardAfterCardEachFromEmpty) {
  CvCardExport writer;
  ASSERT_EQ(Write(writer, "full", k21), 0);
  ASSERT_EQ(Write(writer, "email", k21), 0);
  EXPECT_EQ(writer.GetCard(), Golden("email-21.vcf"));
  ASSERT_EQ(Write(writer, "company-only", k30), 0);
  EXPECT_EQ(writer.GetCard(), Golden("company-only-30.vcf"));
}

// --- Redemption objects ---------------------------------------------------------------

class VCardWriterRedemptionTest : public VCardWriterTest {};

TEST_F(VCardWriterRedemptionTest, WithoutTheSafeContactNoCardCanBeBuilt) {
  testkit::FailCreate("Redemption.SafeContactItem", CO_E_CLASSSTRING);
  CvCardExport writer;
  writer.SetFormat(k21);
  writer.SetContact(Contact("minimal"));
  EXPECT_THROW(writer.WriteContact(), _com_error);
}

}  // namespace
}  // namespace kelvra::test
