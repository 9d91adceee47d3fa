#include "ConnectTestSupport.h"

#include <algorithm>
#include <filesystem>

#include "addin/Application.h"
#include "addin/CLang.h"
#include "addin/GetOutlookVersion.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Modules.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"

namespace kelvra::test {

STDMETHODIMP FakeRibbonControl::get_Id(BSTR* id) {
  *id = SysAllocString(m_id.c_str());
  return S_OK;
}

STDMETHODIMP FakeRibbonControl::get_Context(IDispatch** context) {
  *context = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP FakeRibbonControl::get_Tag(BSTR* tag) {
  *tag = nullptr;
  return S_OK;
}

IDispatchPtr RibbonControl(const std::string& id) {
  return IDispatchPtr(static_cast<IDispatch*>(new FakeRibbonControl(testkit::Utf16(id))));
}

void CancelFirstPages() {
  for (int id : {IDD_VCARD_EXPORT, IDD_VCARD_IMPORT, IDD_VCAL_EXPORT, IDD_VCAL_IMPORT})
    testkit::OnDialog(id, [](HWND dlg) { testkit::PressEscape(dlg); });
}

Wizard WizardThatRan(const LogWatch& log) {
  const std::vector<int> shown = testkit::ShownDialogs();
  testkit::ClearShownDialogs();
  testkit::ClearDialogScripts();
  const auto showed = [&](int id) {
    return std::find(shown.begin(), shown.end(), id) != shown.end();
  };
  const std::string lines = log.Log();
  const auto logged = [&](const char* converter) {
    return lines.find(std::string("in ") + converter + "::") != std::string::npos;
  };
  if (showed(IDD_VCARD_EXPORT) || logged("CvCardExport")) return Wizard::kExportContacts;
  if (showed(IDD_VCARD_IMPORT) || logged("CvCardImport")) return Wizard::kImportContacts;
  if (showed(IDD_VCAL_EXPORT) || logged("CvCalExport")) return Wizard::kExportEvents;
  if (showed(IDD_VCAL_IMPORT) || logged("CvCalImport")) return Wizard::kImportEvents;
  return Wizard::kNone;
}

void ConnectTest::SetUp() {
  testkit::ResetRegistry();
  testkit::ResetMailbox();
  testkit::ResetExplorers();
  testkit::ResetKelvraApp();
  testkit::ClearDialogScripts();
  testkit::ClearShownDialogs();
  testkit::SetOutlookVersion(14);
  g_nOutlookVersion = -1;
  g_hInstance = AddinModule();
  g_Lang.Clear();
  testkit::SetModuleFolder("Kelvra.dll", m_folder.windows());
  CopyLanguageFile("EN.ini");
  testkit::InstallKelvraApp(m_folder.windowsPath("Kelvra.exe"));
  m_app = testkit::CreateOutlookApplication();
  ASSERT_EQ(ATL::CComObject<CConnect>::CreateInstance(&m_connect), S_OK);
  m_connect->AddRef();
}

void ConnectTest::TearDown() {
  if (m_connect != nullptr) {
    EXPECT_EQ(m_connect->Release(), 0u);
  }
  m_app = nullptr;
  testkit::ResetExplorers();
  testkit::ResetKelvraApp();
  testkit::ClearDialogScripts();
  testkit::SetModuleFolder("Kelvra.dll", "");
  g_Lang.Clear();
  g_nOutlookVersion = -1;
  testkit::ResetRegistry();
}

void ConnectTest::WriteLanguageFile(const std::string& name, const std::string& langId,
                                    const std::string& texts) const {
  m_folder.write(name, "[version]\nsignature=Ostrane.LangIniFile\nlang=" + langId +
                           " language\nlangid=" + langId + "\n\n[Kelvra.dll]\n" + texts);
}

void ConnectTest::CopyLanguageFile(const std::string& name) const {
  std::filesystem::copy_file(std::string(KELVRA_SOURCE_DIR) + "/resources/" + name,
                             m_folder.linuxPath(name),
                             std::filesystem::copy_options::overwrite_existing);
}

std::string ConnectTest::Option(const char* name) {
  return testkit::ReadString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", name)
      .value_or("<missing>");
}

void ConnectTest::OpenStartWindow() { testkit::OpenExplorer(nullptr); }

HRESULT ConnectTest::Connect() {
  return m_connect->OnConnection(m_app, AddInDesignerObjects::ext_cm_Startup, nullptr, nullptr);
}

void ConnectTest::ShutDown() {
  EXPECT_EQ(m_connect->OnBeginShutdown(nullptr), S_OK);
  testkit::RaiseQuit();
  EXPECT_EQ(m_connect->OnDisconnection(AddInDesignerObjects::ext_dm_HostShutdown, nullptr), S_OK);
}

std::vector<std::string> ConnectTest::Commands() {
  std::vector<std::string> texts;
  for (const testkit::KelvraAppCommand& command : testkit::KelvraAppReceived())
    texts.push_back(command.text);
  return texts;
}

}  // namespace kelvra::test
