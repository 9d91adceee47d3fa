// The stand-in's shell file operations and the file calls the library added to the
// platform: moves with their collision flags, deletion to the trash, hard links and
// cutting a file.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"
#include "testkit/Files.h"
#include "win32/files.h"
#include "win32/shellapi.h"

namespace kelvra::test {
namespace {

namespace fs = std::filesystem;

class ShellFileOperationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(dir_.linuxPath("from"));
    testkit::SetTrashFolder(dir_.linuxPath("trash"));
  }
  void TearDown() override { testkit::SetTrashFolder(""); }
  int Move(const std::string& from, const std::string& to, FILEOP_FLAGS flags,
           BOOL* aborted = nullptr) {
    const std::string fromList = dir_.windowsPath(from) + std::string(1, '\0');
    const std::string toList = dir_.windowsPath(to) + std::string(1, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_MOVE;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = flags;
    const int result = SHFileOperationA(&op);
    if (aborted != nullptr) *aborted = op.fAnyOperationsAborted;
    return result;
  }
  int Delete(const std::string& names, FILEOP_FLAGS flags) {
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = names.c_str();
    op.fFlags = flags;
    return SHFileOperationA(&op);
  }

  TempDir dir_;
};

TEST_F(ShellFileOperationTest, MoveCreatesTheTargetOnlyWhenAllowed) {
  dir_.write("from/a", "1");
  BOOL aborted = FALSE;
  EXPECT_EQ(ERROR_CANCELLED, Move("from\\*", "to", 0, &aborted));
  EXPECT_TRUE(aborted);
  EXPECT_TRUE(dir_.exists("from/a"));
  ASSERT_EQ(0, Move("from\\*", "to", FOF_NOCONFIRMMKDIR));
  EXPECT_EQ("1", dir_.read("to/a"));
}

TEST_F(ShellFileOperationTest, RenameOnCollisionAndFilesOnly) {
  fs::create_directory(dir_.linuxPath("to"));
  dir_.write("to/a.txt", "old");
  dir_.write("from/a.txt", "new");
  fs::create_directory(dir_.linuxPath("from/sub"));
  ASSERT_EQ(0, Move("from\\*", "to", FOF_RENAMEONCOLLISION | FOF_FILESONLY));
  EXPECT_EQ("old", dir_.read("to/a.txt"));
  EXPECT_EQ("new", dir_.read("to/a (2).txt"));
  EXPECT_TRUE(fs::is_directory(dir_.linuxPath("from/sub")));
  ASSERT_EQ(0, Move("from\\*", "to", 0));
  EXPECT_TRUE(fs::is_directory(dir_.linuxPath("to/sub")));
}

TEST_F(ShellFileOperationTest, DeleteListsAndTrashNameCollisions) {
  dir_.write("from/x", "1");
  dir_.write("from/y", "2");
  const std::string list = dir_.windowsPath("from\\x") + std::string(1, '\0') +
                           dir_.windowsPath("from\\y") + std::string(1, '\0');
  ASSERT_EQ(0, Delete(list, FOF_NOCONFIRMATION | FOF_NOERRORUI));
  EXPECT_FALSE(dir_.exists("from/x"));
  EXPECT_FALSE(dir_.exists("from/y"));
  EXPECT_FALSE(dir_.exists("trash/files/x"));

  dir_.write("from/x", "first");
  ASSERT_EQ(0, Delete(dir_.windowsPath("from\\x") + std::string(1, '\0'), FOF_ALLOWUNDO));
  dir_.write("from/x", "second");
  ASSERT_EQ(0, Delete(dir_.windowsPath("from\\x") + std::string(1, '\0'), FOF_ALLOWUNDO));
  EXPECT_EQ("first", dir_.read("trash/files/x"));
  EXPECT_EQ("second", dir_.read("trash/files/x.2"));
  EXPECT_TRUE(dir_.exists("trash/info/x.2.trashinfo"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            Delete(dir_.windowsPath("from\\x") + std::string(1, '\0'), FOF_ALLOWUNDO));
}

TEST_F(ShellFileOperationTest, HardLinkAndCut) {
  dir_.write("from/f", "0123456789");
  ASSERT_TRUE(CreateHardLinkA(dir_.windowsPath("link").c_str(), dir_.windowsPath("from\\f").c_str(),
                              nullptr));
  EXPECT_EQ("0123456789", dir_.read("link"));
  EXPECT_FALSE(CreateHardLinkA(dir_.windowsPath("link").c_str(),
                               dir_.windowsPath("from\\f").c_str(), nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());

  HANDLE file = CreateFileA(dir_.windowsPath("link").c_str(), GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  ASSERT_EQ(4u, SetFilePointer(file, 4, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  EXPECT_EQ("0123", dir_.read("from/f"));  // one file under two names
}

}  // namespace
}  // namespace kelvra::test
