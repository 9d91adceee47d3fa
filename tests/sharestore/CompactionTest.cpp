// Compacting the base: what the new base holds, that it reads back to the same index,
// the files around it, and how a failing step is reported without losing the base.
#include <filesystem>

#include "IndexTestFixture.h"
#include "testkit/Files.h"

namespace kelvra::test {
namespace {

class CompactionTest : public IndexTestFixture {
 protected:
  void Fill() {
    ASSERT_EQ(0, index_.AddFolder("b", "Z:\\b, c", "*.*"));
    ASSERT_EQ(0, index_.AddFolder("a", "Z:\\a", "*.txt"));
    ASSERT_EQ(0, index_.AddFolder("gone", "Z:\\g", "*.*"));
    ASSERT_EQ(0, index_.SetCurrentFolder("b"));
    ASSERT_EQ(0, index_.SetFile("y", Ticks(2), CT_NEW));
    ASSERT_EQ(0, index_.SetFile("X", Ticks(1), CT_DELETED));
    ASSERT_EQ(0, index_.SetFile("Y", Ticks(3), CT_MODIFIED));
    ASSERT_EQ(0, index_.SetSubfolder("s\\t", CT_UNCHANGED));
    ASSERT_EQ(0, index_.RemoveFolder("gone"));
  }
};

TEST_F(CompactionTest, WritesFoldersInKeyOrderWithTheirEntries) {
  Fill();
  ASSERT_EQ(0, index_.CompactBase());
  const std::vector<std::string> expected{
      "Folder=2,a,*.txt,Z:\\a",       "Folder=1,b,*.*,Z:\\b, c", "File=1,00000001-00000000,D,X",
      "File=1,00000003-00000000,M,Y", "Subfolder=1,_,s\\t",
  };
  EXPECT_EQ(expected, Lines());
  EXPECT_EQ(std::make_pair(5, 0), Stat());
  EXPECT_FALSE(dir_.exists("base.txt.new"));
  EXPECT_FALSE(dir_.exists("base.txt.old"));
  // The base stays open for appending.
  ASSERT_EQ(0, index_.SetCurrentFolder("a"));
  ASSERT_EQ(0, index_.SetFile("z", Ticks(4), CT_NEW));
  EXPECT_EQ("File=2,00000004-00000000,N,z", Lines().back());
}

TEST_F(CompactionTest, ReadsBackToTheSameIndex) {
  Fill();
  ASSERT_EQ(0, index_.CompactBase());
  const std::vector<std::string> compacted = Lines();
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
  EXPECT_EQ(std::make_pair(5, 0), Stat());
  ASSERT_EQ(0, index_.SetCurrentFolder("b"));
  EXPECT_EQ("X 3;Y 2;", Files());
  EXPECT_EQ("s\\t 0;", Subfolders());
  ASSERT_EQ(0, index_.CompactBase());
  EXPECT_EQ(compacted, Lines());
  // The highest number is now that of the highest remaining folder.
  ASSERT_EQ(0, index_.AddFolder("c", "Z:\\c", "*.*"));
  EXPECT_EQ("Folder=3,c,*.*,Z:\\c", Lines().back());
}

TEST_F(CompactionTest, StaleOldFileIsReplaced) {
  Fill();
  dir_.write("base.txt.old", "stale");
  ASSERT_EQ(0, index_.CompactBase());
  EXPECT_FALSE(dir_.exists("base.txt.old"));
  EXPECT_EQ(5u, Lines().size());
}

TEST_F(CompactionTest, InitBringsBackABaseLeftMissing) {
  Fill();
  index_.Close();
  std::filesystem::rename(dir_.linuxPath("base.txt"), dir_.linuxPath("base.txt.old"));
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
  EXPECT_EQ(0, index_.FindFolder("a", nullptr, nullptr));
  EXPECT_FALSE(dir_.exists("base.txt.old"));
}

TEST_F(CompactionTest, NewFileThatCannotBeCreatedKeepsTheBase) {
  Fill();
  std::filesystem::create_directory(dir_.linuxPath("base.txt.new"));
  const auto before = Lines();
  EXPECT_EQ(-1, index_.CompactBase());
  EXPECT_EQ(before, Lines());
  ASSERT_EQ(0, index_.SetFile("still", Ticks(1), CT_NEW));  // the base is still open
}

TEST_F(CompactionTest, FailedWriteOfTheNewBaseKeepsTheBase) {
  Fill();
  const auto before = Lines();
  const auto stat = Stat();
  testkit::InjectShortWrite(10);
  EXPECT_EQ(-10, index_.CompactBase());
  EXPECT_EQ(before, Lines());
  EXPECT_EQ(stat, Stat());
  EXPECT_FALSE(dir_.exists("base.txt.new"));
  EXPECT_EQ(0, index_.SetFile("still", Ticks(1), CT_NEW));
}

TEST_F(CompactionTest, NewBaseThatCannotTakeThePlaceKeepsTheOldOne) {
  Fill();
  index_.Close();
  // A folder in the base's place: the index reads nothing, and the new base cannot
  // replace a folder.
  std::filesystem::rename(dir_.linuxPath("base.txt"), dir_.linuxPath("kept.txt"));
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\k", "*.*"));
  std::filesystem::remove(dir_.linuxPath("base.txt"));
  std::filesystem::create_directory(dir_.linuxPath("base.txt"));
  const int code = index_.CompactBase();
  EXPECT_TRUE(code == -120 || code == -130) << code;
  EXPECT_TRUE(std::filesystem::is_directory(dir_.linuxPath("base.txt")));
  EXPECT_FALSE(dir_.exists("base.txt.new"));
  EXPECT_EQ(-1, index_.AddFolder("m", "Z:\\m", "*.*"));  // no open base any more
}

TEST_F(CompactionTest, NoBaseNoCompaction) {
  index_.Close();
  EXPECT_EQ(-1, index_.CompactBase());
}

}  // namespace
}  // namespace kelvra::test
