#include "ContactPageFixture.h"

#include "addin/Application.h"
#include "addin/GetOutlookVersion.h"
#include "testkit/Bruvel.h"
#include "testkit/KelvraApp.h"
#include "testkit/Locale.h"
#include "testkit/Mail.h"
#include "testkit/Modules.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Pickers.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "win32/module.h"

namespace kelvra::test {

namespace {

constexpr const char* kOptionsPath = "Software\\Ostrane\\Kelvra";

std::string Contact(const char* fullName) {
  const std::string name(fullName);
  const std::size_t blank = name.find(' ');
  return R"({"MessageClass": "IPM.Contact", "FirstName": ")" + name.substr(0, blank) +
         R"(", "LastName": ")" + name.substr(blank + 1) + R"("})";
}

}  // namespace

void ContactPageTest::SetUp() {
  testkit::SetAcp(65001);
  testkit::SetListSeparator(",");
  testkit::ResetRegistry();
  // Beside the runtime copy of the add-in lie the encodings list and the open-file library.
  m_moduleFolder = ToWindowsPath(KELVRA_RUNTIME_DIR);
  testkit::SetModuleFolder("Kelvra.dll", m_moduleFolder);
  testkit::ClearMessageBoxes();
  testkit::ClearShownDialogs();
  testkit::ClearFolderBrowsers();
  testkit::ClearShellExecutes();
  testkit::ResetPickers();
  testkit::ClearMails();
  testkit::ResetBruvel();
  m_converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = m_converter.get();
  g_hInstance = GetModuleHandleA("Kelvra.dll");
  testkit::SetOutlookVersion(14);
  g_nOutlookVersion = 14;
  testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "entryId": "0101",
      "folders": [{"name": "Deleted Items", "defaultItemType": 0},
                  {"name": "Contacts", "entryId": "0102", "defaultItemType": 2, "items": [)" +
                           Contact("Ann Archer") + "," + Contact("Bob Baker") +
                           R"(, {"MessageClass": "IPM.DistList", "DLName": "Team"}]},
                  {"name": "Other", "entryId": "0103", "defaultItemType": 2},
                  {"name": "Calendar", "entryId": "0104", "defaultItemType": 1}]}]})");
  m_application = testkit::CreateOutlookApplication();
  g_Application = m_application;
  ASSERT_EQ(m_key.Create(HKEY_CURRENT_USER, kOptionsPath, 0x2001F), ERROR_SUCCESS);
  m_log = std::make_unique<ErrorLogWatch>();
}

void ContactPageTest::TearDown() {
  m_key.Close();
  g_Application = nullptr;
  g_nOutlookVersion = -1;
  g_CharConverter = nullptr;
  m_converter.reset();
  m_application = nullptr;
  testkit::ClearDialogScripts();
  testkit::ResetExplorers();
  testkit::ClearFaults();
  testkit::SetMessageBoxAnswer(0);
  testkit::SetFolderBrowserAnswer(std::nullopt);
  testkit::ResetPickers();
  testkit::ClearMails();
  testkit::ResetBruvel();
  testkit::ResetKelvraApp();
  testkit::ResetMailbox();
  testkit::ResetRegistry();
  testkit::SetModuleFolder("Kelvra.dll", "");
  testkit::SetListSeparator(",");
  testkit::SetAcp(0);
}

Outlook::MAPIFolderPtr ContactPageTest::Folder(const char* name) {
  return m_application->GetSession()
      ->GetFolders()
      ->Item("Personal Folders")
      ->GetFolders()
      ->Item(name);
}

IDispatchPtr ContactPageTest::ContactsItem(long index) {
  return Folder("Contacts")->GetItems()->Item(_variant_t(index));
}

Outlook::_ExplorerPtr ContactPageTest::ShowInExplorer(const char* folder,
                                                      std::vector<IDispatchPtr> selection) {
  Outlook::_ExplorerPtr explorer = testkit::OpenExplorer(Folder(folder));
  testkit::SelectItems(explorer, std::move(selection));
  return explorer;
}

void ContactPageTest::LoadMailboxWithoutContacts() {
  testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "entryId": "0101",
      "folders": [{"name": "Calendar", "entryId": "0104", "defaultItemType": 1}]}]})");
}

void ContactPageTest::StoreDword(const char* name, DWORD value) {
  testkit::WriteDword(HKEY_CURRENT_USER, kOptionsPath, name, value);
}

void ContactPageTest::StoreString(const char* name, const std::string& text, DWORD type) {
  testkit::WriteValue(HKEY_CURRENT_USER, kOptionsPath, name, type, text + '\0');
}

std::optional<DWORD> ContactPageTest::StoredDword(const char* name) {
  return testkit::ReadDword(HKEY_CURRENT_USER, kOptionsPath, name);
}

std::optional<std::string> ContactPageTest::StoredString(const char* name) {
  return testkit::ReadString(HKEY_CURRENT_USER, kOptionsPath, name);
}

bool ContactPageTest::Stored(const char* name) {
  return testkit::ReadValue(HKEY_CURRENT_USER, kOptionsPath, name).has_value();
}

}  // namespace kelvra::test
