#include "ShareStoreTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace kelvra::test {

FILETIME Ticks(unsigned long long ticks) {
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

FILETIME FileTimeOfUnix(long long seconds) {
  return Ticks(static_cast<unsigned long long>(seconds + 11644473600LL) * 10000000ULL);
}

void WriteFileAt(const std::string& linuxPath, const std::string& bytes, long long unixSeconds) {
  std::ofstream(linuxPath, std::ios::binary) << bytes;
  const timespec times[2] = {{unixSeconds, 0}, {unixSeconds, 0}};
  utimensat(AT_FDCWD, linuxPath.c_str(), times, 0);
}

std::vector<std::string> BaseLines(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace kelvra::test
