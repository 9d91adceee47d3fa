// The fake Kelvra application: its mutex and window, commands both ways, and the ways
// a test makes its start fail, late or short.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "testkit/Clock.h"
#include "testkit/KelvraApp.h"
#include "testkit/Watchdog.h"

namespace {

using kelvra::test::ScriptedWindow;

constexpr char kExe[] = "C:\\Addin\\Kelvra.exe";

class KelvraAppTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::ResetKelvraApp();
    testkit::UseRealClock();
  }

  static LRESULT Copy(HWND to, HWND from, const std::string& text) {
    COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    return SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                        reinterpret_cast<LPARAM>(&data));
  }

  static STARTUPINFOA Startup() {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return si;
  }

  testkit::Watchdog watchdog_{"KelvraAppTest"};
};

using KelvraAppRunTest = KelvraAppTest;

TEST_F(KelvraAppRunTest, WhileRunningItHoldsItsMutexAndOwnsItsWindow) {
  EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Ostrane.Kelvra.exe"), nullptr);
  ASSERT_TRUE(testkit::StartKelvraApp());
  EXPECT_FALSE(testkit::StartKelvraApp());
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Ostrane.Kelvra.exe");
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  HWND window = FindWindowA("Ostrane.Kelvra.MainWindow", nullptr);
  EXPECT_EQ(window, testkit::KelvraAppWindow());
  EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  testkit::StopKelvraApp();
  EXPECT_FALSE(testkit::KelvraAppRunning());
  EXPECT_EQ(FindWindowA("Ostrane.Kelvra.MainWindow", nullptr), nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);  // released, not abandoned
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Ostrane.Kelvra.exe"), nullptr);
}

TEST_F(KelvraAppRunTest, CreateProcessOfTheInstalledPathStartsIt) {
  testkit::InstallKelvraApp(kExe);
  STARTUPINFOA si = Startup();
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(
      CreateProcessA(kExe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  HANDLE ready = nullptr;
  while (FindWindowA("Ostrane.Kelvra.MainWindow", nullptr) == nullptr) {
    if (ready == nullptr) ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    WaitForSingleObject(ready, 1);
  }
  if (ready != nullptr) CloseHandle(ready);
  EXPECT_EQ(testkit::KelvraAppStarts(), 1);
  testkit::StopKelvraApp();
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

TEST_F(KelvraAppRunTest, AFailingStartAnEarlyEndAndAMissingWindow) {
  testkit::InstallKelvraApp(kExe, {.startError = ERROR_ACCESS_DENIED});
  STARTUPINFOA si = Startup();
  PROCESS_INFORMATION pi{};
  EXPECT_FALSE(
      CreateProcessA(kExe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  testkit::InstallKelvraApp(kExe, {.endAtStart = true});
  ASSERT_TRUE(
      CreateProcessA(kExe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(FindWindowA("Ostrane.Kelvra.MainWindow", nullptr), nullptr);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);

  ASSERT_TRUE(testkit::StartKelvraApp({.noWindow = true}));
  EXPECT_TRUE(testkit::KelvraAppRunning());
  EXPECT_EQ(FindWindowA("Ostrane.Kelvra.MainWindow", nullptr), nullptr);
}

TEST_F(KelvraAppRunTest, ALateWindowIsFoundOnceTheClockHasPassedItsDelay) {
  testkit::SetTickCount(1000);
  HANDLE never = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_TRUE(testkit::StartKelvraApp({.windowDelayMs = 55}));
  int steps = 0;
  while (FindWindowA("Ostrane.Kelvra.MainWindow", nullptr) == nullptr && steps < 100) {
    WaitForSingleObject(never, 10);  // moves the frozen clock by 10 ms
    ++steps;
  }
  EXPECT_EQ(steps, 6);
  CloseHandle(never);
}

using KelvraAppCommandTest = KelvraAppTest;

TEST_F(KelvraAppCommandTest, ReceivedCommandsAreRecordedWithSenderAndForeground) {
  ASSERT_TRUE(testkit::StartKelvraApp());
  ScriptedWindow sender(nullptr, "Ostrane.Kelvra.HiddenWnd");
  HWND app = testkit::KelvraAppWindow();
  EXPECT_EQ(Copy(app, sender.hwnd(), "SyncAll"), TRUE);
  SetForegroundWindow(app);
  testkit::SetKelvraAppReply(FALSE);
  EXPECT_EQ(Copy(app, sender.hwnd(), "ShowForm,About"), FALSE);
  const auto received = testkit::KelvraAppReceived();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].text, "SyncAll");
  EXPECT_EQ(received[0].cbData, 7u);
  EXPECT_EQ(received[0].sender, sender.hwnd());
  EXPECT_FALSE(received[0].foreground);
  EXPECT_EQ(received[1].text, "ShowForm,About");
  EXPECT_TRUE(received[1].foreground);
}

TEST_F(KelvraAppCommandTest, TheApplicationSendsFromItsThreadToTheLastSender) {
  ASSERT_TRUE(testkit::StartKelvraApp());
  std::string got;
  DWORD handledOn = 0;
  HWND app = testkit::KelvraAppWindow();
  ScriptedWindow addin([&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (msg != WM_COPYDATA) return ScriptedWindow::kDefault;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    got.assign(static_cast<const char*>(data->lpData), data->cbData);
    handledOn = GetCurrentThreadId();
    return reinterpret_cast<HWND>(wParam) == app ? 11 : 0;
  });
  EXPECT_EQ(testkit::KelvraAppSend("ShowForm,ExportContacts"), 0);  // no command received yet
  Copy(app, addin.hwnd(), "ShowForm,Welcome");
  EXPECT_EQ(testkit::KelvraAppSend("ProfilesChanged", nullptr, true), 11);
  EXPECT_EQ(got, std::string("ProfilesChanged\0", 16));
  EXPECT_EQ(handledOn, GetCurrentThreadId());
}

}  // namespace
