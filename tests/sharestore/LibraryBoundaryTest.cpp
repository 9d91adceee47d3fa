// Nothing thrown inside the file-share library reaches its caller: an allocation failure
// in an index operation or an export is logged and becomes E_OUTOFMEMORY, anything else
// E_FAIL, and the object stays usable.
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>

#include "IndexTestFixture.h"
#include "sharestore/common/CLog.h"
#include "sharestore/common/LibraryBoundary.h"
#include "testkit/Debug.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

class LibraryBoundaryTest : public IndexTestFixture {
 protected:
  void SetUp() override {
    IndexTestFixture::SetUp();
    testkit::ClearDebugOutput();
    g_Log.InitLog(nullptr, nullptr, true, 1);
    std::filesystem::create_directories(dir_.linuxPath("w/sub"));
    WriteFileAt(dir_.linuxPath("w/a"), "x", 10);
    ASSERT_EQ(0, index_.AddFolder("k", Folder().c_str(), "*.*"));
  }
  void TearDown() override {
    testkit::ClearFaults();
    g_Log.InitLog(nullptr, nullptr, false, 1);
    IndexTestFixture::TearDown();
  }
  std::string Folder() const { return dir_.windows() + "\\w"; }
  static bool Logged(const std::string& text) {
    std::string all;
    for (const std::string& piece : testkit::DebugOutput()) all += piece;
    return all.find(text) != std::string::npos;
  }
};

TEST_F(LibraryBoundaryTest, EachKindOfExceptionBecomesItsCodeAndOneLogLine) {
  EXPECT_EQ(E_OUTOFMEMORY, Guarded("Edge::NoMemory", []() -> int { throw std::bad_alloc(); }));
  EXPECT_EQ(E_FAIL, Guarded("Edge::Other", []() -> int { throw std::runtime_error("x"); }));
  EXPECT_EQ(7, Guarded("Edge::Fine", [] { return 7; }));
  bool ran = false;
  GuardedVoid("Edge::Void", [&] {
    ran = true;
    throw std::logic_error("x");
  });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(Logged("Err[0x8007000e] in Edge::NoMemory: out of memory"));
  EXPECT_TRUE(Logged("Err[0x80004005] in Edge::Other: CATCHED EXCEPTION!"));
  EXPECT_TRUE(Logged("Err[0x80004005] in Edge::Void: CATCHED EXCEPTION!"));
  EXPECT_FALSE(Logged("Edge::Fine"));
}

TEST_F(LibraryBoundaryTest, ScansThatRunOutOfMemoryLeaveTheIndexUsable) {
  ITessaly& index = index_;
  ASSERT_EQ(0, index.Update("k", nullptr, nullptr));
  testkit::ExhaustMemoryOnCall("FindFirstFileA", 1);
  EXPECT_EQ(E_OUTOFMEMORY, index.Update("k", nullptr, nullptr));
  EXPECT_TRUE(Logged("in CTessaly::Update: out of memory"));
  testkit::ExhaustMemoryOnCall("FindFirstFileA", 1);
  EXPECT_EQ(E_OUTOFMEMORY, index.UpdateSubfolders("k", 1, nullptr, 0, nullptr, nullptr));
  EXPECT_TRUE(Logged("in CTessaly::UpdateSubfolders: out of memory"));

  WriteFileAt(dir_.linuxPath("w/b"), "x", 10);
  ASSERT_EQ(0, index.Update("k", nullptr, nullptr));
  ASSERT_EQ(0, index.SetCurrentFolder("k"));
  EXPECT_EQ("a 1;b 1;", Files());
}

TEST_F(LibraryBoundaryTest, ExportsThatRunOutOfMemoryGiveEOutOfMemory) {
  const std::string folder = Folder();
  const std::string target = dir_.windows() + "\\moved";
  std::filesystem::create_directory(dir_.linuxPath("moved"));
  testkit::ExhaustMemoryOnCall("FindFirstFileA", 0);
  EXPECT_EQ(E_OUTOFMEMORY, Tessaly_HasFiles(folder.c_str(), "*.*"));
  EXPECT_EQ(E_OUTOFMEMORY, Tessaly_IsEmptyDir(folder.c_str()));
  EXPECT_EQ(E_OUTOFMEMORY, MoveDirectoryFiles2(folder.c_str(), target.c_str(), nullptr, nullptr));
  EXPECT_TRUE(Logged("in Tessaly_HasFiles: out of memory"));
  EXPECT_TRUE(Logged("in MoveDirectoryFiles2: out of memory"));
  testkit::ClearFaults();
  EXPECT_EQ(0, Tessaly_HasFiles(folder.c_str(), "*.*"));
  EXPECT_EQ(0, MoveDirectoryFiles2(folder.c_str(), target.c_str(), nullptr, nullptr));
  EXPECT_TRUE(std::filesystem::exists(dir_.linuxPath("moved/a")));
}

// A replay that runs out of memory halfway.
struct FailingReplay {
  FailingReplay(FolderTable<TessalyFolder>&, IndexCounters&) {}
  void Run(std::string_view) { throw std::bad_alloc(); }
};

TEST_F(LibraryBoundaryTest, ABaseThatCannotBeReadWholeLeavesTheIndexClosed) {
  ChangeIndex<TessalyFolder> index;
  EXPECT_EQ(E_OUTOFMEMORY, Guarded("Edge::Init", [&] {
              return index.Open<FailingReplay>(BasePath().c_str(), "Edge::Init");
            }));
  EXPECT_FALSE(index.Initialised());
  EXPECT_FALSE(index.BaseOpen());
}

}  // namespace
}  // namespace kelvra::test
