#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "FileTestFixture.h"
#include "testkit/Files.h"
#include "win32/files.h"

namespace {

class CreateFileTest : public FileTestFixture {
 protected:
  HANDLE Open(const std::string& name, DWORD access, DWORD disposition) {
    return CreateFileA(Win(name).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  DWORD Write(HANDLE h, const std::string& bytes) {
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    return written;
  }
};

TEST_F(CreateFileTest, WrittenBytesReadBackWithTheirSize) {
  HANDLE h = Open("a.bin", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(Write(h, std::string("line\r\n\0end", 11)), 11u);
  EXPECT_TRUE(CloseHandle(h));

  h = Open("a.bin", GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD high = 99;
  EXPECT_EQ(GetFileSize(h, &high), 11u);
  EXPECT_EQ(high, 0u);
  char buffer[32] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(std::string(buffer, read), std::string("line\r\n\0end", 11));
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));  // at the end: TRUE and 0
  EXPECT_EQ(read, 0u);
  CloseHandle(h);
}

TEST_F(CreateFileTest, CreateAlwaysTruncatesAndReportsTheExistingFile) {
  dir.write("a.txt", "old content");
  HANDLE h = Open("a.txt", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  Write(h, "new");
  CloseHandle(h);
  EXPECT_EQ(dir.read("a.txt"), "new");
}

TEST_F(CreateFileTest, DispositionsOnExistingAndMissingFiles) {
  dir.write("a.txt", "abc");
  EXPECT_EQ(Open("a.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

  HANDLE h = Open("a.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(GetFileSize(h, nullptr), 3u);
  CloseHandle(h);

  h = Open("a.txt", GENERIC_WRITE, TRUNCATE_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(dir.read("a.txt"), "");
  EXPECT_EQ(Open("b.txt", GENERIC_WRITE, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Open("a.txt", GENERIC_READ, 9), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(CreateFileTest, MissingFileAndMissingFolderDiffer) {
  EXPECT_EQ(Open("missing.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Open("nofolder\\missing.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Open("nofolder\\new.txt", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(CreateFileTest, FoldersAndNetworkPathsAreRefused) {
  MakeFolder("sub");
  EXPECT_EQ(Open("sub", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(
      CreateFileA("\\\\server\\share\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_NETPATH));
}

TEST_F(CreateFileTest, AccessNotAskedForIsDenied) {
  dir.write("a.txt", "abc");
  HANDLE h = Open("a.txt", GENERIC_READ, OPEN_EXISTING);
  DWORD written = 7;
  EXPECT_FALSE(WriteFile(h, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(written, 0u);
  CloseHandle(h);
  EXPECT_EQ(dir.read("a.txt"), "abc");
}

TEST_F(CreateFileTest, FilePointerMovesAndRefusesNegativePositions) {
  dir.write("a.txt", "0123456789");
  HANDLE h = Open("a.txt", GENERIC_READ, OPEN_EXISTING);
  EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
  char c = 0;
  DWORD read = 0;
  ReadFile(h, &c, 1, &read, nullptr);
  EXPECT_EQ(c, '7');
  EXPECT_EQ(SetFilePointer(h, -2, nullptr, FILE_CURRENT), 6u);
  EXPECT_EQ(SetFilePointer(h, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  LONG high = 0;
  EXPECT_EQ(SetFilePointer(h, 2, &high, FILE_BEGIN), 2u);
  EXPECT_EQ(high, 0);
  EXPECT_TRUE(FlushFileBuffers(h));
  CloseHandle(h);
}

TEST_F(CreateFileTest, ClosedHandlesAreInvalid) {
  HANDLE h = Open("a.txt", GENERIC_WRITE, CREATE_NEW);
  ASSERT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DWORD read = 0;
  char c;
  EXPECT_FALSE(ReadFile(h, &c, 1, &read, nullptr));
  EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, &c, 1, &read, nullptr));
}

class ShortWriteTest : public CreateFileTest {};

TEST_F(ShortWriteTest, OnlyTheNextWriteIsCut) {
  HANDLE h = Open("a.txt", GENERIC_WRITE, CREATE_ALWAYS);
  testkit::InjectShortWrite(3);
  EXPECT_EQ(Write(h, "abcdef"), 3u);
  EXPECT_EQ(Write(h, "ghij"), 4u);
  CloseHandle(h);
  EXPECT_EQ(dir.read("a.txt"), "abcghij");
}

TEST_F(ShortWriteTest, ALimitAboveTheSizeWritesEverything) {
  HANDLE h = Open("a.txt", GENERIC_WRITE, CREATE_ALWAYS);
  testkit::InjectShortWrite(100);
  EXPECT_EQ(Write(h, "abc"), 3u);
  testkit::InjectShortWrite(0);
  EXPECT_EQ(Write(h, "def"), 0u);
  CloseHandle(h);
  EXPECT_EQ(dir.read("a.txt"), "abc");
}

class FolderCallsTest : public FileTestFixture {};

TEST_F(FolderCallsTest, CreateDirectoryReportsExistingAndMissingParents) {
  EXPECT_TRUE(CreateDirectoryA(Win("new").c_str(), nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(dir.linuxPath("new")));
  EXPECT_FALSE(CreateDirectoryA(Win("NEW").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryA(Win("a\\b").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FolderCallsTest, FoldersInTheUsersApplicationDataAreTheUsersOwn) {
  MakeFolder("appdata");
  testkit::SetAppDataFolder(Win("appdata"));
  EXPECT_TRUE(CreateDirectoryA(Win("appdata\\Private").c_str(), nullptr));
  EXPECT_TRUE(CreateDirectoryA(Win("appdata-other").c_str(), nullptr));
  struct stat inside {
  }, beside{};
  ASSERT_EQ(stat(dir.linuxPath("appdata/Private").c_str(), &inside), 0);
  ASSERT_EQ(stat(dir.linuxPath("appdata-other").c_str(), &beside), 0);
  EXPECT_EQ(inside.st_mode & 0777, 0700u);
  // A folder that only shares the name's beginning is no part of it.
  EXPECT_EQ(beside.st_mode & 0700, 0700u);
  EXPECT_NE(beside.st_mode & 0777, 0700u) << "unless the umask hides everything else";
}

TEST_F(FolderCallsTest, RemoveDirectoryOnlyRemovesEmptyFolders) {
  MakeFolder("full");
  dir.write("full/x", "");
  EXPECT_FALSE(RemoveDirectoryA(Win("full").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_FALSE(RemoveDirectoryA(Win("full\\x").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_FALSE(RemoveDirectoryA(Win("none").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  MakeFolder("empty");
  EXPECT_TRUE(RemoveDirectoryA(Win("EMPTY").c_str()));
  EXPECT_FALSE(dir.exists("empty"));
}

TEST_F(FolderCallsTest, DeleteFileRemovesFilesOnly) {
  dir.write("a.txt", "x");
  MakeFolder("sub");
  EXPECT_TRUE(DeleteFileA(Win("A.TXT").c_str()));
  EXPECT_FALSE(dir.exists("a.txt"));
  EXPECT_FALSE(DeleteFileA(Win("a.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFileA(Win("sub").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(FolderCallsTest, AttributesTellFoldersReadOnlyAndNormalFiles) {
  MakeFolder("sub");
  dir.write("rw.txt", "");
  dir.write("ro.txt", "");
  chmod(dir.linuxPath("ro.txt").c_str(), 0444);
  EXPECT_EQ(GetFileAttributesA(Win("sub").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA(Win("rw.txt").c_str()), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesA(Win("ro.txt").c_str()), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(GetFileAttributesA(Win("none\\x").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
