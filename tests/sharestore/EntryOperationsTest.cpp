// Entries of the current folder: setting, acknowledging, removing, finding and
// enumerating files and subfolders, with the lines written and the counts kept.
#include "IndexTestFixture.h"

namespace kelvra::test {
namespace {

class EntryOperationsTest : public IndexTestFixture {
 protected:
  void SetUp() override {
    IndexTestFixture::SetUp();
    ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
    ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  }
};

TEST_F(EntryOperationsTest, SetFileWritesAndReplaces) {
  ASSERT_EQ(0, index_.SetFile("Report.txt", Ticks(0x01d00000abcdef01ULL), CT_NEW));
  EXPECT_EQ("File=1,abcdef01-01d00000,N,Report.txt", Lines().back());
  ASSERT_EQ(0, index_.SetFile("REPORT.TXT", Ticks(5), CT_MODIFIED));
  EXPECT_EQ("File=1,00000005-00000000,M,REPORT.TXT", Lines().back());
  EXPECT_EQ("REPORT.TXT 2;", Files());
  EXPECT_EQ(std::make_pair(3, 1), Stat());
}

TEST_F(EntryOperationsTest, SetFileRefusals) {
  EXPECT_EQ(-2, index_.SetFile("a", FILETIME{}, 4));
  EXPECT_EQ(-2, index_.SetFile("a", FILETIME{}, -1));
  EXPECT_EQ(-1, index_.SetFile(nullptr, FILETIME{}, 0));
  EXPECT_EQ(-1, index_.SetFile("", FILETIME{}, 0));
  EXPECT_EQ(-1, index_.SetFile("a\r\nFolder=7,x,*.*,Z:\\x", FILETIME{}, 0));
  EXPECT_EQ(-1, index_.SetSubfolder("b\nc", 0));
  EXPECT_EQ(1u, Lines().size());
  index_.SetCurrentFolder(nullptr);
  EXPECT_EQ(-1, index_.SetFile("a", FILETIME{}, 0));
}

TEST_F(EntryOperationsTest, RemoveChangeAcknowledges) {
  ASSERT_EQ(0, index_.SetFile("gone", Ticks(1), CT_DELETED));
  ASSERT_EQ(0, index_.SetFile("same", Ticks(2), CT_UNCHANGED));
  ASSERT_EQ(0, index_.RemoveChange("GONE"));
  EXPECT_EQ("RemoveFile=1,gone", Lines().back());
  ASSERT_EQ(0, index_.RemoveChange("same"));  // already unchanged: still a line
  EXPECT_EQ("File=1,00000002-00000000,_,same", Lines().back());
  const std::size_t before = Lines().size();
  EXPECT_EQ(0, index_.RemoveChange("unknown"));
  EXPECT_EQ(before, Lines().size());
  EXPECT_EQ("same 0;", Files());
  EXPECT_EQ(std::make_pair(5, 2 + 1), Stat());
}

TEST_F(EntryOperationsTest, RemoveFileDropsTheEntry) {
  ASSERT_EQ(0, index_.SetFile("a", Ticks(1), CT_NEW));
  ASSERT_EQ(0, index_.RemoveFile("A"));
  EXPECT_EQ("RemoveFile=1,a", Lines().back());
  EXPECT_EQ(1, index_.FindFile("a", nullptr, nullptr));
  EXPECT_EQ(0, index_.RemoveFile("a"));
  EXPECT_EQ(std::make_pair(3, 2), Stat());
}

TEST_F(EntryOperationsTest, CountsAndMasks) {
  ASSERT_EQ(0, index_.SetFile("u", Ticks(1), CT_UNCHANGED));
  ASSERT_EQ(0, index_.SetFile("n", Ticks(1), CT_NEW));
  ASSERT_EQ(0, index_.SetFile("m", Ticks(1), CT_MODIFIED));
  ASSERT_EQ(0, index_.SetFile("d", Ticks(1), CT_DELETED));
  int count = -1;
  ASSERT_EQ(0, index_.GetFileCount(&count, 0));
  EXPECT_EQ(4, count);
  ASSERT_EQ(0, index_.GetFileCount(&count, 2 | 8));
  EXPECT_EQ(2, count);
  EXPECT_EQ("d 3;n 1;", Files(2 | 8));
  EXPECT_EQ("m 2;", Files(4));
  EXPECT_EQ(-1, index_.GetFileCount(nullptr, 0));
}

TEST_F(EntryOperationsTest, FindNextBeforeFindFirstIsRefused) {
  const char* name = nullptr;
  FILETIME time{};
  int type = 0;
  EXPECT_EQ(-2, index_.FindNextFile(0, &name, &time, &type));
  EXPECT_EQ(-2, index_.FindNextSubfolder(0, &name, &type));
  EXPECT_EQ(1, index_.FindFirstFile(0, &name, &time, &type));
  EXPECT_EQ(-1, index_.FindFirstFile(0, &name, nullptr, &type));
}

// The natural loop: find the next change, acknowledge it, go on.
TEST_F(EntryOperationsTest, AcknowledgingWhileEnumeratingVisitsEachChangeOnce) {
  for (const char* name : {"a", "b", "c", "d"})
    ASSERT_EQ(0, index_.SetFile(name, Ticks(1), CT_DELETED));
  ASSERT_EQ(0, index_.SetFile("e", Ticks(1), CT_NEW));
  std::string seen;
  const char* name = nullptr;
  FILETIME time{};
  int type = 0;
  for (int rc = index_.FindFirstFile(8 | 2, &name, &time, &type); rc == 0;
       rc = index_.FindNextFile(8 | 2, &name, &time, &type)) {
    seen += name;
    ASSERT_EQ(0, index_.RemoveChange(name));
  }
  EXPECT_EQ("abcde", seen);
  EXPECT_EQ("e 0;", Files());
}

TEST_F(EntryOperationsTest, EachFolderKeepsItsOwnCursor) {
  ASSERT_EQ(0, index_.SetFile("a1", Ticks(1), CT_NEW));
  ASSERT_EQ(0, index_.SetFile("a2", Ticks(1), CT_NEW));
  ASSERT_EQ(0, index_.AddFolder("other", "Z:\\b", "*.*"));
  const char* name = nullptr;
  FILETIME time{};
  int type = 0;
  ASSERT_EQ(0, index_.FindFirstFile(0, &name, &time, &type));
  ASSERT_EQ(0, index_.SetCurrentFolder("other"));
  EXPECT_EQ(-2, index_.FindNextFile(0, &name, &time, &type));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  ASSERT_EQ(0, index_.FindNextFile(0, &name, &time, &type));
  EXPECT_STREQ("a2", name);
}

TEST_F(EntryOperationsTest, GetUniqueNumbersTakenNames) {
  int n = -1;
  ASSERT_EQ(0, index_.GetUnique("a.txt", &n));
  EXPECT_EQ(0, n);
  ASSERT_EQ(0, index_.SetFile("a.txt", Ticks(1), 0));
  ASSERT_EQ(0, index_.SetFile("A1.TXT", Ticks(1), 0));
  ASSERT_EQ(0, index_.GetUnique("a.txt", &n));
  EXPECT_EQ(2, n);
  ASSERT_EQ(0, index_.SetFile("README", Ticks(1), 0));
  ASSERT_EQ(0, index_.GetUnique("README", &n));
  EXPECT_EQ(1, n);
  ASSERT_EQ(0, index_.SetFile(".profile", Ticks(1), 0));
  ASSERT_EQ(0, index_.SetFile("1.profile", Ticks(1), 0));
  ASSERT_EQ(0, index_.GetUnique(".profile", &n));
  EXPECT_EQ(2, n);
  EXPECT_EQ(-1, index_.GetUnique("", &n));
  EXPECT_EQ(-1, index_.GetUnique("a", nullptr));
}

TEST_F(EntryOperationsTest, SubfolderOperations) {
  ASSERT_EQ(0, index_.SetSubfolder("a\\b", CT_NEW));
  EXPECT_EQ("Subfolder=1,N,a\\b", Lines().back());
  ASSERT_EQ(0, index_.SetSubfolder("c", CT_DELETED));
  int type = -1;
  ASSERT_EQ(0, index_.FindSubfolder("A\\B", &type));
  EXPECT_EQ(CT_NEW, type);
  EXPECT_EQ(0, index_.FindSubfolder("c", nullptr));
  ASSERT_EQ(0, index_.RemoveSubfolderChange("a\\b"));
  EXPECT_EQ("Subfolder=1,_,a\\b", Lines().back());
  ASSERT_EQ(0, index_.RemoveSubfolderChange("c"));
  EXPECT_EQ("RemoveSubfolder=1,c", Lines().back());
  EXPECT_EQ("a\\b 0;", Subfolders());
  ASSERT_EQ(0, index_.RemoveSubfolder("a\\b"));
  EXPECT_EQ("RemoveSubfolder=1,a\\b", Lines().back());
  EXPECT_EQ("", Subfolders());
  EXPECT_EQ(std::make_pair(6, 1 + 2 + 2), Stat());
}

}  // namespace
}  // namespace kelvra::test
