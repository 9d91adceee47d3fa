#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "testkit/Debug.h"
#include "win32/base.h"

namespace {

class LastErrorTest : public ::testing::Test {};

TEST_F(LastErrorTest, EachThreadHasItsOwn) {
  SetLastError(ERROR_ACCESS_DENIED);
  DWORD seenByOther = 1;
  std::thread other([&] {
    seenByOther = GetLastError();
    SetLastError(ERROR_DISK_FULL);
  });
  other.join();
  EXPECT_EQ(seenByOther, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(LastErrorTest, ClosingAnUnknownHandleFails) {
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x7777)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

class LocalMemoryTest : public ::testing::Test {};

TEST_F(LocalMemoryTest, ZeroedBlocksAndFreeReturnsNull) {
  auto* block = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0) << i;
  EXPECT_EQ(LocalFree(block), nullptr);
  void* empty = LocalAlloc(LMEM_FIXED, 0);
  EXPECT_NE(empty, nullptr);
  EXPECT_EQ(LocalFree(empty), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
}

class DebugOutputTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ClearDebugOutput(); }
};

TEST_F(DebugOutputTest, EachCallIsRecordedInOrder) {
  OutputDebugStringA("first\n");
  OutputDebugStringA(nullptr);
  OutputDebugStringA("second");
  EXPECT_EQ(testkit::DebugOutput(), (std::vector<std::string>{"first\n", "second"}));
  testkit::ClearDebugOutput();
  EXPECT_TRUE(testkit::DebugOutput().empty());
}

}  // namespace
