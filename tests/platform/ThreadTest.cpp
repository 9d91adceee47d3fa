// Threads and processes: handles signalled at the end, exit codes, programs that
// CreateProcessA starts, injected failures.
#include <gtest/gtest.h>

#include "testkit/Watchdog.h"
#include "testkit/Windows.h"
#include "win32/windows.h"

namespace {

class ThreadTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::RegisterProgram("C:\\Programs\\Probe.exe", nullptr);
    testkit::FailProgramStart("C:\\Programs\\Probe.exe", 0);
    testkit::ClearStartedPrograms();
  }
  testkit::Watchdog watchdog_{"ThreadTest"};
};

DWORD WINAPI Worker(LPVOID param) {
  HANDLE go = static_cast<HANDLE>(param);
  WaitForSingleObject(go, INFINITE);
  return 17;
}

TEST_F(ThreadTest, AThreadRunsAtOnceAndItsHandleIsSignalledAtItsEnd) {
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &Worker, go, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, GetCurrentThreadId());
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 17u);
  CloseHandle(thread);
  CloseHandle(go);
}

TEST_F(ThreadTest, AnInjectedFailureMakesNoThreadAndLeavesNothingOpen) {
  const int before = testkit::LiveSyncObjects();
  testkit::FailCreateThread(1);
  EXPECT_EQ(CreateThread(nullptr, 0, &Worker, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(testkit::LiveSyncObjects(), before);
}

TEST_F(ThreadTest, AThreadsWindowsGoWhenItEnds) {
  HWND left = nullptr;
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID out) -> DWORD {
        *static_cast<HWND*>(out) = CreateWindowExA(0, "Static", "t", WS_POPUP, 0, 0, 1, 1, nullptr,
                                                   nullptr, nullptr, nullptr);
        return 0;
      },
      &left, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  ASSERT_NE(left, nullptr);
  EXPECT_FALSE(IsWindow(left));
}

using ThreadProcessTest = ThreadTest;

TEST_F(ThreadProcessTest, ARegisteredProgramRunsWithItsCommandLineAndEnds) {
  std::string seen;
  testkit::RegisterProgram("C:\\Programs\\Probe.exe", [&](const std::string& line) -> DWORD {
    seen = line;
    return 3;
  });
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  char line[] = "probe -x";
  ASSERT_TRUE(CreateProcessA("c:/programs/PROBE.exe", line, nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(pi.hThread, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_EQ(seen, "probe -x");
  EXPECT_TRUE(CloseHandle(pi.hProcess));
  EXPECT_TRUE(CloseHandle(pi.hThread));
  EXPECT_EQ(testkit::StartedPrograms(), std::vector<std::string>{"c:/programs/PROBE.exe"});
}

TEST_F(ThreadProcessTest, AnUnknownOrFailingProgramDoesNotStart) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  SetLastError(0);
  EXPECT_FALSE(CreateProcessA("C:\\Programs\\Probe.exe", nullptr, nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &si, &pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  testkit::RegisterProgram("C:\\Programs\\Probe.exe",
                           [](const std::string&) -> DWORD { return 0; });
  testkit::FailProgramStart("C:\\Programs\\Probe.exe", ERROR_ACCESS_DENIED);
  EXPECT_FALSE(CreateProcessA("C:\\Programs\\Probe.exe", nullptr, nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &si, &pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
