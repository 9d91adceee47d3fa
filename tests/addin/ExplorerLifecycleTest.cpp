// The life of explorer objects: a closed window's object goes with no sink left, quit
// leaves no sink, a build that fails half-way keeps the window's close working.
#include "ExplorerTestSupport.h"
#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"

namespace {

using kelvra::test::ExplorerTest;

using ExplorerLifecycleTest = ExplorerTest;

TEST_F(ExplorerLifecycleTest, ClosingAWindowDeletesItsObjectAndLeavesNoSink) {
  StartOutlook(12);
  Outlook::_ExplorerPtr second = OpenWindow();
  const std::size_t sinksOfBoth = testkit::ClickSinksAlive();
  ASSERT_EQ(m_connect->ExplorerCount(), 2u);
  EXPECT_TRUE(testkit::CloseExplorer(second));
  EXPECT_EQ(m_connect->ExplorerCount(), 1u);
  EXPECT_EQ(testkit::ExplorerEventSinks(second), 0u);
  EXPECT_EQ(testkit::ClickSinks(Button("SyncAll", second)), 0u);
  EXPECT_EQ(testkit::ClickSinksAlive() * 2, sinksOfBoth) << "the other window keeps its own";
  testkit::ClearKelvraAppReceived();
  testkit::Click(Button("SyncAll", second));
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ExplorerLifecycleTest, QuitLeavesNoSinkConnected) {
  StartOutlook(12);
  Outlook::_ExplorerPtr second = OpenWindow();
  ASSERT_GT(testkit::ClickSinksAlive(), 0u);
  QuitOutlook();
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
  EXPECT_EQ(testkit::ClickSinksAlive(), 0u);
  EXPECT_EQ(testkit::ExplorerEventSinks(m_window), 0u);
  EXPECT_EQ(testkit::ExplorerEventSinks(second), 0u);
}

TEST_F(ExplorerLifecycleTest, AnOutlook2003WindowClosedBeforeItsFirstViewSwitchLosesItsObject) {
  StartOutlook(11);
  Outlook::_ExplorerPtr second = OpenWindow();
  EXPECT_EQ(testkit::ExplorerEventSinks(second), 2u) << "view switch and close";
  EXPECT_TRUE(testkit::CloseExplorer(second));
  EXPECT_EQ(m_connect->ExplorerCount(), 1u);
  EXPECT_EQ(testkit::ExplorerEventSinks(second), 0u);
}

TEST_F(ExplorerLifecycleTest, ABuildThatFailsHalfWayKeepsItsControlsButNoSinkExceptClose) {
  StartOutlook(12, Outlook::olFolderInbox, [](Outlook::_Explorer*) {
    testkit::FailControlAdd(9);  // the sync popup's anchor
  });
  const std::string controls = AddedControls();
  EXPECT_NE(controls.find("parameter=\"NewProfile\""), std::string::npos) << "they stay";
  EXPECT_EQ(controls.find("SyncProfile_"), std::string::npos);
  EXPECT_EQ(testkit::ClickSinksAlive(), 0u);
  EXPECT_EQ(testkit::ExplorerEventSinks(m_window), 1u);
  EXPECT_TRUE(testkit::Click(Button("SyncAll")));
  EXPECT_TRUE(Commands().empty());

  EXPECT_TRUE(testkit::CloseExplorer(m_window));
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
  EXPECT_EQ(testkit::ExplorerEventSinks(m_window), 0u);
}

TEST_F(ExplorerLifecycleTest, AComErrorDuringTheBuildIsLoggedAndTheWindowStillCloses) {
  StartOutlook(12, Outlook::olFolderInbox, [](Outlook::_Explorer*) {
    testkit::FailCall("CommandBars.ActiveMenuBar", 0, E_FAIL);
  });
  testkit::ClearFaults();
  EXPECT_NE(m_log.Err().find("CExplorer::CreateUI"), std::string::npos) << m_log.Err();
  EXPECT_EQ(testkit::ClickSinksAlive(), 0u);
  EXPECT_TRUE(testkit::CloseExplorer(m_window));
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
}

TEST_F(ExplorerLifecycleTest, AWindowWithoutCommandBarsGetsNoControlsAndStillCloses) {
  StartOutlook(12, Outlook::olFolderInbox,
               [](Outlook::_Explorer*) { testkit::FailCall("Explorer.CommandBars", 0, E_FAIL); });
  testkit::ClearFaults();
  EXPECT_EQ(AddedControls(), "");
  EXPECT_EQ(m_connect->ExplorerCount(), 1u);
  EXPECT_TRUE(testkit::CloseExplorer(m_window));
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
}

}  // namespace
