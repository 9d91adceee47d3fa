// Appends that fail or fall short: the base is cut back to where the line began, the
// index in memory is left as it was, and -10 is reported.
#include <filesystem>

#include "IndexTestFixture.h"
#include "testkit/Files.h"

namespace kelvra::test {
namespace {

class WriteFailureTest : public IndexTestFixture {
 protected:
  std::uintmax_t BaseSize() const { return std::filesystem::file_size(dir_.linuxPath("base.txt")); }
};

TEST_F(WriteFailureTest, ShortAppendIsCutBackAndNothingChanges) {
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  const auto size = BaseSize();
  const auto stat = Stat();
  testkit::InjectShortWrite(5);
  EXPECT_EQ(-10, index_.SetFile("a", Ticks(1), CT_NEW));
  EXPECT_EQ(size, BaseSize());
  EXPECT_EQ(stat, Stat());
  EXPECT_EQ(1, index_.FindFile("a", nullptr, nullptr));
  // The next line stands on its own line.
  ASSERT_EQ(0, index_.SetFile("b", Ticks(1), CT_NEW));
  EXPECT_EQ("File=1,00000001-00000000,N,b", Lines().back());
}

TEST_F(WriteFailureTest, FailedAddFolderUsesItsNumberUp) {
  testkit::InjectShortWrite(0);
  EXPECT_EQ(-10, index_.AddFolder("k", "Z:\\a", "*.*"));
  EXPECT_EQ(1, index_.FindFolder("k", nullptr, nullptr));
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
  EXPECT_EQ((std::vector<std::string>{"Folder=2,k,*.*,Z:\\a"}), Lines());
}

TEST_F(WriteFailureTest, FailedAcknowledgementKeepsTheChange) {
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  ASSERT_EQ(0, index_.SetFile("a", Ticks(1), CT_DELETED));
  testkit::InjectShortWrite(3);
  EXPECT_EQ(-10, index_.RemoveChange("a"));
  int type = -1;
  ASSERT_EQ(0, index_.FindFile("a", nullptr, &type));
  EXPECT_EQ(CT_DELETED, type);
  testkit::InjectShortWrite(3);
  EXPECT_EQ(-10, index_.RemoveFolder("k"));
  EXPECT_EQ(0, index_.FindFolder("k", nullptr, nullptr));
}

TEST_F(WriteFailureTest, ScanStopsAtAFailedLineWithoutClosingMark) {
  std::filesystem::create_directory(dir_.linuxPath("w"));
  WriteFileAt(dir_.linuxPath("w/a"), "x", 10);
  WriteFileAt(dir_.linuxPath("w/b"), "x", 10);
  ASSERT_EQ(0, index_.AddFolder("k", (dir_.windows() + "\\w").c_str(), "*.*"));
  const auto size = BaseSize();
  testkit::InjectShortWrite(1);  // the opening mark
  EXPECT_EQ(-10, index_.Update("k", nullptr, nullptr));
  EXPECT_EQ(size, BaseSize());
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  EXPECT_EQ("", Files());
  EXPECT_EQ(0, index_.Update("k", nullptr, nullptr));
  EXPECT_EQ("a 1;b 1;", Files());
}

}  // namespace
}  // namespace kelvra::test
