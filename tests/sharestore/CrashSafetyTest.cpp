// A process killed at any step of a compaction or in the middle of an append never
// costs the index what was committed before: a forked child dies (SIGKILL) at each
// file-layer step in turn, and the next Init must find every folder and entry, and the
// Init after it the same.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "IndexTestFixture.h"
#include "testkit/Files.h"

namespace kelvra::test {
namespace {

// Everything the caller can see of an index, as text.
std::string Dump(CTessaly& index) {
  std::string out;
  const char* key = nullptr;
  const char* path = nullptr;
  const char* mask = nullptr;
  for (int rc = index.GetFirstFolder(&key, &path, &mask); rc == 0;
       rc = index.GetNextFolder(&key, &path, &mask)) {
    out += std::string("[") + key + "|" + path + "|" + mask + "]";
    const std::string current = key;
    index.SetCurrentFolder(current.c_str());
    const char* name = nullptr;
    FILETIME time{};
    int type = 0;
    for (int f = index.GetFirstFile(&name, &time, &type); f == 0;
         f = index.GetNextFile(&name, &time, &type))
      out += std::string(name) + "@" + std::to_string(time.dwLowDateTime) + ":" +
             std::to_string(type) + ";";
    for (int s = index.FindFirstSubfolder(0, &name, &type); s == 0;
         s = index.FindNextSubfolder(0, &name, &type))
      out += std::string(name) + ":" + std::to_string(type) + ";";
  }
  return out;
}

// Runs `work` in a forked child and reports whether it died by SIGKILL (true) or
// finished (false). `committed` counts the bytes the child wrote to its channel.
bool RunChild(const std::function<void(int channel)>& work, int& committed) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("pipe");
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    work(channel[1]);
    _exit(0);
  }
  close(channel[1]);
  committed = 0;
  char byte = 0;
  while (read(channel[0], &byte, 1) == 1) ++committed;
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return true;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("child failed");
  return false;
}

using Operation = std::function<int(CTessaly&)>;

Operation InFolder(const char* key, std::function<int(CTessaly&)> write) {
  return [key, write](CTessaly& index) {
    return index.SetCurrentFolder(key) == 0 ? write(index) : -99;
  };
}

// Operations that each append one line.
std::vector<Operation> Appends() {
  std::vector<Operation> ops;
  ops.push_back([](CTessaly& i) { return i.AddFolder("docs", "Z:\\docs", "*.txt"); });
  ops.push_back([](CTessaly& i) { return i.AddFolder("pics", "Z:\\pics", "*.jpg"); });
  for (int n = 0; n < 8; ++n) {
    const std::string name = "file" + std::to_string(n) + ".txt";
    ops.push_back(InFolder(
        "docs", [name, n](CTessaly& i) { return i.SetFile(name.c_str(), Ticks(n), CT_NEW); }));
  }
  ops.push_back(InFolder("docs", [](CTessaly& i) { return i.RemoveChange("file3.txt"); }));
  ops.push_back(
      InFolder("docs", [](CTessaly& i) { return i.SetFile("file5.txt", Ticks(9), CT_DELETED); }));
  ops.push_back(InFolder("docs", [](CTessaly& i) { return i.RemoveChange("file5.txt"); }));
  ops.push_back([](CTessaly& i) { return i.ChangeFolder("pics", "Z:\\pictures"); });
  ops.push_back(
      InFolder("pics", [](CTessaly& i) { return i.SetSubfolder("holiday\\beach", CT_NEW); }));
  ops.push_back(InFolder("pics", [](CTessaly& i) {
    return i.SetFile(std::string(3000, 'p').c_str(), Ticks(7), CT_NEW);
  }));
  ops.push_back([](CTessaly& i) { return i.RemoveFolder("docs"); });
  ops.push_back([](CTessaly& i) { return i.AddFolder("more", "Z:\\more", "*.*"); });
  return ops;
}

class CrashSafetyTest : public IndexTestFixture {
 protected:
  std::string Recovered() {
    CTessaly index;
    EXPECT_EQ(0, index.Init(BasePath().c_str()));
    return Dump(index);
  }
  void Reset(const std::string& bytes) {
    dir_.write("base.txt", bytes);
    std::filesystem::remove(dir_.linuxPath("base.txt.new"));
    std::filesystem::remove(dir_.linuxPath("base.txt.old"));
  }
};

TEST_F(CrashSafetyTest, KillAtEveryStepOfACompaction) {
  ASSERT_EQ(0, index_.AddFolder("docs", "Z:\\docs", "*.txt"));
  ASSERT_EQ(0, index_.AddFolder("pics", "Z:\\pics", "*.jpg"));
  ASSERT_EQ(0, index_.SetCurrentFolder("docs"));
  for (int i = 0; i < 50; ++i)
    ASSERT_EQ(0, index_.SetFile(("f" + std::to_string(i)).c_str(), Ticks(i), i % 4));
  for (int i = 0; i < 50; i += 3)
    ASSERT_EQ(0, index_.RemoveChange(("f" + std::to_string(i)).c_str()));
  ASSERT_EQ(0, index_.SetSubfolder("a\\b", CT_NEW));
  const std::string expected = Dump(index_);
  index_.Close();
  const std::string original = dir_.read("base.txt");

  int killPoints = 0;
  for (unsigned long step = 1; step < 100; ++step) {
    Reset(original);
    int ignored = 0;
    const bool killed = RunChild(
        [this, step](int) {
          CTessaly child;
          if (child.Init(BasePath().c_str()) != 0) _exit(3);
          testkit::KillAtFileStep(step);
          _exit(child.CompactBase() == 0 ? 0 : 4);
        },
        ignored);
    ASSERT_EQ(expected, Recovered()) << "killed at step " << step;
    ASSERT_EQ(expected, Recovered()) << "second start after a kill at step " << step;
    if (!killed) break;
    ++killPoints;
  }
  // Stale .old removal, the .new file created, written, flushed, the link, the rename,
  // the removal of .old, the reopen.
  EXPECT_GE(killPoints, 6);
  RecordProperty("kill_points", killPoints);
  std::printf("compaction kill points: %d\n", killPoints);
}

TEST_F(CrashSafetyTest, KillInTheMiddleOfAppends) {
  const std::vector<Operation> ops = Appends();
  // What the index holds after each number of completed operations.
  std::vector<std::string> states;
  {
    CTessaly reference;
    ASSERT_EQ(0, reference.Init(dir_.windowsPath("reference.txt").c_str()));
    states.push_back(Dump(reference));
    for (const Operation& op : ops) {
      ASSERT_EQ(0, op(reference));
      states.push_back(Dump(reference));
    }
  }
  index_.Close();

  int killPoints = 0;
  for (unsigned long step = 1; step < 200; ++step) {
    Reset("");
    int committed = 0;
    const bool killed = RunChild(
        [this, step, &ops](int channel) {
          CTessaly child;
          if (child.Init(BasePath().c_str()) != 0) _exit(3);
          testkit::KillAtFileStep(step);
          for (const Operation& op : ops) {
            if (op(child) != 0) _exit(5);
            if (write(channel, "+", 1) != 1) _exit(6);
          }
        },
        committed);
    ASSERT_LT(static_cast<std::size_t>(committed), states.size());
    ASSERT_EQ(states[static_cast<std::size_t>(committed)], Recovered())
        << "killed at step " << step;
    ASSERT_EQ(states[static_cast<std::size_t>(committed)], Recovered())
        << "second start after a kill at step " << step;
    // The recovered base goes on taking lines, each on a line of its own.
    CTessaly after;
    ASSERT_EQ(0, after.Init(BasePath().c_str()));
    ASSERT_EQ(0, after.AddFolder("after", "Z:\\after", "*.*"));
    ASSERT_EQ(0, after.Init(BasePath().c_str()));
    ASSERT_EQ(0, after.FindFolder("after", nullptr, nullptr)) << "killed at step " << step;
    if (!killed) break;
    ++killPoints;
  }
  EXPECT_EQ(static_cast<int>(ops.size()), killPoints);
  RecordProperty("kill_points", killPoints);
  std::printf("append kill points: %d\n", killPoints);
}

}  // namespace
}  // namespace kelvra::test
