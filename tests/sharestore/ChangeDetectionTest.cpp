// Scans of a watched folder: what becomes new, modified or deleted, the batch written
// to the base, the progress reports, masks, and scans that cannot or must not finish.
#include <sys/stat.h>

#include <filesystem>

#include "IndexTestFixture.h"

namespace kelvra::test {
namespace {

struct Progress {
  std::vector<std::pair<int, int>> calls;
  int stopAt = -1;  // the call (from 0) that answers 0
};

int WINAPI Record(int done, int total, void* user) {
  auto* progress = static_cast<Progress*>(user);
  progress->calls.emplace_back(done, total);
  return static_cast<int>(progress->calls.size()) - 1 == progress->stopAt ? 0 : 1;
}

class ChangeDetectionTest : public IndexTestFixture {
 protected:
  void SetUp() override {
    IndexTestFixture::SetUp();
    std::filesystem::create_directory(dir_.linuxPath("w"));
    ASSERT_EQ(0, index_.AddFolder("k", (dir_.windows() + "\\w").c_str(), "*.*"));
    ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  }
  void Put(const std::string& name, long long seconds) {
    WriteFileAt(dir_.linuxPath("w/" + name), "x", seconds);
  }
  int Update() { return index_.Update("k", &Record, &progress_); }
  std::vector<std::string> LinesAfter(std::size_t count) {
    const auto all = Lines();
    return {all.begin() + static_cast<std::ptrdiff_t>(count), all.end()};
  }

  Progress progress_;
};

TEST_F(ChangeDetectionTest, EmptyFolderWritesNothing) {
  ASSERT_EQ(0, Update());
  EXPECT_EQ(1u, Lines().size());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}}), progress_.calls);
}

TEST_F(ChangeDetectionTest, NewFilesAreWrittenBetweenMarks) {
  Put("b.txt", 1000);
  Put("A.txt", 2000);
  ASSERT_EQ(0, Update());
  const std::string t1000 = "294a6400-019db1e1";  // 1970-01-01 00:16:40
  const std::vector<std::string> expected{";", ";detected changes 2026.03.14 09:05:07",
                                          "File=1,7d564800-019db1e3,N,A.txt",
                                          "File=1," + t1000 + ",N,b.txt", ";"};
  EXPECT_EQ(expected, LinesAfter(1));
  EXPECT_EQ("A.txt 1;b.txt 1;", Files());
  EXPECT_EQ(std::make_pair(3, 0), Stat());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}), progress_.calls);
}

TEST_F(ChangeDetectionTest, UnchangedFolderWritesNothingAndProgressEndsAtTotal) {
  Put("a", 10);
  Put("b", 10);
  ASSERT_EQ(0, Update());
  ASSERT_EQ(0, index_.RemoveChange("a"));
  ASSERT_EQ(0, index_.RemoveChange("b"));
  const std::size_t before = Lines().size();
  progress_.calls.clear();
  ASSERT_EQ(0, Update());
  EXPECT_EQ(before, Lines().size());
  // Each known file counts twice (found, then handled) but is reported once, after its step.
  EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 4}, {2, 4}, {4, 4}}), progress_.calls);
}

TEST_F(ChangeDetectionTest, StateTransitions) {
  Put("unchanged", 10);
  Put("modified", 10);
  Put("stillnew", 10);
  Put("gone", 10);
  ASSERT_EQ(0, Update());
  for (const char* name : {"unchanged", "modified", "gone"})
    ASSERT_EQ(0, index_.RemoveChange(name));
  Put("modified", 20);
  Put("stillnew", 30);
  std::filesystem::remove(dir_.linuxPath("w/gone"));
  ASSERT_EQ(0, Update());
  EXPECT_EQ("gone 3;modified 2;stillnew 1;unchanged 0;", Files());
  FILETIME time{};
  ASSERT_EQ(0, index_.FindFile("stillnew", &time, nullptr));
  EXPECT_EQ(FileTimeOfUnix(30).dwLowDateTime, time.dwLowDateTime);

  // The deleted entry is written once; a file that comes back becomes modified.
  const std::size_t before = Lines().size();
  ASSERT_EQ(0, Update());
  EXPECT_EQ(before, Lines().size());
  Put("gone", 10);
  ASSERT_EQ(0, Update());
  EXPECT_EQ("gone 2;modified 2;stillnew 1;unchanged 0;", Files());
  EXPECT_EQ("File=1,db346100-019db1de,M,gone", Lines()[Lines().size() - 2]);
}

TEST_F(ChangeDetectionTest, DeletionWritesItsStoredTime) {
  Put("a", 10);
  ASSERT_EQ(0, Update());
  std::filesystem::remove(dir_.linuxPath("w/a"));
  const std::size_t before = Lines().size();
  ASSERT_EQ(0, Update());
  const std::vector<std::string> expected{";", ";detected changes 2026.03.14 09:05:07",
                                          "File=1,db346100-019db1de,D,a", ";"};
  EXPECT_EQ(expected, LinesAfter(before));
  EXPECT_EQ(std::make_pair(3, 1), Stat());
}

TEST_F(ChangeDetectionTest, CallbackStopsTheScan) {
  Put("a", 10);
  Put("b", 10);
  progress_.stopAt = 0;
  EXPECT_EQ(1, Update());
  EXPECT_EQ(1u, Lines().size());
  EXPECT_EQ("", Files());
  progress_ = Progress{};
  progress_.stopAt = 1;
  EXPECT_EQ(1, Update());
  const auto lines = Lines();
  EXPECT_EQ("File=1,db346100-019db1de,N,a", lines.back());  // no closing mark
  EXPECT_EQ("a 1;", Files());
}

TEST_F(ChangeDetectionTest, CallbackStopsAfterTheStepOfAKnownFile) {
  Put("a", 10);
  Put("b", 10);
  ASSERT_EQ(0, Update());
  ASSERT_EQ(0, index_.RemoveChange("a"));
  ASSERT_EQ(0, index_.RemoveChange("b"));
  Put("a", 20);
  Put("b", 20);
  progress_ = Progress{};
  progress_.stopAt = 1;
  EXPECT_EQ(1, Update());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 4}, {2, 4}}), progress_.calls);
  EXPECT_EQ("File=1,e12a4200-019db1de,M,a", Lines().back());
  EXPECT_EQ("a 2;b 0;", Files());
}

TEST_F(ChangeDetectionTest, NullCallbackScansQuietly) {
  Put("a", 10);
  EXPECT_EQ(0, index_.Update("k", nullptr, nullptr));
  EXPECT_EQ("a 1;", Files());
}

TEST_F(ChangeDetectionTest, UnreachableFolderLeavesEntriesAlone) {
  Put("a", 10);
  ASSERT_EQ(0, Update());
  std::filesystem::remove_all(dir_.linuxPath("w"));
  const std::size_t before = Lines().size();
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, Update());
  EXPECT_EQ(before, Lines().size());
  EXPECT_EQ("a 1;", Files());
  EXPECT_EQ(-2, index_.Update("unknown", nullptr, nullptr));
  EXPECT_EQ(-1, index_.Update(nullptr, nullptr, nullptr));
}

TEST_F(ChangeDetectionTest, MasksSelectFilesAndNameTwiceIsHandledOnce) {
  ASSERT_EQ(0, index_.AddFolder("masked", (dir_.windows() + "\\w").c_str(), "*.txt;*.TXT;a*"));
  Put("a.txt", 10);
  Put("b.doc", 10);
  Put("c.TXT", 10);
  ASSERT_EQ(0, index_.Update("masked", &Record, &progress_));
  ASSERT_EQ(0, index_.SetCurrentFolder("masked"));
  EXPECT_EQ("a.txt 1;c.TXT 1;", Files());
  int newLines = 0;
  for (const std::string& line : Lines()) newLines += line.rfind("File=2,", 0) == 0 ? 1 : 0;
  EXPECT_EQ(2, newLines);
  // a.txt is listed three times and c.TXT twice: progress still ends at its total.
  EXPECT_EQ(std::make_pair(5, 5), progress_.calls.back());
}

TEST_F(ChangeDetectionTest, EmptyPieceEndsTheMaskList) {
  ASSERT_EQ(0, index_.AddFolder("cut", (dir_.windows() + "\\w").c_str(), "*.txt;;*.doc"));
  Put("a.txt", 10);
  Put("b.doc", 10);
  ASSERT_EQ(0, index_.Update("cut", nullptr, nullptr));
  ASSERT_EQ(0, index_.SetCurrentFolder("cut"));
  EXPECT_EQ("a.txt 1;", Files());
}

TEST_F(ChangeDetectionTest, NamesDifferingOnlyInCaseAreOneEntry) {
  Put("Same.txt", 10);
  Put("same.TXT", 20);
  ASSERT_EQ(0, Update());
  EXPECT_EQ("Same.txt 1;", Files());
  EXPECT_EQ(std::make_pair(2, 0), Stat());
}

TEST_F(ChangeDetectionTest, NamesWithLineBreaksAreSkipped) {
  Put("bad\nname", 10);
  Put("good", 10);
  ASSERT_EQ(0, Update());
  EXPECT_EQ("good 1;", Files());
  EXPECT_EQ(std::make_pair(2, 2), progress_.calls.back());
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
  EXPECT_EQ(std::make_pair(2, 0), Stat());
}

class SubfolderScanTest : public ChangeDetectionTest {
 protected:
  void MakeTree() {
    for (const char* path : {"w/a", "w/a/b", "w/a/b/c", "w/x", "w/x/y"})
      std::filesystem::create_directory(dir_.linuxPath(path));
  }
  int Scan(int recursive, std::vector<const char*> excluded = {}) {
    return index_.UpdateSubfolders("k", recursive, excluded.data(),
                                   static_cast<int>(excluded.size()), &Record, &progress_);
  }
};

TEST_F(SubfolderScanTest, RecursiveListsParentsFirst) {
  MakeTree();
  Put("file", 10);
  ASSERT_EQ(0, Scan(1));
  const auto lines = LinesAfter(1);
  ASSERT_EQ(8u, lines.size());
  EXPECT_EQ(";detected subfolder changes 2026.03.14 09:05:07", lines[1]);
  EXPECT_EQ("Subfolder=1,N,a", lines[2]);
  EXPECT_EQ("Subfolder=1,N,a\\b", lines[3]);
  EXPECT_EQ("Subfolder=1,N,a\\b\\c", lines[4]);
  EXPECT_EQ("Subfolder=1,N,x\\y", lines[6]);
  EXPECT_EQ("", Files());  // subfolder scans leave the files alone
}

TEST_F(SubfolderScanTest, ExcludedPathsAndTheirChildrenAreLeftOut) {
  MakeTree();
  ASSERT_EQ(0, Scan(1, {"A", "x\\Y"}));
  EXPECT_EQ("x 1;", Subfolders());
}

TEST_F(SubfolderScanTest, StatesOfSubfolders) {
  MakeTree();
  ASSERT_EQ(0, Scan(1));
  ASSERT_EQ(0, index_.RemoveSubfolderChange("x\\y"));
  std::filesystem::remove(dir_.linuxPath("w/x/y"));
  ASSERT_EQ(0, Scan(1));
  EXPECT_EQ("a 1;a\\b 1;a\\b\\c 1;x 1;x\\y 3;", Subfolders());
  std::filesystem::create_directory(dir_.linuxPath("w/x/y"));
  ASSERT_EQ(0, Scan(1));
  EXPECT_EQ("a 1;a\\b 1;a\\b\\c 1;x 1;x\\y 2;", Subfolders());
}

TEST_F(SubfolderScanTest, NonRecursiveScanMarksDeeperEntriesDeleted) {
  MakeTree();
  ASSERT_EQ(0, Scan(1));
  ASSERT_EQ(0, Scan(0));
  EXPECT_EQ("a 1;a\\b 3;a\\b\\c 3;x 1;x\\y 3;", Subfolders());
}

}  // namespace
}  // namespace kelvra::test
