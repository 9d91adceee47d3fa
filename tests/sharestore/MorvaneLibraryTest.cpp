// The deliverable as the synchronisation application loads it: libMorvane.so exports
// the library's functions by their plain names, and nothing of its inside.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "sharestore/morvane/Morvane.h"
#include "support/TempDir.h"
#include "testkit/Mapi.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

class MorvaneLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    library_ = dlopen(KELVRA_RUNTIME_DIR "/libMorvane.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, library_) << dlerror();
  }
  void TearDown() override {
    if (library_ != nullptr) dlclose(library_);
  }
  void* Symbol(const char* name) { return dlsym(library_, name); }

  void* library_ = nullptr;
};

TEST_F(MorvaneLibraryTest, ExportsItsFunctionsAndHidesItsInside) {
  for (const char* name :
       {"Morvane_ConfigLog", "Morvane_CreateObject", "Morvane_GetItemLMT", "Morvane_GetItemLMT2"})
    EXPECT_NE(nullptr, Symbol(name)) << name;
  for (const char* name : {"g_Log", "g_hModule", "_ZN8CMorvane4InitEPKc", "Tessaly_CreateObject"})
    EXPECT_EQ(nullptr, Symbol(name)) << name;
}

TEST_F(MorvaneLibraryTest, ItsLogIsItsOwnAndKnowsTheLibraryVersion) {
  auto configure =
      reinterpret_cast<int (*)(const char*, const char*, int, int)>(Symbol("Morvane_ConfigLog"));
  ASSERT_NE(nullptr, configure);
  TempDir dir;
  EXPECT_EQ(2, configure(nullptr, dir.windowsPath("morvane.log").c_str(), 0, 1));
  EXPECT_EQ(0, configure(nullptr, dir.windowsPath("morvane.log").c_str(), 0, 2));
  EXPECT_NE(std::string::npos, dir.read("morvane.log").find("Inf in InitLog: Version = 1.0.0.1"));
  EXPECT_EQ(2, configure(nullptr, nullptr, 0, 1));
}

TEST_F(MorvaneLibraryTest, ObjectFromTheFactoryScansThroughTheCallersSession) {
  auto create = reinterpret_cast<IMorvane* (*)()>(Symbol("Morvane_CreateObject"));
  ASSERT_NE(nullptr, create);
  const store::FolderPtr inbox = testkit::FindFolder("Personal Folders/Inbox");
  inbox->NewItem()->Save();
  TempDir dir;
  IMorvane* index = create();
  ASSERT_NE(nullptr, index);
  ASSERT_EQ(0, index->Init(dir.windowsPath("base.txt").c_str()));
  ASSERT_EQ(0, index->AddFolder("in", testkit::StoreIdText(inbox).c_str(),
                                testkit::EntryIdText(inbox).c_str(), "IPM.Note"));
  IMAPISession* session = testkit::NewMapiSession();
  EXPECT_EQ(0, index->Update(session, "in", nullptr, nullptr));
  ASSERT_EQ(0, index->SetCurrentFolder("in"));
  int count = 0;
  ASSERT_EQ(0, index->GetItemCount(&count, 1 << MORVANE_NEW));
  EXPECT_EQ(1, count);
  EXPECT_EQ(0, index->Release());
  EXPECT_EQ(1u, testkit::MapiRefCount(session));
  session->Release();
}

}  // namespace
}  // namespace kelvra::test
