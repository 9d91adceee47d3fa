// What the connection object does for the ribbon, the command bars, the action-choice
// dialog and the Kelvra application: commands over the link, wizards through the engine.
#include <functional>

#include "ConnectTestSupport.h"
#include "addin/CLib.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Office.h"
#include "testkit/Store.h"

namespace {

using kelvra::test::CancelFirstPages;
using kelvra::test::ConnectTest;
using kelvra::test::Wizard;
using kelvra::test::WizardThatRan;

class ConnectHandlersTest : public ConnectTest {
 protected:
  void SetUp() override {
    ConnectTest::SetUp();
    OpenStartWindow();
    ASSERT_EQ(Connect(), S_OK);
    testkit::ClearKelvraAppReceived();
    testkit::ClearShownDialogs();
  }
  void TearDown() override {
    ShutDown();
    ConnectTest::TearDown();
  }

  // The one command the application received since the last check, with its flag.
  static std::pair<std::string, bool> OnlyCommand() {
    const std::vector<testkit::KelvraAppCommand> received = testkit::KelvraAppReceived();
    testkit::ClearKelvraAppReceived();
    if (received.size() != 1) return {"<" + std::to_string(received.size()) + " commands>", false};
    return {received[0].text, received[0].foreground};
  }
};

// --- Commands to the Kelvra application.

using ConnectCommandTest = ConnectHandlersTest;

TEST_F(ConnectCommandTest, EachHandlerSendsItsCommandWithItsForegroundFlag) {
  EXPECT_TRUE(m_connect->ShowOpenMain());
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("ShowForm,Main"), true));
  EXPECT_TRUE(m_connect->SyncAll());
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("SyncAll"), false));
  EXPECT_TRUE(m_connect->NewProfile());
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("NewProfile"), true));
  EXPECT_TRUE(m_connect->ShowHelp());
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("ShowContextHelp"), false));
  EXPECT_TRUE(m_connect->ShowAbout());
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("ShowForm,About"), true));
}

TEST_F(ConnectCommandTest, AProfileIsSynchronisedByItsKeyExactlyAsStored) {
  EXPECT_TRUE(m_connect->OnClickSync("Work,Laptop %s"));
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("Sync,Work,Laptop %s"), false));
  EXPECT_EQ(m_log.Err(), "");
}

TEST_F(ConnectCommandTest, AnEmptyOrMissingKeySendsSyncAfterAnError) {
  EXPECT_TRUE(m_connect->OnClickSync(""));
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("Sync"), false));
  EXPECT_TRUE(m_connect->OnClickSync(nullptr));
  EXPECT_EQ(OnlyCommand(), std::make_pair(std::string("Sync"), false));
  const std::string errors = m_log.Err();
  const std::string line = "in CConnect::OnClickSync: szProfileKey is empty";
  EXPECT_NE(errors.find(line), std::string::npos);
  EXPECT_NE(errors.find(line, errors.find(line) + 1), std::string::npos) << "one line each";
}

TEST_F(ConnectCommandTest, AnApplicationThatCannotStartGivesFalse) {
  testkit::ResetKelvraApp();
  testkit::InstallKelvraApp(m_folder.windowsPath("Kelvra.exe"),
                            testkit::KelvraAppOptions{.startError = ERROR_FILE_NOT_FOUND});
  EXPECT_FALSE(m_connect->SyncAll());
  EXPECT_TRUE(testkit::KelvraAppReceived().empty());
}

// --- Wizards.

using ConnectWizardTest = ConnectHandlersTest;

TEST_F(ConnectWizardTest, TheWizardHandlersRunTheirOwnWizard) {
  CConnect& connect = *m_connect;
  const std::pair<std::function<int()>, Wizard> cases[] = {
      {[&connect] { return connect.ShowContactExportWizard(); }, Wizard::kExportContacts},
      {[&connect] { return connect.ShowContactImportWizard(); }, Wizard::kImportContacts},
      {[&connect] { return connect.ShowCalendarExportWizard(); }, Wizard::kExportEvents},
      {[&connect] { return connect.ShowCalendarImportWizard(); }, Wizard::kImportEvents},
  };
  for (const auto& [handler, wizard] : cases) {
    kelvra::test::LogWatch log;
    CancelFirstPages();
    handler();
    EXPECT_EQ(WizardThatRan(log), wizard);
  }
}

TEST_F(ConnectWizardTest, TheApplicationsWizardRequestsMapExportAndContactsFlags) {
  const struct {
    bool exportItems;
    bool contacts;
    Wizard wizard;
  } cases[] = {
      {true, true, Wizard::kExportContacts},
      {false, true, Wizard::kImportContacts},
      {true, false, Wizard::kExportEvents},
      {false, false, Wizard::kImportEvents},
  };
  for (const auto& each : cases) {
    kelvra::test::LogWatch log;
    CancelFirstPages();
    m_connect->OnOpenWizard(nullptr, each.exportItems, each.contacts);
    EXPECT_EQ(WizardThatRan(log), each.wizard) << each.exportItems << each.contacts;
  }
}

// --- The action-choice dialog.

using ConnectSelectActionTest = ConnectHandlersTest;

TEST_F(ConnectSelectActionTest, TheChosenActionStartsItsWizard) {
  const struct {
    int button;
    Wizard wizard;
  } cases[] = {
      {IDC_BTN_EXPORT_CONTACTS, Wizard::kExportContacts},
      {IDC_BTN_IMPORT_CONTACTS, Wizard::kImportContacts},
      {IDC_BTN_EXPORT_EVENTS, Wizard::kExportEvents},
      {IDC_BTN_IMPORT_EVENTS, Wizard::kImportEvents},
  };
  for (const auto& each : cases) {
    kelvra::test::LogWatch log;
    const int button = each.button;
    testkit::OnDialog(IDD_SELECT_ACTION, [button](HWND dlg) { testkit::Click(dlg, button); });
    CancelFirstPages();
    m_connect->ShowSelectAction();
    EXPECT_NE(log.Log().find("in CConnect::ShowSelectAction: ->(Locked=false)"), std::string::npos);
    EXPECT_EQ(WizardThatRan(log), each.wizard);
  }
}

TEST_F(ConnectSelectActionTest, CancellingStartsNothingAndLogsTheResult) {
  testkit::OnDialog(IDD_SELECT_ACTION, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  m_connect->ShowSelectAction();
  EXPECT_NE(m_log.Log().find("Inf[2] in CConnect::ShowSelectAction: DoModal return"),
            std::string::npos);
  EXPECT_EQ(WizardThatRan(m_log), Wizard::kNone);
}

TEST_F(ConnectSelectActionTest, ADialogThatCannotBeMadeIsLogged) {
  testkit::FailDialogCreation(IDD_SELECT_ACTION);
  m_connect->ShowSelectAction();
  testkit::FailDialogCreation(IDD_SELECT_ACTION, false);
  EXPECT_NE(m_log.Err().find("in CConnect::ShowSelectAction: Cant show dialog"), std::string::npos);
}

TEST_F(ConnectSelectActionTest, ASecondRequestWhileTheDialogIsOpenOnlyLogsTheLock) {
  testkit::OnDialog(IDD_SELECT_ACTION, [this](HWND dlg) {
    m_connect->ShowSelectAction();
    testkit::Click(dlg, IDCANCEL);
  });
  m_connect->ShowSelectAction();
  const std::string lines = m_log.Log();
  EXPECT_NE(lines.find("->(Locked=true)"), std::string::npos);
  EXPECT_EQ(testkit::ShownDialogs(), std::vector<int>{IDD_SELECT_ACTION});
  // The lock ends with the dialog.
  testkit::OnDialog(IDD_SELECT_ACTION, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  kelvra::test::LogWatch later;
  m_connect->ShowSelectAction();
  EXPECT_NE(later.Log().find("->(Locked=false)"), std::string::npos);
}

TEST_F(ConnectSelectActionTest, TheApplicationsRequestArrivesThroughTheEventsWindow) {
  testkit::OnDialog(IDD_SELECT_ACTION, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  EXPECT_TRUE(m_connect->SyncAll());  // the application now knows the add-in's window
  EXPECT_EQ(testkit::KelvraAppSend("ShowForm,SelectAction"), TRUE);
  EXPECT_EQ(testkit::ShownDialogs(), std::vector<int>{IDD_SELECT_ACTION});
}

// --- Changed profiles.

using ConnectProfilesChangedTest = ConnectHandlersTest;

TEST_F(ConnectProfilesChangedTest, Outlook2010InvalidatesTheProfileMenuOfTheRibbon) {
  testkit::RibbonHost ribbon(static_cast<IKelvra*>(m_connect));
  ASSERT_EQ(ribbon.Load(), S_OK);
  m_connect->OnProfilesChanged();
  EXPECT_TRUE(ribbon.Invalidations().empty()) << "no ribbon UI held yet";
  ASSERT_EQ(ribbon.CallOnLoad(), S_OK);
  m_connect->OnProfilesChanged();
  EXPECT_EQ(ribbon.Invalidations(), std::vector<std::string>{"Ostrane.Kelvra.mnuProfiles"});
  EXPECT_EQ(m_connect->OnDisconnection(AddInDesignerObjects::ext_dm_UserClosed, nullptr), S_OK);
  m_connect->OnProfilesChanged();
  EXPECT_EQ(ribbon.Invalidations().size(), 1u) << "the ribbon UI went with the disconnection";
}

}  // namespace
