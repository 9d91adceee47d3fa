// Kill points in the file layer, so that a test can see what a crash at any step of a
// multi-step file operation leaves behind. Every call that changes a file (create,
// write, flush, cut, link, move, delete, copy) is one step; a test arms a step number
// in a forked child and the child dies with SIGKILL there.
#pragma once

#include <cstddef>

namespace kelvra::platform {

class FileSteps {
 public:
  // One step that is not a write: dies here, before acting, when it is the armed one.
  static void Step();
  // One write of `size` bytes: how many of them may be written. At the armed step that
  // is half of them, and KillNow() must follow the partial write.
  static std::size_t WriteStep(std::size_t size, bool& killAfter);
  static void KillNow();

  // 0 disarms; otherwise the process dies at that step, counted from this call.
  static void KillAt(unsigned long step);
  // Steps taken since the last KillAt.
  static unsigned long Count();
};

}  // namespace kelvra::platform
