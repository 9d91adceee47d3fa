#include "files/FileSteps.h"

#include <signal.h>

#include <atomic>

namespace kelvra::platform {
namespace {

std::atomic<unsigned long> g_count{0};
std::atomic<unsigned long> g_killAt{0};

// True when the step just counted is the armed one.
bool CountStep() {
  const unsigned long step = ++g_count;
  return g_killAt.load() != 0 && step == g_killAt.load();
}

}  // namespace

void FileSteps::KillNow() { raise(SIGKILL); }

void FileSteps::Step() {
  if (CountStep()) KillNow();
}

std::size_t FileSteps::WriteStep(std::size_t size, bool& killAfter) {
  killAfter = CountStep();
  return killAfter ? size / 2 : size;
}

void FileSteps::KillAt(unsigned long step) {
  g_count = 0;
  g_killAt = step;
}

unsigned long FileSteps::Count() { return g_count.load(); }

}  // namespace kelvra::platform
