#include "files/FileFacts.h"

#include <cstdint>

#include "win32/files.h"

namespace kelvra::platform {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kTicksPerSecond = 10000000;

}  // namespace

DWORD AttributesOf(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return (st.st_mode & S_IWUSR) != 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

FILETIME FileTimeOf(const timespec& time) {
  const std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + kSecondsFrom1601To1970;
  const std::uint64_t ticks = seconds < 0 ? 0
                                          : static_cast<std::uint64_t>(seconds) * kTicksPerSecond +
                                                static_cast<std::uint64_t>(time.tv_nsec / 100);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace kelvra::platform
