#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "FileTestFixture.h"
#include "testkit/Files.h"
#include "win32/files.h"

namespace {

class DriveMappingTest : public FileTestFixture {};

TEST_F(DriveMappingTest, DriveZIsTheLinuxRootInEitherCase) {
  EXPECT_EQ(testkit::ToLinuxPath("Z:\\"), "/");
  EXPECT_EQ(testkit::ToLinuxPath("z:"), "/");
  EXPECT_EQ(testkit::ToLinuxPath(dir.windows() + "\\new.txt"), dir.linuxPath("new.txt"));
  std::string lower = dir.windows();
  lower[0] = 'z';
  EXPECT_EQ(testkit::ToLinuxPath(lower + "\\new.txt"), dir.linuxPath("new.txt"));
}

TEST_F(DriveMappingTest, DriveCIsTheHostRoot) {
  EXPECT_EQ(testkit::ToLinuxPath("C:\\"), dir.linuxPath("host"));
  EXPECT_EQ(testkit::ToLinuxPath("c:\\Users\\x.txt"), dir.linuxPath("host") + "/Users/x.txt");
  EXPECT_EQ(testkit::ToLinuxPath("C:x.txt"), dir.linuxPath("host") + "/x.txt");
}

TEST_F(DriveMappingTest, HostRootIsCreatedWhenFirstUsed) {
  testkit::SetHostRoot(dir.linuxPath("later/root"));
  EXPECT_FALSE(dir.exists("later"));
  EXPECT_EQ(testkit::ToLinuxPath("C:\\a"), dir.linuxPath("later/root/a"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.linuxPath("later/root")));
}

TEST_F(DriveMappingTest, DotsResolveByTextAndNeverLeaveTheDrive) {
  EXPECT_EQ(testkit::ToLinuxPath("C:\\..\\..\\etc\\passwd"), dir.linuxPath("host") + "/etc/passwd");
  EXPECT_EQ(testkit::ToLinuxPath(dir.windows() + "\\x\\..\\.\\y"), dir.linuxPath("y"));
}

TEST_F(DriveMappingTest, PathsWithoutAMappingGiveNothing) {
  EXPECT_EQ(testkit::ToLinuxPath("\\\\server\\share\\file"), "");
  EXPECT_EQ(testkit::ToLinuxPath("//server/share"), "");
  EXPECT_EQ(testkit::ToLinuxPath("D:\\data"), "");
  EXPECT_EQ(testkit::ToLinuxPath(""), "");
}

class SeparatorTest : public FileTestFixture {};

TEST_F(SeparatorTest, BothSeparatorsAndDoubledOnesCollapse) {
  const std::string mixed = "Z:" + dir.linux() + "//sub\\\\deeper/\\name";
  EXPECT_EQ(testkit::ToLinuxPath(mixed), dir.linuxPath("sub/deeper/name"));
}

TEST_F(SeparatorTest, RelativePathsStayRelative) {
  EXPECT_EQ(testkit::ToLinuxPath("no-such-a\\b/c"), "no-such-a/b/c");
}

TEST_F(SeparatorTest, RootedPathWithoutDriveIsOnDriveZ) {
  EXPECT_EQ(testkit::ToLinuxPath(dir.linux() + "\\x"), dir.linuxPath("x"));
}

class CaseLookupTest : public FileTestFixture {};

TEST_F(CaseLookupTest, ComponentsTakeTheSpellingOnDisk) {
  MakeFolder("Sub");
  dir.write("Sub/File.TXT", "x");
  EXPECT_EQ(testkit::ToLinuxPath(Win("SUB\\file.txt")), dir.linuxPath("Sub/File.TXT"));
}

TEST_F(CaseLookupTest, ComponentsBelowAMissingOneAreKeptAsWritten) {
  MakeFolder("Sub");
  EXPECT_EQ(testkit::ToLinuxPath(Win("sub\\Missing\\FILE")), dir.linuxPath("Sub/Missing/FILE"));
}

TEST_F(CaseLookupTest, ExactSpellingWinsThenFirstInByteOrder) {
  MakeFolder("abc");
  MakeFolder("ABC");
  EXPECT_EQ(testkit::ToLinuxPath(Win("abc")), dir.linuxPath("abc"));
  EXPECT_EQ(testkit::ToLinuxPath(Win("Abc")), dir.linuxPath("ABC"));
}

TEST_F(CaseLookupTest, FileCallsFindTheEntryWhateverTheCase) {
  dir.write("Data.Ini", "content");
  EXPECT_NE(GetFileAttributesA(Win("DATA.INI").c_str()), INVALID_FILE_ATTRIBUTES);
  HANDLE h = CreateFileA(Win("data.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(h, nullptr), 7u);
  CloseHandle(h);
}

TEST_F(CaseLookupTest, AFolderIsReadOnceWhileOnlyTheStandInAddsToIt) {
  MakeFolder("Many");
  const unsigned long before = testkit::FolderReadCount();
  for (int i = 0; i < 50; ++i) {
    const std::string name = Win("Many\\Card" + std::to_string(i) + ".vcf");
    ASSERT_FALSE(PathFileExistsA(name.c_str()));
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_TRUE(PathFileExistsA(Win("MANY\\card" + std::to_string(i) + ".VCF").c_str()));
  }
  EXPECT_LE(testkit::FolderReadCount() - before, 3u);
}

TEST_F(CaseLookupTest, RenamesAndDeletionsOfTheStandInKeepTheFolderKnown) {
  MakeFolder("Moves");
  const unsigned long before = testkit::FolderReadCount();
  for (int i = 0; i < 50; ++i) {
    char temporary[MAX_PATH] = {};
    ASSERT_NE(GetTempFileNameA(Win("Moves").c_str(), "kel", 0, temporary), 0u);
    const std::string target = Win("Moves\\Event" + std::to_string(i) + ".ics");
    EXPECT_TRUE(PathFileExistsA(temporary));
    ASSERT_TRUE(MoveFileExA(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(PathFileExistsA(temporary));
    EXPECT_TRUE(PathFileExistsA(Win("MOVES\\event" + std::to_string(i) + ".ICS").c_str()));
  }
  ASSERT_TRUE(DeleteFileA(Win("Moves\\event0.ics").c_str()));
  EXPECT_FALSE(PathFileExistsA(Win("Moves\\Event0.ics").c_str()));
  EXPECT_LE(testkit::FolderReadCount() - before, 3u);
}

TEST_F(CaseLookupTest, EntriesMadeByOthersAreSeenAtTheNextLookup) {
  MakeFolder("Shared");
  EXPECT_FALSE(PathFileExistsA(Win("Shared\\report.txt").c_str()));
  dir.write("Shared/Report.TXT", "x");
  EXPECT_EQ(testkit::ToLinuxPath(Win("shared\\report.txt")), dir.linuxPath("Shared/Report.TXT"));
  std::filesystem::remove(dir.linuxPath("Shared/Report.TXT"));
  EXPECT_FALSE(PathFileExistsA(Win("Shared\\report.txt").c_str()));
  // A file the stand-in makes after another program changed the folder.
  dir.write("Shared/Other.txt", "x");
  HANDLE h = CreateFileA(Win("Shared\\New.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(testkit::ToLinuxPath(Win("shared\\other.TXT")), dir.linuxPath("Shared/Other.txt"));
  EXPECT_EQ(testkit::ToLinuxPath(Win("shared\\NEW.txt")), dir.linuxPath("Shared/New.txt"));
}

}  // namespace
