#include "ContactRunFixture.h"

#include <algorithm>
#include <filesystem>

#include "addin/Application.h"
#include "addin/GetOutlookVersion.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Locale.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"
#include "win32/module.h"

namespace kelvra::test {

void ContactRunTest::SetUp() {
  // The process's log takes an application-data folder of its own when it first opens.
  m_log = std::make_unique<ErrorLogWatch>();
  testkit::SetAcp(65001);
  testkit::SetListSeparator(",");
  testkit::SetTempPath(m_temp.windows());
  testkit::SetAppDataFolder(m_appData.windows());
  testkit::ClearShownDialogs();
  testkit::ClearMessageBoxes();
  m_addinFolder.WriteEncodings(
      ReadFixtureFile(KELVRA_SOURCE_DIR "/resources/supportedEncodings.txt"));
  m_converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = m_converter.get();
  g_hInstance = GetModuleHandleA("Kelvra.dll");
  testkit::SetOutlookVersion(14);
  g_nOutlookVersion = -1;
  LoadContacts("");
  m_application = testkit::CreateOutlookApplication();
  g_Application = m_application;
}

void ContactRunTest::TearDown() {
  g_Application = nullptr;
  g_nOutlookVersion = -1;
  g_CharConverter = nullptr;
  m_application = nullptr;
  testkit::ClearDialogScripts();
  testkit::ResetExplorers();
  testkit::ClearFaults();
  testkit::ClearCreateFailures();
  testkit::SetMessageBoxAnswer(0);
  testkit::ResetMailbox();
  testkit::ResetFiles();
  testkit::SetListSeparator(",");
  testkit::SetAcp(0);
}

void ContactRunTest::LoadContacts(const std::string& itemsJson) {
  testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "entryId": "0101",
      "folders": [{"name": "Deleted Items", "defaultItemType": 0},
                  {"name": "Contacts", "entryId": "0102", "defaultItemType": 2, "items": [)" +
                           itemsJson + R"(]},
                  {"name": "Target", "entryId": "0103", "defaultItemType": 2}]}]})");
}

std::string ContactRunTest::ContactJson(const std::string& properties) {
  return R"({"MessageClass": "IPM.Contact", "LastModificationTime": "2024-03-05T14:30:15", )" +
         properties + "}";
}

Outlook::MAPIFolderPtr ContactRunTest::Folder(const char* name) {
  return m_application->GetSession()
      ->GetFolders()
      ->Item("Personal Folders")
      ->GetFolders()
      ->Item(name);
}

std::size_t ContactRunTest::ItemCount(const char* folder) {
  return testkit::FindFolder(std::string("Personal Folders/") + folder)->ItemCount();
}

ContactExportChoices ContactRunTest::ExportChoices() {
  ContactExportChoices choices;
  choices.folder = Folder("Contacts");
  choices.exportFolder = m_out.windows();
  choices.format = 21;
  choices.encoding = "UTF-8";
  choices.oneFile = false;
  return choices;
}

ContactImportChoices ContactRunTest::ImportChoices(const std::string& files) {
  ContactImportChoices choices;
  choices.folder = Folder("Target");
  choices.files = files;
  return choices;
}

std::vector<std::string> ContactRunTest::OutFiles() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(m_out.linux()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kelvra::test
