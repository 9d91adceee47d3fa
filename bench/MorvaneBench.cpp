// Speed of the item-share index on a large MAPI folder: the first pass over a folder of
// 100,000 messages (every one new) and an unchanged rescan, through libMorvane.so as
// the synchronisation application loads it, over the MAPI stand-in.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sharestore/morvane/Morvane.h"
#include "store/Folder.h"
#include "store/Item.h"
#include "testkit/Mapi.h"
#include "testkit/Store.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMessages = 100000;

// The library, the mailbox with its big folder, a session and a temporary folder for
// the bases, made once.
class Workspace {
 public:
  static Workspace& Get() {
    static Workspace workspace;
    return workspace;
  }
  ~Workspace() {
    session_->Release();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // A new index over a fresh base that watches the big folder.
  IMorvane* NewIndex() {
    fs::remove(root_ + "/base.txt");
    IMorvane* index = create_();
    if (index->Init(("Z:" + root_ + "/base.txt").c_str()) != 0 ||
        index->AddFolder("big", storeId_.c_str(), folderId_.c_str(), "IPM.Contact") != 0)
      std::abort();
    return index;
  }
  IMAPISession* session() const { return session_; }

 private:
  Workspace() {
    // The library sits in the build's bin folder, beside this program's folder.
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string library =
        fs::path(self).parent_path().parent_path().string() + "/bin/libMorvane.so";
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      std::fprintf(stderr, "%s\n", dlerror());
      std::abort();
    }
    create_ = reinterpret_cast<IMorvane* (*)()>(dlsym(handle, "Morvane_CreateObject"));
    testkit::ResetMailbox();
    const kelvra::store::FolderPtr folder = testkit::FindFolder("Personal Folders/Contacts");
    for (int i = 0; i < kMessages; ++i) folder->NewItem()->Save();
    storeId_ = testkit::StoreIdText(folder);
    folderId_ = testkit::EntryIdText(folder);
    session_ = testkit::NewMapiSession();
    char pattern[] = "/tmp/kelvra-morvane-bench-XXXXXX";
    root_ = mkdtemp(pattern);
  }

  IMorvane* (*create_)() = nullptr;
  std::string storeId_;
  std::string folderId_;
  IMAPISession* session_ = nullptr;
  std::string root_;
};

void BM_MorvaneFirstPass(benchmark::State& state) {
  Workspace& workspace = Workspace::Get();
  for (auto _ : state) {
    state.PauseTiming();
    IMorvane* index = workspace.NewIndex();
    state.ResumeTiming();
    if (index->Update(workspace.session(), "big", nullptr, nullptr) != 0)
      state.SkipWithError("Update failed");
    state.PauseTiming();
    index->Release();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_MorvaneFirstPass)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MorvaneUnchangedRescan(benchmark::State& state) {
  Workspace& workspace = Workspace::Get();
  IMorvane* index = workspace.NewIndex();
  if (index->Update(workspace.session(), "big", nullptr, nullptr) != 0)
    state.SkipWithError("first pass failed");
  for (auto _ : state)
    if (index->Update(workspace.session(), "big", nullptr, nullptr) != 0)
      state.SkipWithError("Update failed");
  state.SetItemsProcessed(state.iterations() * kMessages);
  index->Release();
}
BENCHMARK(BM_MorvaneUnchangedRescan)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
