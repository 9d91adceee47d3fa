// The connection object's life with Outlook: the version gate, the language choice,
// the start with the first explorer window, new and closed windows, and the shut-down.
#include "ConnectTestSupport.h"
#include "addin/Application.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/GetOutlookVersion.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "testkit/Windows.h"
#include "win32/sync.h"

namespace {

using kelvra::test::ConnectTest;
using kelvra::test::SetOptionDword;
using kelvra::test::TempDir;

constexpr const char* kOptionsKey = "Software\\Ostrane\\Kelvra";

bool AddinMutexExists() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kAddinMutexName);
  if (mutex == nullptr) return false;
  CloseHandle(mutex);
  return true;
}

// --- Outlook versions the add-in does not serve.

using ConnectVersionGateTest = ConnectTest;

TEST_F(ConnectVersionGateTest, AnOutlookOlderThan2000LeavesTheAddinInactive) {
  const bool loggedBefore = g_Lib.IsLogEnabled();
  TempDir appData;
  testkit::SetAppDataFolder(appData.windows());
  g_nOutlookVersion = 8;  // the stand-in plays Outlook 2000 and later only
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_EQ(g_Application, nullptr);
  EXPECT_FALSE(m_connect->IsStarted());
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
  EXPECT_TRUE(Commands().empty());
  if (!loggedBefore) {
    EXPECT_FALSE(g_Lib.IsLogEnabled());
  }
  EXPECT_FALSE(appData.exists("Ostrane")) << "no log folder is made";
  // Nothing is connected: a new window is not seen.
  testkit::OpenExplorer(nullptr);
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
}

TEST_F(ConnectVersionGateTest, Outlook2000IsServed) {
  testkit::SetOutlookVersion(9);
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_EQ(g_Application, static_cast<Outlook::_Application*>(m_app));
  EXPECT_TRUE(m_connect->IsStarted());
  ShutDown();
}

TEST_F(ConnectVersionGateTest, AnObjectThatIsNoOutlookApplicationLeavesTheAddinInactive) {
  IDispatchPtr notOutlook = kelvra::test::RibbonControl("x");
  EXPECT_EQ(
      m_connect->OnConnection(notOutlook, AddInDesignerObjects::ext_cm_Startup, nullptr, nullptr),
      S_OK);
  EXPECT_EQ(g_Application, nullptr);
  EXPECT_FALSE(m_connect->IsStarted());
}

// --- The language file chosen at connection.

class ConnectLanguageTest : public ConnectTest {
 protected:
  void SetUp() override {
    ConnectTest::SetUp();
    CopyLanguageFile("DE.ini");
  }
};

TEST_F(ConnectLanguageTest, WithoutAChoiceEnglishIsTakenAndStoredOnceTheKeyExists) {
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 1);
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_STREQ(g_Lang.GetLangId(), "EN");
  EXPECT_EQ(Option("LANG"), "EN");
  EXPECT_EQ(Option("LANG_"), "EN.ini");
}

TEST_F(ConnectLanguageTest, AtTheVeryFirstStartNothingIsStoredBeforeTheEngineMadeTheKey) {
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_STREQ(g_Lang.GetLangId(), "EN");
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, kOptionsKey));
}

TEST_F(ConnectLanguageTest, TheMachineWideChoiceHoldsWhenTheUserHasNone) {
  testkit::WriteString(HKEY_LOCAL_MACHINE, kOptionsKey, "LANG", "DE");
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 1);
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_STREQ(g_Lang.GetLangId(), "DE");
  EXPECT_EQ(Option("LANG"), "DE");
  EXPECT_EQ(Option("LANG_"), "DE.ini");
}

TEST_F(ConnectLanguageTest, ASwitchedLanguageSearchesTheFolderAgainAndCachesTheNewFile) {
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG", "DE");
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG_", "EN.ini");
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_STREQ(g_Lang.GetLangId(), "DE");
  EXPECT_EQ(g_Lang.GetText("IDS_OL2010_BTN_HELP"), "Hilfe");
  EXPECT_EQ(Option("LANG_"), "DE.ini");
}

TEST_F(ConnectLanguageTest, TheCachedFileIsAcceptedWhateverTheCaseOfTheChoice) {
  // A file the folder search would not find first: only the cache can name it.
  WriteLanguageFile("ZZ.ini", "DE", "IDS_OL2010_BTN_HELP=Cached\n");
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG", "de");
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG_", "ZZ.ini");
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_EQ(g_Lang.GetText("IDS_OL2010_BTN_HELP"), "Cached");
  EXPECT_EQ(Option("LANG"), "de");
  EXPECT_EQ(Option("LANG_"), "ZZ.ini");
}

TEST_F(ConnectLanguageTest, AMissingCachedFileIsNotForgottenButTheFolderIsSearched) {
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG", "DE");
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG_", "gone.ini");
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_STREQ(g_Lang.GetLangId(), "DE");
  EXPECT_EQ(Option("LANG_"), "DE.ini");
}

TEST_F(ConnectLanguageTest, NoFileForTheLanguageLeavesEmptyTextsAndOneError) {
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsKey, "LANG", "FR");
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_EQ(g_Lang.GetFileName(), nullptr);
  EXPECT_EQ(g_Lang.GetText("IDS_OL2010_BTN_HELP"), "");
  EXPECT_NE(m_log.Err().find("Err[0] in CConnect::OnConnection: cant find lang file for lang=FR"),
            std::string::npos);
  EXPECT_EQ(Option("LANG"), "FR");
}

// --- The start with the first explorer window.

using ConnectStartTest = ConnectTest;

TEST_F(ConnectStartTest, TheFirstWindowStartsEngineConverterEventsWindowMutexAndWelcome) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_TRUE(m_connect->IsStarted());
  EXPECT_NE(m_connect->GetEngine(), nullptr);
  EXPECT_NE(g_CharConverter, nullptr);
  EXPECT_NE(g_Lib.GetEventsWnd(), nullptr);
  EXPECT_TRUE(AddinMutexExists());
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, kOptionsKey)) << "the engine made it";
  EXPECT_EQ(m_connect->ExplorerCount(), 1u);
  const std::vector<testkit::KelvraAppCommand> received = testkit::KelvraAppReceived();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].text, "ShowForm,Welcome");
  EXPECT_FALSE(received[0].foreground);
  EXPECT_EQ(received[0].sender, g_Lib.GetEventsWnd());
  ShutDown();
}

TEST_F(ConnectStartTest, WithoutAWindowNothingStartsUntilOutlookOpensOne) {
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_FALSE(m_connect->IsStarted());
  EXPECT_EQ(g_Lib.GetEventsWnd(), nullptr);
  EXPECT_FALSE(AddinMutexExists());
  testkit::OpenExplorer(nullptr);
  EXPECT_TRUE(m_connect->IsStarted());
  EXPECT_EQ(m_connect->ExplorerCount(), 1u);
  EXPECT_EQ(Commands(), std::vector<std::string>{"ShowForm,Welcome"});
  ShutDown();
}

TEST_F(ConnectStartTest, FurtherWindowsGetTheirOwnObjectWithoutASecondStart) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  const CDovantEngine* engine = m_connect->GetEngine();
  testkit::OpenExplorer(nullptr);
  testkit::OpenExplorer(nullptr);
  EXPECT_EQ(m_connect->ExplorerCount(), 3u);
  EXPECT_EQ(m_connect->GetEngine(), engine);
  EXPECT_EQ(Commands(), std::vector<std::string>{"ShowForm,Welcome"});
  ShutDown();
}

TEST_F(ConnectStartTest, AFailingCommonControlsStartIsLoggedAndStartUpGoesOn) {
  testkit::FailInitCommonControls(true);
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  testkit::FailInitCommonControls(false);
  EXPECT_NE(m_log.Err().find("in OnConnection: InitCommonControlsEx"), std::string::npos);
  EXPECT_TRUE(m_connect->IsStarted());
  ShutDown();
}

TEST_F(ConnectStartTest, AnApplicationWithoutExplorersStillConnectsAndLogsIt) {
  testkit::FailCall("Application.Explorers", 1, E_FAIL);
  testkit::FailCall("Application.ActiveExplorer", 1, E_FAIL);
  EXPECT_EQ(Connect(), S_OK);
  testkit::ClearFaults();
  EXPECT_FALSE(m_connect->IsStarted());
  EXPECT_NE(m_log.Err().find("in CConnect::OnConnection: Explorers"), std::string::npos);
  EXPECT_NE(m_log.Err().find("in CConnect::OnConnection: ActiveExplorer"), std::string::npos);
}

// --- Closed windows and the shut-down.

using ConnectShutdownTest = ConnectTest;

TEST_F(ConnectShutdownTest, AClosedWindowLosesItsObjectAndTheOthersStay) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  Outlook::_ExplorerPtr second = testkit::OpenExplorer(nullptr);
  testkit::OpenExplorer(nullptr);
  ASSERT_EQ(m_connect->ExplorerCount(), 3u);
  EXPECT_TRUE(testkit::CloseExplorer(second));
  EXPECT_EQ(m_connect->ExplorerCount(), 2u);
  ShutDown();
}

TEST_F(ConnectShutdownTest, BeginShutdownReleasesTheMutexAndTheEventsWindow) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_EQ(m_connect->OnBeginShutdown(nullptr), S_OK);
  EXPECT_FALSE(AddinMutexExists());
  EXPECT_EQ(g_Lib.GetEventsWnd(), nullptr);
  testkit::RaiseQuit();
}

TEST_F(ConnectShutdownTest, QuitDeletesEverythingAndClearsWhatPointedAtIt) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  ShutDown();
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
  EXPECT_FALSE(m_connect->IsStarted());
  EXPECT_EQ(m_connect->GetEngine(), nullptr);
  EXPECT_EQ(g_CharConverter, nullptr);
  EXPECT_EQ(g_Application, nullptr);
  // The sinks are gone: a later window is not taken on.
  testkit::OpenExplorer(nullptr);
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
}

TEST_F(ConnectShutdownTest, AWizardRequestAfterQuitFindsNoEngineAndOpensNothing) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  ShutDown();
  EXPECT_EQ(m_connect->ShowContactExportWizard(), -1);
  EXPECT_EQ(m_connect->OnOpenWizard(nullptr, false, false), -1);
  EXPECT_NE(m_log.Err().find("in CConnect::ShowContactExportWizard: The engine is not started"),
            std::string::npos);
  EXPECT_NE(m_log.Err().find("in CConnect::OnOpenWizard: The engine is not started"),
            std::string::npos);
  EXPECT_TRUE(testkit::ShownDialogs().empty());
}

TEST_F(ConnectShutdownTest, ReleasingAConnectedObjectLeavesNoSinkOrWindowBehind) {
  OpenStartWindow();
  EXPECT_EQ(Connect(), S_OK);
  EXPECT_EQ(m_connect->Release(), 0u);
  m_connect = nullptr;
  EXPECT_EQ(g_Lib.GetEventsWnd(), nullptr);
  EXPECT_EQ(g_Application, nullptr) << "nothing borrows the released application";
  // Events reach no deleted object.
  testkit::OpenExplorer(nullptr);
  testkit::RaiseQuit();
}

}  // namespace
