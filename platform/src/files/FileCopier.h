// Copies one file's bytes, permissions and times, as CopyFileA and a move across file
// systems need.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::platform {

class FileCopier {
 public:
  struct Options {
    bool failIfExists = false;  // an existing target is left alone
    bool writeThrough = false;  // the target reaches the disk before the copy returns
    DWORD existsError = ERROR_FILE_EXISTS;
  };

  // ERROR_SUCCESS or the Windows error. A target that was not completed is removed.
  static DWORD Copy(const std::string& source, const std::string& target, const Options& options);
};

}  // namespace kelvra::platform
