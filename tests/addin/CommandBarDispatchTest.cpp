// Clicks on the add-in's command-bar controls: what each one asks of the Kelvra
// application or which wizard it starts, and that a click runs once whatever the
// number of windows.
#include <string>
#include <vector>

#include "ExplorerTestSupport.h"
#include "resource.h"
#include "testkit/CommandBars.h"
#include "testkit/Dialogs.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"

namespace {

using kelvra::test::CancelFirstPages;
using kelvra::test::ExplorerTest;
using kelvra::test::Wizard;
using kelvra::test::WizardThatRan;

class CommandBarDispatchTest : public ExplorerTest {
 protected:
  void TearDown() override {
    testkit::ClearDialogScripts();
    ExplorerTest::TearDown();
  }

  // Clicks the window's button and answers the commands the application received.
  std::vector<std::string> ClickFor(Office::CommandBarControl* button) {
    testkit::ClearKelvraAppReceived();
    EXPECT_TRUE(testkit::Click(button));
    return Commands();
  }
  std::vector<std::string> ClickFor(const std::string& text, Outlook::_Explorer* window = nullptr) {
    Office::CommandBarButtonPtr button = Button(text, window);
    EXPECT_NE(button, nullptr) << text;
    return button != nullptr ? ClickFor(button) : std::vector<std::string>{};
  }
  Wizard WizardOf(const std::string& text) {
    const kelvra::test::LogWatch log;
    testkit::ClearShownDialogs();
    CancelFirstPages();
    EXPECT_TRUE(testkit::Click(Button(text))) << text;
    return WizardThatRan(log);
  }
  // A control of this window's tag with the parameter, in the sync popup.
  Office::CommandBarButtonPtr TaggedItem(const char* parameter) {
    Office::CommandBarPopupPtr popup(Button("SyncAll")->GetParent()->GetControls()->GetItem(
        _variant_t(static_cast<long>(Button("SyncAll")->GetIndex() + 1))));
    Office::CommandBarButtonPtr item(popup->GetControls()->Add(_variant_t(1L)));
    item->PutTag(WindowTag().c_str());
    item->PutParameter(parameter);
    return item;
  }

  using Commands_ = std::vector<std::string>;
};

// --- The sync popup and the open items: commands to the Kelvra application.

TEST_F(CommandBarDispatchTest, EachParameterSendsItsCommand) {
  StartOutlook(12);
  EXPECT_EQ(ClickFor("SyncAll"), Commands_{"SyncAll"});
  EXPECT_EQ(ClickFor("OpenExe"), Commands_{"ShowForm,Main"});
  EXPECT_EQ(ClickFor("NewProfile"), Commands_{"NewProfile"});
  EXPECT_EQ(ClickFor("Help"), Commands_{"ShowContextHelp"});
  EXPECT_EQ(ClickFor("About"), Commands_{"ShowForm,About"});
  EXPECT_EQ(ClickFor(TaggedItem("SyncProfile_abc")), Commands_{"Sync,abc"});
}

TEST_F(CommandBarDispatchTest, BothOpenItemsOfTheMenusOpenTheApplication) {
  StartOutlook(12);
  Office::CommandBarPopupPtr edit(m_window->GetCommandBars()->GetActiveMenuBar()->FindControl(
      Office::Missing(), _variant_t(30003L)));
  Office::CommandBarControlPtr second = edit->GetControls()->GetItem(_variant_t(5L));
  EXPECT_EQ(ClickFor(second), Commands_{"ShowForm,Main"});
  Office::CommandBarPopupPtr file(
      m_window->GetCommandBars()->GetActiveMenuBar()->GetControls()->GetItem(_variant_t(1L)));
  EXPECT_EQ(ClickFor(file->GetControls()->GetItem(_variant_t(6L))), Commands_{"ShowForm,Main"});
}

TEST_F(CommandBarDispatchTest, ParametersAreComparedWithCaseAndUnknownOnesDoNothing) {
  StartOutlook(12);
  EXPECT_EQ(ClickFor(TaggedItem("syncall")), Commands_{});
  EXPECT_EQ(ClickFor(TaggedItem("syncprofile_abc")), Commands_{});
  EXPECT_EQ(ClickFor(TaggedItem("Nothing")), Commands_{});
}

TEST_F(CommandBarDispatchTest, TheAboutItemOfTheHelpMenuShowsTheAboutForm) {
  StartOutlook(12);
  EXPECT_EQ(ClickFor("About Kelvra..."), Commands_{"ShowForm,About"});
}

// --- Wizards: the import/export items and the picture buttons.

TEST_F(CommandBarDispatchTest, ImportExportItemsOfTheSyncPopupStartTheirWizards) {
  StartOutlook(12);
  EXPECT_EQ(WizardOf("ExportC"), Wizard::kExportContacts);
  EXPECT_EQ(WizardOf("ImportC"), Wizard::kImportContacts);
  EXPECT_EQ(WizardOf("ExportE"), Wizard::kExportEvents);
  EXPECT_EQ(WizardOf("ImportE"), Wizard::kImportEvents);
}

TEST_F(CommandBarDispatchTest, PictureButtonsStartTheirWizards) {
  StartOutlook(12, Outlook::olFolderContacts);
  Office::CommandBarControlsPtr standard =
      m_window->GetCommandBars()->GetItem(_variant_t("Standard"))->GetControls();
  const auto wizardOfPosition = [&](long index) {
    const kelvra::test::LogWatch log;
    testkit::ClearShownDialogs();
    CancelFirstPages();
    EXPECT_TRUE(testkit::Click(standard->GetItem(_variant_t(index)))) << index;
    return WizardThatRan(log);
  };
  EXPECT_EQ(wizardOfPosition(5), Wizard::kImportContacts);
  EXPECT_EQ(wizardOfPosition(6), Wizard::kExportContacts);
  m_window->PutRefCurrentFolder(Folder(Outlook::olFolderCalendar));
  EXPECT_EQ(wizardOfPosition(7), Wizard::kImportEvents);
  EXPECT_EQ(wizardOfPosition(8), Wizard::kExportEvents);
}

TEST_F(CommandBarDispatchTest, MenuBarItemsStartTheirWizards) {
  StartOutlook(12);
  Office::CommandBarPopupPtr file(
      m_window->GetCommandBars()->GetActiveMenuBar()->GetControls()->GetItem(_variant_t(1L)));
  Office::CommandBarControlsPtr items =
      Office::CommandBarPopupPtr(file->GetControls()->GetItem(_variant_t(5L)))->GetControls();
  const Wizard expected[] = {Wizard::kExportContacts, Wizard::kImportContacts,
                             Wizard::kExportEvents, Wizard::kImportEvents};
  for (long index = 1; index <= 4; ++index) {
    const kelvra::test::LogWatch log;
    testkit::ClearShownDialogs();
    CancelFirstPages();
    EXPECT_TRUE(testkit::Click(items->GetItem(_variant_t(index))));
    EXPECT_EQ(WizardThatRan(log), expected[index - 1]) << index;
  }
}

// --- Several windows.

TEST_F(CommandBarDispatchTest, AClickInOneOfTwoWindowsRunsOnce) {
  StartOutlook(12);
  Outlook::_ExplorerPtr second = OpenWindow();
  EXPECT_EQ(ClickFor("SyncAll", second), Commands_{"SyncAll"});
  EXPECT_EQ(ClickFor("NewProfile", second), Commands_{"NewProfile"});
  EXPECT_EQ(ClickFor("NewProfile"), Commands_{"NewProfile"});
}

TEST_F(CommandBarDispatchTest, TheDebugItemOfOneOfTwoWindowsOpensTheDebugDialogOnce) {
  testkit::WriteDword(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "DebugButton", 1);
  StartOutlook(12);
  Outlook::_ExplorerPtr second = OpenWindow();
  testkit::ClearShownDialogs();
  const int activations = testkit::ExplorerActivations(second);
  testkit::OnDialog(IDD_DEBUG, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  EXPECT_TRUE(testkit::Click(Button("DEBUG", second)));
  EXPECT_EQ(testkit::ShownDialogs(), std::vector<int>{IDD_DEBUG});
  // Outlook's window in front is brought forward first.
  EXPECT_EQ(testkit::ExplorerActivations(second), activations + 1);
}

TEST_F(CommandBarDispatchTest, AWindowThatCannotBeActivatedShowsNoDebugDialog) {
  testkit::WriteDword(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "DebugButton", 1);
  StartOutlook(12);
  testkit::ClearShownDialogs();
  const kelvra::test::LogWatch log;
  testkit::FailCall("Explorer.Activate", 0, E_FAIL);
  EXPECT_TRUE(testkit::Click(Button("DEBUG")));
  testkit::ClearFaults();
  EXPECT_TRUE(testkit::ShownDialogs().empty());
  EXPECT_NE(log.Err().find("CExplorer::OnDebugClick"), std::string::npos) << log.Err();
}

}  // namespace
