// Speed of the file-share index on a large tree: a first scan and an unchanged rescan of
// 100,000 files in 1,000 watched folders, beside `find` listing the same tree with times
// and sizes in the same run (warm cache); then the replay of a base of 1,000,000 lines
// and its compaction.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "sharestore/tessaly/CTessaly.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 1000;
constexpr int kFilesPerFolder = 100;
constexpr int kFiles = kFolders * kFilesPerFolder;
constexpr int kBaseLines = 1000000;

// The tree and the bases, made once in a temporary folder and removed at exit.
class Workspace {
 public:
  static Workspace& Get() {
    static Workspace workspace;
    return workspace;
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  const std::string& root() const { return root_; }
  std::string Windows(const std::string& linuxPath) const {
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }
  std::string Folder(int n) const { return root_ + "/tree/" + Key(n); }
  static std::string Key(int n) {
    std::string key = "d";
    key += std::to_string(n);
    return key;
  }

  // The tree of files, made on first use.
  void MakeTree() {
    if (treeMade_) return;
    for (int d = 0; d < kFolders; ++d) {
      fs::create_directories(Folder(d));
      for (int f = 0; f < kFilesPerFolder; ++f)
        std::ofstream(Folder(d) + "/file" + std::to_string(f) + ".dat") << d << ' ' << f;
    }
    treeMade_ = true;
  }

 private:
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "tessaly-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
  }
  std::string root_;
  bool treeMade_ = false;
};

void AddFolders(CTessaly& index) {
  Workspace& ws = Workspace::Get();
  ws.MakeTree();
  for (int d = 0; d < kFolders; ++d)
    index.AddFolder(Workspace::Key(d).c_str(), ws.Windows(ws.Folder(d)).c_str(), "*.*");
}

void ScanAll(CTessaly& index) {
  for (int d = 0; d < kFolders; ++d) index.Update(Workspace::Key(d).c_str(), nullptr, nullptr);
}

void SetFilesRate(benchmark::State& state, int perIteration) {
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(perIteration),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FindBaseline(benchmark::State& state) {
  Workspace::Get().MakeTree();
  const std::string command =
      "find " + Workspace::Get().root() + "/tree -printf '%T@ %s %p\\n' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("find failed");
  SetFilesRate(state, kFiles);
}

void BM_FirstScan(benchmark::State& state) {
  Workspace& ws = Workspace::Get();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(ws.root() + "/first.txt");
    CTessaly index;
    index.Init(ws.Windows(ws.root() + "/first.txt").c_str());
    AddFolders(index);
    state.ResumeTiming();
    ScanAll(index);
  }
  SetFilesRate(state, kFiles);
}

void BM_UnchangedRescan(benchmark::State& state) {
  Workspace& ws = Workspace::Get();
  fs::remove(ws.root() + "/rescan.txt");
  CTessaly index;
  index.Init(ws.Windows(ws.root() + "/rescan.txt").c_str());
  AddFolders(index);
  ScanAll(index);
  const auto size = fs::file_size(ws.root() + "/rescan.txt");
  for (auto _ : state) ScanAll(index);
  if (fs::file_size(ws.root() + "/rescan.txt") != size)
    state.SkipWithError("an unchanged rescan wrote lines");
  SetFilesRate(state, kFiles);
}

// A base of one million lines: 100 folders of 9,000 files, and 100,000 lines that
// supersede earlier ones.
const std::string& BigBase() {
  static const std::string path = [] {
    const std::string file = Workspace::Get().root() + "/big.txt";
    std::ofstream out(file, std::ios::binary);
    char line[128];
    int written = 0;
    for (int d = 1; d <= 100; ++d, ++written)
      out << "Folder=" << d << ",key" << d << ",*.*,Z:\\data\\folder" << d << "\r\n";
    for (int d = 1; written < kBaseLines - 100000; d = d % 100 + 1) {
      for (int f = 0; f < 100 && written < kBaseLines - 100000; ++f, ++written) {
        std::snprintf(line, sizeof line, "File=%d,%08x-01d9c3a2,N,document %d-%d.txt\r\n", d,
                      written, written / 100, f);
        out << line;
      }
    }
    for (int n = 0; n < 100000; ++n, ++written) {
      std::snprintf(line, sizeof line, "File=%d,%08x-01d9c3a2,_,document %d-%d.txt\r\n",
                    n % 100 + 1, n, n, n % 100);
      out << line;
    }
    return file;
  }();
  return path;
}

void BM_Replay(benchmark::State& state) {
  const std::string path = Workspace::Get().Windows(BigBase());
  for (auto _ : state) {
    auto index = std::make_unique<CTessaly>();
    index->Init(path.c_str());
    state.PauseTiming();  // freeing the index is no part of reading the base
    int lines = 0;
    index->GetBaseStat(&lines, nullptr);
    if (lines != kBaseLines) state.SkipWithError("wrong line count");
    index.reset();
    state.ResumeTiming();
  }
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(kBaseLines),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Compaction(benchmark::State& state) {
  Workspace& ws = Workspace::Get();
  const std::string copy = ws.root() + "/compact.txt";
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(BigBase(), copy, fs::copy_options::overwrite_existing);
    CTessaly index;
    index.Init(ws.Windows(copy).c_str());
    state.ResumeTiming();
    if (index.CompactBase() != 0) state.SkipWithError("compaction failed");
  }
}

}  // namespace

// Wall-clock time throughout: `find` runs in a process of its own.
BENCHMARK(BM_FindBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_FirstScan)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_UnchangedRescan)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_FindBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Replay)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Compaction)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

BENCHMARK_MAIN();
