// Reading a base back: the line grammar, what each line does, and the line and garbage
// counts that tell the caller when to compact.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ShareStoreTestSupport.h"
#include "sharestore/common/CLog.h"
#include "testkit/Debug.h"

namespace kelvra::test {
namespace {

class BaseReplayTest : public ::testing::Test {
 protected:
  int InitWith(const std::string& bytes) {
    dir_.write("base.txt", bytes);
    return index_.Init(dir_.windowsPath("base.txt").c_str());
  }
  std::pair<int, int> Stat() {
    int lines = -1, garbage = -1;
    index_.GetBaseStat(&lines, &garbage);
    return {lines, garbage};
  }
  // The files of a folder as "name type" in name order.
  std::string Files(const char* key) {
    std::string out;
    if (index_.SetCurrentFolder(key) != 0) return "<no folder>";
    const char* name = nullptr;
    FILETIME time{};
    int type = -1;
    for (int rc = index_.GetFirstFile(&name, &time, &type); rc == 0;
         rc = index_.GetNextFile(&name, &time, &type))
      out += std::string(name) + " " + std::to_string(type) + ";";
    return out;
  }

  TempDir dir_;
  CTessaly index_;
};

TEST_F(BaseReplayTest, MissingBaseIsCreatedEmpty) {
  ASSERT_EQ(0, index_.Init(dir_.windowsPath("new.txt").c_str()));
  EXPECT_TRUE(dir_.exists("new.txt"));
  int count = -1;
  EXPECT_EQ(0, index_.GetFolderCount(&count));
  EXPECT_EQ(0, count);
  EXPECT_EQ(std::make_pair(0, 0), Stat());
}

TEST_F(BaseReplayTest, CommentsAndEmptyLinesAreNotCounted) {
  ASSERT_EQ(0, InitWith(";\r\n;detected changes 2026.01.01 00:00:00\r\n\r\n;\r\n"));
  EXPECT_EQ(std::make_pair(0, 0), Stat());
}

TEST_F(BaseReplayTest, MixedBaseGivesItsFoldersEntriesAndCounts) {
  std::ifstream in(std::string(KELVRA_TEST_DATA_DIR) + "/sharestore/mixed-base.txt",
                   std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(0, InitWith(bytes));

  const char* path = nullptr;
  const char* mask = nullptr;
  ASSERT_EQ(0, index_.FindFolder("docs", &path, &mask));
  EXPECT_STREQ("Z:\\data\\docs, with a comma", path);
  EXPECT_STREQ("*.txt;*.doc", mask);
  ASSERT_EQ(0, index_.FindFolder("pics", &path, nullptr));
  EXPECT_STREQ("Z:\\data\\pictures", path);
  EXPECT_EQ(1, index_.FindFolder("other", nullptr, nullptr));

  // The second line for report.txt replaced the first, with its own spelling.
  EXPECT_EQ("Notes, draft.doc 1;REPORT.TXT 2;", Files("docs"));
  EXPECT_EQ("", Files("pics"));
  int type = -1;
  ASSERT_EQ(0, index_.SetCurrentFolder("docs"));
  EXPECT_EQ(0, index_.FindSubfolder("OLD", &type));
  EXPECT_EQ(1, type);
  EXPECT_EQ(1, index_.FindSubfolder("old\\deep", &type));

  // 19 lines that are not comments. Void: REPORT.TXT's first line (1), ChangeFolder (1),
  // RemoveFile with its record (2), RemoveSubfolder with its record (2), and the eight
  // bad lines (unknown, orphan, bad time, bad change, empty name, dup key, dup num, the
  // line into the refused folder).
  EXPECT_EQ(std::make_pair(19, 1 + 1 + 2 + 2 + 8), Stat());
}

TEST_F(BaseReplayTest, ChangeFolderForUnknownNumberCountsTwice) {
  ASSERT_EQ(0, InitWith("ChangeFolder=4,Z:\\x\r\n"));
  EXPECT_EQ(std::make_pair(1, 2), Stat());
}

TEST_F(BaseReplayTest, RemoveFolderCountsItsFilesAndUnknownNumberIsNoGarbage) {
  ASSERT_EQ(0, InitWith("Folder=1,k,*.*,Z:\\a\r\nFile=1,0-0,N,a\r\nFile=1,0-0,N,b\r\nRemoveFolder="
                        "1\r\nRemoveFolder=7\r\n"));
  EXPECT_EQ(std::make_pair(5, 2 + 2), Stat());
  int count = -1;
  index_.GetFolderCount(&count);
  EXPECT_EQ(0, count);
}

TEST_F(BaseReplayTest, TimesReadInEitherCaseAndWithoutHighPart) {
  ASSERT_EQ(0,
            InitWith("Folder=1,k,*.*,Z:\\a\r\nFile=1,ABCDEF01-0000001f,_,a\r\nFile=1,ff,_,b\r\n"));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  FILETIME time{};
  ASSERT_EQ(0, index_.FindFile("a", &time, nullptr));
  EXPECT_EQ(0xABCDEF01u, time.dwLowDateTime);
  EXPECT_EQ(0x1Fu, time.dwHighDateTime);
  ASSERT_EQ(0, index_.FindFile("B", &time, nullptr));
  EXPECT_EQ(0xFFu, time.dwLowDateTime);
  EXPECT_EQ(0u, time.dwHighDateTime);
}

TEST_F(BaseReplayTest, AnyLineEndIsAccepted) {
  ASSERT_EQ(0,
            InitWith("Folder=1,k,*.*,Z:\\a\nFile=1,0-0,N,a\rFile=1,0-0,N,b\r\nFile=1,0-0,N,c\n"));
  EXPECT_EQ("a 1;b 1;c 1;", Files("k"));
  EXPECT_EQ(std::make_pair(4, 0), Stat());
}

TEST_F(BaseReplayTest, LongLinesAreReadWhole) {
  const std::string name(10000, 'x');
  ASSERT_EQ(0, InitWith("Folder=1,k,*.*,Z:\\a\r\nFile=1,0-0,N," + name + "\r\n"));
  EXPECT_EQ(std::make_pair(2, 0), Stat());
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  EXPECT_EQ(0, index_.FindFile(name.c_str(), nullptr, nullptr));
}

TEST_F(BaseReplayTest, FolderNumbersThatOverflowOrReachTheMaximumAreBad) {
  ASSERT_EQ(0, InitWith("Folder=4294967295,max,*.*,Z:\\a\r\nFolder=4294967296,wrap,*.*,Z:\\b\r\n"
                        "Folder=4294967294,top,*.*,Z:\\c\r\nFolder=-1,neg,*.*,Z:\\d\r\n"));
  int count = -1;
  index_.GetFolderCount(&count);
  EXPECT_EQ(1, count);
  EXPECT_EQ(0, index_.FindFolder("top", nullptr, nullptr));
  EXPECT_EQ(std::make_pair(4, 3), Stat());
  // The highest number is taken: another folder would need the maximum.
  EXPECT_EQ(-1, index_.AddFolder("more", "Z:\\e", "*.*"));
}

// What a start shows of the index: every folder with its path and files, and the counts.
std::string Seen(CTessaly& index) {
  std::string out;
  const char* key = nullptr;
  const char* path = nullptr;
  for (int rc = index.GetFirstFolder(&key, &path, nullptr); rc == 0;
       rc = index.GetNextFolder(&key, &path, nullptr)) {
    out += std::string("[") + key + " " + path + "]";
    const std::string current = key;
    index.SetCurrentFolder(current.c_str());
    const char* name = nullptr;
    FILETIME time{};
    int type = -1;
    for (int f = index.GetFirstFile(&name, &time, &type); f == 0;
         f = index.GetNextFile(&name, &time, &type))
      out += std::string(name) + " " + std::to_string(type) + ";";
    for (int f = index.FindFirstSubfolder(0, &name, &type); f == 0;
         f = index.FindNextSubfolder(0, &name, &type))
      out += std::string(name) + " " + std::to_string(type) + ";";
  }
  int lines = -1, garbage = -1;
  index.GetBaseStat(&lines, &garbage);
  return out + " lines " + std::to_string(lines) + " garbage " + std::to_string(garbage);
}

TEST_F(BaseReplayTest, TornLastLineIsCutOffAndEveryLaterStartReadsTheSame) {
  const std::string committed =
      "Folder=1,a,*.*,Z:\\a\r\nFile=1,0-0,N,x\r\nFolder=12,b,*.*,Z:\\b\r\nFile=12,0-0,M,y\r\n";
  const std::string expected = "[a Z:\\a]x 1;[b Z:\\b]y 2; lines 4 garbage 0";
  // Each kind of line, cut where the rest would still read as a line of its own.
  const char* const torn[] = {
      "RemoveFolder=1",    "File=1,0-0,N,phant",    "RemoveFile=1,x",  "ChangeFolder=1,Z:\\elsew",
      "Subfolder=12,N,su", "Folder=13,c,*.*,Z:\\c", "File=12,0-0,D,y", "RemoveFolder=12\r"};
  for (const char* line : torn) {
    const bool wholeLine = std::string(line).back() == '\r';
    ASSERT_EQ(0, InitWith(committed + line)) << line;
    const std::string first = Seen(index_);
    if (!wholeLine) {
      EXPECT_EQ(expected, first) << line;
    }
    ASSERT_EQ(0, index_.Init(dir_.windowsPath("base.txt").c_str()));
    EXPECT_EQ(first, Seen(index_)) << "second start after " << line;
    if (!wholeLine) {
      EXPECT_EQ(committed, dir_.read("base.txt")) << line;
    }
  }
  // A line cut between its CR and LF is whole: it stays and counts.
  EXPECT_EQ("[a Z:\\a]x 1; lines 5 garbage 3", Seen(index_));
}

TEST_F(BaseReplayTest, TheLineAfterACutTornLineStandsOnItsOwn) {
  testkit::ClearDebugOutput();
  g_Log.InitLog(nullptr, nullptr, true, 1);
  ASSERT_EQ(0, InitWith("Folder=1,k,*.*,Z:\\a\r\nFile=1,0-0,N,a\r\nFile=1,0-0,N,trunc"));
  g_Log.InitLog(nullptr, nullptr, false, 1);
  bool logged = false;
  for (const std::string& text : testkit::DebugOutput())
    logged = logged || text == "cutting off unfinished last line (File=1,0-0,N,trunc)";
  EXPECT_TRUE(logged);
  EXPECT_EQ("a 1;", Files("k"));
  EXPECT_EQ(std::make_pair(2, 0), Stat());
  ASSERT_EQ(0, index_.SetFile("b", FILETIME{}, 1));
  const auto lines = BaseLines(dir_.linuxPath("base.txt"));
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ("File=1,00000000-00000000,N,b", lines[2]);
  ASSERT_EQ(0, index_.Init(dir_.windowsPath("base.txt").c_str()));
  EXPECT_EQ("a 1;b 1;", Files("k"));
}

TEST_F(BaseReplayTest, SecondInitReplacesEverything) {
  ASSERT_EQ(0, InitWith("Folder=1,k,*.*,Z:\\a\r\n"));
  dir_.write("other.txt", "Folder=5,z,*.*,Z:\\z\r\nFile=5,0-0,N,a\r\n");
  ASSERT_EQ(0, index_.Init(dir_.windowsPath("other.txt").c_str()));
  EXPECT_EQ(1, index_.FindFolder("k", nullptr, nullptr));
  EXPECT_EQ("a 1;", Files("z"));
  EXPECT_EQ(std::make_pair(2, 0), Stat());
}

TEST_F(BaseReplayTest, BadLinesAreLoggedWithTheirText) {
  testkit::ClearDebugOutput();
  g_Log.InitLog(nullptr, nullptr, true, 1);
  ASSERT_EQ(0, InitWith("Nonsense here\r\n"));
  g_Log.InitLog(nullptr, nullptr, false, 1);
  bool seen = false;
  for (const std::string& text : testkit::DebugOutput())
    seen = seen || text == "ignoring bad line (Nonsense here)";
  EXPECT_TRUE(seen);
}

TEST_F(BaseReplayTest, InitRefusesEmptyPath) {
  EXPECT_EQ(-1, index_.Init(nullptr));
  EXPECT_EQ(-1, index_.Init(""));
  EXPECT_EQ(-2, index_.Init(dir_.windowsPath("missing\\base.txt").c_str()));
}

}  // namespace
}  // namespace kelvra::test
