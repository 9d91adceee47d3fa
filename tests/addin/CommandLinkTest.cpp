// The command link with the Kelvra application, both ways, against the fake application.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/CLib.h"
#include "addin/ILibEvents.h"
#include "addin/LinkCommands.h"
#include "addin/ReceivedCommand.h"
#include "addin/RunExeCmd.h"
#include "testkit/Clock.h"
#include "testkit/KelvraApp.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"
#include "win32/windows.h"

namespace {

using kelvra::test::LogWatch;

constexpr const char* kAppMutex = "Ostrane.Kelvra.exe";

class RecordingSink : public ILibEvents {
 public:
  struct Wizard {
    HWND parent;
    bool exportItems;
    bool contacts;
  };
  void ShowSelectAction() override { ++selectActions; }
  void OnProfilesChanged() override { ++profilesChanged; }
  int OnOpenWizard(HWND parent, bool exportItems, bool contacts) override {
    wizards.push_back({parent, exportItems, contacts});
    return 0;
  }
  int selectActions = 0;
  int profilesChanged = 0;
  std::vector<Wizard> wizards;
};

class CommandLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogWatch opened;  // the log is open from here on
    testkit::SetTickCount(1000);
    testkit::ClearForegroundCalls();
  }
  void TearDown() override {
    if (levelChanged_) SetLogLevel(1);
    g_Lib.DestroyEventsWnd();
    testkit::ResetKelvraApp();
    testkit::UseRealClock();
  }

  static std::string ExePath() { return kelvra::test::AddinFolder() + "\\Kelvra.exe"; }

  // Level-3 lines are written only while the level is 3.
  void SetLogLevel(DWORD level) {
    kelvra::test::SetOptionDword(HKEY_CURRENT_USER, "LogLevel", level);
    g_Lib.Init(g_Lib.GetInstance());
    levelChanged_ = level != 1;
  }

  static std::vector<std::string> ReceivedTexts() {
    std::vector<std::string> texts;
    for (const auto& c : testkit::KelvraAppReceived()) texts.push_back(c.text);
    return texts;
  }

  testkit::Watchdog watchdog_{"command link", std::chrono::seconds(30)};
  bool levelChanged_ = false;
};

// --- The received-commands table ------------------------------------------------------

using ReceivedCommandTest = CommandLinkTest;

TEST_F(ReceivedCommandTest, TableMatchesFunctionAndArgumentInAnyCase) {
  struct Case {
    const char* text;
    LinkRequest request;
    const char* function;
  } cases[] = {
      {"ShowForm,SelectAction", LinkRequest::kSelectAction, "ShowForm"},
      {"showform,exportcontacts", LinkRequest::kExportContacts, "showform"},
      {"SHOWFORM,ImportContacts", LinkRequest::kImportContacts, "SHOWFORM"},
      {"ShowForm,exportEVENTS", LinkRequest::kExportEvents, "ShowForm"},
      {"ShowForm,ImportEvents", LinkRequest::kImportEvents, "ShowForm"},
      {"ProfilesChanged", LinkRequest::kProfilesChanged, "ProfilesChanged"},
      {"profileschanged,anything", LinkRequest::kProfilesChanged, "profileschanged"},
      {"ShowForm", LinkRequest::kUnknown, "ShowForm"},
      {"ShowForm,", LinkRequest::kUnknown, "ShowForm"},
      {"ShowForm,Main", LinkRequest::kUnknown, "ShowForm"},
      {"ShowForm,ExportContacts,x", LinkRequest::kUnknown, "ShowForm"},
      {"Sync,Profile", LinkRequest::kUnknown, "Sync"},
      {",ExportContacts", LinkRequest::kUnknown, ""},
  };
  for (const Case& c : cases) {
    ReceivedCommand command = ParseReceivedCommand(c.text);
    EXPECT_EQ(command.request, c.request) << c.text;
    EXPECT_EQ(command.function, c.function) << c.text;
  }
}

// --- Sending ----------------------------------------------------------------------------

using SendCommandTest = CommandLinkTest;

TEST_F(SendCommandTest, EveryFixedCommandArrivesWithItsForegroundFlagAndTheSender) {
  RecordingSink sink;
  HWND events = g_Lib.CreateEventsWnd(&sink);
  ASSERT_NE(events, nullptr);
  ASSERT_TRUE(testkit::StartKelvraApp());
  const LinkCommand commands[] = {link_commands::kShowWelcome, link_commands::kShowMain,
                                  link_commands::kSyncAll,     link_commands::kNewProfile,
                                  link_commands::kShowAbout,   link_commands::kShowHelp};
  for (const LinkCommand& c : commands) EXPECT_TRUE(RunExeCmd(c.text, c.foreground, c.timeout));
  auto received = testkit::KelvraAppReceived();
  ASSERT_EQ(received.size(), std::size(commands));
  for (size_t i = 0; i < received.size(); ++i) {
    EXPECT_EQ(received[i].text, commands[i].text);
    EXPECT_EQ(received[i].foreground, commands[i].foreground) << commands[i].text;
    EXPECT_EQ(received[i].sender, events);
    EXPECT_EQ(received[i].dwData, 0u);
    EXPECT_EQ(received[i].cbData, std::string(commands[i].text).size());  // no NUL
  }
  EXPECT_EQ(testkit::KelvraAppStarts(), 1);
}

TEST_F(SendCommandTest, HelpAndAboutCommands) {
  ASSERT_TRUE(testkit::StartKelvraApp());
  EXPECT_TRUE(g_Lib.ShowContextHelp(help_topics::kFeatures));
  EXPECT_TRUE(g_Lib.ShowContextHelp(""));
  EXPECT_TRUE(g_Lib.ShowContextHelp(nullptr));
  EXPECT_TRUE(g_Lib.ShowAbout());
  EXPECT_EQ(ReceivedTexts(),
            (std::vector<std::string>{"ShowContextHelp,Features.htm", "ShowContextHelp",
                                      "ShowContextHelp", "ShowForm,About"}));
  auto received = testkit::KelvraAppReceived();
  EXPECT_FALSE(received[0].foreground);
  EXPECT_TRUE(received[3].foreground);
}

TEST_F(SendCommandTest, StartsTheApplicationBesideTheAddinWhenItIsNotRunning) {
  testkit::InstallKelvraApp(ExePath(), {.windowDelayMs = 3000});
  EXPECT_TRUE(RunExeCmd("SyncAll", false, 5000));
  EXPECT_EQ(testkit::KelvraAppStarts(), 1);
  EXPECT_EQ(ReceivedTexts(), std::vector<std::string>{"SyncAll"});
  // Running now: the next command goes straight to it.
  EXPECT_TRUE(RunExeCmd("NewProfile", true, 5000));
  EXPECT_EQ(testkit::KelvraAppStarts(), 1);
}

TEST_F(SendCommandTest, EmptyTextOnlyMakesSureTheApplicationRuns) {
  testkit::InstallKelvraApp(ExePath());
  EXPECT_TRUE(RunExeCmd("", true, 5000));
  EXPECT_NE(FindWindowA("Ostrane.Kelvra.MainWindow", nullptr), nullptr);
  EXPECT_TRUE(testkit::KelvraAppReceived().empty());
  EXPECT_TRUE(testkit::ForegroundCalls().empty());
}

TEST_F(SendCommandTest, AFailedStartIsLoggedAndReportedAsFalse) {
  testkit::InstallKelvraApp(ExePath(), {.startError = 5});
  LogWatch watch;
  EXPECT_FALSE(RunExeCmd("SyncAll", false, 5000));
  EXPECT_NE(watch.Err().find(" Err[5] in CConnect::RunExeCmd: CreateProcess\r\n"),
            std::string::npos)
      << watch.Err();
}

// --- Waiting for the window ---------------------------------------------------------------

using WaitForWindowTest = CommandLinkTest;

TEST_F(WaitForWindowTest, StepsAreTheTimeOutInTensRoundedUp) {
  SetLogLevel(3);
  ASSERT_TRUE(testkit::StartKelvraApp({.noWindow = true}));
  const struct {
    DWORD ms;
    const char* steps;
  } cases[] = {{5000, "i=500,"}, {5001, "i=501,"}, {0, "i=0,"}};
  for (const auto& c : cases) {
    LogWatch watch;
    EXPECT_FALSE(RunExeCmd("SyncAll", false, c.ms));
    EXPECT_NE(watch.Log().find(c.steps), std::string::npos) << c.ms << "\n" << watch.Log();
  }
  EXPECT_TRUE(testkit::KelvraAppReceived().empty());
}

TEST_F(WaitForWindowTest, InfiniteWaitsUntilTheWindowComes) {
  testkit::InstallKelvraApp(ExePath(), {.windowDelayMs = 20000});
  EXPECT_TRUE(RunExeCmd("SyncAll", false, INFINITE));
  EXPECT_EQ(ReceivedTexts(), std::vector<std::string>{"SyncAll"});
}

TEST_F(WaitForWindowTest, AnApplicationThatEndsWhileAwaitedEndsTheAttempt) {
  testkit::InstallKelvraApp(ExePath(), {.endAtStart = true});
  EXPECT_FALSE(RunExeCmd("SyncAll", false, INFINITE));
  EXPECT_TRUE(testkit::KelvraAppReceived().empty());
}

// A mutex found free (or left by an application that ended without letting it go) ends
// the attempt; the mutex the wait took over is given back.
TEST_F(WaitForWindowTest, AFreeOrAbandonedMutexEndsTheAttemptAndIsReleased) {
  for (bool abandoned : {false, true}) {
    HANDLE mutex = nullptr;
    std::thread owner([&] { mutex = CreateMutexA(nullptr, abandoned ? TRUE : FALSE, kAppMutex); });
    owner.join();
    ASSERT_NE(mutex, nullptr);
    EXPECT_FALSE(RunExeCmd("SyncAll", false, 5000)) << abandoned;
    DWORD other = WAIT_FAILED;
    std::thread prober([&] {
      other = WaitForSingleObject(mutex, 0);
      if (other == WAIT_OBJECT_0) ReleaseMutex(mutex);
    });
    prober.join();
    EXPECT_EQ(other, static_cast<DWORD>(WAIT_OBJECT_0)) << abandoned;
    CloseHandle(mutex);
  }
}

// --- Receiving -------------------------------------------------------------------------------

class ReceiveTest : public CommandLinkTest {
 protected:
  void SetUp() override {
    CommandLinkTest::SetUp();
    events_ = g_Lib.CreateEventsWnd(&sink_);
    ASSERT_NE(events_, nullptr);
    ASSERT_TRUE(testkit::StartKelvraApp());
  }
  LRESULT Send(const std::string& text, bool withNul = false) {
    return testkit::KelvraAppSend(text, events_, withNul);
  }
  void DispatchPending() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

  RecordingSink sink_;
  HWND events_ = nullptr;
};

TEST_F(ReceiveTest, WizardCommandsOpenTheirWizardOwnedByTheSender) {
  EXPECT_EQ(Send("ShowForm,ExportContacts"), TRUE);
  EXPECT_EQ(Send("showform,importcontacts", true), TRUE);
  EXPECT_EQ(Send("SHOWFORM,EXPORTEVENTS"), TRUE);
  EXPECT_EQ(Send("ShowForm,ImportEvents", true), TRUE);
  ASSERT_EQ(sink_.wizards.size(), 4u);
  const bool expected[4][2] = {{true, true}, {false, true}, {true, false}, {false, false}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sink_.wizards[i].parent, testkit::KelvraAppWindow());
    EXPECT_EQ(sink_.wizards[i].exportItems, expected[i][0]) << i;
    EXPECT_EQ(sink_.wizards[i].contacts, expected[i][1]) << i;
  }
}

TEST_F(ReceiveTest, SelectActionBringsOutlookToTheFrontFirst) {
  EXPECT_EQ(Send("ShowForm,SelectAction"), TRUE);  // no Outlook connected
  EXPECT_EQ(sink_.selectActions, 1);
  Outlook::_ApplicationPtr app = testkit::CreateOutlookApplication();
  g_Application = app;
  Outlook::_ExplorerPtr explorer = testkit::OpenExplorer(nullptr);
  EXPECT_EQ(Send("showform,selectaction"), TRUE);
  EXPECT_EQ(sink_.selectActions, 2);
  EXPECT_EQ(testkit::ExplorerActivations(explorer), 1);
  // An explorer that cannot come to the front does not keep the dialog away.
  testkit::FailCall("Explorer.Activate", 0, E_FAIL);
  LogWatch watch;
  EXPECT_EQ(Send("ShowForm,SelectAction"), TRUE);
  testkit::ClearFaults();
  g_Application = nullptr;
  testkit::ResetExplorers();
  EXPECT_EQ(sink_.selectActions, 3);
  EXPECT_NE(watch.Err().find("in CLib::OnCopyData: cannot activate the explorer"),
            std::string::npos);
}

TEST_F(ReceiveTest, UnknownCommandsAreLoggedByFunctionAndAcknowledged) {
  LogWatch watch;
  EXPECT_EQ(Send("ShowForm"), TRUE);
  EXPECT_EQ(Send("ShowForm,Elsewhere"), TRUE);
  EXPECT_EQ(Send("Frobnicate,%s%n%s"), TRUE);
  std::string err = watch.Err();
  EXPECT_EQ(err.find("Unknown function - \"ShowForm,"), std::string::npos) << err;
  size_t first = err.find("War[0] in CLib::OnCopyData: Unknown function - \"ShowForm\"\r\n");
  ASSERT_NE(first, std::string::npos) << err;
  EXPECT_NE(err.find("Unknown function - \"ShowForm\"\r\n", first + 1), std::string::npos);
  EXPECT_NE(err.find("Unknown function - \"Frobnicate\"\r\n"), std::string::npos);
  EXPECT_TRUE(sink_.wizards.empty());
}

TEST_F(ReceiveTest, ProfilesChangedIsDeferredByTheTimerAndCoalesced) {
  EXPECT_EQ(Send("ProfilesChanged"), TRUE);
  EXPECT_EQ(Send("profileschanged,x"), TRUE);
  EXPECT_EQ(sink_.profilesChanged, 0);  // the application's call returned first
  EXPECT_EQ(testkit::Timers(events_), std::vector<UINT_PTR>{3});
  testkit::AdvanceClock(1);
  DispatchPending();
  EXPECT_EQ(sink_.profilesChanged, 1);
  EXPECT_TRUE(testkit::Timers(events_).empty());  // one-shot
}

TEST_F(ReceiveTest, InvalidBlocksAreRefused) {
  char text[] = "ShowForm,ExportContacts";
  COPYDATASTRUCT empty{0, 0, text};
  COPYDATASTRUCT noData{0, 5, nullptr};
  COPYDATASTRUCT overflowing{0, 0xFFFFFFFF, text};
  EXPECT_EQ(g_Lib.OnCopyData(nullptr, &empty), FALSE);
  EXPECT_EQ(g_Lib.OnCopyData(nullptr, &noData), FALSE);
  EXPECT_EQ(g_Lib.OnCopyData(nullptr, &overflowing), FALSE);
  EXPECT_EQ(g_Lib.OnCopyData(nullptr, nullptr), FALSE);
  EXPECT_TRUE(sink_.wizards.empty());
}

TEST_F(ReceiveTest, WithoutASinkNoWindowIsMadeAndCommandsAreDropped) {
  LogWatch watch;
  EXPECT_EQ(g_Lib.CreateEventsWnd(nullptr), nullptr);
  EXPECT_NE(watch.Err().find("Err[0] in CLib::CreateEventsWnd: pNotify is NULL"),
            std::string::npos);
  EXPECT_FALSE(IsWindow(events_));  // the earlier window went with its sink
  EXPECT_EQ(g_Lib.GetEventsWnd(), nullptr);

  char text[] = "ShowForm,ExportContacts";
  COPYDATASTRUCT data{0, sizeof text - 1, text};
  EXPECT_EQ(g_Lib.OnCopyData(nullptr, &data), TRUE);
  EXPECT_TRUE(sink_.wizards.empty());
}

}  // namespace
