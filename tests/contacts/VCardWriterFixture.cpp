#include "VCardWriterFixture.h"

#include "addin/Application.h"
#include "addin/GetOutlookVersion.h"
#include "testkit/Files.h"
#include "testkit/Locale.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"

namespace kelvra::test {

void VCardWriterTest::SetUp() {
  testkit::SetAcp(65001);
  testkit::SetListSeparator(",");
  testkit::SetTempPath(m_temp.windows());
  UseEncodingsList(ReadFixtureFile(KELVRA_SOURCE_DIR "/resources/supportedEncodings.txt"));
  UseEncoding("UTF-8");
  testkit::LoadMailboxFile(KELVRA_TEST_DATA_DIR "/vcard/contacts.json");
  m_application = testkit::CreateOutlookApplication();
  g_Application = m_application;
  SetOutlookVersion(14);
  m_log = std::make_unique<ErrorLogWatch>();
}

void VCardWriterTest::TearDown() {
  g_Application = nullptr;
  g_nOutlookVersion = -1;
  g_CharConverter = nullptr;
  m_application = nullptr;
  testkit::ClearFaults();
  testkit::ClearCreateFailures();
  testkit::ResetMailbox();
  testkit::ResetFiles();
  testkit::SetListSeparator(",");
  testkit::SetAcp(0);
}

void VCardWriterTest::LoadContacts(const std::string& itemsJson,
                                   const std::string& addressBookJson) {
  testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "entryId": "0101",
      "folders": [{"name": "Contacts", "entryId": "0102", "defaultItemType": 2,
                   "items": [)" +
                           itemsJson + R"(]}]}], "addressBook": [)" + addressBookJson + "]}");
}

std::string VCardWriterTest::ContactJson(const std::string& fileAs, const std::string& properties) {
  return R"({"MessageClass": "IPM.Contact", "LastModificationTime": "2024-03-05T14:30:15",)"
         R"( "FileAs": ")" +
         fileAs + "\"" + (properties.empty() ? "" : ", " + properties) + "}";
}

Outlook::_ContactItemPtr VCardWriterTest::Contact(const std::string& fileAs) {
  Outlook::_ItemsPtr items =
      m_application->GetSession()->GetDefaultFolder(Outlook::olFolderContacts)->GetItems();
  for (long i = 1; i <= items->GetCount(); ++i) {
    Outlook::_ContactItemPtr contact = items->Item(_variant_t(i));
    if (contact && contact->GetFileAs() == fileAs.c_str()) return contact;
  }
  ADD_FAILURE() << "no contact " << fileAs;
  return nullptr;
}

void VCardWriterTest::SetOutlookVersion(int major) {
  m_outlookVersion = major;
  testkit::SetOutlookVersion(major);
  g_nOutlookVersion = -1;
}

void VCardWriterTest::UseEncoding(const char* name) {
  const int codePage = m_converter->SetCurrentByName(name);
  ASSERT_NE(codePage, DovantCharConverter::kNoConversion) << name;
}

void VCardWriterTest::UseEncodingsList(const std::string& list) {
  m_addinFolder.WriteEncodings(list);
  m_converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = m_converter.get();
}

int VCardWriterTest::Write(CvCardExport& writer, const std::string& fileAs, int format) {
  writer.SetOutlookVersion(m_outlookVersion);
  writer.SetFormat(format);
  writer.SetContact(Contact(fileAs));
  return writer.WriteContact();
}

std::string VCardWriterTest::Card(const std::string& fileAs, int format) {
  CvCardExport writer;
  EXPECT_EQ(Write(writer, fileAs, format), 0) << fileAs;
  return writer.GetCard();
}

std::string VCardWriterTest::Golden(const std::string& name) {
  return ReadFixtureFile(KELVRA_TEST_DATA_DIR "/vcard/" + name);
}

std::vector<std::string> VCardWriterTest::Lines(const std::string& card) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = card.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(card.substr(start, end - start));
  EXPECT_EQ(start, card.size()) << "the card does not end with CR LF";
  for (const std::string& line : lines)
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line end in " << line;
  return lines;
}

std::string VCardWriterTest::LineStarting(const std::string& card, const std::string& start) {
  for (const std::string& line : Lines(card))
    if (line.compare(0, start.size(), start) == 0) return line;
  return "<none>";
}

}  // namespace kelvra::test
