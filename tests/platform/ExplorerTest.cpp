#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OutlookTestMailbox.h"
#include "atl/atlbase.h"

namespace {

using Outlook::_ExplorerPtr;

const _ATL_FUNC_INFO kNoArguments = {CC_STDCALL, VT_EMPTY, 0, {}};
const _ATL_FUNC_INFO kOneObject = {CC_STDCALL, VT_EMPTY, 1, {VT_DISPATCH}};
const _ATL_FUNC_INFO kFolderSwitch = {CC_STDCALL, VT_EMPTY, 2, {VT_DISPATCH, VT_BYREF | VT_BOOL}};

// Listens as an add-in does: to the application, the explorers and one explorer.
class Listener
    : public ATL::IDispEventSimpleImpl<1, Listener, &__uuidof(Outlook::ExplorersEvents)>,
      public ATL::IDispEventSimpleImpl<2, Listener, &__uuidof(Outlook::ApplicationEvents)>,
      public ATL::IDispEventSimpleImpl<3, Listener, &__uuidof(Outlook::ExplorerEvents)> {
 public:
  using Explorers = ATL::IDispEventSimpleImpl<1, Listener, &__uuidof(Outlook::ExplorersEvents)>;
  using Application = ATL::IDispEventSimpleImpl<2, Listener, &__uuidof(Outlook::ApplicationEvents)>;
  using Window = ATL::IDispEventSimpleImpl<3, Listener, &__uuidof(Outlook::ExplorerEvents)>;

  BEGIN_SINK_MAP(Listener)
    SINK_ENTRY_INFO(1, __uuidof(Outlook::ExplorersEvents), 0xF001, &Listener::OnNewExplorer,
                    &kOneObject)
    SINK_ENTRY_INFO(2, __uuidof(Outlook::ApplicationEvents), 0xF007, &Listener::OnQuit,
                    &kNoArguments)
    SINK_ENTRY_INFO(3, __uuidof(Outlook::ExplorerEvents), 0xF003, &Listener::OnBeforeFolderSwitch,
                    &kFolderSwitch)
    SINK_ENTRY_INFO(3, __uuidof(Outlook::ExplorerEvents), 0xF004, &Listener::OnViewSwitch,
                    &kNoArguments)
    SINK_ENTRY_INFO(3, __uuidof(Outlook::ExplorerEvents), 0xF008, &Listener::OnClose, &kNoArguments)
  END_SINK_MAP()

  void STDMETHODCALLTYPE OnNewExplorer(IDispatch* explorer) {
    events.push_back("NewExplorer");
    newExplorer = explorer;
  }
  void STDMETHODCALLTYPE OnQuit() { events.push_back("Quit"); }
  void STDMETHODCALLTYPE OnBeforeFolderSwitch(IDispatch* folder, VARIANT_BOOL* cancel) {
    Outlook::MAPIFolderPtr next(folder);
    events.push_back("BeforeFolderSwitch " +
                     std::string(static_cast<const char*>(next->GetName())));
    if (refuseSwitch) *cancel = VARIANT_TRUE;
  }
  void STDMETHODCALLTYPE OnViewSwitch() { events.push_back("ViewSwitch"); }
  void STDMETHODCALLTYPE OnClose() {
    events.push_back("Close");
    if (onClose) onClose();
  }

  std::vector<std::string> events;
  IDispatchPtr newExplorer;
  bool refuseSwitch = false;
  std::function<void()> onClose;
};

class ExplorerTest : public outlooktest::OutlookTest {
 protected:
  void TearDown() override {
    listener_.newExplorer = nullptr;
    listener_.onClose = nullptr;
    testkit::ResetExplorers();
    testkit::ClearFaults();
    OutlookTest::TearDown();
  }

  Outlook::MAPIFolderPtr Folder(Outlook::OlDefaultFolders which) {
    return Session()->GetDefaultFolder(which);
  }
  _ExplorerPtr Open(Outlook::OlDefaultFolders which) {
    return testkit::OpenExplorer(Folder(which));
  }

  Listener listener_;
};

// --- The collection and the active window.

class ExplorerWindowsTest : public ExplorerTest {};

TEST_F(ExplorerWindowsTest, NoWindowMeansNoActiveExplorer) {
  EXPECT_EQ(app_->GetExplorers()->GetCount(), 0);
  EXPECT_EQ(app_->ActiveExplorer(), nullptr);
  EXPECT_EQ(comtest::ErrorOf([&] { app_->GetExplorers()->Item(1L); }), E_INVALIDARG);
}

TEST_F(ExplorerWindowsTest, WindowsAreListedInOpeningOrderAndTheLastIsInFront) {
  _ExplorerPtr inbox = Open(Outlook::olFolderInbox);
  _ExplorerPtr contacts = Open(Outlook::olFolderContacts);
  Outlook::_ExplorersPtr explorers = app_->GetExplorers();
  ASSERT_EQ(explorers->GetCount(), 2);
  EXPECT_TRUE(explorers->Item(1L) == inbox);
  EXPECT_TRUE(explorers->Item(2L) == contacts);
  EXPECT_TRUE(app_->ActiveExplorer() == contacts);

  inbox->Activate();
  EXPECT_TRUE(app_->ActiveExplorer() == inbox);
  EXPECT_EQ(testkit::ExplorerActivations(inbox), 1);
  EXPECT_EQ(testkit::ExplorerActivations(contacts), 0);
}

TEST_F(ExplorerWindowsTest, ClosingTheFrontWindowPassesTheFrontToTheLastOpened) {
  _ExplorerPtr inbox = Open(Outlook::olFolderInbox);
  _ExplorerPtr calendar = Open(Outlook::olFolderCalendar);
  _ExplorerPtr contacts = Open(Outlook::olFolderContacts);
  contacts->Activate();
  EXPECT_TRUE(testkit::CloseExplorer(contacts));
  EXPECT_FALSE(testkit::CloseExplorer(contacts)) << "already closed";
  EXPECT_EQ(testkit::OpenExplorerCount(), 2u);
  EXPECT_TRUE(app_->ActiveExplorer() == calendar);
}

TEST_F(ExplorerWindowsTest, FolderCaptionAndSelectionOfAWindow) {
  _ExplorerPtr explorer = Open(Outlook::olFolderContacts);
  EXPECT_EQ(comtest::Ansi(explorer->GetCurrentFolder()->GetName()), "Contacts");
  EXPECT_EQ(comtest::Ansi(explorer->GetCaption()), "Contacts - Microsoft Outlook");
  EXPECT_EQ(explorer->GetSelection()->GetCount(), 0);

  testkit::SelectItems(explorer, {ContactsItem(1), ContactsItem(3)});
  Outlook::SelectionPtr selection = explorer->GetSelection();
  ASSERT_EQ(selection->GetCount(), 2);
  Outlook::_ContactItemPtr second(selection->Item(2L));
  EXPECT_EQ(comtest::Ansi(second->GetFirstName()), "Bob");
  EXPECT_EQ(comtest::ErrorOf([&] { selection->Item(3L); }), E_INVALIDARG);
  // A selection read earlier stays as it was.
  testkit::SelectItems(explorer, {});
  EXPECT_EQ(selection->GetCount(), 2);
}

TEST_F(ExplorerWindowsTest, PlannedFailuresRaise) {
  _ExplorerPtr explorer = Open(Outlook::olFolderInbox);
  testkit::FailCall("Explorers.Count", 1, E_FAIL);
  testkit::FailCall("Explorer.CurrentFolder", 1, E_ACCESSDENIED);
  EXPECT_EQ(comtest::ErrorOf([&] { app_->GetExplorers()->GetCount(); }), E_FAIL);
  EXPECT_EQ(comtest::ErrorOf([&] { explorer->GetCurrentFolder(); }), E_ACCESSDENIED);
  EXPECT_EQ(app_->GetExplorers()->GetCount(), 1) << "each planned failure strikes once";
}

// --- Events.

class ExplorerEventsTest : public ExplorerTest {};

TEST_F(ExplorerEventsTest, OpeningAWindowRaisesNewExplorerWithIt) {
  Outlook::_ExplorersPtr explorers = app_->GetExplorers();
  ASSERT_EQ(listener_.Explorers::DispEventAdvise(explorers), S_OK);
  _ExplorerPtr explorer = Open(Outlook::olFolderCalendar);
  EXPECT_EQ(listener_.events, std::vector<std::string>{"NewExplorer"});
  EXPECT_TRUE(explorer == listener_.newExplorer);
  EXPECT_EQ(listener_.Explorers::DispEventUnadvise(explorers), S_OK);
  Open(Outlook::olFolderInbox);
  EXPECT_EQ(listener_.events.size(), 1u) << "no event after unadvising";
}

TEST_F(ExplorerEventsTest, QuitReachesTheApplicationsSinks) {
  ASSERT_EQ(listener_.Application::DispEventAdvise(app_), S_OK);
  testkit::RaiseQuit();
  EXPECT_EQ(listener_.events, std::vector<std::string>{"Quit"});
  EXPECT_EQ(listener_.Application::DispEventUnadvise(app_), S_OK);
  testkit::RaiseQuit();
  EXPECT_EQ(listener_.events.size(), 1u);
}

TEST_F(ExplorerEventsTest, ShowingAnotherFolderAsksTheSinksFirst) {
  _ExplorerPtr explorer = Open(Outlook::olFolderInbox);
  ASSERT_EQ(listener_.Window::DispEventAdvise(explorer), S_OK);
  explorer->PutRefCurrentFolder(Folder(Outlook::olFolderContacts));
  EXPECT_EQ(listener_.events, std::vector<std::string>{"BeforeFolderSwitch Contacts"});
  EXPECT_EQ(comtest::Ansi(explorer->GetCurrentFolder()->GetName()), "Contacts");

  listener_.refuseSwitch = true;
  explorer->PutRefCurrentFolder(Folder(Outlook::olFolderCalendar));
  EXPECT_EQ(comtest::Ansi(explorer->GetCurrentFolder()->GetName()), "Contacts")
      << "a cancelled switch keeps the folder";
  listener_.Window::DispEventUnadvise(explorer);
}

TEST_F(ExplorerEventsTest, ViewSwitchAndCloseReachTheWindowsSinks) {
  _ExplorerPtr explorer = Open(Outlook::olFolderInbox);
  ASSERT_EQ(listener_.Window::DispEventAdvise(explorer), S_OK);
  testkit::RaiseViewSwitch(explorer);
  // As an add-in's window object does, the sink disconnects itself when the window closes.
  listener_.onClose = [&] { EXPECT_EQ(listener_.Window::DispEventUnadvise(explorer), S_OK); };
  EXPECT_TRUE(testkit::CloseExplorer(explorer));
  EXPECT_EQ(listener_.events, (std::vector<std::string>{"ViewSwitch", "Close"}));
  EXPECT_EQ(listener_.Window::m_dwEventCookie, 0xFEFEFEFEu);
}

}  // namespace
