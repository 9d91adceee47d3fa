// The one-shot file operations of the library, through its exports: tests for content,
// copies in and out, deletion (to the trash with the folder flag), times and moves.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "ShareStoreTestSupport.h"
#include "testkit/Files.h"

namespace kelvra::test {
namespace {

namespace fs = std::filesystem;

class FileOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(dir_.linuxPath("share"));
    fs::create_directory(dir_.linuxPath("trash"));
    testkit::SetTrashFolder(dir_.linuxPath("trash"));
  }
  void TearDown() override { testkit::SetTrashFolder(""); }
  std::string Share() const { return dir_.windowsPath("share"); }
  std::string SharePath(const std::string& name) const { return dir_.linuxPath("share/" + name); }

  TempDir dir_;
};

TEST_F(FileOperationsTest, HasFilesHasDirsIsEmptyDir) {
  EXPECT_EQ(0, Tessaly_IsEmptyDir(Share().c_str()));
  EXPECT_EQ(1, Tessaly_HasDirs(Share().c_str()));
  EXPECT_EQ(1, Tessaly_HasFiles(Share().c_str(), nullptr));
  fs::create_directory(SharePath("sub"));
  EXPECT_EQ(1, Tessaly_IsEmptyDir(Share().c_str()));
  EXPECT_EQ(0, Tessaly_HasDirs(Share().c_str()));
  EXPECT_EQ(1, Tessaly_HasFiles(Share().c_str(), nullptr));  // only a subfolder
  WriteFileAt(SharePath("a.doc"), "x", 10);
  EXPECT_EQ(0, Tessaly_HasFiles(Share().c_str(), "*.txt;*.doc"));
  EXPECT_EQ(1, Tessaly_HasFiles(Share().c_str(), "*.txt;*.jpg"));
  EXPECT_EQ(1, Tessaly_HasFiles(Share().c_str(), "*.txt;;*.doc"));  // the empty piece ends the list
  const std::string missing = dir_.windowsPath("missing");
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, Tessaly_HasFiles(missing.c_str(), nullptr));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, Tessaly_IsEmptyDir(missing.c_str()));
  EXPECT_EQ(-1, Tessaly_HasDirs(""));
}

TEST_F(FileOperationsTest, UploadCopiesKeepingTheTime) {
  WriteFileAt(dir_.linuxPath("local.txt"), "content", 1000);
  FILETIME time{};
  ASSERT_EQ(0, Tessaly_UploadFile(dir_.windowsPath("local.txt").c_str(), Share().c_str(), "", &time,
                                  0, nullptr, 0, 0));
  EXPECT_TRUE(fs::exists(SharePath("local.txt")));
  EXPECT_EQ(FileTimeOfUnix(1000).dwLowDateTime, time.dwLowDateTime);
  EXPECT_EQ(FileTimeOfUnix(1000).dwHighDateTime, time.dwHighDateTime);
  // Without unique or recycle an existing target is overwritten.
  WriteFileAt(dir_.linuxPath("local.txt"), "second", 2000);
  ASSERT_EQ(0, Tessaly_UploadFile(dir_.windowsPath("local.txt").c_str(), Share().c_str(), nullptr,
                                  nullptr, 0, nullptr, 0, 0));
  std::ifstream in(SharePath("local.txt"));
  std::string text;
  in >> text;
  EXPECT_EQ("second", text);
  EXPECT_EQ(-1, Tessaly_UploadFile("", Share().c_str(), "x", nullptr, 0, nullptr, 0, 0));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            Tessaly_UploadFile(dir_.windowsPath("nothing").c_str(), Share().c_str(), "x", nullptr,
                               0, nullptr, 0, 0));
}

TEST_F(FileOperationsTest, UploadUniqueNumbersTheName) {
  WriteFileAt(dir_.linuxPath("local"), "x", 10);
  WriteFileAt(SharePath("a.txt"), "old", 10);
  char name[32] = "garbage";
  ASSERT_EQ(0, Tessaly_UploadFile(dir_.windowsPath("local").c_str(), Share().c_str(), "a.txt",
                                  nullptr, 1, name, sizeof name, 0));
  EXPECT_STREQ("a1.txt", name);
  ASSERT_EQ(0, Tessaly_UploadFile(dir_.windowsPath("local").c_str(), Share().c_str(), "a.txt",
                                  nullptr, 1, name, sizeof name, 0));
  EXPECT_STREQ("a2.txt", name);
  // A buffer too small still gets a terminated (cut) name.
  char small[4];
  std::memset(small, 'z', sizeof small);
  ASSERT_EQ(0, Tessaly_UploadFile(dir_.windowsPath("local").c_str(), Share().c_str(), "a.txt",
                                  nullptr, 1, small, sizeof small, 0));
  EXPECT_STREQ("a3.", small);
  EXPECT_TRUE(fs::exists(SharePath("a3.txt")));
}

TEST_F(FileOperationsTest, UploadRecycleMovesTheOldFileToTheTrash) {
  WriteFileAt(dir_.linuxPath("local"), "new", 10);
  WriteFileAt(SharePath("t.txt"), "old", 10);
  ASSERT_EQ(0, Tessaly_UploadFile(dir_.windowsPath("local").c_str(), Share().c_str(), "t.txt",
                                  nullptr, 0, nullptr, 0, 1));
  std::ifstream trashed(dir_.linuxPath("trash/files/t.txt"));
  std::string text;
  trashed >> text;
  EXPECT_EQ("old", text);
  EXPECT_TRUE(fs::exists(dir_.linuxPath("trash/info/t.txt.trashinfo")));
  std::ifstream current(SharePath("t.txt"));
  current >> text;
  EXPECT_EQ("new", text);
}

TEST_F(FileOperationsTest, DownloadAndTimes) {
  WriteFileAt(SharePath("r.txt"), "remote", 3000);
  ASSERT_EQ(0,
            Tessaly_DownloadFile(Share().c_str(), "R.TXT", dir_.windowsPath("copy.txt").c_str()));
  EXPECT_EQ("remote", dir_.read("copy.txt"));
  FILETIME time{};
  ASSERT_EQ(0, Tessaly_GetFileLMT(Share().c_str(), "r.txt", &time));
  EXPECT_EQ(FileTimeOfUnix(3000).dwLowDateTime, time.dwLowDateTime);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Tessaly_GetFileLMT(Share().c_str(), "none", &time));
  EXPECT_EQ(-1, Tessaly_GetFileLMT(Share().c_str(), "r.txt", nullptr));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            Tessaly_DownloadFile(Share().c_str(), "none", dir_.windowsPath("c2").c_str()));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND,
            Tessaly_DownloadFile(dir_.windowsPath("nope").c_str(), "r.txt", "x"));
}

TEST_F(FileOperationsTest, DeleteDirectlyOrToTheTrash) {
  WriteFileAt(SharePath("a"), "x", 10);
  ASSERT_EQ(0, Tessaly_DeleteFile(Share().c_str(), "a", 0));
  EXPECT_FALSE(fs::exists(SharePath("a")));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Tessaly_DeleteFile(Share().c_str(), "a", 0));
  fs::create_directories(SharePath("tree/inner"));
  WriteFileAt(SharePath("tree/inner/f"), "x", 10);
  ASSERT_EQ(0, Tessaly_DeleteFile(Share().c_str(), "tree", 1));
  EXPECT_FALSE(fs::exists(SharePath("tree")));
  EXPECT_TRUE(fs::exists(dir_.linuxPath("trash/files/tree/inner/f")));
  const std::string info = dir_.read("trash/info/tree.trashinfo");
  EXPECT_EQ(0u, info.find("[Trash Info]\nPath=" + SharePath("tree") + "\nDeletionDate="));
  EXPECT_EQ(-1, Tessaly_DeleteFile(Share().c_str(), "", 0));
}

TEST_F(FileOperationsTest, MoveDirectoryFilesThroughTheShell) {
  fs::create_directory(dir_.linuxPath("to"));
  WriteFileAt(SharePath("a"), "1", 10);
  WriteFileAt(SharePath("b"), "2", 10);
  WriteFileAt(dir_.linuxPath("to/b"), "old", 10);
  int aborted = -1;
  ASSERT_EQ(0, MoveDirectoryFiles(Share().c_str(), dir_.windowsPath("to").c_str(), &aborted,
                                  0x0010 /* replace */));
  EXPECT_EQ(0, aborted);
  EXPECT_EQ("2", dir_.read("to/b"));
  EXPECT_TRUE(fs::exists(dir_.linuxPath("to/a")));
  WriteFileAt(SharePath("a"), "again", 10);
  ASSERT_EQ(0, MoveDirectoryFiles(Share().c_str(), dir_.windowsPath("to").c_str(), &aborted, 0));
  EXPECT_EQ(1, aborted);  // the shell would have asked
  EXPECT_TRUE(fs::exists(SharePath("a")));
  EXPECT_EQ(-1, MoveDirectoryFiles(nullptr, dir_.windowsPath("to").c_str(), &aborted, 0));
  EXPECT_EQ(-1, MoveDirectoryFiles(Share().c_str(), "", nullptr, 0));
}

struct Failures {
  std::vector<std::string> from;
  int answer = 1;
};

int WINAPI OnFailure(const char* from, const char* /*to*/, unsigned long error, void* user) {
  auto* failures = static_cast<Failures*>(user);
  failures->from.push_back(std::string(from) + ":" + std::to_string(error));
  return failures->answer;
}

TEST_F(FileOperationsTest, MoveDirectoryFiles2ReportsFailures) {
  fs::create_directory(dir_.linuxPath("to"));
  for (const char* name : {"a", "b", "c"}) WriteFileAt(SharePath(name), name, 10);
  fs::create_directory(SharePath("sub"));
  WriteFileAt(dir_.linuxPath("to/b"), "taken", 10);
  Failures failures;
  failures.answer = 0;
  EXPECT_EQ(-1, MoveDirectoryFiles2(Share().c_str(), dir_.windowsPath("to").c_str(), &OnFailure,
                                    &failures));
  ASSERT_EQ(1u, failures.from.size());
  EXPECT_EQ(Share() + "\\b:183", failures.from[0]);
  EXPECT_TRUE(fs::exists(dir_.linuxPath("to/a")));  // moved before the failure
  EXPECT_TRUE(fs::exists(SharePath("c")));          // not reached

  // A null callback goes on; subfolders stay.
  EXPECT_EQ(0,
            MoveDirectoryFiles2(Share().c_str(), dir_.windowsPath("to").c_str(), nullptr, nullptr));
  EXPECT_TRUE(fs::exists(dir_.linuxPath("to/c")));
  EXPECT_TRUE(fs::exists(SharePath("sub")));
  EXPECT_EQ(-1, MoveDirectoryFiles2("", dir_.windowsPath("to").c_str(), nullptr, nullptr));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND,
            MoveDirectoryFiles2(dir_.windowsPath("none").c_str(), dir_.windowsPath("to").c_str(),
                                nullptr, nullptr));
}

}  // namespace
}  // namespace kelvra::test
