// The window's events as an explorer object hears them: the folder switch shows the
// picture buttons that fit the folder, the first view switch builds a new window's
// controls on Outlook 2003 and older.
#include "ExplorerTestSupport.h"
#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"

namespace {

using kelvra::test::ExplorerTest;

class ExplorerFolderSwitchTest : public ExplorerTest {
 protected:
  // Which picture buttons (positions 5 to 8 of "Standard": contacts import, contacts
  // export, events import, events export) are visible: "contacts", "events", "none", or
  // the visibility of each when the pairs disagree.
  static std::string ShownPictureButtons(Outlook::_Explorer* window) {
    Office::CommandBarControlsPtr standard =
        window->GetCommandBars()->GetItem(_variant_t("Standard"))->GetControls();
    std::string shown;
    for (long index = 5; index <= 8; ++index) {
      shown += standard->GetItem(_variant_t(index))->GetVisible() != VARIANT_FALSE ? '1' : '0';
    }
    if (shown == "1100") return "contacts";
    if (shown == "0011") return "events";
    if (shown == "0000") return "none";
    return shown;
  }
  std::string ShownPictureButtons() { return ShownPictureButtons(m_window); }
  std::string ShownFolder() {
    return std::string(static_cast<const char*>(m_window->GetCurrentFolder()->GetName()));
  }
};

TEST_F(ExplorerFolderSwitchTest, EachFolderTypeShowsItsOwnPairOfPictureButtons) {
  StartOutlook(12);
  EXPECT_EQ(ShownPictureButtons(), "none");
  m_window->PutRefCurrentFolder(Folder(Outlook::olFolderContacts));
  EXPECT_EQ(ShownPictureButtons(), "contacts");
  EXPECT_EQ(ShownFolder(), "Contacts") << "the switch is never cancelled";
  m_window->PutRefCurrentFolder(Folder(Outlook::olFolderCalendar));
  EXPECT_EQ(ShownPictureButtons(), "events");
  m_window->PutRefCurrentFolder(Folder(Outlook::olFolderDeletedItems));
  EXPECT_EQ(ShownPictureButtons(), "none");
}

TEST_F(ExplorerFolderSwitchTest, TheFolderShownAtTheBuildDecidesTheFirstButtons) {
  StartOutlook(11, Outlook::olFolderCalendar);
  EXPECT_EQ(ShownPictureButtons(), "events");
}

TEST_F(ExplorerFolderSwitchTest, AFolderThatCannotTellItsTypeHidesAllAndIsLogged) {
  StartOutlook(12, Outlook::olFolderContacts);
  ASSERT_EQ(ShownPictureButtons(), "contacts");
  testkit::FailCall("Folder.DefaultItemType", 0, E_FAIL);
  m_window->PutRefCurrentFolder(Folder(Outlook::olFolderCalendar));
  testkit::ClearFaults();
  EXPECT_EQ(ShownPictureButtons(), "none");
  EXPECT_EQ(ShownFolder(), "Calendar");
  EXPECT_NE(m_log.Log().find("CExplorer::OnBeforeFolderSwitch"), std::string::npos);
}

// --- New windows.

using ExplorerNewWindowTest = ExplorerFolderSwitchTest;

TEST_F(ExplorerNewWindowTest, OnOutlook2003ANewWindowIsBuiltAtItsFirstViewSwitchOnly) {
  StartOutlook(11);
  Outlook::_ExplorerPtr window = OpenWindow(Outlook::olFolderContacts);
  EXPECT_EQ(AddedControls(window), "");
  testkit::RaiseViewSwitch(window);
  const std::string built = AddedControls(window);
  EXPECT_NE(built.find("parameter=\"SyncAll\""), std::string::npos);
  EXPECT_EQ(ExplorerFolderSwitchTest::ShownPictureButtons(window), "contacts");
  testkit::RaiseViewSwitch(window);
  EXPECT_EQ(AddedControls(window), built) << "built once";
}

TEST_F(ExplorerNewWindowTest, OnOutlook2007ANewWindowIsBuiltAtOnce) {
  StartOutlook(12);
  Outlook::_ExplorerPtr window = OpenWindow();
  EXPECT_NE(AddedControls(window).find("parameter=\"SyncAll\""), std::string::npos);
  EXPECT_EQ(testkit::ExplorerEventSinks(window), 2u) << "folder switch and close";
}

}  // namespace
