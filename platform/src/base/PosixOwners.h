// Owners of POSIX descriptors and directory streams, on the template of the Windows
// handle owners.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include "win32/owners.h"

namespace kelvra::platform {

struct FdPolicy {
  using Handle = int;
  static int Invalid() noexcept { return -1; }
  static void Close(int fd) noexcept { ::close(fd); }
};

using UniqueFd = UniqueAny<FdPolicy>;
using UniqueDir = UniqueAny<HandlePolicy<DIR*, &closedir>>;

}  // namespace kelvra::platform
