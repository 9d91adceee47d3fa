// Export a folder and import the files into an empty one: every contact comes back with
// the same fields, in both vCard versions, and a second import adds nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>

#include "ContactRunFixture.h"
#include "contacts/CvCardExport.h"
#include "contacts/CvCardImport.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

// The properties a vCard carries; FileAs, LastModificationTime and the entry ids are
// Outlook's own and not compared.
constexpr const char* kTextProperties[] = {"FirstName",
                                           "MiddleName",
                                           "LastName",
                                           "Title",
                                           "Suffix",
                                           "FullName",
                                           "NickName",
                                           "CompanyName",
                                           "Department",
                                           "JobTitle",
                                           "Profession",
                                           "Body",
                                           "ManagerName",
                                           "AssistantName",
                                           "Spouse",
                                           "NetMeetingServer",
                                           "NetMeetingAlias",
                                           "InternetFreeBusyAddress",
                                           "PersonalHomePage",
                                           "BusinessHomePage",
                                           "IMAddress",
                                           "Categories",
                                           "BusinessTelephoneNumber",
                                           "Business2TelephoneNumber",
                                           "BusinessFaxNumber",
                                           "HomeTelephoneNumber",
                                           "Home2TelephoneNumber",
                                           "HomeFaxNumber",
                                           "MobileTelephoneNumber",
                                           "CarTelephoneNumber",
                                           "OtherTelephoneNumber",
                                           "OtherFaxNumber",
                                           "PagerNumber",
                                           "ISDNNumber",
                                           "PrimaryTelephoneNumber",
                                           "CompanyMainTelephoneNumber",
                                           "OfficeLocation",
                                           "BusinessAddressPostOfficeBox",
                                           "BusinessAddressStreet",
                                           "BusinessAddressCity",
                                           "BusinessAddressState",
                                           "BusinessAddressPostalCode",
                                           "BusinessAddressCountry",
                                           "HomeAddressPostOfficeBox",
                                           "HomeAddressStreet",
                                           "HomeAddressCity",
                                           "HomeAddressState",
                                           "HomeAddressPostalCode",
                                           "HomeAddressCountry",
                                           "OtherAddressPostOfficeBox",
                                           "OtherAddressStreet",
                                           "OtherAddressCity",
                                           "OtherAddressState",
                                           "OtherAddressPostalCode",
                                           "OtherAddressCountry",
                                           "Email1Address",
                                           "Email2Address",
                                           "Email3Address",
                                           "Email1AddressType",
                                           "Email2AddressType",
                                           "Email3AddressType"};

const char* const kMailboxItems = R"(
  {"MessageClass": "IPM.Contact", "Title": "Dr.", "FirstName": "Jürgen", "MiddleName": "K.",
   "LastName": "Müller", "Suffix": "Jr.", "NickName": "Jü", "CompanyName": "Acme, Inc.",
   "Department": "R&D; Labs", "JobTitle": "Chief Engineer", "Profession": "Engineer",
   "Body": "Line one\r\nTwo, three; four \\ five", "ManagerName": "Eva Boss",
   "AssistantName": "Tom Helper", "Spouse": "Maria", "NetMeetingServer": "nm.example.com",
   "NetMeetingAlias": "jm", "InternetFreeBusyAddress": "http://fb.example.com/jm",
   "PersonalHomePage": "http://home.example.org/", "BusinessHomePage": "https://www.example.com/",
   "IMAddress": "jm@im.example", "Categories": "Business,Friends",
   "BusinessTelephoneNumber": "+49 30 1000", "Business2TelephoneNumber": "+49 30 1001",
   "BusinessFaxNumber": "+49 30 1002", "HomeTelephoneNumber": "+49 30 2000",
   "Home2TelephoneNumber": "+49 30 2001", "HomeFaxNumber": "+49 30 2002",
   "MobileTelephoneNumber": "+49 170 3000", "CarTelephoneNumber": "+49 170 3001",
   "OtherTelephoneNumber": "+49 30 4000", "OtherFaxNumber": "+49 30 4001",
   "PagerNumber": "+49 30 5000", "ISDNNumber": "+49 30 6000",
   "PrimaryTelephoneNumber": "+49 30 7000", "CompanyMainTelephoneNumber": "+49 30 8000",
   "BusinessAddressPostOfficeBox": "PO 12", "OfficeLocation": "Building 5",
   "BusinessAddressStreet": "Hauptstraße 1", "BusinessAddressCity": "Berlin",
   "BusinessAddressState": "BE", "BusinessAddressPostalCode": "10115",
   "BusinessAddressCountry": "Germany", "HomeAddressPostOfficeBox": "PF 3",
   "HomeAddressStreet": "Am Weg 2", "HomeAddressCity": "Köln", "HomeAddressState": "NW",
   "HomeAddressPostalCode": "50667", "HomeAddressCountry": "Germany",
   "OtherAddressStreet": "Postfach 9", "OtherAddressCity": "Bonn",
   "OtherAddressPostalCode": "53111", "Email1Address": "juergen@example.com",
   "Email1AddressType": "SMTP", "Email2Address": "jm@example.org", "Email2AddressType": "SMTP",
   "Email3Address": "j.m@example.net", "Email3AddressType": "SMTP",
   "Birthday": "1980-01-02", "Anniversary": "2005-06-15", "Sensitivity": 2},
  {"MessageClass": "IPM.Contact", "CompanyName": "Northwind Traders",
   "BusinessTelephoneNumber": "+1 555 0100", "Sensitivity": 3},
  {"MessageClass": "IPM.Contact", "Email1Address": "info@example.net",
   "Email1AddressType": "SMTP", "HomeAddressCity": "Oslo"},
  {"MessageClass": "IPM.DistList", "DLName": "Team"},
  {"MessageClass": "IPM.Contact", "FirstName": "Дмитрий", "LastName": "Иванов",
   "CompanyName": "ООО «Северный ветер»", "Categories": "Personal", "HasPicture": true,
   "Attachments": [{"FileName": "ContactPicture.jpg", "Type": 1,
     "Data": "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAP//////////////////////////////////////////2Q==",
     "MapiProperties": [{"tag": "0x7FFF000B", "value": true}]}]},
  {"MessageClass": "IPM.Contact", "FirstName": "太郎", "LastName": "山田",
   "Body": "Notes on\r\ntwo lines", "Email1Address": "taro@example.jp",
   "Email1AddressType": "SMTP"}
)";

// What a property comes back as: a ";" inside a part of a structured value (name,
// organisation, address) is written as "," because ";" separates the parts.
std::string Expected(const kelvra::store::ItemPtr& original, const std::string& property) {
  std::string text = testkit::Text(original, property);
  static const std::set<std::string> kNameAndOrganisation = {
      "FirstName", "MiddleName",  "LastName",   "Title",
      "Suffix",    "CompanyName", "Department", "OfficeLocation"};
  const bool address =
      property.find("Address") != std::string::npos && property.rfind("Email", 0) != 0;
  if (address || kNameAndOrganisation.count(property))
    std::replace(text.begin(), text.end(), ';', ',');
  return text;
}

struct RoundTrip {
  int format;
  bool oneFile;
};

void PrintTo(const RoundTrip& trip, std::ostream* out) {
  *out << "vCard " << trip.format << (trip.oneFile ? ", one file" : ", a file per contact");
}

class ContactRunRoundTripTest : public ContactRunTest,
                                public ::testing::WithParamInterface<RoundTrip> {
 protected:
  static std::string Key(const kelvra::store::ItemPtr& item) {
    return testkit::Text(item, "FullName") + "|" + testkit::Text(item, "CompanyName");
  }
  static std::map<std::string, kelvra::store::ItemPtr> ContactsOf(const char* folder) {
    std::map<std::string, kelvra::store::ItemPtr> contacts;
    for (const auto& item : testkit::FindFolder(std::string("Personal Folders/") + folder)->Items())
      if (item->MessageClass() == u"IPM.Contact") contacts[Key(item)] = item;
    return contacts;
  }
};

TEST_P(ContactRunRoundTripTest, EveryContactComesBackWithTheSameFields) {
  LoadContacts(kMailboxItems);
  CvCardExport exporter;
  exporter.SetOutlookVersion(14);
  ContactExportChoices choices = ExportChoices();
  choices.format = GetParam().format;
  choices.oneFile = GetParam().oneFile;
  ASSERT_EQ(exporter.Run(App(), choices, nullptr), 0);
  EXPECT_EQ(exporter.Counts().exported, 5);

  CvCardImport importer;
  importer.SetOutlookVersion(14);
  ASSERT_EQ(importer.Run(ImportChoices(Out().windows()), nullptr), 0);
  EXPECT_EQ(importer.Counts().cards, 5);
  EXPECT_EQ(importer.Counts().imported, 5);

  const auto originals = ContactsOf("Contacts");
  const auto imported = ContactsOf("Target");
  ASSERT_EQ(imported.size(), originals.size());
  for (const auto& [key, original] : originals) {
    ASSERT_EQ(imported.count(key), 1u) << key;
    const kelvra::store::ItemPtr& copy = imported.at(key);
    for (const char* property : kTextProperties)
      EXPECT_EQ(testkit::Text(copy, property), Expected(original, property))
          << key << " " << property;
    for (const char* property : {"Birthday", "Anniversary"})
      EXPECT_EQ(copy->GetDate(property), original->GetDate(property)) << key << " " << property;
    EXPECT_EQ(copy->GetLong("Sensitivity"), original->GetLong("Sensitivity")) << key;
    EXPECT_EQ(copy->GetBool("HasPicture"), original->GetBool("HasPicture")) << key;
  }

  // Everything is there already.
  ASSERT_EQ(importer.Run(ImportChoices(Out().windows()), nullptr), 0);
  EXPECT_EQ(importer.Counts().imported, 0);
  EXPECT_EQ(importer.Counts().skipped, 5);
  EXPECT_EQ(ContactsOf("Target").size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Versions, ContactRunRoundTripTest,
                         ::testing::Values(RoundTrip{30, true}, RoundTrip{21, false},
                                           RoundTrip{21, true}, RoundTrip{30, false}),
                         [](const ::testing::TestParamInfo<RoundTrip>& info) {
                           return "vCard" + std::to_string(info.param.format) +
                                  (info.param.oneFile ? "OneFile" : "FilePerContact");
                         });

}  // namespace
}  // namespace kelvra::test
