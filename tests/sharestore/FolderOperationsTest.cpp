// Watched folders: adding, changing, removing and enumerating them, with the lines each
// operation appends and the result codes the caller relies on.
#include "IndexTestFixture.h"

namespace kelvra::test {
namespace {

class FolderOperationsTest : public IndexTestFixture {};

TEST_F(FolderOperationsTest, AddFolderWritesItsLineAndNumbersFromOne) {
  ASSERT_EQ(0, index_.AddFolder("k1", "Z:\\data\\a, b", "*.txt;*.doc"));
  ASSERT_EQ(0, index_.AddFolder("k2", "Z:\\data\\c", "*.*"));
  const std::vector<std::string> expected{"Folder=1,k1,*.txt;*.doc,Z:\\data\\a, b",
                                          "Folder=2,k2,*.*,Z:\\data\\c"};
  EXPECT_EQ(expected, Lines());
  EXPECT_EQ(std::make_pair(2, 0), Stat());
}

TEST_F(FolderOperationsTest, AddFolderRefusals) {
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
  EXPECT_EQ(-2, index_.AddFolder("k", "Z:\\b", "*.*"));
  EXPECT_EQ(-3, index_.AddFolder("m", "Z:\\b", "*.txt,*.doc"));
  EXPECT_EQ(-3, index_.AddFolder("a,b", "Z:\\b", "*.*"));  // would not read back
  EXPECT_EQ(-1, index_.AddFolder("", "Z:\\b", "*.*"));
  EXPECT_EQ(-1, index_.AddFolder("n", nullptr, "*.*"));
  EXPECT_EQ(-1, index_.AddFolder("n", "Z:\\b", ""));
  EXPECT_EQ(-1, index_.AddFolder("n\r\nFolder=9", "Z:\\b", "*.*"));
  EXPECT_EQ(-1, index_.AddFolder("n", "Z:\\b\nRemoveFolder=1", "*.*"));
  EXPECT_EQ(1u, Lines().size());
}

TEST_F(FolderOperationsTest, KeysAreCaseSensitive) {
  ASSERT_EQ(0, index_.AddFolder("A", "Z:\\a", "*.*"));
  EXPECT_EQ(0, index_.AddFolder("a", "Z:\\a", "*.*"));
  EXPECT_EQ(1, index_.FindFolder("B", nullptr, nullptr));
}

TEST_F(FolderOperationsTest, NumbersAreNotReusedWhileTheBaseHoldsThem) {
  ASSERT_EQ(0, index_.AddFolder("k1", "Z:\\a", "*.*"));
  ASSERT_EQ(0, index_.AddFolder("k2", "Z:\\b", "*.*"));
  ASSERT_EQ(0, index_.RemoveFolder("k2"));
  ASSERT_EQ(0, index_.AddFolder("k3", "Z:\\c", "*.*"));
  EXPECT_EQ("Folder=3,k3,*.*,Z:\\c", Lines().back());
  // Replayed, the highest number stays the highest the base used.
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
  ASSERT_EQ(0, index_.AddFolder("k4", "Z:\\d", "*.*"));
  EXPECT_EQ("Folder=4,k4,*.*,Z:\\d", Lines().back());
}

TEST_F(FolderOperationsTest, ChangeFolderReplacesThePath) {
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
  EXPECT_EQ(1, index_.ChangeFolder("other", "Z:\\b"));
  ASSERT_EQ(0, index_.ChangeFolder("k", "Z:\\b, c"));
  const char* path = nullptr;
  ASSERT_EQ(0, index_.FindFolder("k", &path, nullptr));
  EXPECT_STREQ("Z:\\b, c", path);
  EXPECT_EQ("ChangeFolder=1,Z:\\b, c", Lines().back());
  EXPECT_EQ(std::make_pair(2, 1), Stat());
  EXPECT_EQ(-1, index_.ChangeFolder("k", ""));
}

TEST_F(FolderOperationsTest, RemoveFolderDropsItAndItsCurrentState) {
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.*"));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  ASSERT_EQ(0, index_.SetFile("a", FILETIME{}, 1));
  EXPECT_EQ(0, index_.RemoveFolder("unknown"));
  ASSERT_EQ(0, index_.RemoveFolder("k"));
  EXPECT_EQ("RemoveFolder=1", Lines().back());
  EXPECT_EQ(std::make_pair(3, 1 + 2), Stat());
  EXPECT_EQ(1, index_.GetCurrentFolder(nullptr, nullptr, nullptr));
  EXPECT_EQ(1, index_.FindFolder("k", nullptr, nullptr));
}

TEST_F(FolderOperationsTest, EnumerationFollowsKeyOrderAndSurvivesRemoval) {
  for (const char* key : {"b", "C", "a"}) ASSERT_EQ(0, index_.AddFolder(key, "Z:\\x", "*.*"));
  const char* key = nullptr;
  std::string seen;
  for (int rc = index_.GetFirstFolder(&key, nullptr, nullptr); rc == 0;
       rc = index_.GetNextFolder(&key, nullptr, nullptr)) {
    seen += key;
    ASSERT_EQ(0, index_.RemoveFolder(key));  // the folder under the cursor goes
  }
  EXPECT_EQ("Cab", seen);
  int count = -1;
  ASSERT_EQ(0, index_.GetFolderCount(&count));
  EXPECT_EQ(0, count);
  EXPECT_EQ(-1, index_.GetNextFolder(nullptr, nullptr, nullptr));
}

TEST_F(FolderOperationsTest, CurrentFolder) {
  ASSERT_EQ(0, index_.AddFolder("k", "Z:\\a", "*.txt"));
  EXPECT_EQ(1, index_.SetCurrentFolder("K"));
  EXPECT_EQ(1, index_.GetCurrentFolder(nullptr, nullptr, nullptr));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  const char* key = nullptr;
  const char* mask = nullptr;
  ASSERT_EQ(0, index_.GetCurrentFolder(&key, nullptr, &mask));
  EXPECT_STREQ("k", key);
  EXPECT_STREQ("*.txt", mask);
}

TEST_F(FolderOperationsTest, NothingWorksBeforeInit) {
  CTessaly fresh;
  int count = 0;
  EXPECT_EQ(-1, fresh.AddFolder("k", "Z:\\a", "*.*"));
  EXPECT_EQ(-1, fresh.GetFolderCount(&count));
  EXPECT_EQ(-1, fresh.GetFirstFolder(nullptr, nullptr, nullptr));
  EXPECT_EQ(-1, fresh.SetCurrentFolder("k"));
  EXPECT_EQ(-1, fresh.Update("k", nullptr, nullptr));
  EXPECT_EQ(-1, fresh.CompactBase());
}

}  // namespace
}  // namespace kelvra::test
