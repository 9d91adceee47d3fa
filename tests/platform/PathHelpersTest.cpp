#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FileTestFixture.h"
#include "win32/files.h"

namespace {

std::string Combine(const char* dir, const char* file) {
  char dest[MAX_PATH] = "garbage";
  const char* result = PathCombineA(dest, dir, file);
  return result == nullptr ? "NULL:" + std::string(dest) : std::string(result);
}

std::string RemoveFileSpec(const std::string& path, BOOL expected) {
  char buffer[MAX_PATH];
  std::strcpy(buffer, path.c_str());
  EXPECT_EQ(PathRemoveFileSpecA(buffer), expected) << path;
  return buffer;
}

class PathTextTest : public ::testing::Test {};

TEST_F(PathTextTest, CombineJoinsWithOneSeparatorAndResolvesDots) {
  EXPECT_EQ(Combine("C:\\dir", "file.txt"), "C:\\dir\\file.txt");
  EXPECT_EQ(Combine("C:\\dir\\", "file.txt"), "C:\\dir\\file.txt");
  EXPECT_EQ(Combine("C:\\a\\b", "..\\c"), "C:\\a\\c");
  EXPECT_EQ(Combine("C:\\a", ".\\c"), "C:\\a\\c");
  EXPECT_EQ(Combine("C:\\a\\b", "\\root.txt"), "C:\\root.txt");
  EXPECT_EQ(Combine("C:\\a", "D:\\other"), "D:\\other");
  EXPECT_EQ(Combine("\\\\srv\\share\\a", "..\\..\\..\\x"), "\\\\srv\\share\\x");
  EXPECT_EQ(Combine("C:\\a", nullptr), "C:\\a");
  EXPECT_EQ(Combine(nullptr, "b"), "b");
  EXPECT_EQ(Combine(nullptr, nullptr), "NULL:");
  EXPECT_EQ(Combine("C:\\a", std::string(MAX_PATH, 'x').c_str()), "NULL:");
}

TEST_F(PathTextTest, RemoveFileSpecStopsAtTheRoot) {
  EXPECT_EQ(RemoveFileSpec("C:\\dir\\file.txt", TRUE), "C:\\dir");
  EXPECT_EQ(RemoveFileSpec("C:\\dir\\", TRUE), "C:\\dir");
  EXPECT_EQ(RemoveFileSpec("C:\\file.txt", TRUE), "C:\\");
  EXPECT_EQ(RemoveFileSpec("C:\\", FALSE), "C:\\");
  EXPECT_EQ(RemoveFileSpec("file.txt", TRUE), "");
  EXPECT_EQ(RemoveFileSpec("", FALSE), "");
  EXPECT_EQ(RemoveFileSpec("\\\\server\\share", TRUE), "\\\\server");
  EXPECT_EQ(RemoveFileSpec("\\\\server", TRUE), "\\\\");
  EXPECT_EQ(RemoveFileSpec("\\\\", FALSE), "\\\\");
}

TEST_F(PathTextTest, UncTests) {
  EXPECT_TRUE(PathIsUNCA("\\\\server\\share\\x"));
  EXPECT_TRUE(PathIsUNCA("\\\\server"));
  EXPECT_TRUE(PathIsUNCA("\\\\?\\UNC\\server\\share"));
  EXPECT_FALSE(PathIsUNCA("\\\\?\\C:\\x"));
  EXPECT_FALSE(PathIsUNCA("C:\\x"));
  EXPECT_FALSE(PathIsUNCA("\\x"));
  EXPECT_TRUE(PathIsUNCServerA("\\\\server"));
  EXPECT_FALSE(PathIsUNCServerA("\\\\server\\share"));
  EXPECT_FALSE(PathIsUNCServerA("C:\\"));
}

TEST_F(PathTextTest, AppendAndFindFileName) {
  char path[MAX_PATH] = "C:\\dir";
  EXPECT_TRUE(PathAppendA(path, "\\sub\\file.txt"));
  EXPECT_STREQ(path, "C:\\dir\\sub\\file.txt");
  EXPECT_STREQ(PathFindFileNameA("C:\\dir\\file.txt"), "file.txt");
  EXPECT_STREQ(PathFindFileNameA("C:file.txt"), "file.txt");
  EXPECT_STREQ(PathFindFileNameA("C:\\dir\\"), "dir\\");
  EXPECT_STREQ(PathFindFileNameA("name"), "name");
}

TEST_F(PathTextTest, StrToIntTakesTheLeadingDecimalNumber) {
  EXPECT_EQ(StrToIntA("14.0.0.4760"), 14);
  EXPECT_EQ(StrToIntA("-12abc"), -12);
  EXPECT_EQ(StrToIntA("+7"), 7);
  EXPECT_EQ(StrToIntA("abc"), 0);
  EXPECT_EQ(StrToIntA(" 5"), 0);
  EXPECT_EQ(StrToIntA(""), 0);
  EXPECT_EQ(StrToIntA("0x10"), 0);
}

class PathDiskTest : public FileTestFixture {};

TEST_F(PathDiskTest, ExistenceAndFolderTests) {
  dir.write("a.txt", "");
  MakeFolder("Sub");
  EXPECT_TRUE(PathFileExistsA(Win("A.TXT").c_str()));
  EXPECT_TRUE(PathFileExistsA(Win("sub").c_str()));
  EXPECT_FALSE(PathFileExistsA(Win("none").c_str()));
  EXPECT_EQ(PathIsDirectoryA(Win("SUB").c_str()), static_cast<BOOL>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_FALSE(PathIsDirectoryA(Win("a.txt").c_str()));
  EXPECT_FALSE(PathIsDirectoryA("\\\\server\\share"));
  EXPECT_FALSE(PathFileExistsA(nullptr));
}

}  // namespace
