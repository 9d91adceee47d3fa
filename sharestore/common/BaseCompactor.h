// Replaces a base file with its compacted form so that the base path names a whole,
// readable base at every moment, whatever happens to the process or the machine: the
// new content is written to "<base>.new" and synced, the current base keeps a second
// name "<base>.old", and the new file is renamed over the base in one step.
#pragma once

#include <string>

#include "sharestore/common/BaseFile.h"

class BaseCompactor {
 public:
  // `base` is the open base at `path`; it is closed and reopened (never created).
  // 0; -1 when ".new" cannot be created; -10 when it cannot be written; -20 when the
  // base cannot keep its ".old" name; -30 when the new base cannot be moved into place.
  // A failed reopen gives that code - 100. Each failure is logged under `tag`.
  static int Replace(BaseFile& base, const std::string& path, const std::string& content,
                     const char* tag);

  // A base that a crash left missing is brought back from its ".old" copy.
  static void Recover(const std::string& path, const char* tag);
};
