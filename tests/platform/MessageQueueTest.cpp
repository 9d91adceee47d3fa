// Message queues: sending across threads, posting, retrieving, waiting for input.
#include <gtest/gtest.h>

#include <vector>

#include "WindowTestSupport.h"
#include "testkit/Clock.h"
#include "testkit/Watchdog.h"

namespace {

using kelvra::test::PumpingThread;
using kelvra::test::ScriptedWindow;

class MessageCrossThreadTest : public ::testing::Test {
 protected:
  testkit::Watchdog watchdog_{"MessageCrossThreadTest"};
};

TEST_F(MessageCrossThreadTest, ASentMessageRunsOnTheOwnersThreadAndItsResultComesBack) {
  PumpingThread other([](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
    if (msg == WM_USER)
      return static_cast<LRESULT>(GetCurrentThreadId()) + static_cast<LRESULT>(wParam);
    return ScriptedWindow::kDefault;
  });
  EXPECT_EQ(SendMessageA(other.hwnd(), WM_USER, 5, 0), static_cast<LRESULT>(other.id()) + 5);
  EXPECT_NE(other.id(), GetCurrentThreadId());
  EXPECT_EQ(GetWindowThreadProcessId(other.hwnd(), nullptr), other.id());
}

TEST_F(MessageCrossThreadTest, AWaitingSenderHandlesWhatIsSentToItsOwnThread) {
  std::vector<DWORD> handledOn;
  ScriptedWindow mine([&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg != WM_USER + 1) return ScriptedWindow::kDefault;
    handledOn.push_back(GetCurrentThreadId());
    return 7;
  });
  HWND back = mine.hwnd();
  PumpingThread other([back](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == WM_USER) return SendMessageA(back, WM_USER + 1, 0, 0) + 1;
    return ScriptedWindow::kDefault;
  });
  EXPECT_EQ(SendMessageA(other.hwnd(), WM_USER, 0, 0), 8);
  EXPECT_EQ(handledOn, std::vector<DWORD>{GetCurrentThreadId()});
}

TEST_F(MessageCrossThreadTest, SetWindowTextOfAnotherThreadsWindowGoesThroughItsProcedure) {
  std::vector<std::string> texts;
  PumpingThread other([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> LRESULT {
    if (msg == WM_SETTEXT) texts.push_back(reinterpret_cast<const char*>(lParam));
    return ScriptedWindow::kDefault;
  });
  ASSERT_TRUE(SetWindowTextA(other.hwnd(), "across"));
  char text[16];
  EXPECT_EQ(GetWindowTextA(other.hwnd(), text, sizeof text), 6);
  EXPECT_STREQ(text, "across");
  EXPECT_EQ(texts, std::vector<std::string>{"across"});
}

TEST_F(MessageCrossThreadTest, MessagesToAGoneWindowFail) {
  HWND gone = nullptr;
  {
    ScriptedWindow window(nullptr);
    gone = window.hwnd();
  }
  SetLastError(0);
  EXPECT_EQ(SendMessageA(gone, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
}

class MessagePostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  ScriptedWindow window_{nullptr};
};

TEST_F(MessagePostTest, PostedMessagesComeInOrderAndTheQuitAfterThem) {
  PostMessageA(window_.hwnd(), WM_USER + 1, 1, 0);
  PostQuitMessage(3);
  PostMessageA(window_.hwnd(), WM_USER + 2, 2, 0);
  MSG msg{};
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_EQ(msg.hwnd, window_.hwnd());
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagePostTest, PeekHonoursRangeAndRemoval) {
  PostMessageA(window_.hwnd(), WM_USER + 1, 0, 0);
  PostMessageA(window_.hwnd(), WM_USER + 5, 0, 0);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
}

TEST_F(MessagePostTest, DispatchCallsTheProcedureWithTheMessage) {
  std::vector<WPARAM> seen;
  ScriptedWindow window([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
    if (msg == WM_USER) seen.push_back(wParam);
    return ScriptedWindow::kDefault;
  });
  PostMessageA(window.hwnd(), WM_USER, 41, 0);
  PostMessageA(window.hwnd(), WM_USER, 42, 0);
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(seen, (std::vector<WPARAM>{41, 42}));
}

TEST_F(MessagePostTest, AThreadMessageReachesTheLoopWithoutAWindow) {
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 9, 0));
  MSG msg{};
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
  EXPECT_FALSE(PostThreadMessageA(0x7FFFFFF0, WM_APP, 0, 0));
}

class MessageWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    event_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void TearDown() override { CloseHandle(event_); }

  HANDLE event_ = nullptr;
  testkit::Watchdog watchdog_{"MessageWaitTest"};
};

TEST_F(MessageWaitTest, ASignalledHandleEndsTheWait) {
  std::thread setter([this] { SetEvent(event_); });
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event_, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
  setter.join();
}

TEST_F(MessageWaitTest, PostedInputEndsTheWaitWithTheIndexAfterTheHandles) {
  ScriptedWindow window(nullptr);
  HWND target = window.hwnd();
  std::thread poster([target] { PostMessageA(target, WM_USER, 0, 0); });
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event_, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
  poster.join();
  MSG msg{};
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageWaitTest, AMessageSentFromAnotherThreadIsHandledInsideTheWait) {
  bool handled = false;
  ScriptedWindow window([&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == WM_USER) handled = true;
    return msg == WM_USER ? 5 : ScriptedWindow::kDefault;
  });
  HWND target = window.hwnd();
  LRESULT result = 0;
  std::thread sender([&] { result = SendMessageA(target, WM_USER, 0, 0); });
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event_, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
  sender.join();
  EXPECT_TRUE(handled);
  EXPECT_EQ(result, 5);
}

TEST_F(MessageWaitTest, ABadHandleFailsAndATimeOutTimesOut) {
  HANDLE bad = reinterpret_cast<HANDLE>(0x4);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &bad, FALSE, 0, QS_ALLINPUT), WAIT_FAILED);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event_, FALSE, 0, QS_ALLINPUT),
            static_cast<DWORD>(WAIT_TIMEOUT));
}

// Timers run on the settable tick count, frozen here.
class MessageTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::SetTickCount(1000);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void TearDown() override { testkit::UseRealClock(); }

  std::vector<UINT_PTR> DueTimers() {
    std::vector<UINT_PTR> ids;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) ids.push_back(msg.wParam);
    return ids;
  }

  ScriptedWindow window_{nullptr};
};

TEST_F(MessageTimerTest, ATimerFiresOnceItsTimeHasComeAndAgainAfterEachPeriod) {
  ASSERT_EQ(SetTimer(window_.hwnd(), 3, 10, nullptr), 3u);
  EXPECT_TRUE(DueTimers().empty());
  testkit::AdvanceClock(9);
  EXPECT_TRUE(DueTimers().empty());
  testkit::AdvanceClock(1);
  EXPECT_EQ(DueTimers(), std::vector<UINT_PTR>{3});
  testkit::AdvanceClock(10);
  EXPECT_EQ(DueTimers(), std::vector<UINT_PTR>{3});
}

TEST_F(MessageTimerTest, TheSameIdReplacesTheTimer) {
  SetTimer(window_.hwnd(), 3, 1, nullptr);
  SetTimer(window_.hwnd(), 3, 50, nullptr);
  testkit::AdvanceClock(10);
  EXPECT_TRUE(DueTimers().empty());
  testkit::AdvanceClock(40);
  EXPECT_EQ(DueTimers(), std::vector<UINT_PTR>{3});
}

TEST_F(MessageTimerTest, AKilledTimerOrOneOfADestroyedWindowNeverFires) {
  SetTimer(window_.hwnd(), 3, 1, nullptr);
  EXPECT_TRUE(KillTimer(window_.hwnd(), 3));
  EXPECT_FALSE(KillTimer(window_.hwnd(), 3));
  HWND doomed = nullptr;
  {
    ScriptedWindow other(nullptr);
    doomed = other.hwnd();
    SetTimer(doomed, 4, 1, nullptr);
  }
  testkit::AdvanceClock(5);
  EXPECT_TRUE(DueTimers().empty());
}

TEST_F(MessageTimerTest, ATimerProcedureIsCalledByDispatch) {
  static std::vector<UINT_PTR> called;
  called.clear();
  SetTimer(window_.hwnd(), 8, 1, [](HWND, UINT, UINT_PTR id, DWORD) { called.push_back(id); });
  testkit::AdvanceClock(1);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&msg);
  EXPECT_EQ(called, std::vector<UINT_PTR>{8});
}

TEST_F(MessageTimerTest, GetMessageWaitsForADueTimer) {
  testkit::Watchdog watchdog("GetMessageWaitsForADueTimer");
  SetTimer(window_.hwnd(), 3, 5, nullptr);
  std::thread advancer([] { testkit::AdvanceClock(5); });
  MSG msg{};
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  advancer.join();
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageTimerTest, AnotherThreadsWindowCannotGetATimer) {
  PumpingThread other(nullptr);
  EXPECT_EQ(SetTimer(other.hwnd(), 1, 1, nullptr), 0u);
}

}  // namespace
