// Events, named mutexes and waits, with the settable clock.
#include <gtest/gtest.h>

#include <thread>

#include "testkit/Clock.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"
#include "win32/windows.h"

namespace {

// Closes a handle at the end of the scope.
struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != nullptr) CloseHandle(h);
  }
};

class SyncTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::UseRealClock(); }
  testkit::Watchdog watchdog_{"SyncTest"};
};

using SyncEventTest = SyncTest;

TEST_F(SyncEventTest, AnAutoResetEventLetsOneWaitThrough) {
  Handle event{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  EXPECT_EQ(WaitForSingleObject(event.h, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  SetEvent(event.h);
  EXPECT_EQ(WaitForSingleObject(event.h, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.h, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(SyncEventTest, AManualResetEventStaysSetUntilReset) {
  Handle event{CreateEventA(nullptr, TRUE, TRUE, nullptr)};
  EXPECT_EQ(WaitForSingleObject(event.h, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.h, 0), WAIT_OBJECT_0);
  ResetEvent(event.h);
  EXPECT_EQ(WaitForSingleObject(event.h, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(SyncEventTest, AWaitEndsWhenAnotherThreadSetsTheEvent) {
  Handle event{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  std::thread setter([&] { SetEvent(event.h); });
  EXPECT_EQ(WaitForSingleObject(event.h, INFINITE), WAIT_OBJECT_0);
  setter.join();
}

TEST_F(SyncEventTest, InjectedFailuresAndBadHandles) {
  testkit::FailCreateEvent(1);
  SetLastError(0);
  EXPECT_EQ(CreateEventA(nullptr, FALSE, FALSE, nullptr), nullptr);
  EXPECT_NE(GetLastError(), 0u);
  Handle next{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  EXPECT_NE(next.h, nullptr);
  EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x8), 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

using SyncMutexTest = SyncTest;

TEST_F(SyncMutexTest, ANamedMutexIsSeenByOpenUntilItsLastHandleCloses) {
  SetLastError(0);
  EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Test.Mutex.A"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HANDLE created = CreateMutexA(nullptr, TRUE, "Test.Mutex.A");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  Handle again{CreateMutexA(nullptr, FALSE, "Test.Mutex.A")};
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  Handle opened{OpenMutexA(SYNCHRONIZE, FALSE, "Test.Mutex.A")};
  ASSERT_NE(opened.h, nullptr);
  ReleaseMutex(created);
  CloseHandle(created);
  CloseHandle(again.h);
  again.h = nullptr;
  CloseHandle(opened.h);
  opened.h = nullptr;
  EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Test.Mutex.A"), nullptr);
}

TEST_F(SyncMutexTest, AnOwnedMutexTimesOutForOthersAndIsRecursiveForItsOwner) {
  Handle mutex{CreateMutexA(nullptr, TRUE, nullptr)};
  EXPECT_EQ(WaitForSingleObject(mutex.h, 0), WAIT_OBJECT_0);  // owner again
  DWORD other = 0;
  std::thread([&] { other = WaitForSingleObject(mutex.h, 0); }).join();
  EXPECT_EQ(other, static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(ReleaseMutex(mutex.h));
  std::thread([&] { other = WaitForSingleObject(mutex.h, 0); }).join();
  EXPECT_EQ(other, static_cast<DWORD>(WAIT_TIMEOUT));  // still held once
  EXPECT_TRUE(ReleaseMutex(mutex.h));
  EXPECT_FALSE(ReleaseMutex(mutex.h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
}

TEST_F(SyncMutexTest, AMutexWhoseOwnerEndedIsAbandonedOnce) {
  Handle mutex{CreateMutexA(nullptr, FALSE, nullptr)};
  std::thread([&] { WaitForSingleObject(mutex.h, 0); }).join();
  EXPECT_EQ(WaitForSingleObject(mutex.h, 0), static_cast<DWORD>(WAIT_ABANDONED));
  EXPECT_TRUE(ReleaseMutex(mutex.h));
  EXPECT_EQ(WaitForSingleObject(mutex.h, 0), WAIT_OBJECT_0);
  ReleaseMutex(mutex.h);
}

TEST_F(SyncMutexTest, WithAFrozenClockATimedOutWaitMovesTheClock) {
  testkit::SetTickCount(5000);
  Handle mutex{CreateMutexA(nullptr, FALSE, nullptr)};
  Handle taken{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  Handle release{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::thread owner([&] {
    WaitForSingleObject(mutex.h, 0);
    SetEvent(taken.h);
    WaitForSingleObject(release.h, INFINITE);
    ReleaseMutex(mutex.h);
  });
  WaitForSingleObject(taken.h, INFINITE);
  for (int step = 0; step < 50; ++step)
    EXPECT_EQ(WaitForSingleObject(mutex.h, 10), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(GetTickCount(), 5500u);
  SetEvent(release.h);
  owner.join();
  EXPECT_EQ(WaitForSingleObject(mutex.h, 10), WAIT_OBJECT_0);
  ReleaseMutex(mutex.h);
}

TEST_F(SyncMutexTest, WaitForAllTakesEveryObjectOrNone) {
  Handle a{CreateEventA(nullptr, FALSE, TRUE, nullptr)};
  Handle b{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  HANDLE both[] = {a.h, b.h};
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(WaitForSingleObject(a.h, 0), WAIT_OBJECT_0);  // a was not taken by the failed wait
  SetEvent(a.h);
  SetEvent(b.h);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  SetEvent(b.h);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
}

TEST_F(SyncMutexTest, InterlockedCallsReturnTheOldOrNewValue) {
  LONG value = 3;
  EXPECT_EQ(InterlockedExchange(&value, 9), 3);
  EXPECT_EQ(InterlockedIncrement(&value), 10);
  EXPECT_EQ(InterlockedDecrement(&value), 9);
  EXPECT_EQ(InterlockedCompareExchange(&value, 1, 4), 9);
  EXPECT_EQ(InterlockedCompareExchange(&value, 1, 9), 9);
  EXPECT_EQ(value, 1);
}

}  // namespace
