#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "FileTestFixture.h"
#include "support/TempDir.h"
#include "win32/files.h"

namespace {

class MoveFileTest : public FileTestFixture {};

TEST_F(MoveFileTest, RenamesAFileKeepingItsContentAndTime) {
  dir.write("a.txt", "content");
  SetMTime("a.txt", 1600000000);
  EXPECT_TRUE(MoveFileA(Win("A.txt").c_str(), Win("b.txt").c_str()));
  EXPECT_FALSE(dir.exists("a.txt"));
  EXPECT_EQ(dir.read("b.txt"), "content");
  EXPECT_EQ(MTime("b.txt"), 1600000000);
}

TEST_F(MoveFileTest, AnExistingTargetIsLeftAlone) {
  dir.write("a.txt", "new");
  dir.write("b.txt", "old");
  EXPECT_FALSE(MoveFileA(Win("a.txt").c_str(), Win("B.TXT").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(dir.read("a.txt"), "new");
  EXPECT_EQ(dir.read("b.txt"), "old");
}

TEST_F(MoveFileTest, ReplaceExistingOverwritesFilesButNotFolders) {
  dir.write("a.txt", "new");
  dir.write("b.txt", "old");
  MakeFolder("sub");
  EXPECT_TRUE(MoveFileExA(Win("a.txt").c_str(), Win("b.txt").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(dir.read("b.txt"), "new");
  EXPECT_FALSE(MoveFileExA(Win("b.txt").c_str(), Win("sub").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(dir.exists("b.txt"));
}

TEST_F(MoveFileTest, ANewSpellingOfTheSameNameRenamesTheFile) {
  dir.write("name.txt", "x");
  EXPECT_TRUE(MoveFileA(Win("name.txt").c_str(), Win("Name.TXT").c_str()));
  EXPECT_TRUE(std::filesystem::exists(dir.linuxPath("Name.TXT")));
  EXPECT_FALSE(std::filesystem::exists(dir.linuxPath("name.txt")));
}

TEST_F(MoveFileTest, MissingSourceOrTargetFolderFail) {
  dir.write("a.txt", "x");
  EXPECT_FALSE(MoveFileA(Win("none.txt").c_str(), Win("b.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(MoveFileA(Win("a.txt").c_str(), Win("none\\b.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(MoveFileExA(Win("a.txt").c_str(), Win("b.txt").c_str(), 4));  // delay until reboot
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(dir.exists("a.txt"));
}

// A second file system for moves that cannot be a rename; skipped where there is none.
class CrossDeviceMoveTest : public FileTestFixture {
 protected:
  void SetUp() override {
    FileTestFixture::SetUp();
    struct stat here {
    }, there{};
    char pattern[] = "/dev/shm/kelvra-XXXXXX";
    if (stat(dir.linux().c_str(), &here) != 0 || mkdtemp(pattern) == nullptr ||
        stat(pattern, &there) != 0 || here.st_dev == there.st_dev) {
      GTEST_SKIP() << "no second file system writable at /dev/shm";
    }
    other = pattern;
  }
  void TearDown() override {
    if (!other.empty()) std::filesystem::remove_all(other);
    FileTestFixture::TearDown();
  }
  std::string OtherWin(const std::string& name) const { return "Z:" + other + "\\" + name; }

  std::string other;
};

TEST_F(CrossDeviceMoveTest, MoveFileCopiesKeepingTheTimeAndRemovesTheSource) {
  dir.write("a.txt", "payload");
  SetMTime("a.txt", 1500000000);
  ASSERT_TRUE(MoveFileA(Win("a.txt").c_str(), OtherWin("b.txt").c_str()));
  EXPECT_FALSE(dir.exists("a.txt"));
  struct stat st {};
  ASSERT_EQ(stat((other + "/b.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1500000000);
  EXPECT_EQ(st.st_size, 7);
}

TEST_F(CrossDeviceMoveTest, WithoutCopyAllowedOrOntoAnExistingFileItFails) {
  dir.write("a.txt", "payload");
  EXPECT_FALSE(MoveFileExA(Win("a.txt").c_str(), OtherWin("b.txt").c_str(), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
  ASSERT_TRUE(CopyFileA(Win("a.txt").c_str(), OtherWin("b.txt").c_str(), FALSE));
  EXPECT_FALSE(MoveFileA(Win("a.txt").c_str(), OtherWin("b.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(dir.exists("a.txt"));
}

class CopyFileTest : public FileTestFixture {};

TEST_F(CopyFileTest, CopyKeepsContentAndLastWriteTime) {
  dir.write("a.txt", "content");
  SetMTime("a.txt", 1400000000);
  EXPECT_TRUE(CopyFileA(Win("a.txt").c_str(), Win("b.txt").c_str(), TRUE));
  EXPECT_EQ(dir.read("b.txt"), "content");
  EXPECT_EQ(MTime("b.txt"), 1400000000);
  EXPECT_EQ(dir.read("a.txt"), "content");
}

TEST_F(CopyFileTest, FailIfExistsLeavesTheTargetUntouched) {
  dir.write("a.txt", "new");
  dir.write("b.txt", "old content");
  EXPECT_FALSE(CopyFileA(Win("a.txt").c_str(), Win("B.txt").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(dir.read("b.txt"), "old content");
  EXPECT_TRUE(CopyFileA(Win("a.txt").c_str(), Win("B.txt").c_str(), FALSE));
  EXPECT_EQ(dir.read("b.txt"), "new");
}

TEST_F(CopyFileTest, CopyingAFileOntoItselfKeepsItsContent) {
  dir.write("a.txt", "precious");
  EXPECT_FALSE(CopyFileA(Win("a.txt").c_str(), Win("A.TXT").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(dir.read("a.txt"), "precious");
}

TEST_F(CopyFileTest, MissingSourceFoldersAndFolderSourcesFail) {
  MakeFolder("sub");
  EXPECT_FALSE(CopyFileA(Win("none.txt").c_str(), Win("b.txt").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(CopyFileA(Win("sub").c_str(), Win("b.txt").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(dir.exists("b.txt"));
}

}  // namespace
