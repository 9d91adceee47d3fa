// The progress dialog: on its own thread, driven by the run, answered by the operator.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/CDlgProgress.h"
#include "addin/CLang.h"
#include "resource.h"
#include "support/TempDir.h"
#include "testkit/Dialogs.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace {

using kelvra::test::LogWatch;
using testkit::Control;
using testkit::ControlText;

constexpr WORD kExport = IDD_VCARD_EXPORT_PROGRESS;

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogWatch opened;
    g_hInstance = kelvra::test::AddinModule();
    LoadLanguage(kelvra::test::WindowsPath(KELVRA_SOURCE_DIR "/resources/EN.ini"));
    gdiBefore_ = testkit::GdiObjectCount();
    testkit::ClearShownDialogs();
  }
  void TearDown() override {
    progress_.Close();
    g_Lang.Clear();
  }
  static void LoadLanguage(const std::string& path) {
    ASSERT_TRUE(g_Lang.LoadFile(path.c_str(), "Kelvra.dll"));
  }
  // The progress dialog that is up; Start may return before the operator has seen its
  // first paint through.
  static HWND Dlg(WORD id = kExport) { return testkit::WaitForDialog(id); }

  testkit::Watchdog watchdog_{"progress dialog", std::chrono::seconds(30)};
  int gdiBefore_ = 0;
  CDlgProgress progress_;
};

// --- Counters and texts ---------------------------------------------------------------------

using ProgressCounterTest = ProgressTest;

TEST_F(ProgressCounterTest, SetTotalStepAddTotalAndSetPosMoveBarAndText) {
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  HWND dlg = Dlg();
  ASSERT_NE(dlg, nullptr);
  auto expect = [&](int low, int high, int pos, const char* text) {
    auto bar = Control(dlg, IDC_PROGRESS);
    EXPECT_EQ(bar.rangeLow, low);
    EXPECT_EQ(bar.rangeHigh, high);
    EXPECT_EQ(bar.position, pos);
    EXPECT_EQ(ControlText(dlg, IDC_PROGR_STATE), text);
  };
  progress_.SetTotal(10);
  expect(0, 10, 0, "0 of 10 items processed");
  for (int i = 0; i < 3; ++i) progress_.Step();
  expect(0, 10, 3, "3 of 10 items processed");
  progress_.AddTotal(5);
  expect(0, 15, 3, "3 of 15 items processed");
  progress_.SetPos(7);
  expect(0, 15, 7, "7 of 15 items processed");
  // The range stops at the largest count instead of wrapping round.
  progress_.AddTotal(INT_MAX);
  expect(0, INT_MAX, 7, "7 of 2147483647 items processed");
}

TEST_F(ProgressCounterTest, TheCounterTextIsNeverTakenAsAPrintfFormat) {
  kelvra::test::TempDir dir;
  dir.write("xx.ini",
            "[version]\r\nsignature=Ostrane.LangIniFile\r\nlang=X\r\nlangid=XX\r\n"
            "[Kelvra.dll]\r\nIDS_PROGR_FORMAT=%s/%d %n%x%s %%\r\n");
  LoadLanguage(dir.windowsPath("xx.ini"));
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  progress_.SetTotal(10);
  progress_.SetPos(3);
  EXPECT_EQ(ControlText(Dlg(), IDC_PROGR_STATE), "3/10 %n%x%s %");
}

TEST_F(ProgressCounterTest, EachTemplateIsLocalisedFromItsSection) {
  const struct {
    WORD id;
    const char* caption;
    const char* title;
  } cases[] = {
      {IDD_VCARD_EXPORT_PROGRESS, "Kelvra - Exports contacts to files: Exporting in progress...",
       "Export contacts from Outlook folder to files"},
      {IDD_VCARD_IMPORT_PROGRESS, "Kelvra - Import contacts from files: Importing in progress...",
       "Import contacts from files to Outlook folder"},
      {IDD_VCAL_EXPORT_PROGRESS,
       "Kelvra - Exports calendar events to files: Exporting in progress...",
       "Export events from Outlook folder to files"},
      {IDD_VCAL_IMPORT_PROGRESS, "Kelvra - Import calendar events: Importing in progress...",
       "Import events from files to Outlook folder"},
  };
  for (const auto& c : cases) {
    LogWatch watch;
    ASSERT_TRUE(progress_.Start(nullptr, c.id)) << c.id;
    HWND dlg = Dlg(c.id);
    EXPECT_EQ(testkit::WindowText(dlg), c.caption);
    EXPECT_EQ(ControlText(dlg, IDC_LABEL_BOLD), c.title);
    EXPECT_EQ(testkit::FontOf(Control(dlg, IDC_LABEL_BOLD).font).lfWeight, 700);
    EXPECT_FALSE(Control(dlg, IDC_PROGR_NAME).visible);
    progress_.SetName("Exporting");
    EXPECT_EQ(ControlText(dlg, IDC_PROGR_NAME), "Exporting");
    EXPECT_EQ(watch.Err(), "") << c.id;  // every text the table asks for is there
    progress_.Close();
  }
}

TEST_F(ProgressCounterTest, AnotherDialogIdIsReportedAndLeftUnlocalised) {
  LogWatch watch;
  ASSERT_TRUE(progress_.Start(nullptr, IDD_EVENT_LABELS));
  EXPECT_EQ(testkit::WindowText(Dlg(IDD_EVENT_LABELS)), "Labels");
  EXPECT_NE(watch.Err().find("Err[270] in CDlgProgress::_Localize: invalid dialog id"),
            std::string::npos);
}

// --- Cancel and Help --------------------------------------------------------------------------

using ProgressButtonsTest = ProgressTest;

TEST_F(ProgressButtonsTest, CancelRaisesTheFlagAndTheDialogStaysUntilClose) {
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  HWND dlg = Dlg();
  EXPECT_FALSE(progress_.m_bCancel);
  testkit::PressEscape(dlg);
  EXPECT_TRUE(testkit::Click(dlg, IDCANCEL));
  testkit::CloseBox(dlg);
  EXPECT_TRUE(progress_.m_bCancel);
  EXPECT_EQ(ControlText(dlg, IDCANCEL), "Please wait...");
  EXPECT_EQ(Dlg(), dlg);
  progress_.Close();
  EXPECT_TRUE(testkit::WaitForDialogEnd(dlg));
  EXPECT_EQ(testkit::OpenDialog(kExport), nullptr);
}

TEST_F(ProgressButtonsTest, EachHelpPressIsReportedOnce) {
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  EXPECT_FALSE(progress_.IsHelpPressed());
  ASSERT_TRUE(testkit::Click(Dlg(), IDC_BTN_HELP));
  ASSERT_TRUE(testkit::Click(Dlg(), IDC_BTN_HELP));
  EXPECT_TRUE(progress_.IsHelpPressed());
  EXPECT_FALSE(progress_.IsHelpPressed());
  ASSERT_TRUE(testkit::Click(Dlg(), IDC_BTN_HELP));
  EXPECT_TRUE(progress_.IsHelpPressed());
}

// The run steps on its own thread while the user cancels from another.
TEST_F(ProgressButtonsTest, TheUserCancelsWhileTheRunSteps) {
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  HWND dlg = Dlg();
  std::thread user([dlg] {
    while (Control(dlg, IDC_PROGRESS).position < 5) std::this_thread::yield();
    testkit::Click(dlg, IDCANCEL);
  });
  progress_.SetTotal(1000000);
  int steps = 0;
  while (!progress_.m_bCancel && steps < 1000000) {
    progress_.Step();
    ++steps;
  }
  user.join();
  EXPECT_TRUE(progress_.m_bCancel);
  EXPECT_GE(steps, 5);
  EXPECT_LT(steps, 1000000);
}

// --- Exceptions on the dialog's thread ----------------------------------------------------

// Nothing thrown on the dialog's thread may leave it: the exception is logged, the dialog
// ends and the run is told to stop as if the user had cancelled.
class ProgressFaultTest : public ProgressTest {
 protected:
  void TearDown() override {
    testkit::ClearFaults();
    ProgressTest::TearDown();
  }
  static bool Logged(const LogWatch& watch, const std::string& line) {
    return watch.Err().find(line) != std::string::npos;
  }
};

TEST_F(ProgressFaultTest, AnExceptionWhileTheDialogIsMadeStopsTheRun) {
  LogWatch watch;
  // The first text read is the counter's format, on the run's thread; the second is
  // the caption, read on the dialog's thread while the dialog is made.
  testkit::ExhaustMemoryOnCall("GetPrivateProfileStringA", 2);
  EXPECT_FALSE(progress_.Start(nullptr, kExport));
  EXPECT_TRUE(progress_.m_bCancel);
  EXPECT_EQ(testkit::OpenDialog(kExport), nullptr);
  EXPECT_TRUE(Logged(watch, "Err[-2147024882] in CDlgProgress::DialogProc: out of memory"))
      << watch.Err();
}

TEST_F(ProgressFaultTest, AnExceptionInAButtonClosesTheDialogAndStopsTheRun) {
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  progress_.SetTotal(10);
  HWND dlg = Dlg();
  LogWatch watch;
  // Cancel reads the wait text for its button.
  testkit::ExhaustMemoryOnCall("GetPrivateProfileStringA", 1);
  testkit::Click(dlg, IDCANCEL);
  EXPECT_TRUE(testkit::WaitForDialogEnd(dlg));
  EXPECT_TRUE(progress_.m_bCancel);
  EXPECT_TRUE(Logged(watch, "Err[-2147024882] in CDlgProgress::DialogProc: out of memory"))
      << watch.Err();
  // The run may still step once before it sees the flag.
  progress_.Step();
  progress_.Close();
  EXPECT_FALSE(IsWindow(dlg));
}

TEST_F(ProgressFaultTest, AnExceptionInTheDialogsLoopEndsTheThreadAndStopsTheRun) {
  LogWatch watch;
  std::atomic<HWND> dlg = nullptr;
  testkit::OnDialog(kExport, [&dlg](HWND d) {
    dlg = d;
    throw std::runtime_error("in the modal loop");
  });
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  // The script runs once the dialog's loop has started: Close must come after it.
  for (int i = 0; i < 10000 && dlg == nullptr; ++i) Sleep(1);
  ASSERT_NE(dlg.load(), nullptr);
  EXPECT_TRUE(testkit::WaitForDialogEnd(dlg));
  // Close waits for the dialog's thread.
  progress_.Close();
  EXPECT_TRUE(progress_.m_bCancel);
  EXPECT_FALSE(IsWindow(dlg));
  EXPECT_EQ(testkit::OpenDialog(kExport), nullptr);
  EXPECT_TRUE(Logged(watch, "Err[0] in CDlgProgress::ThreadProc: CATCHED EXCEPTION!"))
      << watch.Err();
  // The object starts again as new.
  testkit::ClearDialogScripts();
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  EXPECT_FALSE(progress_.m_bCancel);
}

// --- Start, Close and the lifetime -------------------------------------------------------

using ProgressLifetimeTest = ProgressTest;

TEST_F(ProgressLifetimeTest, StartFailuresReturnFalseWithNothingLeftOpen) {
  const std::function<void()> failures[] = {
      [] { testkit::FailCreateEvent(); },
      [] { testkit::FailCreateThread(); },
      [] { testkit::FailDialogCreation(kExport); },
  };
  for (size_t i = 0; i < std::size(failures); ++i) {
    failures[i]();
    EXPECT_FALSE(progress_.Start(nullptr, kExport)) << i;
    testkit::FailDialogCreation(kExport, false);
    EXPECT_EQ(testkit::OpenDialog(kExport), nullptr) << i;
    EXPECT_EQ(testkit::GdiObjectCount(), gdiBefore_) << i;
  }
  EXPECT_TRUE(testkit::ShownDialogs().empty());
  // Nothing is left in the way of a start that works.
  EXPECT_TRUE(progress_.Start(nullptr, kExport));
}

TEST_F(ProgressLifetimeTest, ARestartClearsTheFlagsAndReplacesTheFont) {
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  HWND first = Dlg();
  testkit::Click(first, IDCANCEL);
  testkit::Click(first, IDC_BTN_HELP);
  const int gdiWithFont = testkit::GdiObjectCount();
  // A start while the dialog is up closes it first.
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_NE(Dlg(), nullptr);
  EXPECT_FALSE(progress_.m_bCancel);
  EXPECT_FALSE(progress_.IsHelpPressed());
  EXPECT_EQ(testkit::GdiObjectCount(), gdiWithFont);
  EXPECT_EQ(testkit::ShownDialogs().size(), 2u);
}

TEST_F(ProgressLifetimeTest, DestroyedRightAfterCloseOrWhileOpen) {
  {
    CDlgProgress progress;
    ASSERT_TRUE(progress.Start(nullptr, kExport));
    progress.Close();
  }
  {
    CDlgProgress progress;
    ASSERT_TRUE(progress.Start(nullptr, kExport));
    progress.SetTotal(3);
  }
  EXPECT_EQ(testkit::OpenDialog(kExport), nullptr);
  EXPECT_EQ(testkit::GdiObjectCount(), gdiBefore_);
  // Operations on a dialog that is not there do nothing.
  progress_.SetTotal(5);
  progress_.Step();
  progress_.SetName("x");
  progress_.Close();
}

TEST_F(ProgressLifetimeTest, AQuitMessageSeenWhileWaitingIsPostedAgain) {
  PostQuitMessage(9);
  ASSERT_TRUE(progress_.Start(nullptr, kExport));
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 9u);

  PostQuitMessage(7);
  progress_.SetTotal(3);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
