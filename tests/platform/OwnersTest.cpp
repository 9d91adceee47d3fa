// The handle owners: each kind closes its handle exactly once with its own close
// function, knows its own "no handle" value, and hands the handle over only on request.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "FileTestFixture.h"
#include "testkit/Windows.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace {

class OwnersTest : public FileTestFixture {
 protected:
  HANDLE Create(const std::string& name) const {
    return CreateFileA(Win(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(OwnersTest, AFileIsClosedOnceWhenItsOwnerGoesOrIsReset) {
  HANDLE raw = nullptr;
  {
    const UniqueFile file(Create("a.txt"));
    ASSERT_TRUE(file);
    raw = file.Get();
  }
  EXPECT_FALSE(CloseHandle(raw));  // already closed by the owner
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());

  UniqueFile file(Create("b.txt"));
  raw = file.Get();
  file.Reset(Create("c.txt"));
  EXPECT_FALSE(CloseHandle(raw));
  EXPECT_TRUE(file);
  file.Reset();
  EXPECT_FALSE(file);
  EXPECT_EQ(INVALID_HANDLE_VALUE, file.Get());
}

TEST_F(OwnersTest, NoHandleIsTheValueOfItsKind) {
  const UniqueFile missing(CreateFileA(Win("none\\x.txt").c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_FALSE(missing);
  WIN32_FIND_DATAA found{};
  const UniqueFind nothing(FindFirstFileA(Win("*.none").c_str(), &found));
  EXPECT_FALSE(nothing);
  const UniqueFind search(FindFirstFileA(Win("*").c_str(), &found));
  EXPECT_TRUE(search);
  EXPECT_FALSE(UniqueRegKey());
  EXPECT_EQ(nullptr, UniqueEvent().Get());
}

TEST_F(OwnersTest, ReleaseHandsTheHandleOverAndMoveCarriesIt) {
  UniqueEvent event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const int live = testkit::LiveSyncObjects();
  UniqueEvent moved(std::move(event));
  EXPECT_FALSE(event);
  EXPECT_EQ(live, testkit::LiveSyncObjects());
  HANDLE raw = moved.Release();
  EXPECT_FALSE(moved);
  EXPECT_EQ(live, testkit::LiveSyncObjects());
  EXPECT_TRUE(CloseHandle(raw));
  EXPECT_EQ(live - 1, testkit::LiveSyncObjects());

  UniqueEvent first(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  UniqueEvent second(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  first = std::move(second);  // the first event is closed, the second kept
  EXPECT_EQ(live, testkit::LiveSyncObjects());
}

TEST_F(OwnersTest, PutClosesTheKeyHeldAndAddressKeepsIt) {
  UniqueRegKey key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\OwnersTest", 0, nullptr, 0,
                                           KEY_READ | KEY_WRITE, nullptr, key.Put(), nullptr));
  HKEY first = key.Get();
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.Put()));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(first));
  EXPECT_EQ(key.Get(), *key.Address());
  HKEY second = key.Get();
  key.Reset();
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(second));
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\OwnersTest");
}

TEST_F(OwnersTest, GdiObjectsAreDeleted) {
  const int before = testkit::GdiObjectCount();
  {
    const UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_TRUE(brush);
    EXPECT_EQ(before + 1, testkit::GdiObjectCount());
  }
  EXPECT_EQ(before, testkit::GdiObjectCount());
}

}  // namespace
