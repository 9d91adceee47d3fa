#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "FileTestFixture.h"
#include "testkit/Files.h"
#include "win32/files.h"

namespace {

class TempPathTest : public FileTestFixture {};

TEST_F(TempPathTest, DefaultIsTheSystemTempFolderOnDriveZ) {
  std::string expected = "Z:" + std::filesystem::temp_directory_path().string();
  for (char& c : expected)
    if (c == '/') c = '\\';
  if (expected.back() != '\\') expected += '\\';
  char buffer[MAX_PATH];
  EXPECT_EQ(GetTempPathA(MAX_PATH, buffer), expected.size());
  EXPECT_EQ(buffer, expected);
}

TEST_F(TempPathTest, SetFolderGetsATrailingSeparator) {
  testkit::SetTempPath("C:\\Temp");
  char buffer[MAX_PATH];
  EXPECT_EQ(GetTempPathA(MAX_PATH, buffer), 8u);
  EXPECT_STREQ(buffer, "C:\\Temp\\");
}

TEST_F(TempPathTest, ASmallBufferGetsTheSizeNeeded) {
  testkit::SetTempPath("C:\\Temp\\");
  char buffer[8] = "unused";
  EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 9u);
  EXPECT_STREQ(buffer, "unused");
}

class TempFileNameTest : public FileTestFixture {};

TEST_F(TempFileNameTest, CreatesDistinctEmptyFilesNamedByPrefixAndNumber) {
  char first[MAX_PATH];
  char second[MAX_PATH];
  const UINT a = GetTempFileNameA(dir.windows().c_str(), "vcard", 0, first);
  const UINT b = GetTempFileNameA((dir.windows() + "\\").c_str(), "vcard", 0, second);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_NE(a, b);
  EXPECT_NE(std::string(first), std::string(second));
  const std::regex shape(std::regex_replace(dir.windows(), std::regex(R"(\\)"), R"(\\)") +
                         R"(\\vca[0-9A-F]{1,4}\.tmp)");
  EXPECT_TRUE(std::regex_match(std::string(first), shape)) << first;
  EXPECT_TRUE(std::regex_match(std::string(second), shape)) << second;
  EXPECT_TRUE(std::filesystem::is_regular_file(testkit::ToLinuxPath(first)));
  EXPECT_EQ(std::filesystem::file_size(testkit::ToLinuxPath(first)), 0u);
}

TEST_F(TempFileNameTest, ANumberGivenOnlyFormsTheName) {
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA(dir.windows().c_str(), "tmp", 0x2A, name), 0x2Au);
  EXPECT_EQ(std::string(name), dir.windows() + "\\tmp2A.tmp");
  EXPECT_FALSE(dir.exists("tmp2A.tmp"));
}

TEST_F(TempFileNameTest, AMissingFolderFails) {
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA(Win("none").c_str(), "tmp", 0, name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(TempFileNameTest, AFolderTooLongForTheBufferFails) {
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA(("C:\\" + std::string(250, 'x')).c_str(), "tmp", 0, name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
}

}  // namespace
