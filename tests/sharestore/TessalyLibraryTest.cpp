// The deliverable as the synchronisation application loads it: libTessaly.so exports
// the library's functions by the names callers bind, and nothing of its inside.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "sharestore/tessaly/Tessaly.h"
#include "support/TempDir.h"

namespace kelvra::test {
namespace {

class TessalyLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(KELVRA_RUNTIME_DIR "/libTessaly.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, library_) << dlerror();
  }
  void TearDown() override {
    if (library_ != nullptr) dlclose(library_);
  }
  void* Symbol(const char* name) { return dlsym(library_, name); }

  void* library_ = nullptr;
};

TEST_F(TessalyLibraryTest, ExportsThePlainAndDecoratedNames) {
  for (const char* name : {"Tessaly_ConfigLog", "Tessaly_CreateObject", "Tessaly_DeleteFile",
                           "Tessaly_GetFileLMT", "Tessaly_UploadFile", "Tessaly_DownloadFile"})
    EXPECT_NE(nullptr, Symbol(name)) << name;
  for (const char* name :
       {"_Z16Tessaly_HasFilesPKcS0_", "_Z15Tessaly_HasDirsPKc", "_Z18Tessaly_IsEmptyDirPKc",
        "_Z18MoveDirectoryFilesPKcS0_Pit", "_Z19MoveDirectoryFiles2PKcS0_PFiS0_S0_mPvES1_"})
    EXPECT_NE(nullptr, Symbol(name)) << name;
}

TEST_F(TessalyLibraryTest, HidesItsInside) {
  for (const char* name :
       {"g_Log", "g_hModule", "_ZN8CTessaly4InitEPKc", "_ZN10CRemoteDir4OpenEPKc"})
    EXPECT_EQ(nullptr, Symbol(name)) << name;
}

TEST_F(TessalyLibraryTest, ObjectFromTheFactoryWorksAndEndsWithRelease) {
  auto create = reinterpret_cast<ITessaly* (*)()>(Symbol("Tessaly_CreateObject"));
  ASSERT_NE(nullptr, create);
  TempDir dir;
  ITessaly* index = create();
  ASSERT_NE(nullptr, index);
  ASSERT_EQ(0, index->Init(dir.windowsPath("base.txt").c_str()));
  ASSERT_EQ(0, index->AddFolder("k", "Z:\\k", "*.*"));
  int count = 0;
  ASSERT_EQ(0, index->GetFolderCount(&count));
  EXPECT_EQ(1, count);
  EXPECT_EQ(0, index->Release());
  EXPECT_EQ("Folder=1,k,*.*,Z:\\k\r\n", dir.read("base.txt"));
  auto isEmpty = reinterpret_cast<LONG (*)(const char*)>(Symbol("_Z18Tessaly_IsEmptyDirPKc"));
  ASSERT_NE(nullptr, isEmpty);
  std::filesystem::remove(dir.linuxPath("base.txt"));
  EXPECT_EQ(0, isEmpty(dir.windows().c_str()));
}

}  // namespace
}  // namespace kelvra::test
