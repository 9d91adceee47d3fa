#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FileTestFixture.h"
#include "win32/files.h"

namespace {

class FindFilesTest : public FileTestFixture {
 protected:
  // The names a search returns, in order; the error of a search that finds nothing.
  std::vector<std::string> Find(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return {"error " + std::to_string(GetLastError())};
    do names.emplace_back(data.cFileName);
    while (FindNextFileA(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    return names;
  }
  void Files(const std::vector<std::string>& names) {
    for (const std::string& n : names) dir.write(n, "");
  }
};

using Names = std::vector<std::string>;

TEST_F(FindFilesTest, DotsComeFirstThenNamesIgnoringCase) {
  Files({"b.txt", "C.txt", "a.TXT", "_x", "ab"});
  MakeFolder("D");
  // "host" is the fixture's drive C: folder.
  const Names all{".", "..", "a.TXT", "ab", "b.txt", "C.txt", "D", "host", "_x"};
  EXPECT_EQ(Find(Win("*")), all);
  EXPECT_EQ(Find(Win("*.*")), all);
}

TEST_F(FindFilesTest, WildcardsMatchTheLastComponentIgnoringCase) {
  Files({"en.ini", "DE.INI", "readme.txt", "cal.vcs", "cal.ics", "cal.vcf", "x.inix"});
  EXPECT_EQ(Find(Win("*.ini")), (Names{"DE.INI", "en.ini"}));
  EXPECT_EQ(Find(Win("*.?cs")), (Names{"cal.ics", "cal.vcs"}));
  EXPECT_EQ(Find(Win("CAL.*")), (Names{"cal.ics", "cal.vcf", "cal.vcs"}));
  EXPECT_EQ(Find(Win("readme.txt")), (Names{"readme.txt"}));
  EXPECT_EQ(Find(Win("r*m?.t*t")), (Names{"readme.txt"}));
}

TEST_F(FindFilesTest, TheFolderPartMatchesIgnoringCaseAndEitherSeparator) {
  MakeFolder("Lang");
  Files({"Lang/en.ini"});
  EXPECT_EQ(Find("Z:" + dir.linux() + "/LANG/*.INI"), (Names{"en.ini"}));
}

TEST_F(FindFilesTest, NoMatchAndMissingFolderAreDifferentErrors) {
  Files({"a.txt"});
  EXPECT_EQ(Find(Win("*.vcf")), (Names{"error 2"}));
  EXPECT_EQ(Find(Win("none\\*.vcf")), (Names{"error 3"}));
  EXPECT_EQ(Find(Win("sub\\")), (Names{"error 3"}));
  EXPECT_EQ(Find("\\\\server\\share\\*"), (Names{"error 53"}));
}

TEST_F(FindFilesTest, EntriesCarryAttributesSizeAndTimes) {
  dir.write("a.txt", "12345");
  SetMTime("a.txt", 1700000000, 123456789);
  MakeFolder("sub");
  WIN32_FIND_DATAA data{};
  HANDLE h = FindFirstFileA(Win("a.txt").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  const std::uint64_t expected = (1700000000ull + 11644473600ull) * 10000000ull + 1234567ull;
  const std::uint64_t written =
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime;
  EXPECT_EQ(written, expected);
  EXPECT_STREQ(data.cAlternateFileName, "");
  FindClose(h);

  h = FindFirstFileA(Win("sub").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_STREQ(data.cFileName, "sub");
  FindClose(h);
}

TEST_F(FindFilesTest, ASearchHandleIsOnlyClosedOnce) {
  Files({"a.txt"});
  WIN32_FIND_DATAA data{};
  HANDLE h = FindFirstFileA(Win("*").c_str(), &data);
  ASSERT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
